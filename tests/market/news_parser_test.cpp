#include "market/news_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tools/feed/simulator.h"

namespace {

std::string feedOf(const std::string& title, const std::vector<std::string>& items) {
  std::string xml = "<rss><channel><title>Channel</title><image><url>u</url><title>" + title +
                    "</title></image>\n";
  for (const std::string& item : items) xml += "<item><title>" + item + "</title></item>\n";
  return xml + "</channel></rss>\n";
}

std::string blanks(size_t n) { return std::string(n, ' '); }

// One headline entry: the mark, the headline and blanks up to 61 bytes.
std::string entry(const std::string& headline) {
  const size_t filler = headline.size() < 60 ? 60 - headline.size() : 0;
  return std::string(1, kHeadlineMark) + headline + blanks(filler);
}

class NewsParserTest : public ::testing::Test {
 protected:
  // Parses one feed after the ones already in the news text.
  void parse(std::string feed) {
    body = std::move(feed);
    ScannerState scanner;
    startScan(scanner, body.data(), static_cast<int32_t>(body.size()));
    parseFeed(scanner, *newsText);
  }
  std::string news() const {
    return std::string(newsText->text, static_cast<size_t>(newsText->length));
  }

  std::string body;
  std::unique_ptr<NewsText> newsText = std::make_unique<NewsText>();
};

TEST_F(NewsParserTest, AFeedGivesLeadTitleItemsAndTail) {
  parse(feedOf("Business", {"Stocks rise", "Bonds fall"}));
  EXPECT_EQ(news(), blanks(66) + entry("Business") + entry("Stocks rise") + entry("Bonds fall") +
                        blanks(50));
}

TEST_F(NewsParserTest, ThreeFeedsOfTwoItemsGive897Bytes) {
  for (const char* title : {"Business", "Stocks", "Top stories"}) {
    parse(feedOf(title, {"First headline", "Second headline"}));
  }
  EXPECT_EQ(newsText->length, 897);
}

struct HeadlineCase {
  const char* name;
  std::string title;
  std::string shown;  // the entry's text, filler not included
};

TEST_F(NewsParserTest, HeadlineTextRules) {
  const HeadlineCase cases[] = {
      {"ampersand entity", "Q&amp;A", "Q&A"},
      {"typographic apostrophe", "It&#8217;s up", "It;s up"},
      {"unknown name", "a &lt;b&gt;", "a ;b;"},
      {"numeric dollar", "&#36;5", "$5"},
      {"two keys: the later one decides", "&#4036;", "("},
      {"quote", "&quot;x&quot;", "\"x\""},
      {"at sign", "&#64;", "@"},
      {"name longer than 15", "&#00000000000039;x", ";x"},
      {"bytes above 127 left out", "Caf\xC3\xA9 prices", "Caf prices"},
      {"line breaks left out", "Two\r\nlines", "Twolines"},
      {"a parenthesis ends it", "Markets rise (update 2)", "Markets rise "},
  };
  for (const HeadlineCase& c : cases) {
    clearNews(*newsText);
    parse(feedOf("T", {c.title}));
    EXPECT_EQ(news(), blanks(66) + entry("T") + entry(c.shown) + blanks(50)) << c.name;
  }
}

TEST_F(NewsParserTest, LongHeadlinesGetNoFillerAndTheNextItemsAreRead) {
  const std::string sixty(60, 'a');
  const std::string sixtyOne(61, 'b');
  parse(feedOf("T", {sixty, sixtyOne, "next"}));
  const std::string expected = blanks(66) + entry("T") + std::string(1, kHeadlineMark) + sixty +
                               std::string(1, kHeadlineMark) + sixtyOne + entry("next") +
                               blanks(50);
  EXPECT_EQ(news(), expected);
}

TEST_F(NewsParserTest, MissingElementsLeaveTheTail) {
  parse("<rss><channel><item><title>No image</title></item></channel></rss>\n");
  EXPECT_EQ(news(), blanks(50));
  clearNews(*newsText);
  parse("<rss><image><url>x</url></image></rss>\n");
  EXPECT_EQ(news(), blanks(50));
}

TEST_F(NewsParserTest, ATextEndingInsideAHeadlineKeepsWhatWasCopied) {
  parse("<image><title>Cut off hea");  // the last three characters are never read
  EXPECT_EQ(news(), blanks(66) + std::string(1, kHeadlineMark) + "Cut off " + blanks(50));
  clearNews(*newsText);
  parse("<image><title>Entity &amp");  // an entity without its ";"
  EXPECT_EQ(news(), blanks(66) + std::string(1, kHeadlineMark) + "Entity " + blanks(50));
}

TEST_F(NewsParserTest, AppendsStopAtTheEndOfTheTickerText) {
  std::vector<std::string> items(3000, "Headline");
  parse(feedOf("T", items));
  EXPECT_EQ(newsText->length, kTickerSize);
  EXPECT_EQ(newsText->text[kTickerSize - 1], ' ');
}

TEST_F(NewsParserTest, PublishesTheBuiltTextAsTheTicker) {
  parse(feedOf("T", {"One"}));
  FetchChannel channel;
  publishNews(*newsText, channel);
  EXPECT_EQ(*channel.latest()->ticker, news());
}

TEST(OfflineTickerTest, Is193BytesWithTwoMarks) {
  const std::string_view offline = offlineTickerText();
  ASSERT_EQ(offline.size(), 193u);
  EXPECT_EQ(offline[0], kHeadlineMark);
  EXPECT_EQ(offline[61], kHeadlineMark);
  EXPECT_EQ(offline.substr(67, 22), "No connection: OFFLINE");
  EXPECT_EQ(std::count(offline.begin(), offline.end(), ' '), 171);  // two inside the words
}

TEST_F(NewsParserTest, ReadsTheFeedServersFeeds) {
  parse(feed::rssFeed("business", 0));
  const std::string text = news();
  // The feed's title and five items, each headline at most 60 characters.
  EXPECT_EQ(std::count(text.begin(), text.end(), kHeadlineMark), 6);
  EXPECT_EQ(text.size(), 66u + 6 * 61 + 50);
}

}  // namespace
