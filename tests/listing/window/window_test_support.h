// Helpers of the window tests: finding controls by their names, watching for
// message boxes, a recorded address opener and a fixture site behind an
// injected page fetcher.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "listing/listing_source.h"
#include "listing/listing_ui.h"
#include "listing/window/main_window.h"

namespace jixia::test {

// The control named `utf8Name` below `root`, or null.
template <typename T>
T* Find(const QWidget* root, const char* utf8Name) {
  return root->findChild<T*>(QString::fromUtf8(utf8Name));
}

// Selects, in every tab control above `widget`, the page that holds it, so
// the widget is visible and takes real clicks.
void Reveal(QWidget* widget);

// Reveals a button and clicks it with the mouse.
void ClickVisible(QWidget* button);

// What a message box looked like when it came up.
struct SeenBox {
  QString caption;
  QString text;
  int buttons;
  bool hasOwner;
  bool applicationModal;
};

// While alive, closes every message box that comes up (with its first
// button, or `accept` chosen by role) and records it.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  const std::vector<SeenBox>& seen() const { return seen_; }
  // Which button to press: true presses OK, false presses Cancel when present.
  void PressOk(bool ok) { pressOk_ = ok; }

 private:
  QTimer timer_;
  std::vector<SeenBox> seen_;
  bool pressOk_ = true;
};

class RecordingOpener : public AddressOpener {
 public:
  void OpenAddress(const Text& address) override { addresses.push_back(address); }
  std::vector<Text> addresses;
};

// A listing site in memory. Page K of an address prefix P holds `rowsPerPage`
// rows "<li><a href="P K .html#i">标题 K-i</a></li>". Every request first runs
// `beforeAnswer` (the number of the request, from 1), then lets pending
// window events through as WebRequest does while it waits.
class FixtureSite {
 public:
  PageFetcher Fetcher();

  int rowsPerPage = 3;
  std::function<void(int request)> beforeAnswer;
  // Status given for a request number; "200 OK" when it returns empty text.
  std::function<Text(int request)> statusOf;
  std::vector<Text> requested;
};

// A source over the fixture's rows: the title (group 2) into column 1, the
// address (group 1) into column 2, which a double-click opens.
ListingSource FixtureSource(const char* list, const char* pageCountBox, const char* progressBar,
                            const char* urlPrefix, bool titleViaCaption = false);

// Services with the given fetcher and opener; message boxes as the program's.
inline MainWindowServices Services(PageFetcher fetch, AddressOpener* opener = nullptr) {
  MainWindowServices services;
  services.opener = opener;
  services.fetch = std::move(fetch);
  return services;
}

// Title of row i (1-based) of page k, GBK.
Text FixtureTitle(int page, int row);

}  // namespace jixia::test
