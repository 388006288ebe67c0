#include "net/request_plan.h"

#include "net/default_headers.h"
#include "text/search.h"

namespace jixia::net_internal {
namespace {

constexpr const char* kVerbs[] = {"GET", "POST", "HEAD", "PUT"};

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

long long EffectiveTimeoutMs(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return 30000;
  return static_cast<long long>(timeoutSeconds) * 1000;
}

bool SplitRequestUrl(const Text& url, WebRequestPlan* plan) {
  const size_t schemeEnd = url.find("://");
  if (schemeEnd == std::string::npos) return false;
  const Text scheme = AsciiLower(url.substr(0, schemeEnd));
  if (scheme != "http" && scheme != "https") return false;
  const size_t authorityStart = schemeEnd + 3;
  const size_t authorityEnd = url.find_first_of("/?#", authorityStart);
  std::string authority =
      url.substr(authorityStart, authorityEnd == std::string::npos ? std::string::npos
                                                                   : authorityEnd - authorityStart);
  if (const size_t at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);

  std::string host = authority;
  std::string portText;
  const size_t bracketEnd = authority.rfind(']');
  const size_t colon = authority.rfind(':');
  if (colon != std::string::npos && (bracketEnd == std::string::npos || colon > bracketEnd)) {
    host = authority.substr(0, colon);
    portText = authority.substr(colon + 1);
  }
  if (host.empty()) return false;
  plan->secure = scheme == "https";
  plan->port = plan->secure ? 443 : 80;
  if (!portText.empty()) {
    if (!AllDigits(portText) || portText.size() > 5) return false;
    plan->port = std::stoi(portText);
    if (plan->port < 1 || plan->port > 65535) return false;
  }
  plan->host = host;

  // The object name: path and query when there is a path, "/" alone when
  // the host is followed directly by a query. A fragment never goes out.
  plan->objectName = "/";
  if (authorityEnd != std::string::npos && url[authorityEnd] == '/') {
    plan->objectName = url.substr(authorityEnd, url.find('#', authorityEnd) - authorityEnd);
  }
  plan->objectName = ReplaceAllText(plan->objectName, " ", "%20");
  plan->curlUrl = scheme + "://" + host + ":" + std::to_string(plan->port) + plan->objectName;
  return true;
}

bool PlanWebRequest(const Text& url, const WebRequestOptions& options, WebRequestPlan* plan) {
  if (!SplitRequestUrl(url, plan)) return false;
  plan->verb = options.method >= 0 && options.method <= 3 ? kVerbs[options.method] : "GET";
  plan->timeoutMs = EffectiveTimeoutMs(options.timeoutSeconds);
  const Text sentCookies = options.cookies != nullptr ? *options.cookies : Text();
  plan->headerText = ComposeWebRequestHeaders(options.extraHeaders, sentCookies);
  plan->serverCredentials = !options.userName.empty() && !options.password.empty();
  plan->proxyCredentials = !options.proxyUser.empty() && !options.proxyPassword.empty();
  plan->cookieEngine = options.cookies != nullptr;
  plan->followRedirects = !options.noRedirect;
  return true;
}

}  // namespace jixia::net_internal
