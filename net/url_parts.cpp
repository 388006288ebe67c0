#include "net/url_parts.h"

#include <climits>
#include <vector>

#include "text/markers.h"
#include "text/search.h"

namespace jixia {
namespace {

// Position of the last "." before position p, or -1 when there is none or p
// is -1.
int LastDotBefore(const Text& text, int p) {
  if (p == -1) return -1;
  return FindTextBackward(text, ".", p);
}

// The text after 1-based position p.
Text After(const Text& text, int p) {
  return text.substr(static_cast<size_t>(p));
}

Text CutPort(const Text& host, bool keepPort) {
  if (keepPort || !ContainsText(host, ":")) return host;
  return TextBefore(host, ":");
}

}  // namespace

Text HeaderValue(const Text& line) {
  const int colon = FindText(line, ":");
  if (colon == -1) return Text();
  return TrimBlanks(std::string_view(line).substr(static_cast<size_t>(colon)));
}

Text UrlHost(const Text& url, bool mainDomain, bool keepPort, std::optional<int> levels) {
  Text u = AsciiLower(url);
  if (!levels) {
    if (u.empty() || u.back() != '/') u += '/';
    Text host;
    if (u.starts_with("https://")) {
      host = TextBetween(u, "https://", "/");
    } else {
      if (!ContainsText(u, "http://")) u = "http://" + u;
      host = TextBetween(u, "http://", "/");
    }
    if (mainDomain) {
      const std::vector<Text> labels = SplitText(host, ".");
      if (labels.size() >= 2) host = labels[labels.size() - 2] + "." + labels.back();
    }
    return CutPort(host, keepPort);
  }

  u = ReplaceAllText(ReplaceAllText(u, "http://", ""), "https://", "");
  if (ContainsText(u, "/")) u = TextBefore(u, "/");
  int g = static_cast<int>(u.size());
  for (int i = 0; i < *levels && g != -1; ++i) g = LastDotBefore(u, g);
  const int h = LastDotBefore(u, g);
  if (mainDomain) {
    if (h != -1) u = After(u, h);
  } else {
    const int h2 = LastDotBefore(u, h);
    if (h2 != -1) u = After(u, h2);
  }
  return CutPort(u, keepPort);
}

int UrlPort(const Text& url) {
  const Text hostAndPort = UrlHost(url, false, true);
  if (ContainsText(hostAndPort, ":")) {
    long long port = 0;
    for (char c : TextAfterLast(hostAndPort, ":")) {
      if (c < '0' || c > '9') break;
      port = port * 10 + (c - '0');
      if (port > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(port);
  }
  return AsciiLower(url.substr(0, 5)) == "https" ? 443 : 80;
}

Text UrlPath(const Text& url) {
  const Text host = UrlHost(url);
  const int a = FindText(url, host, 1, true);
  const int b = FindText(url, "/", a);
  if (b == -1) return "/";
  return url.substr(static_cast<size_t>(b - 1));
}

}  // namespace jixia
