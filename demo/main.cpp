// jixia-demo-sites: serves a replica of every outside service the program
// talks to, on loopback, until interrupted.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>
#include <map>
#include <string>

#include "demo/demo_sites.h"
#include "demo/demo_tls_paths.h"

namespace jixia::demo {
namespace {

constexpr char kFooter[] = R"(
Every service listens on 127.0.0.1 at the port of the build's host variables
(JIXIA_FORUM_A_HOST ... JIXIA_ACCOUNT_HOST) unless an option moves it. Port 0
means any free port. Once all listen, one line per service goes to stdout
("KEY http[s]://127.0.0.1:PORT"), then the line "ready".
Stop with Ctrl+C (SIGINT) or SIGTERM.)";

int Run(int argc, char** argv) {
  CLI::App app(
      "Replica of every outside service of jixia: the seven listing sites, the profile "
      "service, the download page and the account service.",
      "jixia-demo-sites");
  app.footer(kFooter);
  DemoOptions options;
  options.certFile = kDemoCertFile;
  options.keyFile = kDemoKeyFile;
  int portBase = -1;
  std::map<std::string, int> ports;
  app.add_option("--port-base", portBase,
                 "put the ten services on ports N, N+1, ... N+9 in the order below (0: any free "
                 "ports)")
      ->check(CLI::Range(0, 65526));
  for (const DemoService& service : DemoServices()) {
    app.add_option(
           std::string("--") + service.key + "-port", ports[service.key],
           std::string("port of ") + service.what + " (default " + service.configuredHost + ")")
        ->check(CLI::Range(0, 65535));
  }
  app.add_flag("--log", options.log,
               "log every request to stderr: service, method, host, target, status");
  app.add_option("--announce-version", options.announcedVersion,
                 "version the profile service announces (the program's own is 552; any other "
                 "number takes its update path)")
      ->default_str("552");
  app.add_option("--seed", options.seed, "seed of the generated posts")->default_str("1");
  app.add_option("--cert", options.certFile, "server certificate (PEM) of the HTTPS services")
      ->default_str(kDemoCertFile);
  app.add_option("--key", options.keyFile, "private key (PEM) of that certificate")
      ->default_str(kDemoKeyFile);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }

  int index = 0;
  for (const DemoService& service : DemoServices()) {
    if (portBase >= 0) options.ports[service.key] = portBase == 0 ? 0 : portBase + index;
    if (app.get_option(std::string("--") + service.key + "-port")->count() > 0) {
      options.ports[service.key] = ports[service.key];
    }
    ++index;
  }

  // Block the stop signals before any server thread starts, so that only
  // sigwait below sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  DemoSites sites;
  std::string error;
  if (!sites.Start(options, &error)) {
    std::cerr << "jixia-demo-sites: " << error << "\n";
    return 1;
  }
  for (const DemoService& service : DemoServices()) {
    std::cout << service.key << ' ' << (service.tls ? "https://" : "http://")
              << sites.Host(service.key) << '\n';
  }
  std::cout << "ready" << std::endl;

  int received = 0;
  sigwait(&stopSignals, &received);
  sites.Stop();
  return 0;
}

}  // namespace
}  // namespace jixia::demo

int main(int argc, char** argv) {
  return jixia::demo::Run(argc, argv);
}
