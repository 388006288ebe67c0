// Taking an absolute URL or a header line apart (GBK, 1-based byte positions).
// They never fail: odd input gives odd but defined output.
#pragma once

#include <optional>

#include "text/text.h"

namespace jixia {

// The part of `line` after its first ":", trimmed; empty without a ":".
Text HeaderValue(const Text& line);

// The host of `url` in lower case; a URL without a scheme is read as http.
// Without `levels`: the host between the scheme and the next "/", reduced to
// its last two labels when mainDomain. With `levels` n: the last n + 1
// (mainDomain) or n + 2 labels. The port is cut off unless keepPort.
Text UrlHost(const Text& url, bool mainDomain = false, bool keepPort = false,
             std::optional<int> levels = std::nullopt);

// The URL's port: the digits after the last ":" of the host (0 when none),
// else 443 for an https URL and 80 otherwise.
int UrlPort(const Text& url);

// Everything from the first "/" after the host, query included; "/" when none.
Text UrlPath(const Text& url);

}  // namespace jixia
