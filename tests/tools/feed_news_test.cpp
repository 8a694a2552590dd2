#include <gtest/gtest.h>

#include "tests/tools/feed_fixture.h"
#include "tools/feed/news_reader.h"

namespace {

TEST(FeedNews, FeedsAsPublishersWriteThemBecomePlainHeadlines) {
  const struct {
    const char* file;
    const char* contentType;
    const char* title;
    std::vector<std::string> items;
  } cases[] = {
      {"rss2-utf8.xml",
       "application/rss+xml",
       "Business - World News",
       {"Cafe chain's profits [update 2] rise - shares up",
        "Oil & gas: Total's cafe deal \"on track\"", "Central banks hold rates",
        "Stocks slip as yields > 5% bold climb..."}},
      {"rdf-latin1.xml",
       "application/rdf+xml",
       "Marches & Economie",
       {"Societe Generale: resultats \"solides\" [mise a jour]",
        "Zurich & Geneve: l'indice grimpe de 1,2 %"}},
      {"atom.xml",
       "application/atom+xml; charset=utf-8",
       "Markets Today",
       {"Bank & insurer merger [update 2] - cafe owners cheer", "Shares rally in Tokyo",
        "S&P 500 ends flat"}},
      {"no-title.xml", "text/xml", "", {"Only headlines here", "A second headline"}},
  };
  for (const auto& c : cases) {
    feed::Headlines headlines;
    EXPECT_EQ(feed::readFeed(feedFixture(c.file), c.contentType, headlines), "") << c.file;
    EXPECT_EQ(headlines.title, c.title) << c.file;
    EXPECT_EQ(headlines.items, c.items) << c.file;
  }
}

TEST(FeedNews, WhatIsNotAFeedIsRefused) {
  const struct {
    std::string body, contentType, error;
  } cases[] = {
      {feedFixture("consent.html"), "text/html; charset=utf-8",
       "an HTML page where a feed was expected"},
      {feedFixture("consent.html"), "application/rss+xml",
       "an HTML page where a feed was expected"},
      {"{\"c\": 1}", "application/json", "not XML"},
      {"<?xml version=\"1.0\"?><opml><body/></opml>", "text/xml", "not an RSS or Atom feed"},
      {"<rss version=\"2.0\"></rss>", "text/xml", "an RSS document without a channel"},
  };
  for (const auto& c : cases) {
    feed::Headlines headlines;
    EXPECT_EQ(feed::readFeed(c.body, c.contentType, headlines), c.error) << c.body.substr(0, 40);
  }
}

TEST(FeedNews, TheHttpCharsetAppliesOnlyWhereTheDocumentNamesNone) {
  const std::string latin1 = "<rss><channel><title>Caf\xE9</title></channel></rss>";
  const std::string declared =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss><channel><title>Caf\xC3\xA9</title>"
      "</channel></rss>";
  feed::Headlines headlines;
  EXPECT_EQ(feed::readFeed(latin1, "text/xml; charset=ISO-8859-1", headlines), "");
  EXPECT_EQ(headlines.title, "Cafe");
  EXPECT_EQ(feed::readFeed(declared, "text/xml; charset=ISO-8859-1", headlines), "");
  EXPECT_EQ(headlines.title, "Cafe");
}

TEST(FeedNews, ItemsStopAtTheLimit) {
  std::string body = "<rss><channel><title>T</title>";
  for (int i = 0; i < 30; ++i) body += "<item><title>H" + std::to_string(i) + "</title></item>";
  feed::Headlines headlines;
  EXPECT_EQ(feed::readFeed(body + "</channel></rss>", "", headlines), "");
  ASSERT_EQ(headlines.items.size(), feed::kMaxHeadlinesPerFeed);
  EXPECT_EQ(headlines.items.back(), "H19");
}

TEST(FeedNews, PlainTextKeepsWhatTheTickerCanShow) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Caf\xC3\xA9 chain\xE2\x80\x99s profits (update) rise \xE2\x80\x94 shares up",
       "Cafe chain's profits [update] rise - shares up"},
      {"\xC3\x86"
       "sir \xC3\x9F \xC5\x81\xC3\xB3"
       "d\xC5\xBA \xC5\x92uvre",
       "AEsir ss Lodz OEuvre"},
      {"  tabs\tand\nlines\xC2\xA0"
       "and\xE2\x80\x89"
       "thin  ",
       "tabs and lines and thin"},
      {"\xE2\x80\x9C"
       "Quoted\xE2\x80\x9D \xC2\xAB\x67uillemets\xC2\xBB",
       "\"Quoted\" \"guillemets\""},
      {"Yen \xE5\x86\x86 \xE2\x82\xAC 5 \xC3\x97 2", "Yen 5 2"},
      {"bad \xC3"
       " byte \xFF"
       " end",
       "bad byte end"},
      {"a < b > c", "a b > c"},
  };
  for (const auto& c : cases) EXPECT_EQ(feed::plainText(c.in), c.out) << c.in;
}

TEST(FeedNews, PlainRssHasTheImageTitleAndEscapedAmpersands) {
  EXPECT_EQ(feed::plainRss("A & B", {"x & y", "z"}),
            "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<rss version=\"2.0\"><channel>\n"
            "<title>A &amp; B</title>\n<image><title>A &amp; B</title></image>\n"
            "<item><title>x &amp; y</title></item>\n<item><title>z</title></item>\n"
            "</channel></rss>\n");
}

}  // namespace
