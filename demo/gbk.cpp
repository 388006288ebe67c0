#include "demo/gbk.h"

#include <iconv.h>

#include <cerrno>

namespace jixia::demo {
namespace {

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Converts `in` from `from` to `to`. Where iconv stops on a sequence it
// cannot convert (invalid, cut off, or without a counterpart), appends
// `replacement` and skips that sequence: one byte for GBK input, the whole
// character for UTF-8 input.
std::string Convert(std::string_view in, const char* from, const char* to,
                    std::string_view replacement, bool utf8Input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2);
  char buffer[4096];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out += replacement;
      size_t skip = utf8Input ? Utf8SequenceLength(static_cast<unsigned char>(*src)) : 1;
      if (skip > srcLeft) skip = srcLeft;
      src += skip;
      srcLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  return Convert(utf8, "UTF-8", "CP936", "?", true);
}

std::string GbkToUtf8(std::string_view gbk) {
  return Convert(gbk, "CP936", "UTF-8", "\xEF\xBF\xBD", false);
}

}  // namespace jixia::demo
