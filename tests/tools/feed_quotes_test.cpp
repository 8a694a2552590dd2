#include <gtest/gtest.h>

#include "tests/tools/feed_fixture.h"
#include "tools/feed/quote_source.h"
#include "tools/feed/refresher.h"

namespace {

feed::QuoteSource chartSource() {
  feed::QuoteSource source;
  source.price = "/chart/result/0/meta/regularMarketPrice";
  source.previous = "/chart/result/0/meta/chartPreviousClose";
  source.time = "/chart/result/0/meta/regularMarketTime";
  return source;
}

feed::QuoteSource flatSource() {
  feed::QuoteSource source;
  source.price = "/c";
  source.previous = "/pc";
  source.time = "/t";
  source.change = "/d";
  source.percent = "/dp";
  return source;
}

TEST(FeedQuotes, BothResponseShapesAndTheirFailures) {
  const struct {
    feed::QuoteSource source;
    std::string body, contentType, error;
    double price = 0, change = 0, percent = 0;
  } cases[] = {
      {chartSource(), feedFixture("chart.json"), "application/json", "", 44123.45, 173.33,
       173.33 / 43950.12 * 100},
      {flatSource(), feedFixture("flat.json"), "application/json; charset=utf-8", "", 187.44, -1.56,
       -0.8254},
      {chartSource(), feedFixture("chart-error.json"), "application/json",
       "the source says: Not Found: No data found, symbol may be delisted"},
      {flatSource(), feedFixture("flat-unknown.json"), "application/json",
       "no price for this symbol (the source gives 0.000000)"},
      {chartSource(), feedFixture("consent.html"), "text/html",
       "an HTML page where JSON was expected"},
      {chartSource(), feedFixture("consent.html"), "", "an HTML page where JSON was expected"},
      {flatSource(), "{\"c\":\"12.5\",\"pc\":\"10\"}", "", "", 12.5, 2.5, 25},  // numbers as text
      {flatSource(), "{\"c\":12.5}", "", "no previous close at /pc"},
      {flatSource(), "{\"c\":1e300,\"pc\":1}", "", "a price out of range"},
      {flatSource(), "{\"c\":2,\"pc\":1,\"t\":1e300,\"d\":1e300,\"dp\":5}", "", "", 2, 1, 5},
      {flatSource(), "{\"c\":true,\"pc\":1}", "", "no price at /c"},
      {flatSource(), "{\"c\":", "", "not JSON"},
      {flatSource(), std::string(100, '[') + std::string(100, ']'), "", "JSON nested too deeply"},
      {chartSource(), "[1,2]", "", "no price at /chart/result/0/meta/regularMarketPrice"},
  };
  for (const auto& c : cases) {
    feed::SourceQuote quote;
    EXPECT_EQ(feed::readQuote(c.source, c.contentType, c.body, quote), c.error)
        << c.body.substr(0, 30);
    if (!c.error.empty()) continue;
    EXPECT_DOUBLE_EQ(quote.price, c.price);
    EXPECT_NEAR(quote.change, c.change, 1e-9);
    EXPECT_NEAR(quote.percent, c.percent, 1e-9);
  }
  feed::SourceQuote quote;
  ASSERT_EQ(feed::readQuote(chartSource(), "", feedFixture("chart.json"), quote), "");
  EXPECT_EQ(quote.time, 1765224000);
}

TEST(FeedQuotes, SymbolAndTokenAreEncodedIntoTheTemplate) {
  feed::QuoteSource source;
  source.urlTemplate = "https://quotes.example/v1/{symbol}?range=1d&token={token}&s={symbol}";
  source.token = "a b&c=d";
  EXPECT_EQ(feed::quoteUrl(source, "^DJI"),
            "https://quotes.example/v1/%5EDJI?range=1d&token=a%20b%26c%3Dd&s=%5EDJI");
  EXPECT_EQ(feed::quoteUrl(source, "GC=F"),
            "https://quotes.example/v1/GC%3DF?range=1d&token=a%20b%26c%3Dd&s=GC%3DF");
}

TEST(FeedQuotes, BackoffDoublesUpToHalfAnHourAndHonoursRetryAfter) {
  constexpr int64_t kMinute = 60000;
  // Each answer comes when the backoff before it has ended, unless `early`.
  const struct {
    int status;
    int64_t retryAfter;
    bool early;
    int64_t waitMs;  // from the answer to the end of the backoff
  } steps[] = {
      {503, -1, false, kMinute},
      {503, -1, false, 2 * kMinute},
      {429, 600, false, 10 * kMinute},
      {503, -1, true, 10 * kMinute},  // sent before: no new step
      {502, -1, false, 8 * kMinute},
      {500, -1, false, 16 * kMinute},
      {500, -1, false, 30 * kMinute},
      {429, 7200, false, 30 * kMinute},
      {0, -1, false, 0},  // no answer: the failures still count
      {500, -1, false, 30 * kMinute},
      {200, -1, false, 0},
      {429, 5, false, kMinute},
  };
  feed::Backoff backoff;
  int64_t now = 0;
  for (const auto& step : steps) {
    const int64_t at = step.early ? now : std::max(now, backoff.untilMs);
    feed::noteAnswer(backoff, step.status, step.retryAfter, at, kMinute);
    EXPECT_EQ(std::max<int64_t>(backoff.untilMs - at, 0), step.waitMs)
        << step.status << " " << step.retryAfter;
    now = at;
  }
}

// Readers as several globes are: whatever their number, a key is fetched once a period.
TEST(FeedQuotes, OneRequestPerKeyPerPeriodWhateverTheReaders) {
  int64_t now = 0;
  std::atomic<int> fetches{0};
  feed::Refresher<int> refresher([&now] { return now; }, 60000, true,
                                 [&fetches](const std::string&) {
                                   ++fetches;
                                   return feed::Fetched<int>{true, 7, 200, -1, ""};
                                 });
  const std::vector<std::string> keys = {"DJI", "FTSE"};
  const struct {
    int64_t at;
    int readers;
    int fetchesSoFar;
  } steps[] = {{0, 3, 2},     {30000, 3, 2}, {59999, 1, 2},
               {60000, 3, 4}, {90000, 2, 4}, {185000, 3, 6}};
  for (const auto& step : steps) {
    now = step.at;
    std::vector<std::thread> readers;
    for (int i = 0; i < step.readers; ++i) {
      readers.emplace_back([&] {
        const auto read = refresher.read(keys, std::chrono::seconds(5));
        EXPECT_EQ(read.at("DJI").value, 7);
      });
    }
    for (auto& reader : readers) reader.join();
    EXPECT_EQ(fetches, step.fetchesSoFar) << "at " << step.at;
  }
}

TEST(FeedQuotes, ASourceThatSaysWaitIsNotAskedUntilThen) {
  int64_t now = 0;
  int fetches = 0;
  feed::Refresher<int> refresher([&now] { return now; }, 60000, true,
                                 [&fetches](const std::string&) {
                                   ++fetches;
                                   return feed::Fetched<int>{false, 0, 429, 300, "HTTP 429"};
                                 },
                                 1);
  for (now = 0; now <= 300000; now += 60000) refresher.read({"A", "B"}, std::chrono::seconds(5));
  // A and B at 0; at 300000 A alone probes the source, and its 429 doubles the wait.
  EXPECT_EQ(fetches, 3);
  EXPECT_EQ(refresher.backoffUntil(""), 300000 + 300000);
  EXPECT_EQ(refresher.snapshot().at("A").error, "HTTP 429");
}

}  // namespace
