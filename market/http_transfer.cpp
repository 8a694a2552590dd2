#include "market/http_transfer.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "market/fetch_context.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/text.h"

namespace {

// The step of the exchange that ended a transfer.
enum class Step { done, noNetwork, open, connect, request, send, firstRead, laterRead };

enum class Operation { page, config, feed };

int32_t resultCode(Step step, Operation operation, bool scriptDownloading) {
  int32_t code = 0;
  switch (step) {
    case Step::done:
      return 0;
    case Step::noNetwork:
      if (operation == Operation::page && !scriptDownloading) return 11002;
      return kOffline;
    case Step::open:
      code = 11000;
      break;
    case Step::connect:
      code = 11001;
      break;
    case Step::request:
      code = 11002;
      break;
    case Step::send:
      code = 11003;
      break;
    case Step::firstRead:
      code = 10001;
      break;
    case Step::laterRead:
      code = 10000;
      break;
  }
  return operation == Operation::config ? -code : code;
}

// ---- Host values --------------------------------------------------------------------------

bool isHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
}

bool isDottedLoopback(std::string_view name) {
  int parts = 0;
  size_t i = 0;
  while (i <= name.size()) {
    const size_t end = std::min(name.find('.', i), name.size());
    const std::string_view part = name.substr(i, end - i);
    if (part.empty() || part.size() > 3) return false;
    if (!std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return false;
    }
    const int32_t value = platform::leadingInt(part);
    if (value > 255 || (parts == 0 && value != 127)) return false;
    ++parts;
    i = end + 1;
  }
  return parts == 4;
}

bool isLoopbackName(std::string_view name) {
  return platform::equalsIgnoreCase(name, "localhost") || name == "::1" || name == "[::1]" ||
         isDottedLoopback(name);
}

bool validPort(std::string_view port) {
  if (port.empty() || port.size() > 5) return false;
  if (!std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  const int32_t value = platform::leadingInt(port);
  return value >= 1 && value <= 65535;
}

// Splits "name", "name:port", "[v6]:port" or a bare IPv6 address into the name for the
// loopback test and the authority for the address; false when it is not one of them.
bool splitAuthority(std::string_view hostPort, std::string& name, std::string& authority) {
  if (hostPort.empty() || !std::all_of(hostPort.begin(), hostPort.end(), isHostChar)) {
    return false;
  }
  if (hostPort.front() == '[') {
    const size_t close = hostPort.find(']');
    if (close == std::string_view::npos || close == 1) return false;
    const std::string_view rest = hostPort.substr(close + 1);
    if (!rest.empty() && !(rest.front() == ':' && validPort(rest.substr(1)))) return false;
    name = std::string(hostPort.substr(1, close - 1));
    authority = std::string(hostPort);
    return true;
  }
  if (hostPort.find('[') != std::string_view::npos ||
      hostPort.find(']') != std::string_view::npos) {
    return false;
  }
  const size_t colon = hostPort.find(':');
  if (colon != std::string_view::npos && hostPort.find(':', colon + 1) != std::string_view::npos) {
    name = std::string(hostPort);  // a bare IPv6 address: no port
    authority = "[" + name + "]";
    return true;
  }
  name = std::string(hostPort.substr(0, colon));
  if (name.empty()) return false;
  if (colon != std::string_view::npos && !validPort(hostPort.substr(colon + 1))) return false;
  authority = std::string(hostPort);
  return true;
}

// The path as it goes on the request line: "/" in front when missing, blanks and bytes
// above 126 percent-encoded; other control characters make it unusable.
bool encodePath(std::string_view path, std::string& out) {
  static const char kHex[] = "0123456789ABCDEF";
  out.clear();
  if (path.empty() || path.front() != '/') out.push_back('/');
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 && byte != ' ') return false;
    if (byte == 127) return false;
    if (byte == ' ' || byte > 126) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return true;
}

// ---- One transfer ---------------------------------------------------------------------------

// The transfers' progress shows in the status line only while the control panel is open.
void showStatus(FetchContext& context, std::string_view text) {
  if (context.events->panelOpen()) showRunStatus(context, text);
}

// Before every read of a page download: the caption alternates between two texts.
void readingStatus(FetchContext& context) {
  showStatus(context, context.readToggle ? "Reading data    " : "Reading data <<<");
  context.readToggle = !context.readToggle;
}

struct TransferSpec {
  Operation operation;
  char* buffer;
  int32_t capacity;
  uint32_t connectMs;
};

// Stores the body into a bounded buffer, kept NUL-terminated, counting reads of at most
// kReadChunk bytes the way the program reads a body.
class BufferReceiver : public platform::HttpReceiver {
 public:
  BufferReceiver(FetchContext& context, const TransferSpec& plan)
      : context_(context), plan_(plan) {}

  void connecting() override {
    if (progress()) showStatus(context_, "Connecting...");
  }
  void responseStarted() override {
    if (started_) return;
    started_ = true;
    length_ = 0;
    plan_.buffer[0] = '\0';
    if (progress()) showStatus(context_, "Reading data...");
  }
  bool body(std::span<const char> bytes) override {
    responseStarted();
    bodyBytes_ += bytes.size();
    // The configuration flag takes one read of at most the buffer's size.
    const size_t chunk = plan_.operation == Operation::config ? bytes.size() : kReadChunk;
    while (!bytes.empty()) {
      const size_t piece = std::min(bytes.size(), chunk);
      beforeRead();
      const auto room = static_cast<size_t>(plan_.capacity - length_);
      const size_t stored = std::min(piece, room);
      std::memcpy(plan_.buffer + length_, bytes.data(), stored);
      length_ += static_cast<int32_t>(stored);
      plan_.buffer[length_] = '\0';
      if (length_ == plan_.capacity || plan_.operation == Operation::config) return false;
      bytes = bytes.subspan(piece);
    }
    return true;
  }

  // The read that ends the loop: the empty read after the body (an empty body takes two) or
  // the read that failed.
  void lastRead(bool success) {
    if (success && reads_ == 0) beforeRead();
    beforeRead();
  }

  bool started() const { return started_; }
  bool filled() const { return length_ == plan_.capacity; }
  int32_t length() const { return length_; }
  uint64_t bodyBytes() const { return bodyBytes_; }

 private:
  bool progress() const { return plan_.operation == Operation::page; }
  void beforeRead() {
    ++reads_;
    if (progress()) readingStatus(context_);
  }

  FetchContext& context_;
  TransferSpec plan_;
  bool started_ = false;
  int32_t length_ = 0;
  int32_t reads_ = 0;
  uint64_t bodyBytes_ = 0;
};

Step stepOf(platform::HttpOutcome outcome, const BufferReceiver& receiver) {
  using platform::HttpOutcome;
  switch (outcome) {
    case HttpOutcome::ok:
      return Step::done;
    case HttpOutcome::noHandle:
      return Step::open;
    case HttpOutcome::connectFailed:
      return Step::connect;
    case HttpOutcome::badAddress:
      return Step::request;
    case HttpOutcome::sendFailed:
      return Step::send;
    case HttpOutcome::readFailed:
      break;
  }
  return receiver.bodyBytes() == 0 ? Step::firstRead : Step::laterRead;
}

struct TransferOutcome {
  Step step;
  int32_t length;  // body bytes stored; meaningful when step is done or a read failed
  bool started;
  bool filled = false;  // the body reached the buffer's end: the rest, if any, was not read
  int status = 0;       // the HTTP status, 0 when no response came
};

TransferOutcome runTransfer(FetchContext& context, const char* host, const char* path,
                            const TransferSpec& plan) {
  FetchEvents& events = *context.events;
  const TransferLimits& limits = context.transferLimits;
  TransferAddress address;
  const bool valid = transferAddress(host ? host : "", path ? path : "", address);
  if (!address.loopback && !events.networkUp()) return {Step::noNetwork, 0, false};
  if (plan.operation == Operation::page) showStatus(context, "Opening connection...");
  if (!valid) return {Step::request, 0, false};

  platform::HttpRequest request;
  request.url = address.url;
  request.userAgent = kUserAgent;
  request.direct = address.loopback;
  request.connectTimeoutMs = plan.connectMs;
  request.totalTimeoutMs = limits.totalMs;
  request.lowSpeedBytes = limits.lowSpeedBytes;
  request.lowSpeedSeconds = limits.lowSpeedSeconds;

  BufferReceiver receiver(context, plan);
  const platform::HttpResult result = events.httpClient().get(request, receiver);
  const Step step = stepOf(result.outcome, receiver);
  if (step == Step::done || step == Step::firstRead || step == Step::laterRead) {
    receiver.lastRead(step == Step::done);
  }
  return {step, receiver.length(), receiver.started(), receiver.filled(), result.status};
}

TransferSpec feedSpec(FetchContext& context) {
  return {Operation::feed, context.feedBuffer, kTransferBufferSize,
          context.transferLimits.connectMs};
}

// Runs a parser over the body in feedBuffer; the script's page scans then bound themselves
// by pageLength again.
template <typename Parse>
auto parseFeedBuffer(FetchContext& context, int32_t length, Parse parse) {
  startScan(context.scanner, context.feedBuffer, length);
  const auto result = parse(context.scanner);
  context.scanner.textLength = context.pageLength;
  return result;
}

}  // namespace

bool transferAddress(std::string_view host, std::string_view path, TransferAddress& address) {
  host = platform::trimBlanks(host);
  std::string scheme = "http";
  if (host.starts_with("http://")) {
    host.remove_prefix(7);
  } else if (host.starts_with("https://")) {
    host.remove_prefix(8);
    scheme = "https";
  }
  host = host.substr(0, host.find('/'));
  std::string name;
  std::string authority;
  std::string encodedPath;
  if (!splitAuthority(host, name, authority)) return false;
  address.loopback = isLoopbackName(name);
  if (!encodePath(path, encodedPath)) return false;
  address.url = scheme + "://" + authority + encodedPath;
  return true;
}

int32_t downloadPage(FetchContext& context, const char* host, const char* path,
                     int32_t connectTimeoutMs) {
  const uint32_t connectMs = connectTimeoutMs > 0 ? static_cast<uint32_t>(connectTimeoutMs)
                                                  : context.transferLimits.connectMs;
  const TransferOutcome outcome = runTransfer(
      context, host, path, {Operation::page, context.pageBuffer, kTransferBufferSize, connectMs});
  if (outcome.started) context.pageLength = outcome.length;
  context.scanner.textLength = context.pageLength;
  if (outcome.step != Step::done) {
    return resultCode(outcome.step, Operation::page, context.scriptDownloading);
  }
  if (context.scriptDownloading) {
    if (outcome.status < 200 || outcome.status > 299) return kScriptErrorStatus;
    if (outcome.filled) return kScriptTooLong;
  }
  startScan(context.scanner, context.pageBuffer, context.pageLength);
  platform::sleepMs(context.transferLimits.pageSettleMs);
  context.events->textureChanged();
  context.events->showMainWindow();
  return 2;
}

int32_t fetchConfigFlag(FetchContext& context, const char* host, const char* path) {
  char body[kConfigReadSize + 1] = {};
  const TransferOutcome outcome =
      runTransfer(context, host, path,
                  {Operation::config, body, kConfigReadSize, context.transferLimits.connectMs});
  // A body that broke off after its first bytes still gave the one read its content.
  if (outcome.step == Step::laterRead) return static_cast<signed char>(body[0]);
  if (outcome.step != Step::done) return resultCode(outcome.step, Operation::config, 0);
  return static_cast<signed char>(body[0]);
}

int32_t fetchFeed(FetchContext& context, const char* host, const char* path) {
  const TransferOutcome outcome = runTransfer(context, host, path, feedSpec(context));
  if (outcome.step != Step::done) return resultCode(outcome.step, Operation::feed, 0);
  parseFeedBuffer(context, outcome.length, [&context](ScannerState& scanner) {
    parseFeed(scanner, context.news);
    return 0;
  });
  return 1;
}

int32_t fetchQuotePage(FetchContext& context, const char* host, const char* path,
                       QuoteTexts& texts) {
  const TransferOutcome outcome = runTransfer(context, host, path, feedSpec(context));
  if (outcome.step != Step::done) return resultCode(outcome.step, Operation::feed, 0);
  return parseFeedBuffer(context, outcome.length, [&texts](ScannerState& scanner) {
    return parseQuotePage(scanner, texts);
  });
}

int32_t fetchNewsTicker(FetchContext& context, const char* newsHost) {
  NewsText& news = context.news;
  FetchChannel& channel = *context.channel;
  clearNews(news);
  publishNews(news, channel);
  int32_t result = 0;
  for (const char* path : {"/rss/business", "/rss/stocks", "/rss/topstories"}) {
    result = fetchFeed(context, newsHost, path);
    publishNews(news, channel);
  }
  if (result == kOffline) {
    const std::string_view offline = offlineTickerText();
    clearNews(news);
    std::memcpy(news.text, offline.data(), offline.size());
    news.length = static_cast<int32_t>(offline.size());
    publishNews(news, channel);
  }
  return result;
}
