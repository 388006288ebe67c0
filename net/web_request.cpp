#include "net/web_request.h"

#include <string>
#include <vector>

#include "net/cookies.h"
#include "net/curl_easy.h"
#include "net/curl_transfer.h"
#include "net/default_headers.h"
#include "net/event_hook.h"
#include "net/request_plan.h"
#include "net/response_charset.h"
#include "net/tls_trust.h"
#include "text/codepage.h"
#include "text/search.h"

namespace jixia {

namespace web_request_status {
namespace {
// The message table, GBK; built once from readable UTF-8 source text.
const Text& Message(int number) {
  static const std::vector<Text> table = [] {
    struct Row {
      int number;
      const char* utf8;
    };
    constexpr Row kRows[] = {
        {700, "700 当前系统不支持WinHttp服务!"},
        {701, "701 解析URL地址失败!"},
        {702, "702 创建WinHttp会话失败!"},
        {703, "703 创建WinHttp连接失败!"},
        {704, "704 创建WinHttp请求失败!"},
        {705, "705 设置超时时间失败!"},
        {707, "707 设置代理凭证失败!"},
        {708, "708 禁止自动设置Cookies失败!"},
        {709, "709 重定向设置失败!"},
        {710, "710 设置协议头失败!"},
        {711, "711 发送请求失败!"},
        {712, "712 服务器未响应!"},
        {713, "713 读取数据失败!"},
    };
    std::vector<Text> texts(14);
    for (const Row& row : kRows) texts[row.number - 700] = Utf8ToGbk(row.utf8);
    return texts;
  }();
  return table[number - 700];
}
}  // namespace

const char* const k700NoPlatform = Message(700).c_str();
const char* const k701BadUrl = Message(701).c_str();
const char* const k702Session = Message(702).c_str();
const char* const k703Connect = Message(703).c_str();
const char* const k704Request = Message(704).c_str();
const char* const k705Timeouts = Message(705).c_str();
const char* const k707Credentials = Message(707).c_str();
const char* const k708Cookies = Message(708).c_str();
const char* const k709Redirects = Message(709).c_str();
const char* const k710Headers = Message(710).c_str();
const char* const k711Send = Message(711).c_str();
const char* const k712NoResponse = Message(712).c_str();
const char* const k713Read = Message(713).c_str();
}  // namespace web_request_status

namespace {

namespace status = web_request_status;
using net_internal::TransferStage;

// Writes `message` to the caller's status and returns the empty text. The
// give-ups after the credential, cookie and redirect switches return at once;
// every other one lets pending events run on its way out.
Text GiveUp(const WebRequestOptions& options, const char* message, bool processEvents = true) {
  if (options.status != nullptr) *options.status = message;
  if (processEvents) ProcessPendingEvents();
  return Text();
}

bool Ok(CURLcode code) {
  return code == CURLE_OK;
}

// The status text: the first line of the header block from byte 10 on.
Text StatusText(const Text& headerBlock) {
  if (headerBlock.size() < 10) return Text();
  const size_t end = headerBlock.find("\r\n", 9);
  if (end == std::string::npos) return Text();
  return headerBlock.substr(9, end - 9);
}

}  // namespace

Text WebRequest(const Text& url, const WebRequestOptions& options) {
  net_internal::WebRequestPlan plan;
  if (!net_internal::PlanWebRequest(url, options, &plan))
    return GiveUp(options, status::k701BadUrl);

  net_internal::CurlEasy easy = net_internal::NewCurlEasy();
  if (!easy) return GiveUp(options, status::k702Session);
  CURL* e = easy.get();
  const std::string caFile = ExtraCaFile();
  if (!net_internal::SetCommonOptions(e, options.proxy, caFile)) {
    return GiveUp(options, status::k702Session);
  }
  if (!Ok(curl_easy_setopt(e, CURLOPT_URL, plan.curlUrl.c_str()))) {
    return GiveUp(options, status::k703Connect);
  }

  // The verb, and the body as its bytes with every verb but HEAD.
  bool verbOk = true;
  if (plan.verb == "HEAD") {
    verbOk = Ok(curl_easy_setopt(e, CURLOPT_NOBODY, 1L));
  } else if (plan.verb == "GET" && options.body.empty()) {
    verbOk = Ok(curl_easy_setopt(e, CURLOPT_HTTPGET, 1L));
  } else {
    verbOk = Ok(curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE,
                                 static_cast<curl_off_t>(options.body.size()))) &&
             Ok(curl_easy_setopt(e, CURLOPT_POSTFIELDS, options.body.data()));
    if (plan.verb != "POST") {
      verbOk = verbOk && Ok(curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, plan.verb.c_str()));
    }
  }
  if (!verbOk) return GiveUp(options, status::k704Request);

  net_internal::TransferLimits limits;
  limits.connectTimeoutMs = plan.timeoutMs;
  limits.idleTimeoutMs = plan.timeoutMs;
  limits.maxBodyBytes = kMaxResponseBodyBytes;
  limits.followRedirects = plan.followRedirects;

  if (plan.serverCredentials &&
      !(Ok(curl_easy_setopt(e, CURLOPT_HTTPAUTH, CURLAUTH_BASIC)) &&
        Ok(curl_easy_setopt(e, CURLOPT_USERNAME, options.userName.c_str())) &&
        Ok(curl_easy_setopt(e, CURLOPT_PASSWORD, options.password.c_str())))) {
    return GiveUp(options, status::k707Credentials, false);
  }
  if (plan.proxyCredentials &&
      !(Ok(curl_easy_setopt(e, CURLOPT_PROXYAUTH, CURLAUTH_BASIC)) &&
        Ok(curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, options.proxyUser.c_str())) &&
        Ok(curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, options.proxyPassword.c_str())))) {
    return GiveUp(options, status::k707Credentials, false);
  }
  // Given cookies: libcurl's in-memory cookie engine for this one request, so
  // cookies a redirect response sets travel on the redirected request.
  if (plan.cookieEngine && !Ok(curl_easy_setopt(e, CURLOPT_COOKIEFILE, ""))) {
    return GiveUp(options, status::k708Cookies, false);
  }

  std::vector<std::string> lines;
  if (!net_internal::HeaderLinesForCurl(plan.headerText, true, &lines)) {
    return GiveUp(options, status::k710Headers);
  }
  net_internal::CurlSlist headerList = net_internal::MakeHeaderList(lines);
  net_internal::CurlSlist proxyHeaderList = net_internal::MakeHeaderList({"Proxy-Connection:"});
  if (!headerList || !proxyHeaderList ||
      !Ok(curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get())) ||
      !Ok(curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxyHeaderList.get()))) {
    return GiveUp(options, status::k710Headers);
  }

  net_internal::TransferResult response = net_internal::RunTransfer(e, limits);
  switch (response.stage) {
    case TransferStage::kBadUrl:
      return GiveUp(options, status::k701BadUrl);
    case TransferStage::kNotSent:
      return GiveUp(options, status::k711Send);
    case TransferStage::kNoResponse:
      return GiveUp(options, status::k712NoResponse);
    case TransferStage::kBody:
      // Keeps the bytes read so far; the status text below replaces it.
      if (options.status != nullptr) *options.status = status::k713Read;
      break;
    case TransferStage::kDone:
      break;
  }
  if (!response.haveHeaderBlock) {
    ProcessPendingEvents();
    return Text();
  }

  if (options.status != nullptr) *options.status = StatusText(response.headerBlock);
  const Text headers = ReplaceAllText(response.headerBlock, "Set-Cookie", "Set-Cookie", true);
  if (options.responseHeaders != nullptr) *options.responseHeaders = headers;

  const Text received = CollectCookies(headers);
  if (options.responseCookies != nullptr) *options.responseCookies = received;
  for (const Text& line : SplitText(headers, "\r\n")) {
    if (options.location != nullptr && line.size() >= 10 &&
        AsciiLower(line.substr(0, 10)) == "location: ") {
      *options.location = line.substr(10);
    }
    ProcessPendingEvents();
  }

  // The merge reads the caller's cookie text as it stands now: a handler run
  // at an event point above may have rewritten it.
  if (options.mergeCookies && options.cookies != nullptr) {
    Text incoming = received;
    const Text merged = CookieMerge(*options.cookies, incoming);
    if (options.responseCookies != nullptr) *options.responseCookies = merged;
  }

  if (options.responseBytes != nullptr) *options.responseBytes = response.body;
  Text result = response.body.substr(0, response.body.find('\0'));
  if (net_internal::DecodeDeclaredCharset(response.body, &result)) ProcessPendingEvents();
  ProcessPendingEvents();
  ProcessPendingEvents();
  return result;
}

}  // namespace jixia
