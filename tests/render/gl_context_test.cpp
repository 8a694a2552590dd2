#include "render/gl_context.h"

#include <gtest/gtest.h>

namespace {

TEST(Palette, NoneForTrueColourFormats) {
  EXPECT_TRUE(computePalette({24, 8, 16, 8, 8, 8, 0, false}).empty());
}

TEST(Palette, ThreeThreeTwoFormatHasRampsAndSystemColours) {
  const auto palette = computePalette({8, 3, 0, 3, 3, 2, 6, true});
  ASSERT_EQ(palette.size(), 256u);
  const struct {
    int entry;
    PaletteEntry colour;
  } cases[] = {
      {0, {0, 0, 0, 0}},         {3, {128, 0, 0, 0}},       {91, {128, 128, 128, 0}},
      {1, {36, 0, 0, 0}},        {2, {73, 0, 0, 0}},        {7, {255, 0, 0, 0}},
      {8, {0, 36, 0, 0}},        {64 + 1, {36, 0, 85, 0}},  {255, {255, 255, 255, 0}},
      {247, {255, 251, 240, 0}}, {164, {160, 160, 164, 0}}, {192, {0, 0, 255, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(palette[static_cast<size_t>(c.entry)], c.colour) << c.entry;
}

TEST(Palette, OtherBitCountsGiveZeroComponents) {
  const auto palette = computePalette({4, 1, 0, 2, 1, 4, 3, true});
  ASSERT_EQ(palette.size(), 16u);
  EXPECT_EQ(palette[1], (PaletteEntry{255, 0, 0, 0}));
  EXPECT_EQ(palette[7], (PaletteEntry{255, 255, 0, 0}));  // green (7 >> 1) & 3 = 3
  EXPECT_EQ(palette[15].blue, 0);                         // 4 bits has no ramp
}

TEST(FontTable, ListRangesDoNotOverlap) {
  for (const auto& a : kFontTable) {
    for (const auto& b : kFontTable) {
      if (&a == &b) continue;
      const bool apart =
          a.listBase + a.glyphCount <= b.listBase || b.listBase + b.glyphCount <= a.listBase;
      EXPECT_TRUE(apart) << a.listBase << " and " << b.listBase;
    }
  }
}

}  // namespace
