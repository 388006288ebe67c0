// What a WebRequest will do, worked out before it touches the network.
#include "net/request_plan.h"

#include <gtest/gtest.h>

namespace jixia::net_internal {
namespace {

TEST(RequestPlan, TimeoutZeroOrNegativeIsThirtySeconds) {
  struct Case {
    int seconds;
    long long ms;
  };
  constexpr Case kCases[] = {
      {0, 30000}, {-5, 30000}, {5, 5000}, {1, 1000}, {2147483647, 2147483647000LL}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.seconds);
    WebRequestPlan plan;
    ASSERT_TRUE(PlanWebRequest("http://h/", {.timeoutSeconds = c.seconds}, &plan));
    EXPECT_EQ(plan.timeoutMs, c.ms);
  }
}

TEST(RequestPlan, VerbOutsideTableIsGet) {
  struct Case {
    int method;
    const char* verb;
  };
  constexpr Case kCases[] = {{0, "GET"}, {1, "POST"}, {2, "HEAD"},
                             {3, "PUT"}, {7, "GET"},  {-1, "GET"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.method);
    WebRequestPlan plan;
    ASSERT_TRUE(PlanWebRequest("http://h/", {.method = c.method}, &plan));
    EXPECT_EQ(plan.verb, c.verb);
  }
}

TEST(RequestPlan, SplitsHttpAndHttpsUrls) {
  struct Case {
    const char* url;
    bool secure;
    const char* host;
    int port;
    const char* object;
  };
  constexpr Case kCases[] = {
      {"http://a.b/x?y=1", false, "a.b", 80, "/x?y=1"},
      {"HTTPS://a.b", true, "a.b", 443, "/"},
      {"http://a.b?x=1", false, "a.b", 80, "/"},  // a query without a path is dropped
      {"http://a.b:8080/p#frag", false, "a.b", 8080, "/p"},
      {"https://u:p@a.b:444/", true, "a.b", 444, "/"},
      {"http://a.b/a b", false, "a.b", 80, "/a%20b"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.url);
    WebRequestPlan plan;
    ASSERT_TRUE(SplitRequestUrl(c.url, &plan));
    EXPECT_EQ(plan.secure, c.secure);
    EXPECT_EQ(plan.host, c.host);
    EXPECT_EQ(plan.port, c.port);
    EXPECT_EQ(plan.objectName, c.object);
  }
}

TEST(RequestPlan, RejectsOtherSchemesAndUnsplittableUrls) {
  for (const char* url : {"ftp://a.b/", "a.b/x", "", "http://", "http:///x", "http://a.b:x/",
                          "http://a.b:70000/", "file:///etc/passwd"}) {
    SCOPED_TRACE(url);
    WebRequestPlan plan;
    EXPECT_FALSE(SplitRequestUrl(url, &plan));
  }
}

TEST(RequestPlan, SwitchesFollowTheArguments) {
  Text cookies;
  WebRequestPlan plan;
  ASSERT_TRUE(PlanWebRequest("http://h/",
                             {.cookies = &cookies,
                              .noRedirect = true,
                              .userName = "u",
                              .proxyUser = "pu",
                              .proxyPassword = "pp"},
                             &plan));
  EXPECT_TRUE(plan.cookieEngine);
  EXPECT_FALSE(plan.followRedirects);
  EXPECT_FALSE(plan.serverCredentials);  // a user name alone sets none
  EXPECT_TRUE(plan.proxyCredentials);

  ASSERT_TRUE(PlanWebRequest("http://h/", {}, &plan));
  EXPECT_FALSE(plan.cookieEngine);
  EXPECT_TRUE(plan.followRedirects);
}

}  // namespace
}  // namespace jixia::net_internal
