#include "net/response_charset.h"

#include "text/codepage.h"
#include "text/regex_matcher.h"

namespace jixia::net_internal {

bool DecodeDeclaredCharset(const Bytes& body, Text* text) {
  RegexMatcher matcher;
  if (!matcher.Create("<meta.+?charset=[^\\w]?([-\\w]+)", text->substr(0, 1024)) ||
      matcher.MatchCount() < 1) {
    return false;
  }
  const Text name = matcher.SubMatch(1, 1);
  if (name.empty() || name == "gbk" || name == "gb2312") return true;
  // Other letter cases of GBK and GB2312 are read as code page 936 by the
  // converter, so GBK-only characters in a page declared gb2312 survive.
  Text decoded;
  if (DecodeCharsetToGbk(body, name, &decoded)) *text = decoded.substr(0, decoded.find('\0'));
  return true;
}

}  // namespace jixia::net_internal
