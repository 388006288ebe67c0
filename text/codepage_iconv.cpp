// Code-page conversions on glibc iconv. iconv stops at the first bad sequence,
// so every conversion runs an explicit loop that writes a replacement for the
// bad bytes and carries on with the rest.
#include <errno.h>
#include <iconv.h>

#include <cctype>
#include <functional>
#include <string>
#include <string_view>

#include "text/codepage.h"

namespace jixia {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
constexpr const char* kGbkName = "CP936";

// One iconv descriptor, closed on destruction.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in` whole. At a bad or cut-off sequence `onBad` appends its
  // replacement to the output and returns how many input bytes to skip (at
  // least one), so the conversion always reaches the end of the input.
  std::string Run(std::string_view in,
                  const std::function<size_t(std::string_view rest, std::string& out)>& onBad) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    char buffer[8192];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
      if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
      size_t skip = onBad(std::string_view(inPtr, inLeft), out);
      if (skip < 1) skip = 1;
      if (skip > inLeft) skip = inLeft;
      inPtr += skip;
      inLeft -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the valid UTF-8 sequence at the start of `s` (shortest form, no
// surrogates, at most U+10FFFF), or 0 when it does not start one.
size_t Utf8SequenceLength(std::string_view s) {
  if (s.empty()) return 0;
  const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  size_t n;
  unsigned cp;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
  if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
  return n;
}

// Decoding: one U+FFFD per byte that does not start a valid sequence.
size_t ReplaceOneByte(std::string_view, std::string& out) {
  out.append(kReplacementUtf8);
  return 1;
}

// Encoding from UTF-8: one "?" per character the target cannot hold, and one
// per byte of invalid UTF-8.
size_t QuestionMarkPerCharacter(std::string_view rest, std::string& out) {
  out.push_back('?');
  const size_t n = Utf8SequenceLength(rest);
  return n == 0 ? 1 : n;
}

Converter& GbkToUtf8Converter() {
  thread_local Converter converter("UTF-8", kGbkName);
  return converter;
}

Converter& Utf8ToGbkConverter() {
  thread_local Converter converter(kGbkName, "UTF-8");
  return converter;
}

void AppendUtf16(unsigned cp, Bytes& out) {
  const auto unit = [&](unsigned u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    unit(0xD800 | (cp >> 10));
    unit(0xDC00 | (cp & 0x3FF));
  } else {
    unit(cp);
  }
}

void AppendUtf8(unsigned cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The iconv name for a declared charset: the page names gb2312 and gbk stand
// for code page 936 (the strict GB2312 converter rejects GBK-only characters).
// Empty for names that could smuggle iconv suffixes such as "//IGNORE".
std::string IconvCharsetName(std::string_view charset) {
  const auto sameName = [&](std::string_view alias) {
    if (charset.size() != alias.size()) return false;
    for (size_t i = 0; i < alias.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(charset[i])) != alias[i]) return false;
    }
    return true;
  };
  if (sameName("gbk") || sameName("gb2312")) return kGbkName;
  for (char c : charset) {
    if (c == '/' || c == ',' || static_cast<unsigned char>(c) <= 0x20) return {};
  }
  return std::string(charset);  // glibc compares names without regard to case
}

}  // namespace

// ASCII bytes are the same in both encodings and never lead a GBK character,
// so runs of them are copied as they are and only the stretches in between go
// through the converter. Each stretch ends with the ASCII byte after it (a
// trail byte or a character of its own), so the converter always stops at a
// character boundary and the result equals converting the whole text at once.
std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);
  const auto ascii = [&](size_t i) { return static_cast<unsigned char>(gbk[i]) < 0x80; };
  size_t i = 0;
  while (i < gbk.size()) {
    const size_t runStart = i;
    while (i < gbk.size() && ascii(i)) ++i;
    out.append(gbk.substr(runStart, i - runStart));
    if (i == gbk.size()) break;
    const size_t stretchStart = i;
    ++i;
    while (i < gbk.size() && !ascii(i)) ++i;
    if (i < gbk.size()) ++i;
    out.append(
        GbkToUtf8Converter().Run(gbk.substr(stretchStart, i - stretchStart), ReplaceOneByte));
  }
  return out;
}

Text Utf8ToGbk(std::string_view utf8) {
  return Utf8ToGbkConverter().Run(utf8, QuestionMarkPerCharacter);
}

Bytes GbkToUtf16(std::string_view gbk, bool dropTerminator) {
  Bytes out;
  if (gbk.empty()) return out;
  const std::string utf8 = GbkToUtf8(gbk);
  out.reserve(utf8.size() * 2 + 2);
  std::string_view rest = utf8;
  while (!rest.empty()) {
    const size_t n = Utf8SequenceLength(rest);
    const auto b = [&](size_t i) { return static_cast<unsigned char>(rest[i]) & 0x3Fu; };
    const unsigned lead = static_cast<unsigned char>(rest[0]);
    unsigned cp;
    switch (n) {
      case 1:
        cp = lead;
        break;
      case 2:
        cp = ((lead & 0x1F) << 6) | b(1);
        break;
      case 3:
        cp = ((lead & 0x0F) << 12) | (b(1) << 6) | b(2);
        break;
      case 4:
        cp = ((lead & 0x07) << 18) | (b(1) << 12) | (b(2) << 6) | b(3);
        break;
      default:  // iconv writes valid UTF-8; kept for safety
        cp = 0xFFFD;
        break;
    }
    AppendUtf16(cp, out);
    rest.remove_prefix(n == 0 ? 1 : n);
  }
  if (!dropTerminator) out.append(2, '\0');
  return out;
}

Text Utf16ToGbk(std::string_view utf16le) {
  std::string utf8;
  utf8.reserve(utf16le.size());
  const size_t units = utf16le.size() / 2;
  const auto unit = [&](size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(utf16le[2 * i])) |
           (static_cast<unsigned>(static_cast<unsigned char>(utf16le[2 * i + 1])) << 8);
  };
  for (size_t i = 0; i < units; ++i) {
    const unsigned u = unit(i);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00), utf8);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      utf8.push_back('?');  // unpaired surrogate
    } else {
      AppendUtf8(u, utf8);
    }
  }
  return Utf8ToGbk(utf8);
}

bool DecodeCharsetToGbk(std::string_view bytes, std::string_view charset, Text* out) {
  const std::string name = IconvCharsetName(charset);
  if (name.empty()) return false;
  Converter converter("UTF-8", name.c_str());
  if (!converter.ok()) return false;
  *out = Utf8ToGbk(converter.Run(bytes, ReplaceOneByte));
  return true;
}

}  // namespace jixia
