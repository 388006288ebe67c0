#include "tests/robust/hostile_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace jixia::robust {

std::string HostileConnection::Target() const {
  size_t a = request_.find(' ');
  if (a == std::string::npos) return {};
  size_t b = request_.find(' ', a + 1);
  return request_.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}

bool HostileConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (stopping_) return false;
    pollfd p{fd_, POLLOUT, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool HostileConnection::Sleep(int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (stopping_) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return !stopping_;
}

void HostileConnection::Reset() {
  linger l{1, 0};
  setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
  reset_ = true;
}

HostileServer::HostileServer(Script script) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  int one = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listener_, 64) != 0)
    throw std::runtime_error("hostile server: cannot listen on loopback");
  socklen_t len = sizeof addr;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

HostileServer::~HostileServer() {
  stopping_ = true;
  acceptor_.join();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int fd : open_) shutdown(fd, SHUT_RDWR);
  }
  for (std::thread& t : workers_) t.join();
  close(listener_);
}

std::string HostileServer::host() const {
  return "127.0.0.1:" + std::to_string(port_);
}

void HostileServer::AcceptLoop() {
  while (!stopping_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) continue;
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ++accepted_;
    std::lock_guard<std::mutex> lock(mutex_);
    open_.push_back(fd);
    workers_.emplace_back([this, fd] { Serve(fd); });
  }
}

void HostileServer::Serve(int fd) {
  HostileConnection connection(fd, stopping_);
  char buffer[4096];
  while (!stopping_ && connection.request_.find("\r\n\r\n") == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    connection.request_.append(buffer, static_cast<size_t>(n));
  }
  if (connection.request_.find("\r\n\r\n") != std::string::npos) script_(connection);
  if (!connection.reset_) shutdown(fd, SHUT_WR);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_.erase(std::remove(open_.begin(), open_.end(), fd), open_.end());
  }
  close(fd);
}

std::string ResponseHead(std::string_view statusLine, const std::vector<std::string>& headers) {
  std::string head(statusLine);
  head += "\r\n";
  for (const std::string& line : headers) head += line + "\r\n";
  return head + "\r\n";
}

}  // namespace jixia::robust
