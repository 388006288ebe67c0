// The replica's sites: each Mount function installs one site's listing pages
// and post pages on a server.
#pragma once

#include <httplib.h>

#include <string>

#include "demo/post_records.h"

namespace jixia::demo {

struct SiteSettings {
  RecordSettings records;
  std::string configuredHost;  // host:port the build names for this site
  bool tls = false;            // the site is reached over HTTPS
};

void MountForumA(httplib::Server& server, const SiteSettings& settings);
void MountForumB(httplib::Server& server, const SiteSettings& settings);
void MountSiteC(httplib::Server& server, const SiteSettings& settings);
void MountDealD1(httplib::Server& server, const SiteSettings& settings);
void MountDealD2(httplib::Server& server, const SiteSettings& settings);
void MountDealD3(httplib::Server& server, const SiteSettings& settings);
void MountDealD4(httplib::Server& server, const SiteSettings& settings);

}  // namespace jixia::demo
