#include "app/contact_link.h"

#include <QProcess>
#include <QStringList>

#include "app/toolkit/toolkit.h"

namespace jixia {

Text ContactLink(std::string_view account, std::string_view siteName) {
  Text link = "tencent://Message/?Uin=";
  link += account;
  link += "&websiteName=";
  link += siteName;
  link += "&Menu=yes";
  return link;
}

bool OpenWithShell(const Text& address) {
  return QProcess::startDetached(QStringLiteral("xdg-open"), {FromGbk(address)});
}

void ShellOpener::OpenAddress(const Text& address) {
  OpenWithShell(address);
}

}  // namespace jixia
