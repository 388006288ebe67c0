// The default request header lines of the two request procedures and the
// header text they compose from the caller's lines (GBK, internal to net).
#pragma once

#include <string>
#include <vector>

#include "text/text.h"

namespace jixia::net_internal {

// WebRequest's header text: `extraHeaders` and CR LF when it is not empty,
// then each default line (User-Agent, Accept, Accept-Encoding,
// Accept-Language, Content-Type, Cache-Control, Cookie) followed by CR LF
// when its key is absent from the text built so far. The Cookie line carries
// `cookies` and is added only when it is not empty.
Text ComposeWebRequestHeaders(const Text& extraHeaders, const Text& cookies);

// SimpleFetch's header text, built onto `extraHeaders`: "Accept: */*",
// "Referer: " + url, "Accept-Language: zh-cn", the form Content-Type (each
// only when its key, letter case counting, is absent), then the Cookie line
// when `cookies` is not empty. No final CR LF.
Text ComposeSimpleFetchHeaders(const Text& extraHeaders, const Text& url, const Text& cookies);

// The lines of a header text as libcurl takes them. Empty pieces are skipped;
// with replaceSameName a later line replaces an earlier one with the same
// name (ignoring letter case) in its place. A line with an empty value is
// kept as such. Lines that stop libcurl from adding headers of its own
// (Expect, Accept, Proxy-Connection) are appended unless the caller set
// them. False, with *lines untouched, when a line has no ":".
bool HeaderLinesForCurl(const Text& headerText, bool replaceSameName,
                        std::vector<std::string>* lines);

}  // namespace jixia::net_internal
