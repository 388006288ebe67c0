#include "net/cookies.h"

#include <gtest/gtest.h>

#include <string>

#include "text/codepage.h"

namespace jixia {
namespace {

TEST(CollectCookies, ValuesOfEverySetCookieLine) {
  struct Case {
    std::string block, cookies;
  } const kCases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=2\r\n\r\n", "a=1; b=2"},
      {"Set-Cookie: c=3", "c=3"},
      {"SET-COOKIE:   d=4 ;x", "d=4"},
      // Any line containing "Set-Cookie" counts, even when it is no Set-Cookie line.
      {"X-Set-Cookie-Info: y\r\nSet-Cookie: a=1", "X-Set-Cookie-Info: y; a=1"},
      {"Set-Cookie: a=1;\r\nSet-Cookie2: d=4; path=/\r\nSet-Cookie: b=2", "a=1; ; b=2"},
      {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
      {"", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(CollectCookies(c.block), c.cookies);
  }
  EXPECT_EQ(CollectCookies("Set-Cookie: n=" + Utf8ToGbk("中文") + "\xA1\xA1; path=/"),
            "n=" + Utf8ToGbk("中文"));
}

TEST(CookieMerge, ReceivedItemsFirstThenUnsetSentItems) {
  struct Case {
    std::string sent, received, merged;
  } const kCases[] = {
      {"a=1; b=2", "b=3", "b=3; a=1"},
      {"a=1; sid=x", "sid=deleted", "a=1"},  // hides the sent item, then dropped
      {"a=1", "a=1", "a=1"},
      {"a b=1", "", "ab=1"},
      {"a=1", "a=2; a=3", "a=2; a=3"},  // only sent items are tested by name
      {"", "", ""},
      {"", "=deleted; v=deleted; v=undeleted; w=1", "v=undeleted; w=1"},
      {"a=1; a=9; c", "c=2", "c=2; a=1"},  // first sent item of a name only; bare names count
      {"x=1; y=2", "y=2; x=1", "y=2; x=1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.sent + " + " + c.received);
    Text cookies = c.sent;
    Text incoming = c.received;
    EXPECT_EQ(CookieMerge(cookies, incoming), c.merged);
    EXPECT_EQ(cookies, c.merged);
  }
}

TEST(CookieMerge, RewritesBothTextsWithoutBlanks) {
  Text cookies =
      "a = 1;\xA1\xA1"
      "b=2";
  Text incoming = " c=3 ; d=4";
  EXPECT_EQ(CookieMerge(cookies, incoming), "c=3; d=4; a=1; b=2");
  EXPECT_EQ(incoming, "c=3;d=4");
  EXPECT_EQ(cookies, "c=3; d=4; a=1; b=2");
}

}  // namespace
}  // namespace jixia
