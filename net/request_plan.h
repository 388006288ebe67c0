// What one WebRequest call will do, worked out from its arguments before any
// network activity: the URL parts, the verb, the time-out, the header text
// and the switches (internal to net; exposed for tests).
#pragma once

#include <string>
#include <vector>

#include "net/web_request.h"

namespace jixia::net_internal {

struct WebRequestPlan {
  bool secure = false;      // https
  Text host;                // as written in the URL, without port
  int port = 0;             // the URL's port or the scheme's default
  Text objectName;          // path and query; "/" when the URL has no path
  std::string curlUrl;      // scheme://host:port + objectName
  std::string verb;         // GET, POST, HEAD or PUT
  long long timeoutMs = 0;  // per stage
  Text headerText;          // composed header text, lines ending in CR LF
  bool serverCredentials = false;
  bool proxyCredentials = false;
  bool cookieEngine = false;  // libcurl's own cookie handling for this request
  bool followRedirects = true;
};

// The effective time-out of `timeoutSeconds` in milliseconds: 30000 for 0 or
// less.
long long EffectiveTimeoutMs(int timeoutSeconds);

// Splits `url` (http or https, any letter case, optional port; userinfo and
// fragment ignored). False when the scheme is another one or the URL cannot
// be split (no host, bad port).
bool SplitRequestUrl(const Text& url, WebRequestPlan* plan);

// The whole plan; false (the 701 case) when the URL cannot be split.
bool PlanWebRequest(const Text& url, const WebRequestOptions& options, WebRequestPlan* plan);

}  // namespace jixia::net_internal
