#pragma once
// Requests to the outside world: the quote source and the user's news feeds. One GET per
// call, bounded as the program's own transfers are: a connect time-out, a total time-out, a
// low-speed limit and a cap on the body. Redirects are followed (at most 5), never from https
// to http. Messages never hold the address, so a token in it stays out of every log.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace feed {

struct UpstreamLimits {
  uint32_t connectTimeoutMs = 10000;
  uint32_t totalTimeoutMs = 30000;
  uint32_t lowSpeedSeconds = 10;  // below 1 byte a second for this long: abandoned
  size_t maxBodyBytes = 1000000;
};

struct UpstreamResponse {
  bool received = false;  // a whole response came (any status)
  int status = 0;
  std::string contentType;
  int64_t retryAfterSeconds = -1;  // from Retry-After (seconds or a date), -1 when absent
  std::string body;
  std::string error;  // when not received: what went wrong, without the address
};

class Upstream {
 public:
  virtual ~Upstream() = default;
  virtual UpstreamResponse get(const std::string& url) = 0;
};

// The libcurl client. Transfers in progress end soon after `stop` becomes true.
class CurlUpstream : public Upstream {
 public:
  explicit CurlUpstream(UpstreamLimits limits, const std::atomic<bool>* stop = nullptr)
      : limits_(limits), stop_(stop) {}
  UpstreamResponse get(const std::string& url) override;

 private:
  UpstreamLimits limits_;
  const std::atomic<bool>* stop_;
};

// The host of a web address ("quotes.example" for "https://quotes.example:8443/v1?x"), for
// messages that must name a source without its path and query.
std::string hostOf(const std::string& url);

}  // namespace feed
