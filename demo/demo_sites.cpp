#include "demo/demo_sites.h"

#include <chrono>
#include <iostream>
#include <mutex>

#include "demo/service_pages.h"
#include "demo/site_pages.h"
#include "jixia/config.h"

namespace jixia::demo {
namespace {

// Worker threads per server: enough for a browser's parallel requests.
constexpr size_t kThreadsPerServer = 4;

void SplitHost(const std::string& host, std::string* name, int* port) {
  const size_t colon = host.rfind(':');
  *name = colon == std::string::npos ? host : host.substr(0, colon);
  *port = colon == std::string::npos ? 80 : std::stoi(host.substr(colon + 1));
}

}  // namespace

const std::vector<DemoService>& DemoServices() {
  static const std::vector<DemoService> services = {
      //  key         what                                         host                   tls
      {"forum-a", "forum A (精易论坛)", config::kForumAHost, true},
      {"forum-b", "forum B (巅峰论坛)", config::kForumBHost, true},
      {"site-c", "site C (QQ哆情乐园)", config::kSiteCHost, false},
      {"d1", "deal site D1 (薅羊毛网站)", config::kD1Host, false},
      {"d2", "deal site D2 (活动网线报)", config::kD2Host, true},
      {"d3", "deal site D3 (完美娱乐网)", config::kD3Host, true},
      {"d4", "deal site D4 (小K娱乐网)", config::kD4Host, true},
      {"profile", "profile service with the latest version", config::kProfileHost, false},
      {"download", "download page", config::kDownloadHost, true},
      {"account", "account service", config::kAccountHost, false},
  };
  return services;
}

bool DemoSites::Start(const DemoOptions& options, std::string* error) {
  Stop();
  RecordSettings records{options.seed, options.now ? options.now : std::time(nullptr)};
  account_ = std::make_unique<AccountService>(options.codes ? options.codes
                                                            : AccountService::RandomCodes());
  auto logMutex = std::make_shared<std::mutex>();
  for (const DemoService& service : DemoServices()) {
    std::string bindHost;
    int port = 0;
    SplitHost(service.configuredHost, &bindHost, &port);
    const auto chosen = options.ports.find(service.key);
    if (chosen != options.ports.end()) port = chosen->second;

    std::unique_ptr<httplib::Server> server;
    if (service.tls) {
      auto tls =
          std::make_unique<httplib::SSLServer>(options.certFile.c_str(), options.keyFile.c_str());
      if (!tls->is_valid()) {
        *error = "cannot load the certificate " + options.certFile + " and key " + options.keyFile;
        running_.clear();
        return false;
      }
      server = std::move(tls);
    } else {
      server = std::make_unique<httplib::Server>();
    }
    server->set_tcp_nodelay(true);
    server->new_task_queue = [] { return new httplib::ThreadPool(kThreadsPerServer); };
    if (options.log) {
      const std::string key = service.key;
      server->set_logger(
          [key, logMutex](const httplib::Request& request, const httplib::Response& response) {
            std::lock_guard<std::mutex> lock(*logMutex);
            std::cerr << key << ' ' << request.method << ' ' << request.get_header_value("Host")
                      << ' ' << request.target << ' ' << response.status << std::endl;
          });
    }

    const SiteSettings site{records, service.configuredHost, service.tls};
    const std::string key = service.key;
    if (key == "forum-a") MountForumA(*server, site);
    if (key == "forum-b") MountForumB(*server, site);
    if (key == "site-c") MountSiteC(*server, site);
    if (key == "d1") MountDealD1(*server, site);
    if (key == "d2") MountDealD2(*server, site);
    if (key == "d3") MountDealD3(*server, site);
    if (key == "d4") MountDealD4(*server, site);
    if (key == "profile") {
      MountProfileService(*server, {config::kVersionAccount, options.announcedVersion});
    }
    if (key == "download") MountDownloadPage(*server);
    if (key == "account") account_->Mount(*server);

    const int requested = port;
    const bool bound = requested == 0 ? (port = server->bind_to_any_port(bindHost)) > 0
                                      : server->bind_to_port(bindHost, requested);
    if (!bound) {
      *error = "cannot listen on " + bindHost + ":" +
               (requested == 0 ? std::string("any free port") : std::to_string(requested)) +
               " for " + key + " (is another program using it?)";
      running_.clear();
      return false;
    }
    running_.push_back({key, bindHost + ":" + std::to_string(port), std::move(server), {}});
  }
  for (Running& running : running_) {
    httplib::Server* server = running.server.get();
    running.thread = std::thread([server] { server->listen_after_bind(); });
  }
  // Ready only when every server accepts; this also lets Stop rely on
  // stop() reaching a running server.
  for (Running& running : running_) {
    while (!running.server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void DemoSites::Stop() {
  for (Running& running : running_) running.server->stop();
  for (Running& running : running_) {
    if (running.thread.joinable()) running.thread.join();
  }
  running_.clear();
  account_.reset();
}

std::string DemoSites::Host(const std::string& key) const {
  for (const Running& running : running_) {
    if (running.key == key) return running.host;
  }
  return "";
}

}  // namespace jixia::demo
