// jixia-demo-sites as a library: one loopback server per outside service,
// each on its own thread, HTTPS where the program uses it.
#pragma once

#include <httplib.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "demo/account_service.h"

namespace jixia::demo {

// One outside service the replica stands in for.
struct DemoService {
  const char* key;             // option and log name: "forum-a" ...
  const char* what;            // for --help
  const char* configuredHost;  // the build's host:port for it
  bool tls;
};

// The ten services, in the order of the build's host variables.
const std::vector<DemoService>& DemoServices();

struct DemoOptions {
  std::map<std::string, int> ports;  // key -> port (0: any free port); others use the build's
  uint64_t seed = 1;
  std::string announcedVersion = "552";
  std::string certFile;
  std::string keyFile;
  bool log = false;                    // one line per request on stderr
  std::time_t now = 0;                 // 0: the time of Start
  std::function<std::string()> codes;  // verification codes; empty: random
};

class DemoSites {
 public:
  DemoSites() = default;
  DemoSites(const DemoSites&) = delete;
  DemoSites& operator=(const DemoSites&) = delete;
  ~DemoSites() { Stop(); }

  // Binds every service and starts serving. False with *error set when a
  // port cannot be bound or the certificate cannot be loaded; nothing runs then.
  bool Start(const DemoOptions& options, std::string* error);

  // Stops every server and waits for its thread.
  void Stop();

  // "127.0.0.1:PORT" a started service listens on; empty for an unknown key.
  std::string Host(const std::string& key) const;

 private:
  struct Running {
    std::string key;
    std::string host;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
  };
  std::unique_ptr<AccountService> account_;
  std::vector<Running> running_;
};

}  // namespace jixia::demo
