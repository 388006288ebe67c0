// The messenger contact link of the entry window and the shell opener that
// takes it: the link has its own scheme, which the browser opener refuses.
#pragma once

#include <string_view>

#include "listing/listing_ui.h"
#include "text/text.h"

namespace jixia {

// "tencent://Message/?Uin=<account>&websiteName=<site>&Menu=yes".
Text ContactLink(std::string_view account, std::string_view siteName);

// Hands a GBK address unchanged to the desktop's opener (xdg-open) as its
// one argument, without a shell. Returns false when the opener cannot start;
// what the opener then does is not looked at.
bool OpenWithShell(const Text& address);

class ShellOpener : public AddressOpener {
 public:
  void OpenAddress(const Text& address) override;
};

}  // namespace jixia
