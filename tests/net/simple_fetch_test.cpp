// SimpleFetch against raw loopback servers: its own header text, verbs,
// cookies, proxy and large header blocks.
#include "net/simple_fetch.h"

#include <gtest/gtest.h>

#include <string>

#include "net/event_hook.h"
#include "tests/support/raw_http_server.h"

namespace jixia {
namespace {

using test::RawHttpServer;
using test::Response;

constexpr char kAgentLine[] = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n";

std::string RequestLine(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

TEST(SimpleFetch, HeaderTextBuiltIntoCallersVariable) {
  struct Case {
    const char* name;
    const char* extraHeaders;
    const char* cookies;     // null: not given
    std::string headerText;  // written back into extraHeaders; {U} stands for the URL
    std::string agentLine;   // libcurl's agent line, before the caller's lines
  };
  const std::string defaults =
      "Accept: */*\r\nReferer: {U}\r\nAccept-Language: zh-cn\r\n"
      "Content-Type: application/x-www-form-urlencoded";
  const Case kCases[] = {
      {"defaults", "", nullptr, defaults, kAgentLine},
      {"cookie item", "", "a=1", defaults + "\r\nCookie: a=1", kAgentLine},
      {"cookie line kept", "", "Cookie: a=1", defaults + "\r\nCookie: a=1", kAgentLine},
      {"lower-case accept does not suppress Accept", "accept: text/html", nullptr,
       "accept: text/html\r\n" + defaults, kAgentLine},
      {"caller's agent", "User-Agent: X/1", nullptr, "User-Agent: X/1\r\n" + defaults, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server;
    server.AddReply(test::Ok("pic"));
    const std::string url = server.BaseUrl() + "/v.png";
    Text extra = c.extraHeaders;
    Text cookies = c.cookies != nullptr ? c.cookies : "";
    EXPECT_EQ(SimpleFetch(url, {.cookies = c.cookies != nullptr ? &cookies : nullptr,
                                .extraHeaders = &extra}),
              "pic");
    std::string expected = c.headerText;
    expected.replace(expected.find("{U}"), 3, url);
    EXPECT_EQ(extra, expected);
    EXPECT_EQ(server.Request(0),
              "GET /v.png HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n" +
                  c.agentLine + expected + "\r\n\r\n");
  }
}

TEST(SimpleFetch, VerbAndBodyBytes) {
  RawHttpServer server;
  server.AddReply(test::Ok("a"));
  server.AddReply(test::Ok("b"));
  Bytes bodyBytes;
  SimpleFetch(server.BaseUrl(), {.method = 3, .body = "ignored"});
  SimpleFetch(server.BaseUrl(), {.method = 1, .body = "x=1", .bodyBytes = &bodyBytes});
  EXPECT_EQ(RequestLine(server.Request(0)), "GET / HTTP/1.1");
  EXPECT_EQ(server.Request(0).find("ignored"), std::string::npos);
  EXPECT_EQ(RequestLine(server.Request(1)), "POST / HTTP/1.1");
  EXPECT_EQ(bodyBytes, "x=1");
  const std::string post = server.Request(1);
  EXPECT_EQ(post.substr(post.size() - 3), "x=1");
}

TEST(SimpleFetch, CookiesCollectedAndMerged) {
  RawHttpServer server;
  server.AddReply(Response("200 OK", {"set-cookie: b=3; path=/"}, ""));
  server.AddReply(Response("200 OK", {"Set-Cookie: b=3"}, ""));
  Text received, headers;
  SimpleFetch(server.BaseUrl(), {.responseCookies = &received, .responseHeaders = &headers});
  EXPECT_EQ(received, "b=3");
  EXPECT_NE(headers.find("Set-Cookie: b=3; path=/"), std::string::npos);

  Text cookies = "a=1; b=2";
  SimpleFetch(server.BaseUrl(), {.cookies = &cookies, .responseCookies = &received});
  EXPECT_EQ(cookies, "b=3; a=1");
  EXPECT_EQ(received, "b=3; a=1");
}

TEST(SimpleFetch, HeaderBlockOfAnySizeIsRead) {
  RawHttpServer server;
  server.AddReply(
      Response("200 OK", {"X-Pad: " + std::string(20000, 'p'), "Set-Cookie: late=1"}, "body"));
  Text received, headers;
  EXPECT_EQ(
      SimpleFetch(server.BaseUrl(), {.responseCookies = &received, .responseHeaders = &headers}),
      "body");
  EXPECT_EQ(received, "late=1");
  EXPECT_GT(headers.size(), 20000u);
}

TEST(SimpleFetch, ProxyForHttpUrl) {
  RawHttpServer target;
  RawHttpServer proxy(RawHttpServer::Mode::kProxy);
  target.AddReply(test::Ok("pic"));
  EXPECT_EQ(
      SimpleFetch(target.BaseUrl() + "/v", {.proxy = "127.0.0.1:" + std::to_string(proxy.port())}),
      "pic");
  EXPECT_EQ(RequestLine(proxy.Request(0)), "GET " + target.BaseUrl() + "/v HTTP/1.1");
}

TEST(SimpleFetch, RedirectSwitch) {
  RawHttpServer server;
  server.AddReply(Response("302 Found", {"Location: /next"}, "moved"));
  server.AddReply(test::Ok("final"));
  server.AddReply(Response("302 Found", {"Location: /next"}, "moved"));
  EXPECT_EQ(SimpleFetch(server.BaseUrl()), "final");
  EXPECT_EQ(SimpleFetch(server.BaseUrl(), {.noRedirect = true}), "moved");
}

TEST(SimpleFetch, NeverProcessesEvents) {
  RawHttpServer server;
  server.AddReply(Response("200 OK", {"X-A: 1"}, "<meta charset=utf-8>x"));
  int calls = 0;
  SetEventHook([&] { ++calls; });
  SimpleFetch(server.BaseUrl());
  SimpleFetch("http://127.0.0.1:1/");
  SetEventHook(nullptr);
  EXPECT_EQ(calls, 0);
}

TEST(SimpleFetch, FailureGivesEmptyBytes) {
  RawHttpServer server;
  test::RawReply closed;
  closed.closeWithoutAnswer = true;
  server.AddReply(closed);
  Text headers = "stale";
  EXPECT_EQ(SimpleFetch(server.BaseUrl(), {.responseHeaders = &headers}), "");
  EXPECT_EQ(headers, "");
}

}  // namespace
}  // namespace jixia
