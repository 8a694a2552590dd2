#include "platform/http.h"

#include <curl/curl.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <mutex>

namespace platform {

namespace {

// What one transfer has seen so far; the failure mapping depends on how far it got.
struct TransferState {
  HttpReceiver* receiver = nullptr;
  bool connected = false;
  bool headersDone = false;
  bool stoppedByReceiver = false;
};

void initialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int onConnected(void* data, char*, char*, int, int) {
  static_cast<TransferState*>(data)->connected = true;
  return CURL_PREREQFUNC_OK;
}

// A header block ends with an empty line; only the first one is announced, the body of a
// followed redirect never reaches the receiver anyway.
size_t onHeader(char* bytes, size_t size, size_t count, void* data) {
  auto* state = static_cast<TransferState*>(data);
  const size_t n = size * count;
  const bool blankLine =
      (n == 2 && bytes[0] == '\r' && bytes[1] == '\n') || (n == 1 && bytes[0] == '\n');
  if (blankLine && !state->headersDone) {
    state->headersDone = true;
    state->receiver->responseStarted();
  }
  return n;
}

size_t onBody(char* bytes, size_t size, size_t count, void* data) {
  auto* state = static_cast<TransferState*>(data);
  const size_t n = size * count;
  if (!state->headersDone) {  // no blank line seen: the body still marks the response
    state->headersDone = true;
    state->receiver->responseStarted();
  }
  if (!state->receiver->body(std::span<const char>(bytes, n))) {
    state->stoppedByReceiver = true;
    return 0;  // makes libcurl end the transfer with a write error
  }
  return n;
}

HttpOutcome mapFailure(CURLcode code, const TransferState& state) {
  switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:  // also a server answering without a status line
    case CURLE_URL_MALFORMAT:
      if (!state.connected) return HttpOutcome::badAddress;
      break;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
      return HttpOutcome::connectFailed;
    default:
      break;
  }
  // Time-outs and broken connections count against the step they interrupted.
  if (state.headersDone) return HttpOutcome::readFailed;
  if (state.connected) return HttpOutcome::sendFailed;
  return code == CURLE_OPERATION_TIMEDOUT ? HttpOutcome::connectFailed : HttpOutcome::sendFailed;
}

void configure(CURL* curl, const HttpRequest& request, TransferState& state) {
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // What started encrypted stays encrypted: no redirect of an https address to plain http.
  const bool secure = request.url.compare(0, 8, "https://") == 0;
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
  if (!request.testCaFile.empty()) {
    curl_easy_setopt(curl, CURLOPT_CAINFO, request.testCaFile.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  if (request.direct) curl_easy_setopt(curl, CURLOPT_PROXY, "");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(request.lowSpeedBytes));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(request.lowSpeedSeconds));
  curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, onConnected);
  curl_easy_setopt(curl, CURLOPT_PREREQDATA, &state);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
}

class CurlHttpClient : public HttpClient {
 public:
  HttpResult get(const HttpRequest& request, HttpReceiver& receiver) override {
    initialiseOnce();
    CURL* curl = curl_easy_init();
    if (!curl) return {HttpOutcome::noHandle, 0};
    TransferState state;
    state.receiver = &receiver;
    configure(curl, request, state);
    receiver.connecting();
    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    HttpResult result{HttpOutcome::ok, static_cast<int>(status)};
    if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && state.stoppedByReceiver)) {
      result.outcome = mapFailure(code, state);
    }
    return result;
  }
};

}  // namespace

HttpClient& curlHttpClient() {
  static CurlHttpClient client;
  return client;
}

bool networkInterfaceUp() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool up = false;
  for (ifaddrs* entry = list; entry && !up; entry = entry->ifa_next) {
    const unsigned flags = entry->ifa_flags;
    up = entry->ifa_addr && (flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK);
  }
  freeifaddrs(list);
  return up;
}

HttpResult ScriptedHttpClient::get(const HttpRequest& request, HttpReceiver& receiver) {
  requests.push_back(request);
  if (exchanges.empty()) return {HttpOutcome::noHandle, 0};
  const Exchange exchange = exchanges.front();
  exchanges.erase(exchanges.begin());
  if (exchange.outcome == HttpOutcome::noHandle) return {exchange.outcome, 0};
  receiver.connecting();
  if (exchange.headers) receiver.responseStarted();
  for (const std::string& piece : exchange.pieces) {
    if (!receiver.body(std::span<const char>(piece.data(), piece.size()))) {
      return {HttpOutcome::ok, exchange.status};
    }
  }
  return {exchange.outcome, exchange.headers ? exchange.status : 0};
}

}  // namespace platform
