#include "market/http_transfer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "market/fetch_context.h"
#include "platform/http.h"
#include "tests/support/loopback_server.h"
#include "tests/support/recording_events.h"

namespace {

using testing_support::LoopbackServer;

struct FailureCase {
  const char* name;
  int32_t page;
  int32_t config;
  int32_t feed;
};

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context->events = events;
    context->transferLimits.pageSettleMs = 0;
    // Short bounds so that a silent server costs the test well under a second.
    context->transferLimits.connectMs = 2000;
    context->transferLimits.totalMs = 600;
    context->transferLimits.lowSpeedSeconds = 1;
  }

  // Answers from a scripted client instead of the network.
  platform::ScriptedHttpClient& fake() {
    events->client = &fake_;
    return fake_;
  }
  void networkUp(bool up) { events->network = up; }

  // Every operation against one failing server, with the code each must give.
  void expectFailure(const std::string& host, const char* path, const FailureCase& c) {
    FetchContext& f = *context;
    QuoteTexts texts;
    EXPECT_EQ(downloadPage(f, host.c_str(), path, 10000), c.page) << c.name;
    EXPECT_EQ(fetchConfigFlag(f, host.c_str(), path), c.config) << c.name;
    EXPECT_EQ(fetchFeed(f, host.c_str(), path), c.feed) << c.name;
    EXPECT_EQ(fetchQuotePage(f, host.c_str(), path, texts), c.feed) << c.name;
  }

  std::unique_ptr<FetchContext> context = std::make_unique<FetchContext>();
  std::shared_ptr<RecordingEvents> events = std::make_shared<RecordingEvents>();
  std::vector<std::string>& captions = events->captions;

 private:
  platform::ScriptedHttpClient fake_;
};

TEST_F(TransferTest, AnErrorPageIsContent) {
  LoopbackServer server;
  server.answer("/missing", 404, "<html>Not here</html>");
  EXPECT_EQ(downloadPage(*context, server.host().c_str(), "/missing", 10000), 2);
  EXPECT_EQ(std::string(context->pageBuffer), "<html>Not here</html>");
  EXPECT_EQ(context->pageLength, 21);
  EXPECT_EQ(context->scanner.text, context->pageBuffer);
  EXPECT_EQ(context->scanner.cursorPos, 0);
  EXPECT_EQ(context->scanner.textLength, 21);
  EXPECT_EQ(events->texturesChanged, 1);
  EXPECT_EQ(events->windowShown, 1);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].userAgent, kUserAgent);
}

TEST_F(TransferTest, BodiesOfEverySizeAreStoredAndCutAtTheBuffersEnd) {
  struct SizeCase {
    size_t size;
    int32_t stored;
  };
  const SizeCase cases[] = {{0, 0}, {1, 1}, {4096, 4096}, {4097, 4097}, {3000000, 1000000}};
  LoopbackServer server;
  // Built by appending: GCC 12 at -O3 takes `"/" + std::string` for an overlapping copy.
  const auto pathOf = [](size_t size) { return std::string(1, '/').append(std::to_string(size)); };
  for (const SizeCase& c : cases) server.answerSize(pathOf(c.size), c.size);
  for (const SizeCase& c : cases) {
    const std::string path = pathOf(c.size);
    const std::string expected = LoopbackServer::patternBody(static_cast<size_t>(c.stored));
    ASSERT_EQ(downloadPage(*context, server.host().c_str(), path.c_str(), 10000), 2) << c.size;
    EXPECT_EQ(context->pageLength, c.stored) << c.size;
    EXPECT_EQ(std::memcmp(context->pageBuffer, expected.data(), expected.size()), 0) << c.size;
    EXPECT_EQ(context->pageBuffer[c.stored], '\0') << c.size;
  }
  // The feed buffer is bounded the same way.
  ASSERT_EQ(fetchFeed(*context, server.host().c_str(), "/3000000"), 1);
  EXPECT_EQ(context->feedBuffer[kTransferBufferSize], '\0');
  EXPECT_EQ(context->feedBuffer[kTransferBufferSize - 1],
            LoopbackServer::patternBody(1000000).back());
}

TEST_F(TransferTest, TheConfigurationFlagIsTheFirstByte) {
  const std::pair<std::string, int32_t> cases[] = {
      {"A", 65}, {"0", 48}, {"", 0}, {"1 and more", 49}, {"\xE9", -23}};
  LoopbackServer server;
  for (size_t i = 0; i < std::size(cases); ++i) {
    server.answer("/cf" + std::to_string(i), 200, cases[i].first, "text/plain");
  }
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string path = "/cf" + std::to_string(i);
    EXPECT_EQ(fetchConfigFlag(*context, server.host().c_str(), path.c_str()), cases[i].second)
        << cases[i].first;
  }
}

TEST_F(TransferTest, FailuresGiveTheCodeOfTheStepThatFailed) {
  networkUp(true);  // "bad host" is not a loopback host
  const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::refusedPort());
  expectFailure(refused, "/x", {"refused port", 11001, -11001, 11001});
  expectFailure("bad host", "/x", {"malformed host", 11002, -11002, 11002});
  expectFailure("127.0.0.1:8404", "/bad\npath", {"malformed path", 11002, -11002, 11002});

  LoopbackServer server;
  server.answerCut("/none", 1000, 0);
  server.answerCut("/half", 1000, 500);
  expectFailure(server.host(), "/none", {"cut before any byte", 10001, -10001, 10001});
  // The configuration flag takes one read: the bytes that came are its content.
  expectFailure(server.host(), "/half", {"cut half-way", 10000, 'a', 10000});
  EXPECT_EQ(std::memcmp(context->pageBuffer, LoopbackServer::patternBody(500).data(), 500), 0);
}

TEST_F(TransferTest, ASilentServerEndsInAFailureWithinTheTimeOut) {
  LoopbackServer server;
  server.answerNever("/silent");
  const auto start = std::chrono::steady_clock::now();
  expectFailure(server.host(), "/silent", {"never answers", 11003, -11003, 11003});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(5));  // four transfers of 0.6 s each at most
}

TEST_F(TransferTest, WithoutANetworkNothingIsOpened) {
  auto& client = fake();
  networkUp(false);
  expectFailure("quotes.example", "/x", {"offline", 11002, kOffline, kOffline});
  context->scriptDownloading = 1;
  EXPECT_EQ(downloadPage(*context, "quotes.example", "/s3.txt", 10000), kOffline);
  EXPECT_TRUE(client.requests.empty());
  // A loopback host is never offline.
  for (const char* host : {"127.0.0.1:8404", "localhost", "http://[::1]:80", "127.9.8.7"}) {
    fetchFeed(*context, host, "/rss/business");
  }
  EXPECT_EQ(client.requests.size(), 4u);
}

TEST_F(TransferTest, TheScriptDownloadRefusesErrorStatusesAndBodiesThatDoNotFit) {
  const struct {
    int status;
    size_t size;
    int32_t script;  // with scriptDownloading set
    int32_t page;    // the script's own page fetches
  } cases[] = {
      {404, 10, kScriptErrorStatus, 2},     {199, 10, kScriptErrorStatus, 2},
      {300, 10, kScriptErrorStatus, 2},     {299, 10, 2, 2},
      {200, kTransferBufferSize - 1, 2, 2}, {200, kTransferBufferSize, kScriptTooLong, 2},
  };
  auto& client = fake();
  networkUp(true);
  for (const auto& c : cases) {
    for (const int32_t downloading : {1, 0}) {
      client.exchanges = {{platform::HttpOutcome::ok, true, {std::string(c.size, '#')}, c.status}};
      context->scriptDownloading = downloading;
      EXPECT_EQ(downloadPage(*context, "h", "/s3.txt", 10000), downloading ? c.script : c.page)
          << c.status << " " << c.size << " " << downloading;
    }
  }
}

TEST_F(TransferTest, TheCaptionShowsEachStepAndAlternatesAcrossReadsAndCalls) {
  auto& client = fake();
  networkUp(true);
  client.exchanges = {{platform::HttpOutcome::ok, true, {std::string(4097, 'x')}, 200},
                      {platform::HttpOutcome::ok, true, {}, 200},
                      {platform::HttpOutcome::readFailed, true, {}, 200}};
  EXPECT_EQ(downloadPage(*context, "h", "/a", 10000), 2);
  EXPECT_EQ(downloadPage(*context, "h", "/b", 10000), 2);
  EXPECT_EQ(downloadPage(*context, "h", "/c", 10000), 10001);
  const std::vector<std::string> expected = {
      // 4097 bytes: two reads of the body and the empty read that ends it.
      "Opening connection...", "Connecting...", "Reading data...", "Reading data <<<",
      "Reading data    ", "Reading data <<<",
      // An empty body takes two reads.
      "Opening connection...", "Connecting...", "Reading data...", "Reading data    ",
      "Reading data <<<",
      // A failed first read.
      "Opening connection...", "Connecting...", "Reading data...", "Reading data    "};
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(client.requests[0].url, "http://h/a");
  EXPECT_EQ(client.requests[0].connectTimeoutMs, 10000u);
}

TEST_F(TransferTest, TheCaptionIsLeftAloneWithoutThePanel) {
  auto& client = fake();
  networkUp(true);
  events->panel = false;
  client.exchanges = {{platform::HttpOutcome::ok, true, {"body"}, 200}};
  EXPECT_EQ(downloadPage(*context, "h", "/a", 10000), 2);
  EXPECT_TRUE(captions.empty());
}

TEST_F(TransferTest, FeedsAndQuotePagesAreParsedFromTheFeedBuffer) {
  LoopbackServer server;
  server.answer("/rss/business", 200,
                "<rss><image><title>Biz</title></image><item><title>Up</title></item></rss>\n");
  server.answer("/q", 200,
                "<p>Index Value: <span id=\"v\">1,234.5</span> <img src=\"http://i\" "
                "alt=\"Down\"> <b>6.5</b> (0.52%)</p>\n");
  context->pageLength = 17;
  EXPECT_EQ(fetchFeed(*context, server.host().c_str(), "/rss/business"), 1);
  EXPECT_EQ(context->news.length, 66 + 61 + 61 + 50);
  EXPECT_EQ(context->scanner.textLength, 17);  // the page's scans are bounded by the page again

  QuoteTexts texts;
  EXPECT_EQ(fetchQuotePage(*context, server.host().c_str(), "/q?s=^GSPC", texts), 1);
  EXPECT_EQ(texts.value, "1234     ");
  EXPECT_EQ(texts.change, "-6     ");
  EXPECT_EQ(texts.percent, "-0.5%    ");
  EXPECT_EQ(context->scanner.textLength, 17);
  EXPECT_EQ(server.requests().back().symbol, "^GSPC");
}

TEST_F(TransferTest, TheNewsStepPublishesThreeFeedsOrTheOfflineText) {
  LoopbackServer server;
  for (const char* path : {"/rss/business", "/rss/stocks", "/rss/topstories"}) {
    server.answer(path, 200, "<rss><image><title>T</title></image></rss>\n");
  }
  EXPECT_EQ(fetchNewsTicker(*context, server.host().c_str()), 1);
  EXPECT_EQ(context->channel->latest()->ticker->size(), 3u * (66 + 61 + 50));

  networkUp(false);
  EXPECT_EQ(fetchNewsTicker(*context, "news.example"), kOffline);
  EXPECT_EQ(*context->channel->latest()->ticker, offlineTickerText());
}

struct AddressCase {
  const char* host;
  const char* path;
  bool valid;
  const char* url;
  bool loopback;
};

TEST(TransferAddressTest, HostValuesAndPaths) {
  const AddressCase cases[] = {
      {"127.0.0.1:8404", "/m3d/cf2.txt", true, "http://127.0.0.1:8404/m3d/cf2.txt", true},
      {"http://localhost", "/a", true, "http://localhost/a", true},
      {"https://quotes.example:8443", "/q?s=^DJI", true, "https://quotes.example:8443/q?s=^DJI",
       false},
      {"news.example", "rss", true, "http://news.example/rss", false},
      {"  127.200.1.1  ", "/", true, "http://127.200.1.1/", true},
      {"::1", "/x", true, "http://[::1]/x", true},
      {"[::1]:8080", "/x", true, "http://[::1]:8080/x", true},
      {"128.0.0.1", "/x", true, "http://128.0.0.1/x", false},
      {"127.0.0.256", "/x", true, "http://127.0.0.256/x", false},
      {"host.example/ignored", "/x", true, "http://host.example/x", false},
      {"h", "/a b\xE9", true, "http://h/a%20b%E9", false},
      {"", "/x", false, "", false},
      {"host:99999", "/x", false, "", false},
      {"host:", "/x", false, "", false},
      {"bad host", "/x", false, "", false},
      {"h", "/a\rb", false, "", false},
  };
  for (const AddressCase& c : cases) {
    TransferAddress address;
    EXPECT_EQ(transferAddress(c.host, c.path, address), c.valid) << c.host;
    if (!c.valid) continue;
    EXPECT_EQ(address.url, c.url) << c.host;
    EXPECT_EQ(address.loopback, c.loopback) << c.host;
  }
}

}  // namespace
