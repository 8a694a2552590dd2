#include "tools/feed/upstream.h"

#include <curl/curl.h>

#include <mutex>

namespace feed {

namespace {

struct Transfer {
  UpstreamResponse* response;
  size_t maxBody;
  bool tooLarge = false;
  const std::atomic<bool>* stop;
};

size_t onBody(char* bytes, size_t size, size_t count, void* data) {
  auto* transfer = static_cast<Transfer*>(data);
  const size_t n = size * count;
  if (transfer->response->body.size() + n > transfer->maxBody) {
    transfer->tooLarge = true;
    return 0;  // ends the transfer with a write error
  }
  transfer->response->body.append(bytes, n);
  return n;
}

int onProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* transfer = static_cast<Transfer*>(data);
  return transfer->stop && transfer->stop->load() ? 1 : 0;
}

void configure(CURL* curl, const std::string& url, const UpstreamLimits& limits,
               Transfer& transfer) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "orbiquant-feed/" ORBIQUANT_VERSION);
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  const bool secure = url.starts_with("https://");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");  // what libcurl can decode
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.lowSpeedSeconds));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

}  // namespace

UpstreamResponse CurlUpstream::get(const std::string& url) {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  UpstreamResponse response;
  CURL* curl = curl_easy_init();
  if (!curl) {
    response.error = "the HTTP client could not be set up";
    return response;
  }
  Transfer transfer{&response, limits_.maxBodyBytes, false, stop_};
  configure(curl, url, limits_, transfer);
  const CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  char* type = nullptr;
  curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type);
  curl_off_t retryAfter = 0;
  const bool hasRetryAfter =
      curl_easy_getinfo(curl, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK && retryAfter > 0;
  response.status = static_cast<int>(status);
  response.contentType = type ? type : "";
  response.retryAfterSeconds = hasRetryAfter ? static_cast<int64_t>(retryAfter) : -1;
  curl_easy_cleanup(curl);
  if (code == CURLE_OK) {
    response.received = true;
  } else if (transfer.tooLarge) {
    response.error = "the answer is larger than " + std::to_string(limits_.maxBodyBytes) + " bytes";
  } else {
    response.error = curl_easy_strerror(code);
  }
  if (!response.received) response.body.clear();
  return response;
}

std::string hostOf(const std::string& url) {
  const size_t start = url.find("://");
  const size_t from = start == std::string::npos ? 0 : start + 3;
  const size_t end = url.find_first_of("/?#", from);
  std::string authority = url.substr(from, end == std::string::npos ? end : end - from);
  const size_t at = authority.rfind('@');  // user:password@ stays out
  if (at != std::string::npos) authority.erase(0, at + 1);
  return authority;
}

}  // namespace feed
