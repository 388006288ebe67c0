// The listing browser: a side panel of labels and one outer tab control with a
// page per site, each holding a tab control with a page per board. Every
// board's fetch button runs ListingFetch with its source row and every list's
// double-click runs ListingOpen.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <memory>
#include <vector>

#include "app/toolkit/toolkit.h"
#include "listing/listing_fetch.h"
#include "listing/listing_source.h"
#include "listing/listing_ui.h"

class QLineEdit;
class QPushButton;

namespace jixia {

class ProgressBarWidget;
class ReportListView;

// What the window hands its work to. Null or empty members take the program's
// own: the default browser, message boxes, WebRequest.
struct MainWindowServices {
  AddressOpener* opener = nullptr;
  MessageSink* messages = nullptr;
  PageFetcher fetch;
};

class MainWindow : public QMainWindow, public Caption {
  Q_OBJECT

 public:
  // Builds the window and binds every source row to the controls its names
  // give (rows naming controls the window lacks are left unbound). Centred on
  // the primary screen; not shown.
  explicit MainWindow(std::vector<ListingSource> sources, MainWindowServices services = {},
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // The caption, GBK in both directions.
  void SetCaption(const Text& text) override;
  Text GetCaption() const override;

  // Number of fetches running now (a fetch started inside another counts).
  int RunningFetches() const { return runningFetches_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct BoardControls {
    ReportListView* list = nullptr;
    QPushButton* button = nullptr;
  };
  struct BoundSource {
    const ListingSource* source;
    ListingBindings bindings;
    bool fetching = false;
  };

  void BuildSidePanel(QWidget* panel);
  void BuildTabs(QWidget* panel);
  void BindSources();
  void RunFetch(BoundSource& bound);
  void ShowFailures(const FetchReport& report);
  void ShowContactNotice();
  Text FetchPage(const Text& url, Text* status);

  std::vector<ListingSource> sources_;
  BrowserOpener browser_;
  MessageBoxSink messageBoxes_;
  AddressOpener* opener_;
  MessageSink* messages_;
  PageFetcher fetch_;
  QHash<QString, BoardControls> boards_;  // by list name
  std::vector<std::unique_ptr<BoundSource>> bound_;
  int runningFetches_ = 0;
  bool closedDuringFetch_ = false;
  bool deleteAfterFetch_ = false;
};

}  // namespace jixia
