// The demo sites' own GBK encoder and decoder (glibc iconv, code page 936).
// The replica keeps its own converter so that a fault in the program's
// conversions cannot hide behind the same fault on the serving side.
#pragma once

#include <string>
#include <string_view>

namespace jixia::demo {

// UTF-8 -> GBK. A character GBK cannot hold, and each byte of invalid UTF-8,
// becomes "?".
std::string Utf8ToGbk(std::string_view utf8);

// GBK -> UTF-8. Each byte that does not start a valid GBK sequence becomes
// U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace jixia::demo
