#include "demo/page_text.h"

#include "demo/gbk.h"
#include "demo/post_records.h"

namespace jixia::demo {

std::string Fill(std::string_view pattern, std::initializer_list<Slot> values) {
  std::string out;
  out.reserve(pattern.size() + 64);
  size_t at = 0;
  while (at < pattern.size()) {
    const size_t open = pattern.find('{', at);
    if (open == std::string_view::npos) break;
    const size_t close = pattern.find('}', open);
    if (close == std::string_view::npos) break;
    const std::string_view name = pattern.substr(open + 1, close - open - 1);
    const Slot* slot = nullptr;
    for (const Slot& candidate : values) {
      if (candidate.name == name) slot = &candidate;
    }
    out += pattern.substr(at, open - at);
    if (slot) {
      out += slot->value;
      at = close + 1;
    } else {
      out += '{';
      at = open + 1;
    }
  }
  out += pattern.substr(at);
  return out;
}

std::string HtmlEscape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void SendPage(httplib::Response& response, const std::string& utf8, PageCharset charset,
              int status) {
  response.status = status;
  const std::string type = std::string("text/html; charset=") + charset.metaName;
  response.set_content(charset.utf8 ? utf8 : Utf8ToGbk(utf8), type.c_str());
}

std::string SiteRoot(const httplib::Request& request, bool tls, std::string_view fallbackHost) {
  std::string host = request.get_header_value("Host");
  // Only host[:port] characters, so that a strange Host line cannot put
  // markup into the pages.
  for (char c : host) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                    c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
    if (!ok) {
      host.clear();
      break;
    }
  }
  if (host.empty()) host = fallbackHost;
  return (tls ? "https://" : "http://") + host;
}

int IdNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

int PageNumber(std::string_view text) {
  if (text.size() > 1 && text[0] == '0') return 0;
  const int page = IdNumber(text);
  return page <= kPagesPerBoard ? page : 0;
}

void SendNotFound(httplib::Response& response, PageCharset charset) {
  PageText page(kCrLf);
  page.Line("<!DOCTYPE html>")
      .Line(std::string("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                        "charset=") +
            charset.metaName + "\" /><title>404</title></head>")
      .Line("<body><h1>404</h1><p>您访问的页面不存在。</p></body></html>");
  SendPage(response, page.Utf8(), charset, 404);
}

}  // namespace jixia::demo
