#include "net/url_parts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace jixia {
namespace {

TEST(UrlParts, HostPortAndPath) {
  struct Case {
    std::string url, host;
    int port;
    std::string path;
  } const kCases[] = {
      {"HTTP://A.B.C:8080/x", "a.b.c", 8080, "/x"},
      {"https://a.b", "a.b", 443, "/"},
      {"a.b/x", "a.b", 80, "/x"},
      {"http://a.b?x=1", "a.b?x=1", 80, "/"},  // no "/": the query stays with the host
      {"", "", 80, "/"},
      {"http://a.b:abc/", "a.b", 0, "/"},
      {"HTTPS://Q.Example/A/B?c=D#e", "q.example", 443, "/A/B?c=D#e"},
      {"http://a.b:81/p/q", "a.b", 81, "/p/q"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(UrlHost(c.url), c.host);
    EXPECT_EQ(UrlPort(c.url), c.port);
    EXPECT_EQ(UrlPath(c.url), c.path);
  }
  EXPECT_EQ(UrlHost("http://a.b:81/", false, true), "a.b:81");
}

TEST(UrlHost, MainDomainAndLevels) {
  struct Case {
    std::string url;
    bool mainDomain;
    std::optional<int> levels;
    std::string host;
  } const kCases[] = {
      {"http://a.b.c.d/", true, std::nullopt, "c.d"},
      {"http://h/", true, std::nullopt, "h"},
      {"http://www.A.b.c:88/x", true, std::nullopt, "b.c"},
      {"a.b.c.d", true, 1, "c.d"},
      {"a.b.c.d", false, 1, "b.c.d"},
      {"a.b.c.d", true, 0, "d"},
      {"a.b.c.d", false, 2, "a.b.c.d"},  // too few labels: whole
      {"https://x.a.b.c.d:8080/p.q", false, 1, "b.c.d"},
      {"a.b.c.", true, 0, "c."},  // a dot at the last byte is no cut
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(UrlHost(c.url, c.mainDomain, false, c.levels), c.host);
  }
}

TEST(HeaderValue, TextAfterTheFirstColonTrimmed) {
  struct Case {
    std::string line, value;
  } const kCases[] = {
      {"User-Agent:  X/1 ", "X/1"},
      {"no colon", ""},
      {"a: b: c", "b: c"},
      {"Empty:", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(HeaderValue(c.line), c.value);
  }
}

}  // namespace
}  // namespace jixia
