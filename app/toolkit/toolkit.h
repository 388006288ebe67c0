// The thin layer between the program's GBK texts and Qt widgets: text
// conversion at the widget boundary, message boxes and the browser opener.
#pragma once

#include <QString>

#include "listing/listing_ui.h"
#include "text/text.h"

namespace jixia {

// GBK -> QString through the program's own converter (never Qt's codec).
QString FromGbk(const Text& gbk);

// QString -> GBK; characters GBK cannot hold become "?".
Text ToGbk(const QString& text);

// Blocking message box: caption "信息：", no owner, application-modal, one OK.
void ShowMessageBox(const Text& gbk);

// Blocking box with OK and Cancel and the caption "信息："; the answer is returned.
bool AskOkCancel(const Text& gbk);

// Message boxes through ShowMessageBox.
class MessageBoxSink : public MessageSink {
 public:
  void ShowMessage(const Text& text) override;
};

// Hands http:// and https:// addresses (any letter case) to the default
// browser as one argument, without a shell (xdg-open on Linux). Returns false
// and opens nothing for any other address or when the opener cannot start.
bool OpenInBrowser(const Text& address);

class BrowserOpener : public AddressOpener {
 public:
  void OpenAddress(const Text& address) override;
};

}  // namespace jixia
