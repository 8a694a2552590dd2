// The transfers against servers that misbehave on the wire: each must end, within its time
// bounds, in the code of the step that failed, with no more in the buffer than fits.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "market/fetch_context.h"
#include "market/http_transfer.h"
#include "tests/support/loopback_server.h"
#include "tests/support/raw_server.h"

namespace {

using testing_support::LoopbackServer;
using testing_support::RawServer;

enum class Transfer { page, config, feed, quote };

// What the transfer's buffer holds afterwards: n bytes of the pattern body, or one of these.
constexpr int32_t kUntouched = -1;  // the previous transfer's content, left as it was
constexpr int32_t kSomeBytes = -2;  // a non-empty start of the pattern body

struct HostileCase {
  const char* name;
  RawServer::Answer answer;
  Transfer transfer;
  int32_t code;
  int32_t kept;  // unused for the configuration flag, which has no buffer of its own
  int requests;
  int32_t withinMs;  // the transfer must have ended by then
};

std::string head(const std::string& lines) { return "HTTP/1.1 200 OK\r\n" + lines + "\r\n"; }

std::string lengthHead(size_t length) {
  return head("Content-Length: " + std::to_string(length) + "\r\n");
}

std::string redirectTo(const std::string& location) {
  return "HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n";
}

// 1 MB of headers in lines of 100 bytes, then a short body.
std::string megabyteOfHeaders() {
  std::string lines;
  for (int i = 0; i < 10000; ++i) lines += "X-Filler: " + std::string(88, 'f') + "\r\n";
  return head(lines + "Content-Length: 2\r\n") + "ok";
}

int32_t run(FetchContext& context, Transfer transfer, const std::string& host) {
  const char* path = "/hostile";
  QuoteTexts texts;
  switch (transfer) {
    case Transfer::page:
      return downloadPage(context, host.c_str(), path, 10000);
    case Transfer::config:
      return fetchConfigFlag(context, host.c_str(), path);
    case Transfer::feed:
      return fetchFeed(context, host.c_str(), path);
    case Transfer::quote:
      return fetchQuotePage(context, host.c_str(), path, texts);
  }
  return 0;
}

// The buffer the transfer fills and its length afterwards (the feed buffer's is not kept,
// but the pattern body holds no NUL).
std::string_view bufferOf(const FetchContext& context, Transfer transfer) {
  if (transfer == Transfer::page) {
    return {context.pageBuffer, static_cast<size_t>(context.pageLength)};
  }
  return {context.feedBuffer, std::strlen(context.feedBuffer)};
}

void fillStale(FetchContext& context, Transfer transfer) {
  if (transfer == Transfer::page) {
    std::strcpy(context.pageBuffer, "stale");
    context.pageLength = 5;
  } else {
    std::strcpy(context.feedBuffer, "stale");
  }
}

void expectKept(const FetchContext& context, const HostileCase& c) {
  if (c.transfer == Transfer::config) return;
  const std::string_view held = bufferOf(context, c.transfer);
  if (c.kept == kUntouched) {
    EXPECT_EQ(held, "stale") << c.name;
    return;
  }
  if (c.kept == kSomeBytes) {
    EXPECT_FALSE(held.empty()) << c.name;
  } else {
    EXPECT_EQ(held.size(), static_cast<size_t>(c.kept)) << c.name;
  }
  EXPECT_EQ(held, LoopbackServer::patternBody(held.size())) << c.name;
}

class HostileServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context->transferLimits.pageSettleMs = 0;
    // Small bounds so that the silent server and the drip cost seconds, not minutes.
    context->transferLimits = {1000, 3000, 1, 1};
  }

  std::unique_ptr<FetchContext> context = std::make_unique<FetchContext>();
};

TEST_F(HostileServerTest, EveryTransferEndsInTheCodeOfTheStepThatFailed) {
  const std::string pattern = LoopbackServer::patternBody(26 * 2048);  // whole alphabets
  const size_t fiftyMegabytes = 50u << 20;
  const auto fiftyMegabyteBody =
      RawServer::answerStream(lengthHead(fiftyMegabytes), fiftyMegabytes, pattern);
  // Most rows end at once; the silent server by the 1 s low-speed limit, well before the
  // total limit; the drip by the total limit. The drip stays ten times above the low-speed
  // limit: at two bytes a second, whole-second speed samples on a loaded machine can fall
  // below one byte a second.
  const int32_t kTotalEnd = 5000;
  const HostileCase cases[] = {
      {"never answers", RawServer::answerNever(), Transfer::feed, 11003, kUntouched, 1, 2500},
      {"drips 10 bytes a second",
       RawServer::answerDrip(lengthHead(1000), LoopbackServer::patternBody(1000), 100),
       Transfer::page, 10000, kSomeBytes, 1, kTotalEnd},
      {"50 MB body", fiftyMegabyteBody, Transfer::page, 2, kTransferBufferSize, 1, kTotalEnd},
      {"50 MB body, no length", RawServer::answerStream(head(""), fiftyMegabytes, pattern),
       Transfer::quote, 0, kTransferBufferSize, 1, kTotalEnd},
      {"50 MB configuration file", fiftyMegabyteBody, Transfer::config, 'a', 0, 1, kTotalEnd},
      {"no status line", RawServer::answerBytes("abcdefghij\n"), Transfer::feed, 11003, kUntouched,
       1, kTotalEnd},
      {"malformed status line", RawServer::answerBytes("HTTP/1.1 2OO OK\r\n\r\nabc"),
       Transfer::feed, 11003, kUntouched, 1, kTotalEnd},
      {"closes without a byte", RawServer::answerBytes(""), Transfer::config, -11003, 0, 1,
       kTotalEnd},
      {"closes mid-body",
       RawServer::answerBytes(lengthHead(1000) + LoopbackServer::patternBody(500)), Transfer::page,
       10000, 500, 1, kTotalEnd},
      {"1 MB of headers", RawServer::answerBytes(megabyteOfHeaders()), Transfer::quote, 11003,
       kUntouched, 1, kTotalEnd},
      {"redirect loop", RawServer::answerBytes(redirectTo("/again")), Transfer::feed, 10001, 0, 6,
       kTotalEnd},
      {"redirect to file:", RawServer::answerBytes(redirectTo("file:///etc/passwd")),
       Transfer::quote, 10001, 0, 1, kTotalEnd},
  };
  for (const HostileCase& c : cases) {
    RawServer server(c.answer);
    fillStale(*context, c.transfer);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run(*context, c.transfer, server.host()), c.code) << c.name;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(c.withinMs)) << c.name;
    EXPECT_EQ(server.requests(), c.requests) << c.name;
    expectKept(*context, c);
  }
}

}  // namespace
