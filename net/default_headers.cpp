#include "net/default_headers.h"

#include "text/search.h"

namespace jixia::net_internal {
namespace {

struct DefaultLine {
  const char* key;
  bool ignoreCase;
  const char* line;
};

// WebRequest: search key, whether its letter case is ignored, line appended.
// clang-format off
constexpr DefaultLine kWebRequestDefaults[] = {
    {"User-Agent: ",      true,  "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)"},
    {"Accept: ",          true,  "Accept: text/html, application/xhtml+xml, */*"},
    {"Accept-Encoding: ", true,  "Accept-Encoding: gbk, GB2312"},
    {"Accept-Language: ", true,  "Accept-Language: zh-cn"},
    {"Content-Type:",     false, "Content-Type: application/x-www-form-urlencoded"},
    {"Cache-Control: ",   true,  "Cache-Control: no-cache"},
};

// SimpleFetch: search key (letter case counts), line added; the Referer line
// gets the URL appended.
constexpr DefaultLine kSimpleFetchDefaults[] = {
    {"Accept:",          false, "Accept: */*"},
    {"Referer:",         false, "Referer: "},
    {"Accept-Language:", false, "Accept-Language: zh-cn"},
    {"Content-Type:",    false, "Content-Type: application/x-www-form-urlencoded"},
};
// clang-format on

// Headers libcurl would add on its own; a value-less line keeps it out.
constexpr const char* kSuppressedCurlHeaders[] = {"Expect", "Accept", "Proxy-Connection"};

std::string HeaderName(const std::string& line) {
  return AsciiLower(TrimBlanks(line.substr(0, line.find(':'))));
}

}  // namespace

Text ComposeWebRequestHeaders(const Text& extraHeaders, const Text& cookies) {
  Text text = extraHeaders.empty() ? Text() : extraHeaders + "\r\n";
  for (const DefaultLine& row : kWebRequestDefaults) {
    if (!ContainsText(text, row.key, row.ignoreCase)) text += std::string(row.line) + "\r\n";
  }
  if (!cookies.empty() && !ContainsText(text, "Cookie: ", true)) {
    text += "Cookie: " + cookies + "\r\n";
  }
  return text;
}

Text ComposeSimpleFetchHeaders(const Text& extraHeaders, const Text& url, const Text& cookies) {
  Text text = extraHeaders;
  for (const DefaultLine& row : kSimpleFetchDefaults) {
    if (ContainsText(text, row.key)) continue;
    std::string line = row.line;
    if (line == "Referer: ") line += url;
    text += text.empty() ? line : "\r\n" + line;
  }
  if (!cookies.empty()) {
    text += ContainsText(cookies, "Cookie:") ? "\r\n" + cookies : "\r\nCookie: " + cookies;
  }
  return text;
}

bool HeaderLinesForCurl(const Text& headerText, bool replaceSameName,
                        std::vector<std::string>* lines) {
  std::vector<std::string> out;
  for (const Text& piece : SplitText(headerText, "\r\n")) {
    if (piece.empty()) continue;
    if (piece.find(':') == std::string::npos) return false;
    bool replaced = false;
    if (replaceSameName) {
      for (std::string& earlier : out) {
        if (HeaderName(earlier) == HeaderName(piece)) {
          earlier = piece;
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out.push_back(piece);
  }
  std::vector<std::string> suppress;
  for (const char* name : kSuppressedCurlHeaders) {
    bool given = false;
    for (const std::string& line : out) given = given || HeaderName(line) == AsciiLower(name);
    if (!given) suppress.push_back(std::string(name) + ":");
  }
  for (std::string& line : out) {
    // libcurl drops "Name:" lines; "Name;" sends the header with an empty value.
    if (TrimBlanks(line.substr(line.find(':') + 1)).empty()) {
      line = line.substr(0, line.find(':')) + ";";
    }
  }
  out.insert(out.end(), suppress.begin(), suppress.end());
  *lines = std::move(out);
  return true;
}

}  // namespace jixia::net_internal
