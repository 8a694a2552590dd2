#include "render/frame.h"

#include <gtest/gtest.h>

#include "render/gl_context.h"

namespace {

TEST(TickerFont, SmallerFontForEachFurther140PixelsBelow1000) {
  // clang-format off
  const struct {
    int height, base;
  } cases[] = {
      {2000, 8900}, {1000, 8900}, {999, 8700}, {861, 8700}, {860, 8500}, {721, 8500},
      {720, 8300},  {441, 8100},  {161, 7700}, {160, 7500}, {21, 7500},  {20, 7300},
      {0, 7300},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(tickerFontBaseFor(c.height), c.base) << c.height;
}

// Fonts are chosen by the height at 96 dpi and drawn at the display's scale; tags grow with
// the ticker's font beyond its size at the default height of 480, never below the scale.
TEST(TextSizes, ByWindowHeightAndScale) {
  const struct {
    int32_t height;
    float scale;
    TextSizes expected;
  } cases[] = {
      {480, 1.0f, {480, 8100, 1.0f, 1.0f}},          // the default window: as it always was
      {960, 2.0f, {480, 8100, 2.0f, 2.0f}},          // the same at 192 dpi, twice as large
      {600, 1.25f, {480, 8100, 1.25f, 1.25f}},       // 120 dpi
      {720, 1.0f, {720, 8300, 1.0f, 26.0f / 22}},    // a taller window: larger tags
      {1080, 1.0f, {1080, 8900, 1.0f, 48.0f / 22}},  // full HD height
      {1080, 2.0f, {540, 8100, 2.0f, 2.0f}},
      {2160, 2.0f, {1080, 8900, 2.0f, 2 * 48.0f / 22}},
      {300, 1.0f, {300, 7700, 1.0f, 1.0f}},  // smaller windows keep the tags' sizes
      {100, 1.0f, {100, 7500, 1.0f, 1.0f}},
  };
  for (const auto& c : cases) {
    const TextSizes got = textSizesFor(c.height, c.scale);
    EXPECT_EQ(got.layoutHeight, c.expected.layoutHeight) << c.height << " " << c.scale;
    EXPECT_EQ(got.tickerFontBase, c.expected.tickerFontBase) << c.height << " " << c.scale;
    EXPECT_FLOAT_EQ(got.textScale, c.expected.textScale) << c.height << " " << c.scale;
    EXPECT_FLOAT_EQ(got.tagScale, c.expected.tagScale) << c.height << " " << c.scale;
  }
}

TEST(TextSizes, FontHeightsAtTheirScales) {
  const struct {
    FontScales scales;
    int tagLarge, tagSmall, tickerLargest, label;  // bases 1000, 3000, 8900, 7500
  } cases[] = {
      {{1.0f, 1.0f}, 28, 11, 48, 8},       {{2.0f, 2.0f}, 56, 22, 96, 16},
      {{1.0f, 26.0f / 22}, 33, 13, 48, 8}, {{1.25f, 1.25f}, 35, 14, 60, 10},
      {{0.1f, 0.01f}, 1, 1, 5, 1},
  };
  for (const auto& c : cases) {
    const auto table = scaledFontTable(c.scales);
    EXPECT_EQ(table[0].height, c.tagLarge) << c.scales.tags;
    EXPECT_EQ(table[2].height, c.tagSmall) << c.scales.tags;
    EXPECT_EQ(table[3].height, c.tickerLargest) << c.scales.text;
    EXPECT_EQ(table[10].height, c.label) << c.scales.text;
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].listBase, kFontTable[i].listBase);
  }
}

TEST(DialHour, TwelveHourClock) {
  const struct {
    int hour, dial;
  } cases[] = {{0, 0}, {1, 1}, {11, 11}, {12, 12}, {13, 1}, {23, 11}};
  for (const auto& c : cases) EXPECT_EQ(twelveHourClock(c.hour), c.dial) << c.hour;
}

}  // namespace
