// What the listing procedures need of a window. The main window implements
// these over its widgets; the command-line companion and the tests implement
// them over plain data.
#pragma once

#include <functional>

#include "text/text.h"

namespace jixia {

class ReportList {
 public:
  virtual ~ReportList() = default;
  virtual void Clear() = 0;
  virtual int RowCount() const = 0;
  // Appends an empty row at the end and returns its 0-based index.
  virtual int AppendRow() = 0;
  virtual void SetCell(int row, int column, const Text& text) = 0;
  // Empty text for a row or column out of range.
  virtual Text Cell(int row, int column) const = 0;
  // 0-based index of the selected row, -1 when none.
  virtual int SelectedRow() const = 0;
};

// A bar with range 0 to 100; positions outside are clamped to it.
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual void SetPosition(int position) = 0;
  virtual int Position() const = 0;
};

// The main window's caption.
class Caption {
 public:
  virtual ~Caption() = default;
  virtual void SetCaption(const Text& text) = 0;
  virtual Text GetCaption() const = 0;
};

// A blocking message box with the caption "信息：" and one OK button.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const Text& text) = 0;
};

// Hands an address to the default browser.
class AddressOpener {
 public:
  virtual ~AddressOpener() = default;
  virtual void OpenAddress(const Text& address) = 0;
};

// Downloads one page: returns the page text (GBK; empty on failure) and writes
// the status text or numbered failure message into *status.
using PageFetcher = std::function<Text(const Text& url, Text* status)>;

// The default fetcher: WebRequest with the address alone.
PageFetcher WebRequestFetcher();

}  // namespace jixia
