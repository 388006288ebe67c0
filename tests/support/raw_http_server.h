// A raw-socket HTTP test server on 127.0.0.1: it records the exact bytes of
// every request and answers with scripted raw replies, so tests can check
// the request text byte for byte and provoke every failure stage. Plain
// HTTP, TLS (the test CA's loopback certificate) or a forwarding proxy.
// No toolkit; one thread per connection.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace jixia::test {

// One scripted answer to one request.
struct RawReply {
  std::string bytes;                   // sent exactly as given
  std::chrono::milliseconds delay{0};  // wait before the first byte
  // Send only the first stallAfter bytes, then hold the connection open
  // (sending nothing) for stallFor, then close it.
  std::size_t stallAfter = std::string::npos;
  std::chrono::milliseconds stallFor{0};
  // Drip: send dripBytes at a time with dripEvery between pieces.
  std::size_t dripBytes = 0;
  std::chrono::milliseconds dripEvery{0};
  // After `bytes`, stream this many filler bytes generated on the fly (for
  // huge bodies the test must not hold in memory).
  long long fillerBytes = 0;
  char filler = 'x';
  bool closeWithoutAnswer = false;  // read the request, then close
  bool silent = false;              // read the request, never answer until the server stops
  bool reset = false;               // read the request, then reset the connection (RST)
  bool closeAfter = false;          // close the connection after this reply
};

// Shorthands for common replies.
// "HTTP/1.1 <statusLine>\r\n" + each header line + "\r\n" + "Content-Length"
// and the body; headerLines are "Name: value" without CR LF.
RawReply Response(const std::string& statusLine, const std::vector<std::string>& headerLines,
                  const std::string& body);
inline RawReply Ok(const std::string& body) {
  return Response("200 OK", {}, body);
}

class RawHttpServer {
 public:
  enum class Mode {
    kPlain,  // HTTP
    kTls,    // HTTPS with kTestCertFile / kTestKeyFile
    kProxy,  // forwarding proxy: absolute-form requests and CONNECT tunnels to 127.0.0.1 only
  };

  // Starts listening on a free port of 127.0.0.1.
  explicit RawHttpServer(Mode mode = Mode::kPlain);
  // Stops: ends stalls and silent replies, closes every connection, joins.
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" or "https://..." (kTls).
  std::string BaseUrl() const;

  // Queues a reply; requests take replies in order. Without a queued reply a
  // request gets "404 Not Found" with an empty body.
  void AddReply(RawReply reply);

  // Exact bytes of each request received so far (request line, header lines,
  // empty line and the body read by Content-Length). In kProxy mode: the
  // first request of each client connection as the proxy received it
  // (absolute-form request line or CONNECT).
  std::vector<std::string> Requests() const;
  std::size_t RequestCount() const;
  // The i-th request (0-based), empty when there is none.
  std::string Request(std::size_t i) const;
  // Waits up to `timeout` until n requests have been recorded.
  bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;

 private:
  struct Connection;
  void AcceptLoop();
  void Serve(int fd);
  void ServeProxy(int fd);
  bool Wait(std::chrono::milliseconds duration);  // false when stopping
  RawReply NextReply();
  void Record(std::string request);

  Mode mode_;
  int listenFd_ = -1;
  int port_ = 0;
  void* tlsContext_ = nullptr;  // SSL_CTX*
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool stopping_ = false;
  std::deque<RawReply> replies_;
  std::vector<std::string> requests_;
  std::vector<int> openFds_;
  std::vector<std::thread> threads_;
  std::thread acceptThread_;
};

}  // namespace jixia::test
