// Cookie texts: name=value items joined by "; " (GBK), with no expiry, domain
// or path. All comparisons are byte-exact.
#pragma once

#include "text/text.h"

namespace jixia {

// The cookie text one response sets: the values of all lines of `headerBlock`
// (raw header block, lines separated by CR LF) that contain "Set-Cookie" in
// any letter case, each cut at its first ";", trimmed, joined by "; ".
// Empty when there is none.
Text CollectCookies(const Text& headerBlock);

// Merges `incoming` (cookies just received) into `cookies` (cookies sent):
// received items first, then sent items whose names were not received;
// items ending in "=deleted" and repeated items dropped. Both arguments are
// rewritten: `incoming` loses its blanks, `cookies` receives the result,
// which is also returned.
Text CookieMerge(Text& cookies, Text& incoming);

}  // namespace jixia
