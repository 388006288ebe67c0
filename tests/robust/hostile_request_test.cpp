// WebRequest and SimpleFetch against servers that misbehave on purpose: every
// call must end within its time-out rule, keep memory bounded and return what
// did arrive.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <string>
#include <vector>

#include "net/simple_fetch.h"
#include "net/web_request.h"
#include "tests/robust/hostile_server.h"
#include "text/codepage.h"

namespace jixia::robust {
namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
  Text text;
  Text status;
  Bytes bytes;
  Text headers;
  double seconds = 0;
};

Outcome Get(const std::string& url, int timeoutSeconds, Text* cookies = nullptr) {
  Outcome out;
  const Clock::time_point start = Clock::now();
  out.text = WebRequest(url, {.cookies = cookies,
                              .responseHeaders = &out.headers,
                              .timeoutSeconds = timeoutSeconds,
                              .status = &out.status,
                              .responseBytes = &out.bytes});
  out.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return out;
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

const std::string kOkHead = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n";

// Sends `bytes` one at a time with `gapMs` between them.
bool Drip(HostileConnection& c, const std::string& bytes, int gapMs) {
  for (char b : bytes) {
    if (!c.Send(std::string(1, b)) || !c.Sleep(gapMs)) return false;
  }
  return true;
}

struct DripCase {
  const char* name;
  int timeoutSeconds;
  HostileServer::Script script;
  const char* body;    // body bytes the caller must end up with
  const char* status;  // status it must see (GBK)
  double atLeast;      // seconds the call must have waited for the bytes
  double atMost;       // and the bound it must never pass
};

TEST(HostileServer, DrippingServerEndsByTheIdleTimeOutRule) {
  const Text noResponse = web_request_status::k712NoResponse;
  const DripCase kCases[] = {
      {"body one byte a second, steady", 2,
       [](HostileConnection& c) {
         c.Send(kOkHead + "Content-Length: 4\r\n\r\n") && Drip(c, "abcd", 1000);
       },
       "abcd", "200 OK", 3.0, 7.0},
      {"body stalls longer than the time-out", 1,
       [](HostileConnection& c) {
         c.Send(kOkHead + "Content-Length: 4\r\n\r\nab") && c.Sleep(5000) && c.Send("cd");
       },
       "ab", "200 OK", 1.0, 3.0},
      {"header block stalls longer than the time-out", 1,
       [](HostileConnection& c) { c.Send("HTTP/1.1 200 OK\r\nX: ") && c.Sleep(5000); }, "",
       noResponse.c_str(), 1.0, 3.0},
  };
  for (const DripCase& k : kCases) {
    SCOPED_TRACE(k.name);
    HostileServer server(k.script);
    Outcome out = Get("http://" + server.host() + "/", k.timeoutSeconds);
    EXPECT_EQ(out.bytes, k.body);
    EXPECT_EQ(out.status, Text(k.status));
    EXPECT_GE(out.seconds, k.atLeast);
    EXPECT_LE(out.seconds, k.atMost);
  }
}

// Header bytes that keep coming are not silence, even when a line takes
// longer than the time-out to complete. Disabled until the transfer loop
// counts bytes, not complete lines, as activity while the header arrives.
TEST(HostileServer, DISABLED_HeaderBlockDrippedSteadilyIsNotCutOff) {
  HostileServer server([](HostileConnection& c) {
    c.Send("HTTP/1.1 200 OK\r\n") && Drip(c, "X-Slow: 12345\r\n\r\n", 500) && c.Send("ok");
  });
  Outcome out = Get("http://" + server.host() + "/", 2);
  EXPECT_EQ(out.status, "200 OK");
  EXPECT_EQ(out.text, "ok");
  EXPECT_LE(out.seconds, 15.0);
}

TEST(HostileServer, EndlessBodyStopsAtTheCapWithBoundedMemory) {
  HostileServer server([](HostileConnection& c) {
    if (!c.Send(kOkHead + "\r\n")) return;
    const std::string chunk(64 * 1024, 'x');
    while (c.Send(chunk)) {
    }
  });
  const long before = PeakRssKb();
  Outcome out = Get("http://" + server.host() + "/", 5);
  const long deltaMb = (PeakRssKb() - before) / 1024;
  std::printf("endless body: %.2f s, peak RSS grew by %ld MB\n", out.seconds, deltaMb);
  EXPECT_EQ(static_cast<long long>(out.bytes.size()), kMaxResponseBodyBytes);
  EXPECT_EQ(out.text.size(), out.bytes.size());
  EXPECT_EQ(out.status, "200 OK");
  // The body, the result text and a copy for responseBytes: a few times the
  // cap, never growing with what the server keeps sending.
  EXPECT_LT(deltaMb, 6 * kMaxResponseBodyBytes / (1024 * 1024));
  EXPECT_LT(out.seconds, 30.0);
}

TEST(HostileServer, MegabyteHeaderBlockEndsPromptly) {
  struct Case {
    const char* name;
    std::string block;
  };
  std::string oneLine = "X-Big: " + std::string(1024 * 1024, 'a') + "\r\n";
  std::string manyCookies;
  for (int i = 0; manyCookies.size() < 1024 * 1024; ++i)
    manyCookies += "Set-Cookie: c" + std::to_string(i) + "=v; path=/\r\n";
  const Case kCases[] = {{"one 1 MB line", oneLine}, {"1 MB of Set-Cookie lines", manyCookies}};
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.name);
    HostileServer server(
        [&k](HostileConnection& c) { c.Send(kOkHead + k.block + "Content-Length: 2\r\n\r\nok"); });
    Text cookies = "a=1";
    Outcome out = Get("http://" + server.host() + "/", 5, &cookies);
    std::printf("%s: %.2f s, status %s\n", k.name, out.seconds, GbkToUtf8(out.status).c_str());
    // Either read whole or refused as a response that never completed.
    if (out.status == "200 OK") {
      EXPECT_EQ(out.text, "ok");
      EXPECT_GE(out.headers.size(), k.block.size());
    } else {
      EXPECT_EQ(out.status, web_request_status::k712NoResponse);
      EXPECT_EQ(out.text, "");
    }
    EXPECT_LT(out.seconds, 20.0);

    Text simpleHeaders;
    const Clock::time_point start = Clock::now();
    SimpleFetch("http://" + server.host() + "/", {.responseHeaders = &simpleHeaders});
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 20.0);
  }
}

TEST(HostileServer, RedirectLoopEndsWithAFailureStatus) {
  HostileServer server([](HostileConnection& c) {
    c.Send(
        "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  });
  Outcome out = Get("http://" + server.host() + "/", 5);
  EXPECT_EQ(out.status, web_request_status::k712NoResponse);
  EXPECT_EQ(out.text, "");
  EXPECT_LT(out.seconds, 10.0);
  const int afterWebRequest = server.connections();
  EXPECT_LE(afterWebRequest, 20);

  const Clock::time_point start = Clock::now();
  SimpleFetch("http://" + server.host() + "/");
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 10.0);
  EXPECT_LE(server.connections() - afterWebRequest, 20);
}

TEST(HostileServer, InvalidGbkAndNulBytesComeBackDefined) {
  struct Case {
    const char* name;
    std::string body;
    std::string text;  // expected result text
  };
  const std::string bad = "\xff\x80\x7f\xa1 \xfe";
  const Case kCases[] = {
      {"GBK page with invalid bytes and a NUL",
       "<p>" + bad + "</p>" + std::string(1, '\0') + "tail", "<p>" + bad + "</p>"},
      {"page ending in a cut-off lead byte", "<p>x</p>\xb0", "<p>x</p>\xb0"},
      {"declared utf-8 with invalid UTF-8 and a NUL",
       "<meta charset=\"utf-8\">\xc3\x28\xe4\xbd" + std::string(1, '\0') + "\xa0\xa1",
       "<meta charset=\"utf-8\">?(??"},
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.name);
    HostileServer server([&k](HostileConnection& c) {
      c.Send(kOkHead + "Content-Length: " + std::to_string(k.body.size()) + "\r\n\r\n" + k.body);
    });
    Outcome out = Get("http://" + server.host() + "/", 5);
    EXPECT_EQ(out.status, "200 OK");
    EXPECT_EQ(out.bytes, k.body);
    EXPECT_EQ(out.text, k.text);
  }
}

}  // namespace
}  // namespace jixia::robust
