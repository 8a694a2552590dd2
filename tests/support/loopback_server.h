#pragma once
// An HTTP server on 127.0.0.1 for network tests: bound to a free port when constructed,
// serving on its own thread, stopped when destroyed. Each path is given one way of answering:
// a body with a status, a body of a given size, a body cut off before its announced length,
// or a connection that is accepted and never answered (until the server stops).
#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class LoopbackServer {
 public:
  struct Request {
    std::string path;
    std::string userAgent;
    std::string symbol;  // the query parameter "s" of a quote page request
  };

  LoopbackServer() : LoopbackServer(std::make_unique<httplib::Server>()) {}
  // An HTTPS server with this certificate (PEM files).
  LoopbackServer(const std::string& certificate, const std::string& key)
      : LoopbackServer(std::make_unique<httplib::SSLServer>(certificate.c_str(), key.c_str())) {}

  explicit LoopbackServer(std::unique_ptr<httplib::Server> server) : owned_(std::move(server)) {
    server_.set_keep_alive_max_count(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ > 0) thread_ = std::thread([this] { server_.listen_after_bind(); });
    // The socket already listens; wait (bounded) only so that stop() finds the loop running.
    for (int i = 0; i < 200 && port_ > 0 && !server_.is_running(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  ~LoopbackServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    released_.notify_all();
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  // The host value for the transfers: "127.0.0.1:port".
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

  void answer(const std::string& path, int status, const std::string& body,
              const std::string& type = "text/html") {
    server_.Get(path, [this, status, body, type](const httplib::Request& request,
                                                 httplib::Response& response) {
      record(request);
      response.status = status;
      response.set_content(body, type.c_str());
    });
  }

  // A redirect (302) to `location`.
  void answerRedirect(const std::string& path, const std::string& location) {
    server_.Get(path,
                [this, location](const httplib::Request& request, httplib::Response& response) {
                  record(request);
                  response.set_redirect(location);
                });
  }

  // A body of `size` bytes of the letters a to z, repeated.
  static std::string patternBody(size_t size) {
    std::string body(size, ' ');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i % 26);
    return body;
  }

  void answerSize(const std::string& path, size_t size) {
    answer(path, 200, patternBody(size), "text/plain");
  }

  // Announces `announced` bytes, sends the first `sent` of them and closes the connection.
  void answerCut(const std::string& path, size_t announced, size_t sent) {
    server_.Get(path, [this, announced, sent](const httplib::Request& request,
                                              httplib::Response& response) {
      record(request);
      const std::string body = patternBody(sent);
      response.set_content_provider(
          announced, "text/plain", [body](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset == 0 && !body.empty()) sink.write(body.data(), body.size());
            return false;  // abandons the response: the connection is closed
          });
    });
  }

  // Accepts the request and never answers it; the handler is released when the server stops.
  void answerNever(const std::string& path) {
    server_.Get(path, [this](const httplib::Request& request, httplib::Response&) {
      record(request);
      std::unique_lock lock(mutex_);
      released_.wait_for(lock, std::chrono::seconds(30), [this] { return stopping_; });
    });
  }

  std::vector<Request> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  // A port on 127.0.0.1 where nothing listens: one that a server just gave up.
  static int refusedPort() {
    int port = 0;
    {
      LoopbackServer server;
      port = server.port();
    }
    return port;
  }

 private:
  void record(const httplib::Request& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(
        {request.path, request.get_header_value("User-Agent"), request.get_param_value("s")});
  }

  std::unique_ptr<httplib::Server> owned_;
  httplib::Server& server_ = *owned_;
  int port_ = -1;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool stopping_ = false;
  std::vector<Request> requests_;
};

}  // namespace testing_support
