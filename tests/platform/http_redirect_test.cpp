// Redirects between a loopback TLS server and a plain one. The TLS server's certificate comes
// from a certificate authority made for the test with the openssl tool, which the requests
// trust through HttpRequest::testCaFile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

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
      " -extfile server.ext >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

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
  testing_support::LoopbackServer tls(dir.file("server.pem"), dir.file("server.key"));
  testing_support::LoopbackServer plain;
  ASSERT_GT(tls.port(), 0);
  const std::string tlsBase = "https://" + tls.host();
  const std::string plainBase = "http://" + plain.host();
  for (auto* server : {&tls, &plain}) {
    server->answer("/script", 200, server == &tls ? "secure" : "plain", "text/plain");
    server->answerRedirect("/to-http", plainBase + "/script");
    server->answerRedirect("/to-https", tlsBase + "/script");
  }
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
    EXPECT_EQ(platform::curlHttpClient().get(request, body).outcome, c.outcome) << c.url;
    EXPECT_EQ(body.text, c.body) << c.url;
  }
  // The plain server's script was asked for once: by the transfer that started on plain http.
  size_t plainScripts = 0;
  for (const auto& request : plain.requests()) plainScripts += request.path == "/script";
  EXPECT_EQ(plainScripts, 1u);
}

}  // namespace
