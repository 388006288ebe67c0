// WebRequest against raw loopback servers: the exact request on the wire,
// the stage of every failure, redirects, cookies, charsets and limits.
#include "net/web_request.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "net/event_hook.h"
#include "net/tls_trust.h"
#include "test_support/test_tls_paths.h"
#include "tests/support/raw_http_server.h"
#include "text/codepage.h"

namespace jixia {
namespace {

using test::RawHttpServer;
using test::RawReply;
using test::Response;
namespace status = web_request_status;

const std::string kDefaultLines =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "Cache-Control: no-cache\r\n";

std::string HostLine(const RawHttpServer& server) {
  return "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
}

std::string RequestLine(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(WebRequest, HeaderTextOnTheWire) {
  struct Case {
    const char* name;
    std::string extraHeaders;
    const char* cookies;  // null: not given
    std::string lines;    // expected header lines after Host
  };
  const Case kCases[] = {
      {"defaults only", "", nullptr, kDefaultLines},
      {"caller line first", "X-A: 1", nullptr, "X-A: 1\r\n" + kDefaultLines},
      {"cookie line last", "X-A: 1", "a=1; b=2",
       "X-A: 1\r\n" + kDefaultLines + "Cookie: a=1; b=2\r\n"},
      {"cookies given empty", "", "", kDefaultLines},
      {"lower-case user-agent suppresses the default", "user-agent: X", nullptr,
       "user-agent: X\r\n" + kDefaultLines.substr(kDefaultLines.find("Accept:"))},
      {"lower-case content-type is replaced by the default", "content-type: text/plain", nullptr,
       "Content-Type: application/x-www-form-urlencoded\r\n"
       "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
       "Accept: text/html, application/xhtml+xml, */*\r\n"
       "Accept-Encoding: gbk, GB2312\r\n"
       "Accept-Language: zh-cn\r\n"
       "Cache-Control: no-cache\r\n"},
      {"exact Content-Type suppresses the default", "Content-Type: text/plain", nullptr,
       "Content-Type: text/plain\r\n"
       "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
       "Accept: text/html, application/xhtml+xml, */*\r\n"
       "Accept-Encoding: gbk, GB2312\r\n"
       "Accept-Language: zh-cn\r\n"
       "Cache-Control: no-cache\r\n"},
      {"later line with the same name replaces the earlier", "X-A: 1\r\nx-a: 2", nullptr,
       "x-a: 2\r\n" + kDefaultLines},
      {"caller's own cookie line", "Cookie: z=9", "a=1", "Cookie: z=9\r\n" + kDefaultLines},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server;
    server.AddReply(test::Ok("x"));
    Text cookies = c.cookies != nullptr ? c.cookies : "";
    Text status;
    WebRequest(server.BaseUrl() + "/p", {.cookies = c.cookies != nullptr ? &cookies : nullptr,
                                         .extraHeaders = c.extraHeaders,
                                         .status = &status});
    EXPECT_EQ(status, "200 OK");
    EXPECT_EQ(server.Request(0), "GET /p HTTP/1.1\r\n" + HostLine(server) + c.lines + "\r\n");
  }
}

TEST(WebRequest, VerbAndBody) {
  struct Case {
    int method;
    const char* body;
    std::string head;  // request line and the lines libcurl adds for the body
  };
  const Case kCases[] = {
      {7, "", "GET / HTTP/1.1"},         {-1, "", "GET / HTTP/1.1"},
      {1, "a=1&b=2", "POST / HTTP/1.1"}, {3, "put body", "PUT / HTTP/1.1"},
      {2, "", "HEAD / HTTP/1.1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.method);
    RawHttpServer server;
    server.AddReply(c.method == 2 ? Response("200 OK", {"Content-Length: 0"}, "") : test::Ok("ok"));
    Text status;
    WebRequest(server.BaseUrl(), {.method = c.method, .body = c.body, .status = &status});
    EXPECT_EQ(status, "200 OK");
    const std::string request = server.Request(0);
    EXPECT_EQ(RequestLine(request), c.head);
    const std::string body = c.body;
    if (!body.empty()) {
      EXPECT_NE(request.find("\r\nContent-Length: " + std::to_string(body.size()) + "\r\n"),
                std::string::npos);
      EXPECT_EQ(request.substr(request.size() - body.size()), body);
    } else {
      EXPECT_EQ(request.find("Content-Length"), std::string::npos);
    }
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
  }
}

TEST(WebRequest, QueryWithoutPathRequestsRoot) {
  RawHttpServer server;
  server.AddReply(test::Ok("a"));
  server.AddReply(test::Ok("b"));
  WebRequest(server.BaseUrl() + "?x=1");
  WebRequest(server.BaseUrl() + "/p/q?x=1&y=2");
  EXPECT_EQ(RequestLine(server.Request(0)), "GET / HTTP/1.1");
  EXPECT_EQ(RequestLine(server.Request(1)), "GET /p/q?x=1&y=2 HTTP/1.1");
}

TEST(WebRequest, ServerCredentialsOnlyWithBothParts) {
  struct Case {
    const char* user;
    const char* password;
    bool sent;
  };
  constexpr Case kCases[] = {{"u", "p", true}, {"u", "", false}, {"", "p", false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.user) + ":" + c.password);
    RawHttpServer server;
    server.AddReply(test::Ok("x"));
    Text status;
    WebRequest(server.BaseUrl(), {.userName = c.user, .password = c.password, .status = &status});
    EXPECT_EQ(status, "200 OK");
    EXPECT_EQ(server.Request(0).find("\r\nAuthorization: Basic dTpw\r\n") != std::string::npos,
              c.sent);
    if (!c.sent) {
      EXPECT_EQ(server.Request(0).find("Authorization"), std::string::npos);
    }
  }
}

TEST(WebRequest, ProxyForHttpUrlGetsAbsoluteRequestLine) {
  RawHttpServer target;
  RawHttpServer proxy(RawHttpServer::Mode::kProxy);
  target.AddReply(test::Ok("via proxy"));
  Text status;
  const Text result =
      WebRequest(target.BaseUrl() + "/x?y=1", {.proxy = "127.0.0.1:" + std::to_string(proxy.port()),
                                               .proxyUser = "pu",
                                               .proxyPassword = "pp",
                                               .status = &status});
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(result, "via proxy");
  const std::string seen = proxy.Request(0);
  EXPECT_EQ(RequestLine(seen), "GET " + target.BaseUrl() + "/x?y=1 HTTP/1.1");
  EXPECT_NE(seen.find("\r\nProxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos);
  EXPECT_EQ(seen.find("Proxy-Connection"), std::string::npos);
  EXPECT_EQ(RequestLine(target.Request(0)), "GET /x?y=1 HTTP/1.1");
}

TEST(WebRequest, ProxyForHttpsUrlOpensTunnel) {
  SetExtraCaFile(test::kTestCaFile);
  RawHttpServer target(RawHttpServer::Mode::kTls);
  RawHttpServer proxy(RawHttpServer::Mode::kProxy);
  target.AddReply(test::Ok("secret"));
  Text status;
  const Text result =
      WebRequest(target.BaseUrl() + "/s",
                 {.proxy = "127.0.0.1:" + std::to_string(proxy.port()), .status = &status});
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(result, "secret");
  EXPECT_EQ(RequestLine(proxy.Request(0)),
            "CONNECT 127.0.0.1:" + std::to_string(target.port()) + " HTTP/1.1");
  EXPECT_EQ(RequestLine(target.Request(0)), "GET /s HTTP/1.1");
}

TEST(WebRequest, EmptyProxyIgnoresProxyEnvironment) {
  RawHttpServer server;
  server.AddReply(test::Ok("direct"));
  setenv("http_proxy", "http://127.0.0.1:9", 1);
  setenv("HTTPS_PROXY", "http://127.0.0.1:9", 1);
  const Text result = WebRequest(server.BaseUrl());
  unsetenv("http_proxy");
  unsetenv("HTTPS_PROXY");
  EXPECT_EQ(result, "direct");
}

TEST(WebRequest, TlsTrustsOnlyTheExtraCaAdded) {
  RawHttpServer server(RawHttpServer::Mode::kTls);
  server.AddReply(test::Ok("tls body"));
  Text status;
  SetExtraCaFile(test::kTestCaFile);
  EXPECT_EQ(WebRequest(server.BaseUrl() + "/", {.status = &status}), "tls body");
  EXPECT_EQ(status, "200 OK");

  SetExtraCaFile("");  // the test CA is not among the system's
  EXPECT_EQ(WebRequest(server.BaseUrl() + "/", {.timeoutSeconds = 2, .status = &status}), "");
  EXPECT_EQ(status, status::k711Send);
  EXPECT_EQ(server.RequestCount(), 1u);
}

// A loopback port that refuses connections while the socket lives.
class RefusedPort {
 public:
  RefusedPort() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~RefusedPort() { close(fd_); }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST(WebRequest, FailureMessageNamesTheStage) {
  RefusedPort refused;
  const std::string refusedUrl = "http://127.0.0.1:" + std::to_string(refused.port()) + "/";
  struct Case {
    const char* name;
    RawReply reply;
    const char* message;
  };
  RawReply silent;
  silent.silent = true;
  RawReply closed;
  closed.closeWithoutAnswer = true;
  RawReply reset;
  reset.reset = true;
  RawReply headerCut = test::Ok("body");
  headerCut.stallAfter = 10;
  headerCut.stallFor = std::chrono::seconds(5);
  const Case kCases[] = {
      {"silent server", silent, status::k712NoResponse},
      {"closed without answer", closed, status::k712NoResponse},
      {"connection reset", reset, status::k712NoResponse},
      {"status line cut off", headerCut, status::k712NoResponse},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server;
    server.AddReply(c.reply);
    Text status = "before", headers = "keep", location = "keep";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WebRequest(server.BaseUrl(), {.responseHeaders = &headers,
                                            .timeoutSeconds = 1,
                                            .location = &location,
                                            .status = &status}),
              "");
    EXPECT_LT(SecondsSince(start), 2.5);
    EXPECT_EQ(status, c.message);
    EXPECT_EQ(headers, "keep");
    EXPECT_EQ(location, "keep");
  }

  Text status;
  EXPECT_EQ(WebRequest(refusedUrl, {.timeoutSeconds = 1, .status = &status}), "");
  EXPECT_EQ(status, status::k711Send);
  for (const char* url : {"ftp://127.0.0.1/", "127.0.0.1/x", "http://:80/", "http://h:port/"}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(WebRequest(url, {.status = &status}), "");
    EXPECT_EQ(status, status::k701BadUrl);
  }
}

TEST(WebRequest, SilentServerTimesOutAfterAboutTheTimeout) {
  RawHttpServer server;
  RawReply silent;
  silent.silent = true;
  server.AddReply(silent);
  Text status;
  const auto start = std::chrono::steady_clock::now();
  WebRequest(server.BaseUrl(), {.timeoutSeconds = 1, .status = &status});
  const double elapsed = SecondsSince(start);
  EXPECT_EQ(status, status::k712NoResponse);
  EXPECT_GE(elapsed, 0.95);
  EXPECT_LT(elapsed, 2.0);
}

TEST(WebRequest, BodyFailureKeepsPartialBodyAndStatusText) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nX-Y: z\r\n\r\n";
  RawReply stall;
  stall.bytes = head + std::string(10, 'a') + std::string(90, 'b');
  stall.stallAfter = head.size() + 10;
  stall.stallFor = std::chrono::seconds(5);
  RawReply cut;
  cut.bytes = head + std::string(10, 'a');
  cut.closeAfter = true;
  for (const RawReply& reply : {stall, cut}) {
    RawHttpServer server;
    server.AddReply(reply);
    Text status, headers;
    Bytes bytes;
    const Text result = WebRequest(server.BaseUrl(), {.responseHeaders = &headers,
                                                      .timeoutSeconds = 1,
                                                      .status = &status,
                                                      .responseBytes = &bytes});
    EXPECT_EQ(status, "200 OK");  // the status text written over "713 ..."
    EXPECT_EQ(bytes, std::string(10, 'a'));
    EXPECT_EQ(result, std::string(10, 'a'));
    EXPECT_EQ(headers, head);
  }
}

TEST(WebRequest, SlowSteadyBodyIsNotCutOff) {
  RawHttpServer server;
  const std::string body(160, 's');
  RawReply drip = test::Ok(body);
  drip.dripBytes = 20;  // about 1.8 s in all, never silent for 1 s
  drip.dripEvery = std::chrono::milliseconds(200);
  server.AddReply(drip);
  Text status;
  const auto start = std::chrono::steady_clock::now();
  const Text result = WebRequest(server.BaseUrl(), {.timeoutSeconds = 1, .status = &status});
  EXPECT_GT(SecondsSince(start), 1.2);
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(result, body);
}

TEST(WebRequest, RedirectFollowedCarriesRedirectCookies) {
  RawHttpServer server;
  server.AddReply(Response("302 Found", {"Location: /next", "Set-Cookie: r=1; path=/"}, "moved"));
  server.AddReply(Response("200 OK", {"Set-Cookie: f=2"}, "final"));
  Text cookies = "a=1", headers, status, location = "keep";
  const Text result = WebRequest(
      server.BaseUrl() + "/start",
      {.cookies = &cookies, .responseHeaders = &headers, .location = &location, .status = &status});
  EXPECT_EQ(result, "final");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\nSet-Cookie: f=2\r\nContent-Length: 5\r\n\r\n");
  EXPECT_EQ(location, "keep");
  ASSERT_EQ(server.RequestCount(), 2u);
  const std::string second = server.Request(1);
  EXPECT_EQ(RequestLine(second), "GET /next HTTP/1.1");
  EXPECT_NE(second.find("r=1"), std::string::npos);
  EXPECT_EQ(cookies, "f=2; a=1");
}

TEST(WebRequest, RedirectWithoutCookiesSendsNoCookie) {
  RawHttpServer server;
  server.AddReply(Response("302 Found", {"Location: /next", "Set-Cookie: r=1"}, ""));
  server.AddReply(test::Ok("final"));
  EXPECT_EQ(WebRequest(server.BaseUrl()), "final");
  EXPECT_EQ(server.Request(1).find("Cookie"), std::string::npos);
}

TEST(WebRequest, NoRedirectReturnsRedirectResponseAndLastLocation) {
  struct Case {
    std::vector<std::string> lines;
    const char* location;
  };
  const Case kCases[] = {
      {{"Location: /one"}, "/one"},
      {{"Location: /one", "Location: /two"}, "/two"},
      {{"location: /x"}, "/x"},
      {{"LOCATION: http://h/y"}, "http://h/y"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.location);
    RawHttpServer server;
    server.AddReply(Response("302 Found", c.lines, "moved"));
    Text status, location;
    const Text result = WebRequest(server.BaseUrl(),
                                   {.noRedirect = true, .location = &location, .status = &status});
    EXPECT_EQ(result, "moved");
    EXPECT_EQ(status, "302 Found");
    EXPECT_EQ(location, c.location);
    EXPECT_EQ(server.RequestCount(), 1u);
  }
}

TEST(WebRequest, SetCookieLetterCaseFoldedAndCollected) {
  RawHttpServer server;
  server.AddReply(Response(
      "200 OK", {"Set-Cookie: a=1; path=/", "set-cookie: b=2", "SET-COOKIE: c=3; HttpOnly"}, ""));
  Text headers, received;
  WebRequest(server.BaseUrl(), {.responseCookies = &received, .responseHeaders = &headers});
  EXPECT_EQ(received, "a=1; b=2; c=3");
  EXPECT_EQ(headers,
            "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
            "Set-Cookie: c=3; HttpOnly\r\nContent-Length: 0\r\n\r\n");
}

TEST(WebRequest, CookieMergeCases) {
  struct Case {
    const char* name;
    const char* sent;  // null: not given
    bool merge;
    std::vector<std::string> setCookies;
    const char* cookiesAfter;
    const char* responseCookies;
  };
  const Case kCases[] = {
      {"given: received first", "a=1; b=2", true, {"Set-Cookie: b=3"}, "b=3; a=1", "b=3; a=1"},
      {"given empty: merge still runs",
       "",
       true,
       {"Set-Cookie: x=1", "Set-Cookie: x=1", "Set-Cookie: y=deleted"},
       "x=1",
       "x=1"},
      {"not given: this response only", nullptr, true, {"Set-Cookie: b=3"}, nullptr, "b=3"},
      {"merge switched off", "a=1", false, {"Set-Cookie: b=3"}, "a=1", "b=3"},
      {"no Set-Cookie", nullptr, true, {}, nullptr, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server;
    server.AddReply(Response("200 OK", c.setCookies, ""));
    Text cookies = c.sent != nullptr ? c.sent : "";
    Text received = "stale";
    WebRequest(server.BaseUrl(), {.cookies = c.sent != nullptr ? &cookies : nullptr,
                                  .responseCookies = &received,
                                  .mergeCookies = c.merge});
    EXPECT_EQ(received, c.responseCookies);
    if (c.sent != nullptr) {
      EXPECT_EQ(cookies, c.cookiesAfter);
    }
  }
}

TEST(WebRequest, DeclaredCharsetDecodedToGbk) {
  const std::string rare = Utf8ToGbk("镕喆堃");  // GBK-only, not in GB2312
  const std::string utf8Page = "<html><head><meta charset=\"utf-8\"></head><p>中文</p>";
  struct Case {
    const char* name;
    std::string body;
    std::string result;
  };
  const Case kCases[] = {
      {"utf-8 decoded", utf8Page, Utf8ToGbk(utf8Page)},
      {"gbk as received", "<meta charset=gbk>" + Utf8ToGbk("中文"),
       "<meta charset=gbk>" + Utf8ToGbk("中文")},
      {"GB2312 read as code page 936",
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\">" + rare,
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\">" + rare},
      {"declaration after byte 1024 ignored", std::string(1100, ' ') + utf8Page,
       std::string(1100, ' ') + utf8Page},
      {"unknown charset left undecoded", "<meta charset=x-no-such>" + rare,
       "<meta charset=x-no-such>" + rare},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server;
    server.AddReply(test::Ok(c.body));
    Bytes bytes;
    EXPECT_EQ(WebRequest(server.BaseUrl(), {.responseBytes = &bytes}), c.result);
    EXPECT_EQ(bytes, c.body);
  }
}

TEST(WebRequest, ResultEndsAtNulWhileBytesHoldEverything) {
  RawHttpServer server;
  const std::string body("abc\0def", 7);
  server.AddReply(test::Ok(body));
  Bytes bytes;
  EXPECT_EQ(WebRequest(server.BaseUrl(), {.responseBytes = &bytes}), "abc");
  EXPECT_EQ(bytes, body);
}

TEST(WebRequest, BodyCappedAt64MiB) {
  RawHttpServer server;
  const long long sent = kMaxResponseBodyBytes + 1024 * 1024;
  RawReply huge;
  huge.bytes = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(sent) + "\r\n\r\n";
  huge.fillerBytes = sent;
  server.AddReply(huge);
  Text status;
  Bytes bytes;
  const Text result = WebRequest(server.BaseUrl(),
                                 {.timeoutSeconds = 2, .status = &status, .responseBytes = &bytes});
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(static_cast<long long>(bytes.size()), kMaxResponseBodyBytes);
  EXPECT_EQ(static_cast<long long>(result.size()), kMaxResponseBodyBytes);
}

class EventHookTest : public testing::Test {
 protected:
  void TearDown() override { SetEventHook(nullptr); }
};

TEST_F(EventHookTest, RunsOnlyAfterTheResponseArrived) {
  RawHttpServer server;
  server.AddReply(Response("200 OK", {"X-A: 1", "X-B: 2"}, "<meta charset=utf-8>x"));
  int calls = 0;
  bool beforeResponse = false;
  SetEventHook([&] {
    ++calls;
    beforeResponse = beforeResponse || server.RequestCount() == 0;
  });
  WebRequest(server.BaseUrl());
  // Five header lines (the empty one included), the charset step, the way out.
  EXPECT_GE(calls, 7);
  EXPECT_FALSE(beforeResponse);

  calls = 0;
  WebRequest("ftp://x/");
  EXPECT_GE(calls, 1);  // also on the way out of a failure
}

TEST_F(EventHookTest, NestedRequestRewritesCookiesBeforeOuterMerge) {
  RawHttpServer server;
  server.AddReply(Response("200 OK", {"Set-Cookie: outer=2"}, "outer"));
  server.AddReply(Response("200 OK", {"Set-Cookie: inner=1"}, "inner"));
  Text accountCookies = "a=1";
  bool nested = false;
  SetEventHook([&] {
    if (nested) return;
    nested = true;
    EXPECT_EQ(WebRequest(server.BaseUrl(), {.cookies = &accountCookies}), "inner");
  });
  EXPECT_EQ(WebRequest(server.BaseUrl(), {.cookies = &accountCookies}), "outer");
  EXPECT_EQ(accountCookies, "outer=2; inner=1; a=1");
}

}  // namespace
}  // namespace jixia
