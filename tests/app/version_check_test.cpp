#include "app/version_check.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "net/web_request.h"
#include "text/codepage.h"

namespace jixia {
namespace {

// A profile answer whose first comma-quote ... quote-comma pair holds `nick`.
Text Answer(const std::string& nick) {
  return "portraitCallBack({\"10001\":[\"http://img/\",0,0,0,0,0,\"" + nick + "\",0]})";
}

TEST(VersionDecision, OnlyAnAnsweredDifferentNumberAsksForTheUpdate) {
  struct Case {
    const char* name;
    Text response;
    bool update;
  } const kCases[] = {
      {"same number", Answer("552"), false},
      {"leading blank", Answer(" 552"), false},
      {"leading plus", Answer("+552"), false},
      {"leading zero", Answer("0552"), false},
      {"fraction", Answer("552.9"), false},
      {"trailing text", Answer("552abc"), false},
      {"tab and blanks before", Answer("\t  552"), false},
      {"newer", Answer("553"), true},
      {"older", Answer("551"), true},
      {"negative", Answer("-552"), true},
      {"beyond int", Answer("99999999999999999999"), true},
      {"letter first", Answer("v552"), false},
      {"empty nickname", Answer(""), false},
      {"sign alone", Answer("+"), false},
      {"empty answer", "", false},
      {"no left marker", "552\",", false},
      {"no right marker", "x,\"552", false},
      {"only first pair counts", "a,\"abc\",0,\"553\",", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(UpdateNeeded(c.response), c.update);
  }
}

TEST(VersionDecision, AnnouncedNumberIsTheLeadingInteger) {
  EXPECT_EQ(AnnouncedVersion(Answer("0552")), 552);
  EXPECT_EQ(AnnouncedVersion(Answer("-7x")), -7);
  EXPECT_EQ(AnnouncedVersion(Answer("v552")), std::nullopt);
}

struct Recorded {
  std::vector<Text> fetched;
  std::vector<Text> asked;
  std::vector<Text> opened;
};

VersionCheckServices Recording(Recorded& r, std::function<Text(const Text&)> fetch) {
  return {[&r, fetch](const Text& url) {
            r.fetched.push_back(url);
            return fetch(url);
          },
          [&r](const Text& m) { r.asked.push_back(m); },
          [&r](const Text& u) { r.opened.push_back(u); }};
}

TEST(VersionCheck, UpdatePathShowsTheBoxOpensTheDownloadPageAndEnds) {
  Recorded r;
  const bool end = VersionCheck(Recording(r, [](const Text&) { return Answer("553"); }),
                                "profile.test:81", "12345", "down.test:444");
  EXPECT_TRUE(end);
  ASSERT_EQ(r.fetched.size(), 1u);
  EXPECT_EQ(r.fetched[0],
            "http://profile.test:81/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=12345");
  ASSERT_EQ(r.asked.size(), 1u);
  EXPECT_EQ(GbkToUtf8(r.asked[0]), "已经有新版  立即更新  ");
  EXPECT_EQ(r.opened, std::vector<Text>{"https://down.test:444/b377770/"});
}

TEST(VersionCheck, PassedOrUnansweredCheckSaysNothing) {
  for (const Text& answer : {Answer("552"), Text()}) {
    Recorded r;
    EXPECT_FALSE(VersionCheck(Recording(r, [&](const Text&) { return answer; }), "h", "1", "d"));
    EXPECT_TRUE(r.asked.empty());
    EXPECT_TRUE(r.opened.empty());
  }
}

// The real request against a loopback profile service, and against a port
// where nothing listens.
TEST(VersionCheck, RealRequestReadsTheProfileServiceAndARefusedOneGoesOn) {
  httplib::Server server;
  std::string seenQuery;
  server.Get("/fcg-bin/cgi_get_portrait.fcg",
             [&](const httplib::Request& req, httplib::Response& res) {
               seenQuery = req.get_param_value("get_nick") + "/" + req.get_param_value("uins");
               res.set_content(Answer("551"), "text/html");
             });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread thread([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const std::string host = "127.0.0.1:" + std::to_string(port);
  const auto fetch = [](const Text& url) { return WebRequest(url); };

  Recorded answered;
  EXPECT_TRUE(VersionCheck(Recording(answered, fetch), host, "10001", "d.test"));
  EXPECT_EQ(seenQuery, "1/10001");
  server.stop();
  thread.join();

  Recorded refused;
  EXPECT_FALSE(VersionCheck(Recording(refused, fetch), host, "10001", "d.test"));
  EXPECT_TRUE(refused.asked.empty());
  EXPECT_TRUE(refused.opened.empty());
}

}  // namespace
}  // namespace jixia
