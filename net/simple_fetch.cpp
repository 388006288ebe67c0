#include "net/simple_fetch.h"

#include <string>
#include <vector>

#include "net/cookies.h"
#include "net/curl_easy.h"
#include "net/curl_transfer.h"
#include "net/default_headers.h"
#include "net/tls_trust.h"
#include "net/url_parts.h"
#include "net/web_request.h"
#include "text/markers.h"
#include "text/search.h"

namespace jixia {
namespace {

constexpr const char kDefaultAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The request has no time-out argument; these keep a dead server from
// blocking the window for ever.
constexpr long long kConnectTimeoutMs = 30000;
constexpr long long kIdleTimeoutMs = 30000;

Text AgentFor(const Text& extraHeaders) {
  if (!ContainsText(extraHeaders, "User-Agent:", true)) return kDefaultAgent;
  Text agent = TrimBlanks(TextBetween(extraHeaders + "\r\n", "User-Agent:", "\r\n"));
  // A key not written exactly "User-Agent:" or an empty value.
  if (agent.empty()) agent = HeaderValue(extraHeaders);
  return agent;
}

bool Ok(CURLcode code) {
  return code == CURLE_OK;
}

}  // namespace

Bytes SimpleFetch(const Text& url, const SimpleFetchOptions& options) {
  const int method = options.method >= 0 && options.method <= 2 ? options.method : 0;
  const bool secure = AsciiLower(url.substr(0, 8)) == "https://";
  const Text callerHeaders = options.extraHeaders != nullptr ? *options.extraHeaders : Text();
  const Text agent = AgentFor(callerHeaders);

  const Text host = UrlHost(url);
  net_internal::CurlEasy easy = net_internal::NewCurlEasy();
  if (!easy || host.empty()) return Bytes();
  CURL* e = easy.get();
  const std::string caFile = ExtraCaFile();
  const std::string requestUrl = std::string(secure ? "https://" : "http://") + host + ":" +
                                 std::to_string(UrlPort(url)) + UrlPath(url);

  const Text sentCookies = options.cookies != nullptr ? *options.cookies : Text();
  const Text headerText = net_internal::ComposeSimpleFetchHeaders(callerHeaders, url, sentCookies);
  if (options.extraHeaders != nullptr) *options.extraHeaders = headerText;

  Bytes body;
  if (method != 0) {
    body = options.bodyBytes != nullptr ? *options.bodyBytes : Bytes();
    if (body.empty()) {
      body = options.body;
      if (options.bodyBytes != nullptr) *options.bodyBytes = body;
    }
  }

  // Any set-up that libcurl refuses counts as a failed send: nothing is read.
  std::vector<std::string> lines;
  net_internal::CurlSlist headerList;
  net_internal::CurlSlist proxyHeaderList = net_internal::MakeHeaderList({"Proxy-Connection:"});
  bool ready = net_internal::SetCommonOptions(e, options.proxy, caFile) &&
               Ok(curl_easy_setopt(e, CURLOPT_URL, requestUrl.c_str())) &&
               Ok(curl_easy_setopt(e, CURLOPT_USERAGENT, agent.c_str())) &&
               net_internal::HeaderLinesForCurl(headerText, false, &lines);
  if (ready) {
    headerList = net_internal::MakeHeaderList(lines);
    ready = headerList && proxyHeaderList &&
            Ok(curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get())) &&
            Ok(curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxyHeaderList.get()));
  }
  // Not given cookies: libcurl's cookie engine for this one request; given:
  // only the caller's cookie text travels.
  if (ready && options.cookies == nullptr) ready = Ok(curl_easy_setopt(e, CURLOPT_COOKIEFILE, ""));
  // 0 GET (no body), 1 POST, 2 HEAD.
  if (ready) {
    if (method == 2) {
      ready = Ok(curl_easy_setopt(e, CURLOPT_NOBODY, 1L));
    } else if (method == 1) {
      ready = Ok(curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE,
                                  static_cast<curl_off_t>(body.size()))) &&
              Ok(curl_easy_setopt(e, CURLOPT_POSTFIELDS, body.data()));
    } else {
      ready = Ok(curl_easy_setopt(e, CURLOPT_HTTPGET, 1L));
    }
  }

  net_internal::TransferResult response;
  if (ready) {
    net_internal::TransferLimits limits;
    limits.connectTimeoutMs = kConnectTimeoutMs;
    limits.idleTimeoutMs = kIdleTimeoutMs;
    limits.maxBodyBytes = kMaxResponseBodyBytes;
    limits.followRedirects = !options.noRedirect;
    response = net_internal::RunTransfer(e, limits);
  }

  // The whole header block, whatever its size.
  const Text headers = ReplaceAllText(response.headerBlock, "Set-Cookie", "Set-Cookie", true);
  if (options.responseHeaders != nullptr) *options.responseHeaders = headers;
  Text received = CollectCookies(headers);
  if (options.mergeCookies && options.cookies != nullptr) {
    received = CookieMerge(*options.cookies, received);
  }
  if (options.responseCookies != nullptr) *options.responseCookies = received;
  return response.body;
}

}  // namespace jixia
