// WebRequest: one complete HTTP or HTTPS request, returning the body as GBK
// text. It adds the default request headers the caller did not give, sends
// and collects cookies, reports the status text or a numbered failure message
// and decodes the body from a charset declared in a meta tag. Synchronous; it
// lets the window process pending events only at its event points (see
// net/event_hook.h).
#pragma once

#include "text/text.h"

namespace jixia {

// The arguments after `url`, in their order, with their defaults. Pointers are
// the caller's variables passed by reference (null: not given / discarded),
// written only at the steps that produce them. Callers give only the leading
// fields they need, e.g. WebRequest(url, {.method = 1, .body = form}).
struct WebRequestOptions {
  // "{}" on the Text fields keeps designated initialisers that leave them out
  // free of missing-initialiser warnings.
  int method = 0;                    // 0 GET, 1 POST, 2 HEAD, 3 PUT; others GET
  Text body{};                       // sent as its bytes
  Text* cookies = nullptr;           // in/out; non-null = given (even empty)
  Text* responseCookies = nullptr;   // out: cookies set by the response (merged)
  Text extraHeaders{};               // caller's lines, CR LF separated, no final CR LF
  Text* responseHeaders = nullptr;   // out: raw header block of the final response
  bool noRedirect = false;           // true: the redirect response itself comes back
  Text userName{};                   // server Basic credentials, both or none
  Text password{};
  Text proxy{};                      // host:port, empty for a direct connection
  Text proxyUser{};                  // proxy Basic credentials, both or none
  Text proxyPassword{};
  int timeoutSeconds = 0;            // per stage; 0 or less means 30 s
  Text* location = nullptr;          // out: last "Location: " value
  Text* status = nullptr;            // out: "200 OK" or a numbered message 700-713
  Bytes* responseBytes = nullptr;    // out: every byte of the body
  bool mergeCookies = true;          // merge sent and received cookies afterwards
};

// Numbered failure messages (GBK) written to `status`.
namespace web_request_status {
extern const char* const k700NoPlatform;
extern const char* const k701BadUrl;
extern const char* const k702Session;
extern const char* const k703Connect;
extern const char* const k704Request;
extern const char* const k705Timeouts;
extern const char* const k707Credentials;
extern const char* const k708Cookies;
extern const char* const k709Redirects;
extern const char* const k710Headers;
extern const char* const k711Send;
extern const char* const k712NoResponse;
extern const char* const k713Read;
}  // namespace web_request_status

// Body bytes cap: a longer body stops the read as a failed read (713),
// keeping what was read.
inline constexpr long long kMaxResponseBodyBytes = 64LL * 1024 * 1024;

// Performs the request. Returns the body as GBK text up to its first NUL
// (decoded from a declared non-GBK charset), or the empty text on every
// failure, with the reason in *status.
Text WebRequest(const Text& url, const WebRequestOptions& options = {});

}  // namespace jixia
