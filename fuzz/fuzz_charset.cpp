// The code page conversions and WebRequest's charset step over a random
// declared charset and body: every conversion returns a complete text, GBK to UTF-8
// gives valid UTF-8, and valid GBK survives the trip through UTF-8.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "net/response_charset.h"
#include "text/codepage.h"

namespace {

bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using jixia::fuzz::Check;
  jixia::fuzz::FuzzInput in(data, size);
  std::string charset = in.Text();
  std::string body = in.Rest();

  std::string utf8 = jixia::GbkToUtf8(body);
  Check(IsValidUtf8(utf8), "GbkToUtf8 gave invalid UTF-8");
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos && body.find('\0') == std::string::npos)
    Check(jixia::Utf8ToGbk(utf8) == body, "valid GBK did not survive the trip through UTF-8");
  jixia::Utf8ToGbk(body);
  jixia::Utf16ToGbk(jixia::GbkToUtf16(body));
  jixia::Utf16ToGbk(body);

  std::string decoded = "untouched";
  if (!jixia::DecodeCharsetToGbk(body, charset, &decoded))
    Check(decoded == "untouched", "DecodeCharsetToGbk wrote its result on failure");

  // WebRequest's own step: the declaration is looked for in the body text.
  std::string text = body.substr(0, body.find('\0'));
  jixia::net_internal::DecodeDeclaredCharset(body, &text);
  Check(text.find('\0') == std::string::npos, "charset step left a NUL in the text");
  return 0;
}
