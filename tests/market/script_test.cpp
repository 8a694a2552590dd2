#include "market/script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "market/script_format.h"
#include "model/item_table.h"

namespace {

// Records what the script asks of the program; the page is a list of numbers that
// readNumber hands out in turn, and the markers findText finds.
class FakeHost : public ScriptHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> markersOnPage;
  std::vector<float> numbers;
  size_t nextNumber = 0;
  float acc = 0.0f;
  int32_t downloadResult = 1;
  int32_t quoteResult = 1;
  QuoteTexts quote{"10234", "12", "0.4%"};
  platform::DateTime date{2010, 7, 4, 15, 12, 0, 0, 0};

  void saveSectionStart() override { calls.push_back("save"); }
  void rewindToSectionStart() override { calls.push_back("rewind"); }
  bool findText(std::string_view marker) override {
    calls.push_back("find " + std::string(marker));
    for (const auto& m : markersOnPage) {
      if (m == marker) return true;
    }
    return false;
  }
  void findBack(std::string_view marker) override {
    calls.push_back("back " + std::string(marker));
  }
  void backToTag() override { calls.push_back("backToTag"); }
  void skipToNumber() override { calls.push_back("skip"); }
  void readNumber(int32_t tags) override {
    calls.push_back("read " + std::to_string(tags));
    if (nextNumber < numbers.size()) acc = numbers[nextNumber++];
  }
  float accumulator() override { return acc; }
  void setAccumulator(float value) override { acc = value; }
  int32_t downloadPage(std::string_view host, std::string_view path) override {
    calls.push_back("download " + std::string(host) + " " + std::string(path));
    return downloadResult;
  }
  int32_t fetchQuotePage(std::string_view path, QuoteTexts& texts) override {
    calls.push_back("quote " + std::string(path));
    if (quoteResult == 1) texts = quote;
    return quoteResult;
  }
  void setRefreshSetting(int32_t value) override {
    calls.push_back("refresh " + std::to_string(value));
  }
  void setCaptionText(std::string_view text) override {
    calls.push_back("captionText " + std::string(text));
  }
  void restoreCaption() override { calls.push_back("caption"); }
  void showMessage(std::string_view text, std::string_view title) override {
    calls.push_back("message " + std::string(title) + ": " + std::string(text));
  }
  void openPage(std::string_view address) override {
    calls.push_back("open " + std::string(address));
  }
  void requestClose() override { calls.push_back("close"); }
  void saveScriptLocation(std::string_view host, std::string_view path) override {
    calls.push_back("location " + std::string(host) + " " + std::string(path));
  }
  platform::DateTime localDate() override { return date; }
};

class ScriptTest : public ::testing::Test {
 protected:
  ScriptRegisters registers;
  FetchRunState run;
  std::unique_ptr<MarketItemTable> table = std::make_unique<MarketItemTable>();
  FakeHost host;

  void runScript(const std::string& script, char marker = '#', const char* label = "001") {
    ScriptContext context{script, registers, run, *table, host};
    runSection(context, marker, label);
  }
  std::string column(int c, int k) const { return table->field(c, k); }
};

TEST_F(ScriptTest, StringAndNumberRegisters) {
  registers.number['v' - '0'] = 3.0f;
  runScript(
      "#001\ns1ABC\na11\nl5 2.5e1\nl6-4\nm56\nn66\nd57\nl8-0\nd78\nT9x\ns9042abc\nT9w\nlv\nr\n");
  EXPECT_EQ(registers.text[1], "ABCABC");
  EXPECT_FLOAT_EQ(registers.number['5' - '0'], -10000.0f);  // -100 divided by 0 + 0.01
  EXPECT_FLOAT_EQ(registers.number['6' - '0'], -8.0f);
  EXPECT_FLOAT_EQ(registers.number['7' - '0'], 0.0f);
  EXPECT_FLOAT_EQ(registers.number['w' - '0'], 42.0f);
  EXPECT_FLOAT_EQ(registers.number['v' - '0'], 0.0f);  // a load line without a number
}

TEST_F(ScriptTest, NumberRegisterZeroIsClearedPerSection) {
  const std::string script = "*001\nl07\nl17\nr\n*002\nr\n***\n";
  runScript(script, '*', "001");
  EXPECT_FLOAT_EQ(registers.number[0], 7.0f);
  runScript(script, '*', "002");
  EXPECT_FLOAT_EQ(registers.number[0], 0.0f);
  EXPECT_FLOAT_EQ(registers.number[1], 7.0f);
}

TEST_F(ScriptTest, AppendsCutOrPadColumnsZeroToSix) {
  runScript(
      "#001\ns0Frankfurt\nA00\ns1DAX\nA01\nA61\ns2http://127.0.0.1/item/"
      "GDAXI?long=yes\nA72\nA82\nr\n");
  EXPECT_EQ(column(0, 0), "Frank");
  EXPECT_EQ(column(0, 1), "DAX  ");
  EXPECT_EQ(column(6, 0), "DAX  ");
  EXPECT_EQ(column(7, 0), "http://127.0.0.1/item/GDAXI?long=yes");
  EXPECT_EQ(column(8, 0), "http://127.0.0.1/item/GDAXI?long=yes");
  EXPECT_EQ(table->columnCount[0], 2);
}

TEST_F(ScriptTest, FormatsNumbersIntoStringRegisters) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {{"C53", "-12"}, {"D53", "-12.500000"}, {"Z53", "-12.%"}, {"P53", "-12% "}};
  for (const auto& c : cases) {
    runScript(std::string("#001\nl5-12.5\n") + c.line + "\nr\n");
    EXPECT_EQ(registers.text[3], c.expected) << c.line;
  }
  runScript("#001\nl5.5\nD53\nr\n");
  EXPECT_EQ(registers.text[3], ".500000");
}

TEST(ScriptFormat, PercentageForms) {
  const struct {
    float value;
    const char* two;
    const char* one;
  } cases[] = {{1.234f, "1.23%", "1.2% "}, {12.345f, "12.3%", "12.3%"}, {-1.5f, "-1.5%", "-1.5%"},
               {0.0f, "0.00%", "0.0% "},   {123.4f, "123.%", "123% "},  {-12.5f, "-12.%", "-12% "},
               {1.23f, "1.23%", "1.2% "},  {12.34f, "12.3%", "12.3%"}};
  for (const auto& c : cases) {
    EXPECT_EQ(percentTwoDecimals(c.value), c.two) << c.value;
    EXPECT_EQ(percentOneDecimal(c.value), c.one) << c.value;
  }
}

TEST(ScriptFormat, FuturesSymbolsAndIntegerLimits) {
  EXPECT_EQ(futuresSymbol(2010, 7, "CMX"), "N10.CMX");
  EXPECT_EQ(nextMonthFuturesSymbol(2010, 12, "NYM"), "F11.NYM");
  EXPECT_EQ(nextMonthFuturesSymbol(2010, 7, "NYM"), "Q10.NYM");
  EXPECT_EQ(truncatedInteger(3e10f), "2147483647");
  EXPECT_EQ(truncatedInteger(-7.9f), "-7");
}

TEST_F(ScriptTest, SelectorsFromTheDateAndTheCustomStock) {
  run.customSymbol = "IBM";
  run.customLatitude = "41.1";
  host.acc = 3.5f;
  runScript("#001\ns1GC\ny11\ns2CL\ny22\ny33\ny44\ny55\ny66\ny77\ny88\nyk0\ny19\nr\n");
  EXPECT_EQ(registers.text[1], "GCN10.CMX");
  EXPECT_EQ(registers.text[2], "CLQ10.NYM");
  EXPECT_EQ(registers.text[3], "IBM\",");
  EXPECT_EQ(registers.text[4], "IBM");
  EXPECT_EQ(registers.text[5], "IBM");  // appended to an empty register
  EXPECT_EQ(registers.text[6], "41.1");
  EXPECT_EQ(registers.text[7], "0.0");
  EXPECT_EQ(registers.text[8], "IBM,");
  EXPECT_FLOAT_EQ(registers.number['k' - '0'], 3.5f);
  EXPECT_EQ(table->customAbsent, 0);

  host.date = {2010, 12, 2, 15, 12, 0, 0, 0};
  runScript("#001\ns2CL\ny22\nr\n");
  EXPECT_EQ(registers.text[2], "CLF11.NYM");
}

TEST_F(ScriptTest, NoCustomStockEndsTheSection) {
  runScript("#001\ny13\ns1after\nr\n");
  EXPECT_EQ(table->customAbsent, 1);
  EXPECT_EQ(registers.text[1], "");
}

TEST_F(ScriptTest, SkippedLinesAndCommentPositions) {
  runScript(
      "#001\n"
      "// s1first\n"
      " s2blank\n"
      "s3//kept\n"
      "s4abc//kept too\n"
      "s5x//\n"
      "\n"
      "r\n");
  EXPECT_EQ(registers.text[1], "");
  EXPECT_EQ(registers.text[2], "");
  EXPECT_EQ(registers.text[3], "");  // "//" at the third character: skipped
  EXPECT_EQ(registers.text[4], "abc//kept too");
  EXPECT_EQ(registers.text[5], "x//");  // "//" from the fourth character on is kept
}

TEST_F(ScriptTest, LinesAreCutAt251CharactersAndCrLfGivesEmptyLines) {
  const std::string longText(260, 'x');
  runScript("#001\r\ns1" + longText + "\r\nr\r\n");
  EXPECT_EQ(registers.text[1], std::string(249, 'x'));  // 251 characters less "s1"
}

// 150 KB of bytes 0 to 255 from a fixed seed, run as commands.
std::string binaryBytes() {
  std::minstd_rand random(7);
  std::string bytes(150000, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

TEST_F(ScriptTest, OversizedScriptsRunToTheirEnd) {
  const std::string longLine(100000, 'x');
  std::string manyLines;
  for (int i = 0; i < 100000; ++i) manyLines += "// c\n";
  const struct {
    const char* name;
    std::string script;
    std::string text1;
  } cases[] = {
      {"100,000-character line", "*001\ns1" + longLine + "\ns2end\n", std::string(249, 'x')},
      {"no line terminator", "*001\ns2end\ns1" + longLine, std::string(249, 'x')},
      {"100,000 lines", "*001\ns1a\n" + manyLines + "s2end\n", "a"},
      {"150 KB of binary", "*001\ns1a\ns2end\n" + binaryBytes(), "a"},
  };
  for (const auto& c : cases) {
    registers = ScriptRegisters{};
    runScript(c.script, '*', "001");
    EXPECT_EQ(registers.text[1], c.text1) << c.name;
    EXPECT_EQ(registers.text[2], "end") << c.name;
  }
}

TEST_F(ScriptTest, QuoteCommandWhenTheMarkerIsMissing) {
  host.markersOnPage = {"DJI\","};
  host.quote = {"10234     ", "-12     ", "-0.4%    "};  // as the quote page parser cuts them
  host.numbers = {10234.56f, -12.0f};
  runScript(
      "#001\nl22\ns1DJI\",\nft1\nG2\ny50\nC56\nA46\npr\n"
      "s1IBM\",\nft1\nG2\nA46\ns7never\npr\ns8after\nr\n");
  EXPECT_EQ(column(4, 0), "10234");
  // From the quote page, each cut to five characters.
  EXPECT_EQ(column(4, 1), "10234");
  EXPECT_EQ(column(5, 0), "-12  ");
  EXPECT_EQ(column(3, 0), "-0.4%");
  EXPECT_EQ(registers.text[7], "");
  EXPECT_EQ(registers.text[8], "after");
  EXPECT_THAT(host.calls, ::testing::Contains("quote /q?s=^IBM"));
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "rewind"), 2);
  EXPECT_EQ(run.lastResult, 1);
}

TEST_F(ScriptTest, FailedQuotePageKeepsThePlaceWithPlaceholders) {
  host.quoteResult = 11001;
  runScript("#001\ns1X\nft1\n**end\npr\nr\n");
  EXPECT_EQ(column(4, 0), "----");
  EXPECT_EQ(column(5, 0), "----");
  EXPECT_EQ(column(3, 0), "----");
  EXPECT_EQ(run.lastResult, 11001);
  EXPECT_THAT(host.calls, ::testing::Contains("quote /q?s=^"));  // "X" less two characters
  EXPECT_THAT(host.calls, ::testing::Not(::testing::Contains("rewind")));
}

TEST_F(ScriptTest, SectionEndsAndTheProgramCommands) {
  runScript("*001\ns1127.0.0.1:8404\ns2/markets/indices\nh12\ns3not reached\n", '*');
  EXPECT_EQ(run.lastResult, 1);
  EXPECT_EQ(registers.text[3], "");
  EXPECT_THAT(host.calls, ::testing::ElementsAre("save", "download 127.0.0.1:8404 /markets/indices",
                                                 "caption"));

  host.calls.clear();
  runScript("#001\ns1hello\nM1\nM1\nH1\nH1\nXX1\nlr119\ner\nt1\ng0\ns2after g\n");
  EXPECT_THAT(host.calls, ::testing::ElementsAre("save", "message ok: hello", "open hello",
                                                 "refresh 119", "captionText hello", "read 0"));
  EXPECT_EQ(run.closeRequested, 0);                  // "XX" after "M" is ignored
  EXPECT_EQ(registers.text[2], "/markets/indices");  // "g" ended the section
}

TEST_F(ScriptTest, RestartsAndTheEndOfTheProgram) {
  run.configChecked = 1;
  runScript("#001\ns1example.org\ns2/s.txt\nW12\ns3no\n");
  EXPECT_EQ(run.abortScript, 1);
  EXPECT_EQ(run.configChecked, 0);
  EXPECT_EQ(run.scriptHost, "example.org");
  EXPECT_THAT(host.calls, ::testing::Contains("location example.org /s.txt"));

  run = {};
  run.configChecked = 1;
  runScript("#001\nw\n");
  EXPECT_EQ(run.abortScript, 1);
  EXPECT_EQ(run.useCacheOnly, 1);
  EXPECT_EQ(run.configChecked, 0);

  ScriptRegisters fresh;
  registers = fresh;
  runScript("#001\ns4bye\nXX4\ns5no\n");
  EXPECT_EQ(run.closeRequested, 1);
  EXPECT_THAT(host.calls, ::testing::Contains("message Disconnected...: bye"));
  EXPECT_THAT(host.calls, ::testing::Contains("close"));
  EXPECT_EQ(registers.text[5], "");
}

TEST_F(ScriptTest, MissingSectionsEndLinesAndUnknownStorage) {
  runScript("#002\ns1no\n***\n#001\ns1no\n");
  EXPECT_EQ(registers.text[1], "");  // "#001" stands after the end line
  runScript("#001\ns1yes\n***\ns2no\n");
  EXPECT_EQ(registers.text[1], "yes");
  EXPECT_EQ(registers.text[2], "");
  runScript("#001\nsAnot a register\nl{5\nAx1\nA:1\nc1a\nm5~\ns2end");  // no end line at all
  EXPECT_EQ(table->columnCount[0], 0);
  EXPECT_EQ(registers.text[2], "end");
  EXPECT_EQ(registers.text[1], "yes");
  runScript("#001\nR\ncy\nr\n");
  EXPECT_EQ(table->altTextEnabled, 1);
}

TEST_F(ScriptTest, StringRegistersHoldAtMost255Characters) {
  runScript("#001\ns1" + std::string(200, 'a') + "\na11\nr\n");
  EXPECT_EQ(registers.text[1].size(), 255u);
}

TEST(ScriptHeader, BlockCount) {
  EXPECT_EQ(scriptBlockCount("#03 three blocks"), 3);
  EXPECT_EQ(scriptBlockCount("// x\n#1x"), 1);
  EXPECT_EQ(scriptBlockCount("#ab"), 0);
  EXPECT_EQ(scriptBlockCount(std::string(100, ' ') + "#02"), 2);
  EXPECT_EQ(scriptBlockCount(std::string(101, ' ') + "#02"), std::nullopt);
  EXPECT_EQ(scriptBlockCount(""), std::nullopt);
}

}  // namespace
