#include "tests/support/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

#include "test_support/test_tls_paths.h"

namespace jixia::test {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Content-Length of a request header block, 0 when absent.
std::size_t ContentLength(const std::string& head) {
  const std::string lower = Lower(head);
  const std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoull(head.c_str() + at + 17, nullptr, 10);
}

int ConnectLoopback(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

// One accepted socket, optionally under TLS.
struct RawHttpServer::Connection {
  int fd = -1;
  SSL* ssl = nullptr;
  std::string pending;  // bytes read beyond the last request

  ~Connection() {
    if (ssl != nullptr) SSL_free(ssl);
  }
  long ReadSome(char* buffer, std::size_t size) {
    if (ssl != nullptr) return SSL_read(ssl, buffer, static_cast<int>(size));
    return recv(fd, buffer, size, 0);
  }
  bool WriteAll(const char* data, std::size_t size) {
    while (size > 0) {
      const long n = ssl != nullptr ? SSL_write(ssl, data, static_cast<int>(size))
                                    : send(fd, data, size, MSG_NOSIGNAL);
      if (n <= 0) return false;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }
  // Reads one request (head and Content-Length body); false at the end of
  // the connection.
  bool ReadRequest(std::string* request) {
    char buffer[16384];
    std::size_t headEnd;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
      const long n = ReadSome(buffer, sizeof buffer);
      if (n <= 0) return false;
      pending.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t total = headEnd + 4 + ContentLength(pending.substr(0, headEnd + 2));
    while (pending.size() < total) {
      const long n = ReadSome(buffer, sizeof buffer);
      if (n <= 0) return false;
      pending.append(buffer, static_cast<std::size_t>(n));
    }
    *request = pending.substr(0, total);
    pending.erase(0, total);
    return true;
  }
};

RawReply Response(const std::string& statusLine, const std::vector<std::string>& headerLines,
                  const std::string& body) {
  std::string bytes = "HTTP/1.1 " + statusLine + "\r\n";
  bool hasLength = false;
  for (const std::string& line : headerLines) {
    bytes += line + "\r\n";
    hasLength = hasLength || Lower(line).rfind("content-length:", 0) == 0;
  }
  if (!hasLength) bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  RawReply reply;
  reply.bytes = bytes + "\r\n" + body;
  return reply;
}

RawHttpServer::RawHttpServer(Mode mode) : mode_(mode) {
  std::signal(SIGPIPE, SIG_IGN);
  if (mode_ == Mode::kTls) {
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (context == nullptr || SSL_CTX_use_certificate_chain_file(context, kTestCertFile) != 1 ||
        SSL_CTX_use_PrivateKey_file(context, kTestKeyFile, SSL_FILETYPE_PEM) != 1) {
      throw std::runtime_error("test TLS certificate not usable");
    }
    tlsContext_ = context;
  }
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listenFd_, 64) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (int fd : openFds_) shutdown(fd, SHUT_RDWR);
  }
  changed_.notify_all();
  acceptThread_.join();
  for (std::thread& thread : threads_) thread.join();
  close(listenFd_);
  if (tlsContext_ != nullptr) SSL_CTX_free(static_cast<SSL_CTX*>(tlsContext_));
}

std::string RawHttpServer::BaseUrl() const {
  return std::string(mode_ == Mode::kTls ? "https" : "http") +
         "://127.0.0.1:" + std::to_string(port_);
}

void RawHttpServer::AddReply(RawReply reply) {
  std::lock_guard lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<std::string> RawHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::size_t RawHttpServer::RequestCount() const {
  std::lock_guard lock(mutex_);
  return requests_.size();
}

std::string RawHttpServer::Request(std::size_t i) const {
  std::lock_guard lock(mutex_);
  return i < requests_.size() ? requests_[i] : std::string();
}

bool RawHttpServer::WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= n; });
}

bool RawHttpServer::Wait(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, duration, [&] { return stopping_; });
}

RawReply RawHttpServer::NextReply() {
  std::lock_guard lock(mutex_);
  if (replies_.empty()) return Response("404 Not Found", {}, "");
  RawReply reply = std::move(replies_.front());
  replies_.pop_front();
  return reply;
}

void RawHttpServer::Record(std::string request) {
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(request));
  }
  changed_.notify_all();
}

void RawHttpServer::AcceptLoop() {
  for (;;) {
    pollfd watch{listenFd_, POLLIN, 0};
    poll(&watch, 1, 20);
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    if ((watch.revents & POLLIN) == 0) continue;
    const int fd = accept(listenFd_, nullptr, nullptr);
    if (fd < 0) continue;
    openFds_.push_back(fd);
    threads_.emplace_back([this, fd] {
      if (mode_ == Mode::kProxy) {
        ServeProxy(fd);
      } else {
        Serve(fd);
      }
      std::lock_guard inner(mutex_);
      openFds_.erase(std::find(openFds_.begin(), openFds_.end(), fd));
      close(fd);
    });
  }
}

void RawHttpServer::Serve(int fd) {
  Connection connection;
  connection.fd = fd;
  if (tlsContext_ != nullptr) {
    connection.ssl = SSL_new(static_cast<SSL_CTX*>(tlsContext_));
    SSL_set_fd(connection.ssl, fd);
    if (SSL_accept(connection.ssl) != 1) return;
  }
  std::string request;
  while (connection.ReadRequest(&request)) {
    Record(request);
    RawReply reply = NextReply();
    if (reply.closeWithoutAnswer) return;
    if (reply.reset) {
      const linger abort{1, 0};
      setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
      return;
    }
    if (reply.silent) {
      Wait(std::chrono::hours(1));
      return;
    }
    if (reply.delay.count() > 0 && !Wait(reply.delay)) return;

    const std::size_t limit = std::min(reply.stallAfter, reply.bytes.size());
    const std::size_t piece = reply.dripBytes > 0 ? reply.dripBytes : limit;
    for (std::size_t sent = 0; sent < limit; sent += piece) {
      if (sent > 0 && reply.dripEvery.count() > 0 && !Wait(reply.dripEvery)) return;
      if (!connection.WriteAll(reply.bytes.data() + sent, std::min(piece, limit - sent))) return;
    }
    if (limit < reply.bytes.size()) {
      Wait(reply.stallFor);
      return;
    }
    const std::string chunk(64 * 1024, reply.filler);
    for (long long left = reply.fillerBytes; left > 0;) {
      const std::size_t n = static_cast<std::size_t>(std::min<long long>(left, chunk.size()));
      if (!connection.WriteAll(chunk.data(), n)) return;
      left -= static_cast<long long>(n);
    }
    if (reply.closeAfter) return;
  }
}

// Forwards to 127.0.0.1 only: "GET http://127.0.0.1:port/path" is passed on
// in origin form, "CONNECT 127.0.0.1:port" opens a tunnel; then bytes are
// relayed both ways until either side closes.
void RawHttpServer::ServeProxy(int fd) {
  Connection client;
  client.fd = fd;
  std::string request;
  if (!client.ReadRequest(&request)) return;
  Record(request);
  const std::size_t lineEnd = request.find("\r\n");
  const std::string line = request.substr(0, lineEnd);
  const std::size_t firstBlank = line.find(' ');
  const std::size_t lastBlank = line.rfind(' ');
  const std::string verb = line.substr(0, firstBlank);
  std::string target = line.substr(firstBlank + 1, lastBlank - firstBlank - 1);

  std::string forward;
  if (verb != "CONNECT") {
    if (target.rfind("http://", 0) != 0) return;
    target.erase(0, 7);
    const std::size_t slash = target.find('/');
    const std::string path = slash == std::string::npos ? "/" : target.substr(slash);
    target = target.substr(0, slash);
    forward = verb + " " + path + line.substr(lastBlank) + request.substr(lineEnd);
  }
  const std::size_t colon = target.rfind(':');
  const std::string host = target.substr(0, colon);
  const int port = colon == std::string::npos ? 80 : std::atoi(target.c_str() + colon + 1);
  const int upstream = (host == "127.0.0.1" || host == "localhost") ? ConnectLoopback(port) : -1;
  if (upstream < 0) {
    const std::string refused = "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n";
    client.WriteAll(refused.data(), refused.size());
    return;
  }
  {
    std::lock_guard lock(mutex_);
    openFds_.push_back(upstream);
  }
  if (verb == "CONNECT") {
    const std::string established = "HTTP/1.1 200 Connection established\r\n\r\n";
    client.WriteAll(established.data(), established.size());
  }
  forward += client.pending;
  bool alive = send(upstream, forward.data(), forward.size(), MSG_NOSIGNAL) ==
               static_cast<long>(forward.size());
  char buffer[16384];
  while (alive) {
    pollfd watch[2] = {{fd, POLLIN, 0}, {upstream, POLLIN, 0}};
    poll(watch, 2, 20);
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
    }
    for (int i = 0; i < 2 && alive; ++i) {
      if ((watch[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const long n = recv(watch[i].fd, buffer, sizeof buffer, 0);
      alive =
          n > 0 && send(watch[1 - i].fd, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL) == n;
    }
  }
  std::lock_guard lock(mutex_);
  openFds_.erase(std::find(openFds_.begin(), openFds_.end(), upstream));
  close(upstream);
}

}  // namespace jixia::test
