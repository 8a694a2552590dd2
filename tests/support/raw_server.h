#pragma once
// A TCP server on 127.0.0.1 that answers with raw bytes, for what an HTTP server library will
// not send: a broken or missing status line, endless headers, a body dripped a byte at a time.
// Bound to a free port when constructed, it serves one connection at a time on its own thread:
// it reads the request head, counts it, plays the answer and closes. Every wait is bounded and
// ends early when the client goes away or the server is destroyed.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace testing_support {

class RawServer {
 public:
  // One accepted connection whose request head has been read.
  class Connection {
   public:
    Connection(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}

    // Writes all of `bytes`; false once the client has gone or the server is stopping.
    bool send(std::string_view bytes) {
      while (!bytes.empty()) {
        if (!ready(POLLOUT, 20)) {
          if (stopping_) return false;
          continue;
        }
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (n > 0) bytes.remove_prefix(static_cast<size_t>(n));
      }
      return true;
    }

    // Waits `ms` milliseconds; false as soon as the client closes or the server is stopping.
    bool pause(int ms) {
      const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
      while (std::chrono::steady_clock::now() < end) {
        if (stopping_) return false;
        if (ready(POLLIN | POLLRDHUP, 20)) {
          char scratch[512];
          const ssize_t n = ::recv(fd_, scratch, sizeof scratch, MSG_DONTWAIT);
          if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return false;
        }
      }
      return !stopping_;
    }

    // Reads up to the blank line that ends the request head (at most 64 KB, at most 2 s).
    bool readRequestHead() {
      std::string head;
      char chunk[1024];
      for (int slice = 0; slice < 100 && !stopping_; ++slice) {
        if (!ready(POLLIN, 20)) continue;
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return false;
        if (n > 0) head.append(chunk, static_cast<size_t>(n));
        if (head.find("\r\n\r\n") != std::string::npos) return true;
        if (head.size() > 65536) return false;
      }
      return false;
    }

   private:
    bool ready(short events, int ms) {
      pollfd entry{fd_, events, 0};
      return ::poll(&entry, 1, ms) > 0;
    }

    int fd_;
    const std::atomic<bool>& stopping_;
  };

  using Answer = std::function<void(Connection&)>;

  explicit RawServer(Answer answer) : answer_(std::move(answer)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (listener_ < 0 || ::bind(listener_, raw, size) != 0 || ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, raw, &size) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }

  ~RawServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
  }

  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  // The host value for the transfers: "127.0.0.1:port".
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
  // Request heads read so far.
  int requests() const { return requests_; }

  // Sends `bytes` and closes.
  static Answer answerBytes(std::string bytes) {
    return [bytes](Connection& connection) { connection.send(bytes); };
  }
  // Keeps the connection open without a byte, until the client gives up.
  static Answer answerNever() {
    return [](Connection& connection) { connection.pause(30000); };
  }
  // Sends `head` at once, then `body` one byte every `intervalMs`.
  static Answer answerDrip(std::string head, std::string body, int intervalMs) {
    return [head, body, intervalMs](Connection& connection) {
      if (!connection.send(head)) return;
      for (const char c : body) {
        if (!connection.pause(intervalMs) || !connection.send(std::string_view(&c, 1))) return;
      }
    };
  }
  // Sends `head`, then `size` bytes of `fill` repeated, or until the client stops reading.
  static Answer answerStream(std::string head, size_t size, std::string fill) {
    return [head, size, fill](Connection& connection) {
      if (!connection.send(head)) return;
      for (size_t sent = 0; sent < size; sent += fill.size()) {
        if (!connection.send(std::string_view(fill).substr(0, size - sent))) return;
      }
    };
  }

 private:
  void serve() {
    while (!stopping_) {
      pollfd entry{listener_, POLLIN, 0};
      if (::poll(&entry, 1, 20) <= 0) continue;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      Connection connection(fd, stopping_);
      if (connection.readRequestHead()) {
        ++requests_;
        answer_(connection);
      }
      ::close(fd);
    }
  }

  Answer answer_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> requests_{0};
};

}  // namespace testing_support
