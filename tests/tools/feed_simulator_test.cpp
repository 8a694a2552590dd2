#include <gtest/gtest.h>

#include "tools/feed/simulator.h"

namespace {

TEST(FeedSimulator, FuturesSuffixesFollowTheMonthCodes) {
  const struct {
    int year, month;
    const char* exchange;
    const char* suffix;
  } cases[] = {{2010, 7, "CMX", "N10.CMX"},
               {2011, 1, "NYM", "F11.NYM"},
               {2026, 12, "CMX", "Z26.CMX"},
               {2009, 3, "CMX", "H09.CMX"}};
  for (const auto& c : cases) EXPECT_EQ(feed::futuresSuffix(c.year, c.month, c.exchange), c.suffix);
}

TEST(FeedSimulator, ValuesWalkButSomeStepsStandStill) {
  int moved = 0;
  int still = 0;
  for (const auto& instrument : feed::instruments()) {
    for (int64_t step = 1000; step < 1030; ++step) {
      const auto a = feed::quoteAt(instrument, step);
      const auto b = feed::quoteAt(instrument, step + 1);
      EXPECT_EQ(a.value, feed::quoteAt(instrument, step).value);  // deterministic
      EXPECT_NEAR(a.value, instrument.base, instrument.base * 0.02);
      (a.value == b.value ? still : moved)++;
    }
  }
  EXPECT_GT(moved, still);
  EXPECT_GT(still, 0);
}

TEST(FeedSimulator, PagesCarryTheScriptsMarkers) {
  const std::string indices = feed::indexPage("indices", 5, 2026, 12);
  EXPECT_NE(indices.find("<tr><td>DJI\",</td><td>"), std::string::npos);
  EXPECT_EQ(indices.find("BSESN"), std::string::npos);  // only on its quote page
  const std::string commodities = feed::indexPage("commodities", 5, 2026, 12);
  EXPECT_NE(commodities.find("GCZ26.CMX\","), std::string::npos);
  EXPECT_NE(commodities.find("CLF27.NYM\","), std::string::npos);
  const std::string quote = feed::quotePage("BSESN", 5);
  EXPECT_NE(quote.find("Index Value: <span id=\"v\">"), std::string::npos);
  EXPECT_NE(quote.find("alt=\""), std::string::npos);
  EXPECT_EQ(feed::quotePage("NOPE", 5), "");
  EXPECT_EQ(feed::rssFeed("sports", 5), "");
  EXPECT_NE(feed::rssFeed("stocks", 5).find("<image><title>Orbiquant Stocks</title>"),
            std::string::npos);
}

TEST(FeedSimulator, HostIsPutIntoServedFiles) {
  EXPECT_EQ(feed::withHost("s1{HOST}\r\nhttp://{HOST}/x{HOST}", "127.0.0.1:9"),
            "s1127.0.0.1:9\r\nhttp://127.0.0.1:9/x127.0.0.1:9");
  EXPECT_EQ(feed::withHost("none", "h"), "none");
}

}  // namespace
