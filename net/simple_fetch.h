// SimpleFetch: the short request procedure for raw bodies such as pictures.
// Smaller default headers, no failure messages, never processes events.
#pragma once

#include "text/text.h"

namespace jixia {

// The arguments after `url`, in their order. Pointers are the caller's
// variables (null: not given / discarded).
struct SimpleFetchOptions {
  // "{}" on the Text fields keeps designated initialisers that leave them out
  // free of missing-initialiser warnings.
  int method = 0;                    // 0 GET, 1 POST, 2 HEAD; others GET
  Text body{};                       // used when bodyBytes is empty and the verb is not GET
  Text* cookies = nullptr;           // in/out; non-null = given (even empty)
  Text* responseCookies = nullptr;   // out: cookies set by the response (merged)
  Text* extraHeaders = nullptr;      // in/out: caller's lines; receives the default lines
  Text* responseHeaders = nullptr;   // out: raw header block
  bool noRedirect = false;
  Bytes* bodyBytes = nullptr;        // in/out: body for POST and HEAD, filled from body
  Text proxy{};                      // host:port, empty for a direct connection
  bool mergeCookies = true;
};

// Performs the request and returns the body bytes; empty when the request
// could not be made, with no argument written then.
Bytes SimpleFetch(const Text& url, const SimpleFetchOptions& options = {});

}  // namespace jixia
