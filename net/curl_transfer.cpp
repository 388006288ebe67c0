#include "net/curl_transfer.h"

#include <chrono>
#include <cstdlib>

namespace jixia::net_internal {
namespace {

using Clock = std::chrono::steady_clock;

// What the callbacks observe during one transfer. "Hop" state belongs to the
// request/response exchange in progress; a followed redirect starts a new hop.
struct Progress {
  const TransferLimits* limits = nullptr;
  Clock::time_point lastActivity = Clock::now();
  std::string block;    // header block being received
  int blockStatus = 0;  // status code of that block
  bool blockHasLocation = false;
  bool haveBlock = false;  // a block was started at all
  bool hopSent = false;    // request header of this hop went out
  bool hopHeaderStarted = false;
  bool hopHeaderComplete = false;
  bool bodyCapped = false;
  Bytes body;
};

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    char a = text[i], b = prefix[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* p = static_cast<Progress*>(user);
  const size_t n = size * count;
  std::string line(data, n);
  p->lastActivity = Clock::now();
  if (line.rfind("HTTP/", 0) == 0) {
    // Every response (redirect hop, 100 Continue, final) starts afresh.
    p->block.clear();
    p->haveBlock = true;
    p->blockHasLocation = false;
    p->hopHeaderStarted = true;
    p->hopHeaderComplete = false;
    const size_t blank = line.find(' ');
    p->blockStatus = blank == std::string::npos ? 0 : std::atoi(line.c_str() + blank + 1);
  }
  p->block += line;
  if (StartsWithNoCase(line, "location:")) p->blockHasLocation = true;
  if (line == "\r\n" || line == "\n") {
    if (p->blockStatus >= 100 && p->blockStatus < 200) return n;  // interim response
    p->hopHeaderComplete = true;
    if (p->limits->followRedirects && p->blockHasLocation && p->blockStatus >= 300 &&
        p->blockStatus < 400 && p->blockStatus != 304) {
      // libcurl goes on with the next hop.
      p->hopSent = p->hopHeaderStarted = p->hopHeaderComplete = false;
    }
  }
  return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* p = static_cast<Progress*>(user);
  const size_t n = size * count;
  p->lastActivity = Clock::now();
  const long long cap = p->limits->maxBodyBytes;
  if (cap > 0 && static_cast<long long>(p->body.size() + n) > cap) {
    p->body.append(data, static_cast<size_t>(cap - static_cast<long long>(p->body.size())));
    p->bodyCapped = true;
    return 0;  // stops the transfer as a failed read
  }
  p->body.append(data, n);
  return n;
}

// Every byte going in or out (TLS included) and every connection event
// counts as activity; a request header other than a proxy CONNECT marks the
// hop as sent.
int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  auto* p = static_cast<Progress*>(user);
  p->lastActivity = Clock::now();
  if (type == CURLINFO_HEADER_OUT && std::string(data, size).rfind("CONNECT ", 0) != 0) {
    p->hopSent = true;
  }
  return 0;
}

TransferStage FailedStage(const Progress& p, CURLcode code) {
  if (code == CURLE_URL_MALFORMAT) return TransferStage::kBadUrl;
  if (p.bodyCapped || p.hopHeaderComplete) return TransferStage::kBody;
  // A redirect that cannot be followed happens after a complete response.
  if (code == CURLE_TOO_MANY_REDIRECTS || code == CURLE_UNSUPPORTED_PROTOCOL) {
    return p.haveBlock ? TransferStage::kNoResponse : TransferStage::kNotSent;
  }
  if (p.hopHeaderStarted) return TransferStage::kNoResponse;
  if (p.hopSent && code != CURLE_SEND_ERROR) return TransferStage::kNoResponse;
  return TransferStage::kNotSent;
}

}  // namespace

TransferResult RunTransfer(CURL* easy, const TransferLimits& limits) {
  Progress progress;
  progress.limits = &limits;
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &progress);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &progress);
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, OnDebug);
  curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &progress);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 0L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, limits.followRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);

  TransferResult result;
  CURLM* multi = curl_multi_init();
  if (multi == nullptr || curl_multi_add_handle(multi, easy) != CURLM_OK) {
    if (multi != nullptr) curl_multi_cleanup(multi);
    result.stage = TransferStage::kNotSent;
    return result;
  }

  CURLcode code = CURLE_OK;
  bool finished = false;
  bool idle = false;
  progress.lastActivity = Clock::now();
  while (!finished) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE) {
        code = message->data.result;
        finished = true;
      }
    }
    if (finished) break;
    const auto silent =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - progress.lastActivity);
    if (silent.count() > limits.idleTimeoutMs) {
      idle = true;
      code = CURLE_OPERATION_TIMEDOUT;
      break;
    }
    curl_multi_poll(multi, nullptr, 0, 20, nullptr);
  }
  // The progress record dies with this call: no callback may reach it later.
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 0L);
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, nullptr);
  curl_multi_remove_handle(multi, easy);
  curl_multi_cleanup(multi);

  result.stage = (code == CURLE_OK && !idle) ? TransferStage::kDone : FailedStage(progress, code);
  result.haveHeaderBlock = progress.haveBlock;
  result.headerBlock = std::move(progress.block);
  result.body = std::move(progress.body);
  return result;
}

}  // namespace jixia::net_internal
