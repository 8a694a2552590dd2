#include "render/tags.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/item_table.h"

namespace {

TEST(TagLabelChoice, CycleOffFollowsHoverThenTheShowFlags) {
  const struct {
    bool showValue, showChange, showPercent;
    int32_t hoveredItem;
    int expected;
  } cases[] = {
      {false, false, false, -1, kNameColumn},    // nothing chosen: every tag shows its name
      {true, true, false, -1, kValueColumn},     // value wins over change
      {false, true, true, -1, kChangeColumn},    // change wins over percent
      {false, false, true, -1, kPercentColumn},  //
      {true, false, false, 7, kNameColumn},      // the hovered tag shows its name
      {true, false, false, 8, kValueColumn},     // another tag is hovered
  };
  for (const auto& c : cases) {
    const TagLabelInputs in{false,         3,   c.showValue, c.showChange, c.showPercent,
                            c.hoveredItem, true};
    EXPECT_EQ(labelColumn(in, 7), c.expected)
        << c.showValue << c.showChange << c.showPercent << " hovered " << c.hoveredItem;
  }
}

TEST(TagLabelChoice, CycleRunsByPhase) {
  const struct {
    int32_t phase;
    bool altTextEnabled;
    int expected;
  } cases[] = {
      {0, false, kValueColumn}, {1, false, kChangeColumn}, {2, false, kPercentColumn},
      {3, false, kNameColumn},  {3, true, kAltTextColumn}, {4, true, kNameColumn},
      {0, true, kValueColumn},
  };
  for (const auto& c : cases) {
    // Hovering makes no difference while cycling.
    const TagLabelInputs in{true, c.phase, true, false, false, 5, c.altTextEnabled};
    EXPECT_EQ(labelColumn(in, 5), c.expected) << "phase " << c.phase << " alt " << c.altTextEnabled;
  }
}

TEST(TagLabel, WidthAndShortening) {
  const struct {
    const char* text;
    const char* shown;
    int32_t width;
  } cases[] = {
      {"10312", "10312", 40}, {"DAX  ", "DAX", 24}, {"FTSE ", "FTSE", 32},
      {"AB C1", "AB C1", 40},  // a blank fourth alone shortens nothing
      {"AB C", "AB C", 40},    // four characters: the fifth is the end, not a blank
      {"", "", 40},           {"    ", "    ", 40}, {"     ", "   ", 24},
  };
  for (const auto& c : cases) {
    const TagLabel label = makeTagLabel(c.text);
    EXPECT_STREQ(label.text, c.shown) << "'" << c.text << "'";
    EXPECT_EQ(label.width, c.width) << "'" << c.text << "'";
  }
}

TEST(TagAnchor, LiesAboveTheSurfaceInTheGlobesDirections) {
  const struct {
    float latitude, longitude;
    TagAnchor expected;
  } cases[] = {
      {0.0f, 9.62f, {0, 0, 4100}},    // on +z
      {90.0f, 0.0f, {0, -4100, 0}},   // the north pole on -y
      {-90.0f, 45.0f, {0, 4100, 0}},  // the south pole on +y
  };
  for (const auto& c : cases) {
    const TagAnchor a = tagAnchor(c.latitude, c.longitude);
    EXPECT_EQ(a.x, c.expected.x) << c.latitude << " " << c.longitude;
    EXPECT_EQ(a.y, c.expected.y) << c.latitude << " " << c.longitude;
    EXPECT_EQ(a.z, c.expected.z) << c.latitude << " " << c.longitude;
  }
  // Longitude 99.62 is a quarter turn east: direction (-sin 90, 0, cos 90) = -x.
  const TagAnchor east = tagAnchor(0.0f, 99.62f);
  EXPECT_NEAR(east.x, -4100, 1);
  EXPECT_NEAR(east.z, 0, 1);
  EXPECT_EQ(east.y, 0);
}

TEST(TagColour, BaseColoursCarryTheIndexAndDecodeBack) {
  const struct {
    int32_t k, fresh;
    bool down;
    TagColour expected;
  } cases[] = {
      {37, 1, false, {10, 228, 0}},  // 37 = 2 x 16 + 5, fresh and up
      {37, 1, true, {234, 4, 0}},    // fresh and down
      {0, 0, true, {192, 96, 96}},   // faded red
      {0, 0, false, {96, 192, 96}},  // faded green
      {99, 3, true, {230, 12, 0}},   // any non-zero fresh counts
  };
  for (const auto& c : cases) {
    const TagColour colour = tagColour(c.k, c.fresh, c.down, false);
    EXPECT_EQ(colour.red, c.expected.red) << c.k;
    EXPECT_EQ(colour.green, c.expected.green) << c.k;
    EXPECT_EQ(colour.blue, c.expected.blue) << c.k;
    EXPECT_EQ(tagIndexFromPixel(colour.red, colour.green, colour.blue), c.k);
  }
}

// Both palettes: the visible part of each state's colour (the top three bits) and the item
// code in the low bits, decoded back for the lowest and highest codes.
TEST(TagColour, PalettesKeepTheirStatesApartAndTheCodeIntact) {
  const struct {
    bool palette;
    int32_t fresh;
    bool down;
    TagColour visible;
  } states[] = {
      {false, 1, false, {0, 224, 0}},    {false, 1, true, {224, 0, 0}},
      {false, 0, false, {96, 192, 96}},  {false, 0, true, {192, 96, 96}},
      {true, 1, false, {0, 160, 224}},   {true, 1, true, {224, 128, 0}},
      {true, 0, false, {128, 128, 160}}, {true, 0, true, {160, 128, 96}},
  };
  for (const auto& s : states) {
    for (const int32_t k : {0, 1, 255, 511}) {
      const TagColour colour = tagColour(k, s.fresh, s.down, s.palette);
      const auto where = ::testing::Message() << "palette " << s.palette << " fresh " << s.fresh
                                              << " down " << s.down << " code " << k;
      EXPECT_EQ(colour.red & 224, s.visible.red) << where;
      EXPECT_EQ(colour.green & 224, s.visible.green) << where;
      EXPECT_EQ(colour.blue & 224, s.visible.blue) << where;
      EXPECT_EQ(tagIndexFromPixel(colour.red, colour.green, colour.blue), k) << where;
    }
  }
}

// Palette 1 marks the direction with a triangle: its base row full, its point one pixel in
// the middle, at the bottom for a fall; palette 0 has no mark.
TEST(TagMark, TriangleByDirectionAndFont) {
  EXPECT_FALSE(tagMark(false, true, 2000));
  const struct {
    bool down;
    int32_t fontBase, width, height;
  } cases[] = {
      {false, 1000, 21, 11}, {true, 1000, 21, 11}, {false, 2000, 13, 7}, {true, 3000, 9, 5}};
  for (const auto& c : cases) {
    const auto mark = tagMark(true, c.down, c.fontBase);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->width, c.width);
    EXPECT_EQ(mark->height, c.height);
    const int rowBytes = (c.width + 7) / 8;
    const auto pixels = [&](int row) {
      int count = 0, first = -1;
      for (int column = 0; column < c.width; ++column) {
        if (!(mark->bits[static_cast<size_t>(row * rowBytes + column / 8)] &
              (0x80 >> (column % 8))))
          continue;
        if (first < 0) first = column;
        ++count;
      }
      return std::pair{count, first};
    };
    const int base = c.down ? c.height - 1 : 0;
    const int point = c.down ? 0 : c.height - 1;
    EXPECT_EQ(pixels(base), std::pair(c.width, 0)) << c.down << " " << c.fontBase;
    EXPECT_EQ(pixels(point), std::pair(1, c.height - 1)) << c.down << " " << c.fontBase;
  }
}

TEST(TagMark, GrowsWithTheTagScale) {
  const struct {
    float scale;
    int32_t fontBase, width, height, gap, zoom;
  } cases[] = {{1.0f, 2000, 13, 7, 4, 8},
               {2.0f, 1000, 43, 22, 8, 16},
               {26.0f / 22, 2000, 15, 8, 5, 9},
               {4.0f, 3000, 39, 20, 8, 32}};
  for (const auto& c : cases) {
    const auto mark = tagMark(true, false, c.fontBase, c.scale);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->width, c.width) << c.scale;
    EXPECT_EQ(mark->height, c.height) << c.scale;
    EXPECT_EQ(mark->gap, c.gap) << c.scale;
    EXPECT_EQ(mark->bits.size(), static_cast<size_t>((c.width + 7) / 8 * c.height)) << c.scale;
    EXPECT_EQ(tagBoxZoom(c.scale), c.zoom) << c.scale;
  }
}

TEST(TagBoxPixels, CarryTheItemIndexInBitsOneToFour) {
  TagBoxPixels pixels;
  fillTagBoxPixels(pixels);
  const uint8_t* entry = pixels[37].data();
  EXPECT_EQ(entry[0], 10);
  EXPECT_EQ(entry[1], 4);
  EXPECT_EQ(entry[2], 0);
  EXPECT_EQ(entry[126], 10);  // last plain triplet
  EXPECT_EQ(entry[129], 74);  // first lifted triplet
  EXPECT_EQ(entry[130], 68);
  EXPECT_EQ(entry[131], 64);
  EXPECT_EQ(entry[252], 74);
  for (int i = 0; i < 100; ++i) {
    for (int offset = 0; offset <= 252; offset += 3) {
      const uint8_t* c = &pixels[static_cast<size_t>(i)][static_cast<size_t>(offset)];
      const int decoded =
          ((c[0] & 31) >> 1) + (((c[1] & 31) >> 1) << 4) + (((c[2] & 31) >> 1) << 8);
      ASSERT_EQ(decoded, i) << "entry " << i << " offset " << offset;
    }
  }
}

TEST(TagPick, BoxPixelsDecodeToTheirEntryAndBackgroundsToNoTag) {
  TagBoxPixels pixels;
  fillTagBoxPixels(pixels);
  for (int k = 0; k < 100; ++k) {
    for (int offset : {tagBoxOffset(1), tagBoxOffset(0)}) {
      const uint8_t* p = pixels[static_cast<size_t>(k)].data() + offset;
      ASSERT_EQ(tagIndexFromPixel(p[0], p[1], p[2]), k) << k << " at " << offset;
    }
  }
  EXPECT_EQ(tagBoxOffset(0), 132);
  EXPECT_GE(tagIndexFromPixel(255, 255, 255), 512);  // white background
  EXPECT_GE(tagIndexFromPixel(0, 0, 5), 512);        // dark blue background (0.02)
}

TEST(TagText, BaselineFollowsZoom) {
  EXPECT_EQ(tagTextY(100, 80), 100 - 26);
  EXPECT_EQ(tagTextY(100, 600), 100);
  EXPECT_EQ(tagTextY(0, 2), -29);
}

TEST(TagSizeClass, ByViewportHeightAndLargeTags) {
  const struct {
    int32_t height;
    bool large;
    int32_t labelWidth;
    TagSizeClass expected;
  } cases[] = {
      {321, true, 40, {11, 3, 1000}}, {321, true, 24, {7, 3, 1000}},
      {321, false, 40, {7, 2, 2000}}, {1024, false, 32, {6, 2, 2000}},
      {320, true, 40, {7, 2, 2000}},  {320, false, 40, {5, 1, 3000}},
      {0, false, 24, {5, 1, 3000}},
  };
  for (const auto& c : cases) {
    const TagSizeClass s = tagSizeClass(c.height, c.large, c.labelWidth);
    EXPECT_EQ(s.boxWidth, c.expected.boxWidth) << c.height << " " << c.large << " " << c.labelWidth;
    EXPECT_EQ(s.boxHeight, c.expected.boxHeight) << c.height << " " << c.large;
    EXPECT_EQ(s.fontBase, c.expected.fontBase) << c.height << " " << c.large;
    // The largest box still fits its half of the 256-byte pick entry.
    EXPECT_LE(tagBoxOffset(0) + s.boxWidth * s.boxHeight * 3, 255);
  }
}

}  // namespace
