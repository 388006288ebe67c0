// A loopback server for misbehaving on purpose. Every accepted connection
// runs the test's script on its own thread: the script sees the request head
// and writes whatever it likes, as slowly as it likes, and may reset the
// connection. Destroying the server ends every script (their sends and sleeps
// start failing) and joins the threads.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace jixia::robust {

class HostileConnection {
 public:
  HostileConnection(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}

  // The request line and header lines, up to and including the empty line.
  const std::string& request() const { return request_; }
  // The request target of the request line ("/forum-1.html").
  std::string Target() const;

  // Writes all of `bytes`; false when the peer has gone or the server stops.
  bool Send(std::string_view bytes);
  // Waits `ms` milliseconds; false when the server stops meanwhile.
  bool Sleep(int ms);
  // Closes the connection with a TCP reset instead of an orderly close.
  void Reset();

 private:
  friend class HostileServer;
  int fd_;
  const std::atomic<bool>& stopping_;
  std::string request_;
  bool reset_ = false;
};

class HostileServer {
 public:
  using Script = std::function<void(HostileConnection&)>;

  explicit HostileServer(Script script);
  ~HostileServer();
  HostileServer(const HostileServer&) = delete;
  HostileServer& operator=(const HostileServer&) = delete;

  int port() const { return port_; }
  // "127.0.0.1:PORT".
  std::string host() const;
  // Connections accepted so far.
  int connections() const { return accepted_; }

 private:
  void AcceptLoop();
  void Serve(int fd);

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> accepted_{0};
  std::thread acceptor_;
  std::mutex mutex_;
  std::vector<std::thread> workers_;
  std::vector<int> open_;
};

// A complete response head: status line, the given header lines (each
// without CR LF) and the empty line.
std::string ResponseHead(std::string_view statusLine, const std::vector<std::string>& headers);

}  // namespace jixia::robust
