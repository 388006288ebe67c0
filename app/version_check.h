// The start-up version check: the latest version number is the nickname of an
// account at the profile service; a build whose number differs tells the
// user, opens the download page and ends.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace jixia {

// The version number of this build, compared with the announced one.
inline constexpr char kBuiltInVersion[] = "552";

// "http://<host>/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=<account>".
Text ProfileAddress(std::string_view host, std::string_view account);

// "https://<host>/b377770/".
Text DownloadAddress(std::string_view host);

// The number announced in a profile answer (GBK): the text between the first
// comma-quote pair and the next quote-comma pair, read as a leading integer
// (blanks, an optional sign, then digits; anything after the digits is
// ignored). Empty when the answer has no such cut or the cut does not start
// with digits after the blanks and sign; values beyond the int range
// saturate.
std::optional<int> AnnouncedVersion(const Text& response);

// True when the answer announces a number other than the built-in one. An
// answer without a usable number (failed request, missing markers, no digits)
// is no reason to update.
bool UpdateNeeded(const Text& response);

// What the check needs from outside, so tests can record it.
struct VersionCheckServices {
  std::function<Text(const Text& url)> fetch;          // the profile request
  std::function<void(const Text& message)> askUpdate;  // box with OK and Cancel
  std::function<void(const Text& url)> openBrowser;    // the download page
};

// Fetches the profile endpoint of `profileHost` for `account`. On an update it
// shows "已经有新版  立即更新  " (the answer is not looked at), opens the
// download page of `downloadHost` and returns true: the program must end with
// exit code 0. Otherwise returns false and shows nothing.
bool VersionCheck(const VersionCheckServices& services, std::string_view profileHost,
                  std::string_view account, std::string_view downloadHost);

}  // namespace jixia
