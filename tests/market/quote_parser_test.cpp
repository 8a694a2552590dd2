#include "market/quote_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/text.h"
#include "tools/feed/simulator.h"

namespace {

std::string page;
QuoteTexts texts;

int32_t parse(std::string body) {
  page = std::move(body);
  texts = QuoteTexts{};
  ScannerState scanner;
  startScan(scanner, page.data(), static_cast<int32_t>(page.size()));
  return parseQuotePage(scanner, texts);
}

// A quote page the way the quote server writes it; the tail keeps the markers out of the
// last three characters, which the scanner never examines.
std::string quotePage(const std::string& value, const std::string& alt, const std::string& change,
                      const std::string& percent) {
  return "<html><p>Index Value: <span id=\"v\">" + value +
         "</span></p>\n<p>Change: " + "<img src=\"http://img/x.gif\" alt=\"" + alt + "\"> <b>" +
         change + "</b> (" + percent + "%)</p></html>\n";
}

struct QuoteCase {
  const char* name;
  std::string page;
  int32_t result;
  const char* value;
  const char* change;
  const char* percent;
};

TEST(QuoteParserTest, CutsValueChangeAndPercent) {
  const QuoteCase cases[] = {
      {"a fall", quotePage("10,234.56", "Down", "12.34", "0.45"), 1, "10234     ", "-12     ",
       "-0.4%    "},
      {"any other letter is no fall", quotePage("10234.56", "Up", "12.34", "0.45"), 1, "10234     ",
       "12     ", "0.4%    "},
      {"lower-case d is no fall", quotePage("1.5", "down", "2.5", "1.25"), 1, "1     ", "2     ",
       "1.2%    "},
      {"thousands separators in the change", quotePage("5", "Down", "1,234.56", "3.5"), 1, "5",
       "-1234     ", "-3.5%    "},
      {"7.5 keeps its 7", quotePage("7.5", "Up", "0", "0"), 1, "7     ", "0", "0"},
      {"no decimal point, no percent sign", quotePage("123", "Up", "4", "5"), 1, "123", "4", "5"},
      {"no alt=", "<p>Index Value: <span id=\"v\">99.9</span> (1.5%)</p>\n", 0, "99     ", "----",
       "----"},
      {"no Index Value:", "<p>Other Value: <span id=1>2</span> alt=\"Down\"> <b>3</b> (4)\n..", 0,
       "----", "----", "----"},
      {"a value too far from its tag",
       "Index Value: <span id=x>" + std::string(20, ' ') +
           "12 http alt=\"Up\"> <b>1</b> (2%)\n....",
       1, "0", "1", "2"},
  };
  for (const QuoteCase& c : cases) {
    EXPECT_EQ(parse(c.page), c.result) << c.name;
    EXPECT_EQ(texts.value, c.value) << c.name;
    EXPECT_EQ(texts.change, c.change) << c.name;
    EXPECT_EQ(texts.percent, c.percent) << c.name;
  }
}

TEST(QuoteParserTest, DecimalFormsOnTheirOwn) {
  struct FormCase {
    const char* in;
    const char* cut;
    const char* percent;
  };
  const FormCase cases[] = {
      {"10234.56", "10234     ", "10234.5%    "},
      {"0.45", "0     ", "0.4%    "},
      {"-0.45", "-0     ", "-0.4%    "},
      {"12.", "12     ", "12."},  // nothing after the point to keep
      {"1..5", "1     ", "1..%%    "},
      {"", "", ""},
  };
  for (const FormCase& c : cases) {
    char cut[kQuoteTextSize] = {};
    char percent[kQuoteTextSize] = {};
    std::snprintf(cut, sizeof cut, "%s", c.in);
    std::snprintf(percent, sizeof percent, "%s", c.in);
    cutDecimals(cut, kQuoteTextSize);
    percentForm(percent, kQuoteTextSize);
    EXPECT_STREQ(cut, c.cut) << c.in;
    EXPECT_STREQ(percent, c.percent) << c.in;
  }
}

TEST(QuoteParserTest, FormsStayInsideTheirBuffer) {
  char text[8] = "123456.";  // the cut would run past the end
  cutDecimals(text, sizeof text);
  EXPECT_STREQ(text, "123456 ");
  char percent[8] = "12345.6";
  percentForm(percent, sizeof percent);
  EXPECT_STREQ(percent, "12345.6");
}

TEST(QuoteParserTest, ReadsTheFeedServersQuotePages) {
  for (const feed::Instrument& instrument : feed::instruments()) {
    for (int64_t step : {0, 7, 1000}) {
      const feed::Quote quote = feed::quoteAt(instrument, step);
      ASSERT_EQ(parse(feed::quotePage(instrument.symbol, step)), 1) << instrument.symbol;
      EXPECT_EQ(texts.change[0] == '-', quote.change < 0) << instrument.symbol;
      EXPECT_EQ(texts.percent[0] == '-', quote.change < 0) << instrument.symbol;
      EXPECT_NE(texts.percent.find('%'), std::string::npos) << instrument.symbol;
      // The page writes the value rounded to two decimals; the cut keeps its whole part.
      EXPECT_LE(std::abs(platform::leadingInt(texts.value) - static_cast<int32_t>(quote.value)), 1)
          << instrument.symbol;
    }
  }
}

}  // namespace
