#include "app/toolkit/toolkit.h"

#include <QMessageBox>
#include <QProcess>
#include <QStringList>

#include "text/codepage.h"

namespace jixia {
namespace {

const QString& BoxCaption() {
  static const QString caption = QString::fromUtf8("信息：");
  return caption;
}

// The program's texts end their lines with CR LF; Qt's plain-text widgets
// want LF alone.
QString ForDisplay(const Text& gbk) {
  return FromGbk(gbk).replace(QStringLiteral("\r\n"), "\n");
}

bool StartsWithNoCase(const Text& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

QString FromGbk(const Text& gbk) {
  return QString::fromStdString(GbkToUtf8(gbk));
}

Text ToGbk(const QString& text) {
  return Utf8ToGbk(text.toStdString());
}

void ShowMessageBox(const Text& gbk) {
  QMessageBox box(QMessageBox::NoIcon, BoxCaption(), ForDisplay(gbk), QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

bool AskOkCancel(const Text& gbk) {
  QMessageBox box(QMessageBox::NoIcon, BoxCaption(), ForDisplay(gbk),
                  QMessageBox::Ok | QMessageBox::Cancel);
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec() == QMessageBox::Ok;
}

void MessageBoxSink::ShowMessage(const Text& text) {
  ShowMessageBox(text);
}

bool OpenInBrowser(const Text& address) {
  if (!StartsWithNoCase(address, "http://") && !StartsWithNoCase(address, "https://")) {
    return false;
  }
  // Started directly with the address as its one argument: no shell sees it,
  // and nothing re-encodes it on the way.
  return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{FromGbk(address)});
}

void BrowserOpener::OpenAddress(const Text& address) {
  OpenInBrowser(address);
}

}  // namespace jixia
