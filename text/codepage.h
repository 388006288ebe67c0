// Conversions between GBK and Unicode. The one place that knows the platform's
// converter (glibc iconv here); every conversion in the program goes through it.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace jixia {

// GBK -> UTF-8. Never fails: each byte that does not start a valid GBK
// sequence (including a lead byte cut off at the end) becomes U+FFFD and the
// conversion goes on with the next byte.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 -> GBK. Never fails: a character GBK cannot hold becomes "?", and so
// does each byte of invalid UTF-8.
Text Utf8ToGbk(std::string_view utf8);

// GBK -> UTF-16LE bytes, the whole text plus a two-byte terminator unless
// dropTerminator is true. The empty text gives empty Bytes (no terminator).
// Bad bytes map as in GbkToUtf8.
Bytes GbkToUtf16(std::string_view gbk, bool dropTerminator = false);

// UTF-16LE bytes -> GBK, taken up to the first NUL character. Unpaired
// surrogates and characters GBK cannot hold become "?".
Text Utf16ToGbk(std::string_view utf16le);

// Decodes bytes declared in `charset` (an iconv name such as "utf-8" or
// "big5", any letter case; "gb2312" and "gbk" are read as code page 936) into
// GBK. Returns false and leaves *out untouched when the converter does not
// know the name. Bad input bytes become U+FFFD before re-encoding, so the
// result is always complete.
bool DecodeCharsetToGbk(std::string_view bytes, std::string_view charset, Text* out);

}  // namespace jixia
