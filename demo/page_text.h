// Building and sending the replica's pages: line ends, charsets, escaping,
// the host a page's own addresses name, and page numbers read from a request.
#pragma once

#include <httplib.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace jixia::demo {

// How a site encodes its pages and names the encoding.
struct PageCharset {
  const char* metaName;  // the name the page's meta tag declares ("gbk", "UTF-8" ...)
  bool utf8;             // bytes are UTF-8 (otherwise GBK)
};
inline constexpr PageCharset kGbkPage{"gbk", false};
inline constexpr PageCharset kGb2312Page{"gb2312", false};
inline constexpr PageCharset kUpperGb2312Page{"GB2312", false};
inline constexpr PageCharset kUtf8Page{"utf-8", true};

// A page as UTF-8 text, one line at a time, each line ended the site's way.
class PageText {
 public:
  explicit PageText(std::string_view lineEnd) : lineEnd_(lineEnd) {}

  PageText& Line(std::string_view text) {
    text_ += text;
    text_ += lineEnd_;
    return *this;
  }
  const std::string& Utf8() const { return text_; }

 private:
  std::string lineEnd_;
  std::string text_;
};

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kLf = "\n";

// `pattern` with every "{name}" of `values` replaced by its value; braces
// around other text (scripts, styles) stay as they are.
struct Slot {
  std::string_view name;
  std::string value;
};
std::string Fill(std::string_view pattern, std::initializer_list<Slot> values);

// `utf8` with & < > " ' written as character references.
std::string HtmlEscape(std::string_view utf8);

// Sends `utf8` as an HTML page in `charset` (converted to GBK when the site
// uses GBK), with the matching Content-Type header.
void SendPage(httplib::Response& response, const std::string& utf8, PageCharset charset,
              int status = 200);

// The scheme and host:port under which the request reached this site
// ("https://127.0.0.1:18401"), taken from its Host line; `fallbackHost`
// when the request has none.
std::string SiteRoot(const httplib::Request& request, bool tls, std::string_view fallbackHost);

// A page number from 1 to kPagesPerBoard spelled in decimal, or 0.
int PageNumber(std::string_view text);

// A positive decimal id, or 0.
int IdNumber(std::string_view text);

// A plain "not found" page in the site's charset.
void SendNotFound(httplib::Response& response, PageCharset charset);

}  // namespace jixia::demo
