// The profile service and the download page of the replica.
#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <thread>

#include "demo/service_pages.h"

namespace jixia::demo {
namespace {

// What the program's version check reads: the text after the first ,"
// up to the next ",.
std::string Nickname(const std::string& reply) {
  const size_t left = reply.find(",\"");
  if (left == std::string::npos) return "<none>";
  const size_t right = reply.find("\",", left + 2);
  if (right == std::string::npos) return "<none>";
  return reply.substr(left + 2, right - left - 2);
}

class ServicePagesTest : public ::testing::Test {
 protected:
  void Start(const ProfileSettings& settings) {
    MountProfileService(server_, settings);
    MountDownloadPage(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~ServicePagesTest() override {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }
  std::string Get(const std::string& path, int* status = nullptr) {
    httplib::Client client("127.0.0.1", port_);
    const auto reply = client.Get(path);
    if (status) *status = reply ? reply->status : -1;
    return reply ? reply->body : "";
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

TEST_F(ServicePagesTest, ProfileAnnouncesTheVersionOnlyForTheVersionAccount) {
  Start({"10001", "553"});
  EXPECT_EQ(Nickname(Get("/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=10001")), "553");
  EXPECT_EQ(Nickname(Get("/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=10002")), "");
  int status = 0;
  Get("/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=", &status);
  EXPECT_EQ(status, 400);
}

TEST_F(ServicePagesTest, DownloadPageIsServed) {
  Start({"10001", "552"});
  int status = 0;
  EXPECT_NE(Get("/b377770/", &status).find("<h1>"), std::string::npos);
  EXPECT_EQ(status, 200);
}

}  // namespace
}  // namespace jixia::demo
