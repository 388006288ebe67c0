// libcurl set-up shared by WebRequest and SimpleFetch (internal to net).
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>
#include <vector>

namespace jixia::net_internal {

struct CurlEasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlSlistCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistCleanup>;

// A new easy handle, after initialising libcurl once per process. Null when
// libcurl cannot be initialised or the handle cannot be made.
CurlEasy NewCurlEasy();

// Appends `lines` to a header list. Null when the list cannot be built.
CurlSlist MakeHeaderList(const std::vector<std::string>& lines);

// Options every request sets: HTTP/1.1 only (over TLS libcurl would otherwise
// negotiate HTTP/2, whose status line differs), http and https only (also
// for redirects), certificates verified against the system's CAs plus the
// extra CA file `caFile` (empty for none; must outlive the transfer), no
// signals, and `proxy` as given ("" is a direct connection, never a proxy
// taken from the environment). False when an option is refused.
bool SetCommonOptions(CURL* easy, const std::string& proxy, const std::string& caFile);

}  // namespace jixia::net_internal
