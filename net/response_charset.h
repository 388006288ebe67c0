// The charset step of WebRequest: a page that declares a charset other than
// GBK in a meta tag within its first 1024 bytes is decoded to GBK (internal
// to net).
#pragma once

#include "text/text.h"

namespace jixia::net_internal {

// Looks for "<meta.+?charset=[^\w]?([-\w]+)" (letter case ignored) in the
// first 1024 bytes of *text (the body up to its first NUL). When the declared
// name is neither "gbk" nor "gb2312" exactly, *text becomes `body` decoded
// from that charset to GBK, up to its first NUL; a name the converter does
// not know leaves *text as it is. Returns whether the pattern matched.
bool DecodeDeclaredCharset(const Bytes& body, Text* text);

}  // namespace jixia::net_internal
