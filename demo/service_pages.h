// The replica's non-listing services: the profile service that announces the
// latest version, and the download page.
#pragma once

#include <httplib.h>

#include <string>

namespace jixia::demo {

struct ProfileSettings {
  std::string versionAccount;    // account whose nickname carries the version
  std::string announcedVersion;  // the nickname given to that account
};

// GET /fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=N answers a script call
// whose first ,"...", pair holds the account's nickname: the announced
// version for the version account, empty for any other account.
void MountProfileService(httplib::Server& server, const ProfileSettings& settings);

// GET /b377770/: a plain download page.
void MountDownloadPage(httplib::Server& server);

}  // namespace jixia::demo
