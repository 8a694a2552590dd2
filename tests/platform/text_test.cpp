#include "platform/text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Text, LeadingNumbersFollowTheStandardConversions) {
  const struct {
    const char* text;
    int32_t asInt;
    double asDouble;
  } cases[] = {
      {"12", 12, 12.0},
      {"-7.5", -7, -7.5},
      {".1", 0, 0.1},
      {"  3e2x", 3, 300.0},
      {"abc", 0, 0.0},
      {"", 0, 0.0},
      {"-", 0, 0.0},
      {"1,5", 1, 1.0},
      {"99999999999", 2147483647, 99999999999.0},
      {"-99999999999", -2147483647 - 1, -99999999999.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::leadingInt(c.text), c.asInt) << c.text;
    EXPECT_EQ(platform::leadingDouble(c.text), c.asDouble) << c.text;
  }
}

TEST(Text, DecimalTextTakesAPointOrAComma) {
  const struct {
    const char* typed;
    const char* written;  // nullptr: no number
  } cases[] = {
      {"49,29", "49.29"}, {" +3 ", "+3"},     {",5", ".5"},     {"7.", "7."},
      {"-0.12", "-0.12"}, {"", nullptr},      {"-", nullptr},   {".", nullptr},
      {"1e3", nullptr},   {"1.2.3", nullptr}, {"12a", nullptr}, {"- 1", nullptr},
  };
  for (const auto& c : cases) {
    const auto written = platform::decimalText(c.typed);
    EXPECT_EQ(written.has_value(), c.written != nullptr) << c.typed;
    if (written && c.written) {
      EXPECT_EQ(*written, c.written) << c.typed;
    }
  }
}

TEST(Text, FormatsLikePrintfInTheCLocale) {
  EXPECT_EQ(platform::formatInt(-9000), "-9000");
  EXPECT_EQ(platform::formatFixed(0.1), "0.100000");
  EXPECT_EQ(platform::formatFixed(-210.0), "-210.000000");
  EXPECT_EQ(platform::formatFixed(1.0 / 3.0, 2), "0.33");
}

TEST(Text, CopyBoundedKeepsRoomForTheTerminator) {
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(platform::copyBounded(buffer, sizeof buffer, "abcdef"), 3u);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(platform::copyBounded(buffer, sizeof buffer, ""), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(platform::copyBounded(buffer, 0, "abc"), 0u);
  EXPECT_EQ(platform::copyBounded(buffer, sizeof buffer, std::string_view()), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(platform::leadingDouble(std::string_view()), 0.0);
}

}  // namespace
