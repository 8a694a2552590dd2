#pragma once
// HTTP GET of one address, the only network client of the program. One transfer is one call:
// a fresh libcurl easy handle is made, used and cleaned up inside it, so nothing stays open
// between transfers. The body is handed out in pieces as it arrives; the receiver decides
// where it goes and may stop the transfer once it has no more room.
//
// Failures come back as the step of the exchange that failed, so that callers can map them
// onto their own result codes without knowing the library's error numbers.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct HttpRequest {
  std::string url;  // "http://" or "https://", host[:port], path
  std::string userAgent;
  bool direct = false;  // true: never through a proxy (loopback hosts)
  uint32_t connectTimeoutMs = 10000;
  uint32_t totalTimeoutMs = 120000;
  // A transfer slower than lowSpeedBytes per second for lowSpeedSeconds is abandoned.
  uint32_t lowSpeedBytes = 1;
  uint32_t lowSpeedSeconds = 10;
  // Tests only: a file of certificate authorities trusted instead of the system's, for a
  // loopback TLS server of their own. The program never sets it.
  std::string testCaFile;
};

enum class HttpOutcome {
  ok,             // the whole body was received, or the receiver stopped it
  noHandle,       // the client could not be set up
  connectFailed,  // name resolution or connection failed (or timed out)
  badAddress,     // malformed address or unsupported scheme
  sendFailed,     // connected, but no complete response headers (includes TLS failures)
  readFailed,     // the headers came, the body broke off (or timed out)
};

struct HttpResult {
  HttpOutcome outcome = HttpOutcome::noHandle;
  int status = 0;  // the HTTP status of the response, 0 when none came
};

// Calls made by the client during one transfer, on the calling thread.
class HttpReceiver {
 public:
  virtual ~HttpReceiver() = default;
  virtual void connecting() {}       // the handle is set up; the connection is being made
  virtual void responseStarted() {}  // the response headers are complete (called once)
  // The next piece of the body. Returning false ends the transfer as a success: the receiver
  // has no room for more, and what was not taken counts as not read.
  virtual bool body(std::span<const char> bytes) = 0;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual HttpResult get(const HttpRequest& request, HttpReceiver& receiver) = 0;
};

// The libcurl client. Proxies come from http_proxy, https_proxy and no_proxy; redirects are
// followed (at most 5, http and https only). A transfer that starts on https follows
// redirects to https only: an answer that sends it to http ends it as a failure.
HttpClient& curlHttpClient();

// True when a network interface other than loopback is up and has an address.
bool networkInterfaceUp();

// A client for tests that plays one scripted exchange per call and records the requests.
class ScriptedHttpClient : public HttpClient {
 public:
  struct Exchange {
    HttpOutcome outcome = HttpOutcome::ok;
    bool headers = true;              // whether responseStarted is called
    std::vector<std::string> pieces;  // body pieces handed to the receiver in order
    int status = 200;
  };
  std::vector<Exchange> exchanges;  // played front to back; an empty list answers noHandle
  std::vector<HttpRequest> requests;

  HttpResult get(const HttpRequest& request, HttpReceiver& receiver) override;
};

}  // namespace platform
