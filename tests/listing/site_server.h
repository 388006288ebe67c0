// Loopback site servers for the listing tests: HTTPS with the test CA's
// certificate or plain HTTP, serving fixed pages by path and recording every
// requested path (with its query) in order.
#pragma once

#include <httplib.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "test_support/test_tls_paths.h"

namespace jixia::test {

class SiteServer {
 public:
  // Pages by path-and-query ("/forum-98-1.html", "/?cat=jczq&page=1"); any
  // other address answers 404 with an empty body.
  SiteServer(bool tls, std::map<std::string, std::string> pages) : pages_(std::move(pages)) {
    if (tls) {
      server_ = std::make_unique<httplib::SSLServer>(kTestCertFile, kTestKeyFile);
    } else {
      server_ = std::make_unique<httplib::Server>();
    }
    server_->set_tcp_nodelay(true);
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      std::string target = request.path;
      if (!request.params.empty()) target = request.target;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requested_.push_back(target);
      }
      const auto it = pages_.find(target);
      if (it == pages_.end()) {
        response.status = 404;
        return;
      }
      response.set_content(it->second, "text/html");
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~SiteServer() {
    server_->stop();
    thread_.join();
  }

  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> Requested() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requested_;
  }

 private:
  std::map<std::string, std::string> pages_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex mutex_;
  std::vector<std::string> requested_;
};

}  // namespace jixia::test
