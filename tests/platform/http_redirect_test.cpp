// Redirects between a loopback TLS server and a plain one. The TLS server's certificate comes
// from a certificate authority made for the test with the openssl tool, which the requests
// trust through HttpRequest::testCaFile.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "platform/http.h"
#include "tests/support/loopback_server.h"
#include "tests/support/temp_dir.h"

namespace {

// A certificate authority and a certificate for 127.0.0.1 that it signed, valid for a day.
bool makeCertificates(const TempDir& dir) {
  std::ofstream(dir.file("server.ext"))
      << "basicConstraints=CA:FALSE\nsubjectAltName=IP:127.0.0.1\n";
  const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
  const std::string command =
      "cd '" + dir.path() + "' && openssl req -x509" + ec +
      " -keyout ca.key -out ca.pem -days 1 -subj /CN=orbiquant-test-ca && openssl req" + ec +
      " -keyout server.key -out server.csr -subj /CN=127.0.0.1 && openssl x509 -req -in"
      " server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 1"
      " -extfile server.ext";
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

class TlsServer {
 public:
  TlsServer(const std::string& certificate, const std::string& key)
      : server_(certificate.c_str(), key.c_str()) {
    port_ = server_.is_valid() ? server_.bind_to_any_port("127.0.0.1") : -1;
    if (port_ > 0) thread_ = std::thread([this] { server_.listen_after_bind(); });
    for (int i = 0; i < 200 && port_ > 0 && !server_.is_running(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~TlsServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }
  httplib::SSLServer& server() { return server_; }
  int port() const { return port_; }

 private:
  httplib::SSLServer server_;
  int port_ = -1;
  std::thread thread_;
};

struct Body : platform::HttpReceiver {
  std::string text;
  bool body(std::span<const char> bytes) override {
    text.append(bytes.data(), bytes.size());
    return true;
  }
};

// What starts encrypted stays encrypted: a redirect from https to http is not followed (the
// plain server never sees the request), one to https is; plain http may go either way.
TEST(HttpRedirects, HttpsFollowsRedirectsToHttpsOnly) {
  TempDir dir;
  ASSERT_TRUE(makeCertificates(dir)) << "the openssl tool could not make the certificates";
  TlsServer tls(dir.file("server.pem"), dir.file("server.key"));
  ASSERT_GT(tls.port(), 0);
  testing_support::LoopbackServer plain;
  const std::string tlsBase = "https://127.0.0.1:" + std::to_string(tls.port());
  const std::string plainBase = "http://" + plain.host();
  tls.server().Get("/script", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("secure", "text/plain");
  });
  for (const auto& [path, to] : {std::pair{"/to-http", plainBase}, {"/to-https", tlsBase}}) {
    const std::string location = to + "/script";
    tls.server().Get(path, [location](const httplib::Request&, httplib::Response& response) {
      response.set_redirect(location);
    });
    plain.answerRedirect(path, location);
  }
  plain.answer("/script", 200, "plain", "text/plain");
  const struct {
    std::string url;
    platform::HttpOutcome outcome;
    std::string body;
  } cases[] = {
      {tlsBase + "/to-http", platform::HttpOutcome::readFailed, ""},
      {tlsBase + "/to-https", platform::HttpOutcome::ok, "secure"},
      {plainBase + "/to-https", platform::HttpOutcome::ok, "secure"},
      {plainBase + "/to-http", platform::HttpOutcome::ok, "plain"},
  };
  for (const auto& c : cases) {
    platform::HttpRequest request;
    request.url = c.url;
    request.direct = true;
    request.testCaFile = dir.file("ca.pem");
    Body body;
    const auto result = platform::curlHttpClient().get(request, body);
    EXPECT_EQ(result.outcome, c.outcome) << c.url;
    EXPECT_EQ(body.text, c.body) << c.url;
  }
  // The plain server's script was asked for once: by the transfer that started on plain http.
  size_t plainScripts = 0;
  for (const auto& request : plain.requests()) plainScripts += request.path == "/script";
  EXPECT_EQ(plainScripts, 1u);
}

}  // namespace
