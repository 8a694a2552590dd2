#include "render/glyph_atlas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/tags.h"

namespace {

using platform::GlyphBitmap;

// Two fonts' worth of lists: 100 'A' (3 x 2, origin (-1, 1), advance 5), 101 advance-only
// (advance 4), and 300 'B' (9 x 1, origin (0, 0), advance 10.5) of another range.
std::vector<GlyphBitmap> sampleGlyphs() {
  return {{100, 3, 2, -1.0f, 1.0f, 5.0f, {0b10100000, 0b01000000}},
          {101, 0, 0, 0.0f, 0.0f, 4.0f, {}},
          {300, 9, 1, 0.0f, 0.0f, 10.5f, {0b11111111, 0b10000000}}};
}

TEST(GlyphAtlas, PacksBitsBottomRowFirstHighBitLeftmost) {
  const auto glyphs = sampleGlyphs();
  const GlyphAtlas atlas = packGlyphs(glyphs);
  ASSERT_EQ(atlas.width, kAtlasWidth);
  EXPECT_EQ(atlas.height, 2);  // the tallest row, to a power of two
  const AtlasGlyph* a = atlas.glyphForList(100);
  const AtlasGlyph* b = atlas.glyphForList(300);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(atlas.glyphForList(200), nullptr);
  EXPECT_EQ(atlas.glyphForList(-1), nullptr);
  EXPECT_EQ(atlas.glyphForList(301), nullptr);
  const auto texels = atlasTexels(atlas, glyphs);
  const auto at = [&](int32_t u, int32_t v) {
    return texels[static_cast<size_t>(v * kAtlasWidth + u)];
  };
  EXPECT_EQ(at(0, 0), 255);  // the solid texel of the boxes
  const uint8_t aBottom[3] = {255, 0, 255};
  const uint8_t aTop[3] = {0, 255, 0};
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(at(a->u + i, a->v), aBottom[i]) << i;
    EXPECT_EQ(at(a->u + i, a->v + 1), aTop[i]) << i;
  }
  for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(at(b->u + i, b->v), 255) << i;
  EXPECT_EQ(at(b->u + 9, b->v), 0);
}

TEST(GlyphAtlas, TextLandsWhereBitmapsWouldAndAdvancesByList) {
  const GlyphAtlas atlas = packGlyphs(sampleGlyphs());
  const struct {
    float x, y;
    const char* text;
    int32_t firstX0, firstY0;
    size_t quads;
    float endX;
  } cases[] = {
      {10.0f, 20.0f, "\x01", 11, 19, 1, 15.0f},         // corner = raster less the origin
      {10.4f, 20.7f, "\x01", 11, 19, 1, 15.4f},         // floored, not rounded
      {9.99995f, 20.0f, "\x01", 11, 19, 1, 14.99995f},  // just below a whole pixel counts as on it
      {10.0f, 20.0f, "\x02\x01", 15, 19, 1, 19.0f},     // advance-only glyph moves, draws nothing
      {10.0f, 20.0f, "\x07\x01", 11, 19, 1, 15.0f},     // no list 106: no quad, no advance
      {10.0f, 20.0f, "\xC9", 10, 20, 1, 20.5f},         // 99 + 201 is a list of another font
  };
  for (const auto& c : cases) {
    std::vector<PixelQuad> quads;
    float x = c.x;
    const QuadColour colour{0.5f, 0.25f, 1.0f};
    appendTextQuads(atlas, x, c.y, 99, c.text, std::strlen(c.text), colour, quads);
    ASSERT_EQ(quads.size(), c.quads) << c.text;
    EXPECT_EQ(quads[0].x0, c.firstX0) << c.x;
    EXPECT_EQ(quads[0].y0, c.firstY0) << c.y;
    EXPECT_EQ(quads[0].colour, colour);
    EXPECT_FLOAT_EQ(x, c.endX) << c.x;
  }
}

TEST(GlyphAtlas, GlyphQuadSpansItsTexelsExactly) {
  const GlyphAtlas atlas = packGlyphs(sampleGlyphs());
  const AtlasGlyph* a = atlas.glyphForList(100);
  std::vector<PixelQuad> quads;
  float x = 0.0f;
  appendTextQuads(atlas, x, 0.0f, 100, "\0", 1, {1, 1, 1}, quads);
  ASSERT_EQ(quads.size(), 1u);
  const PixelQuad& q = quads[0];
  EXPECT_EQ(q.x1 - q.x0, 3);
  EXPECT_EQ(q.y1 - q.y0, 2);
  EXPECT_EQ(q.s0 * static_cast<float>(atlas.width), static_cast<float>(a->u));
  EXPECT_EQ(q.s1 * static_cast<float>(atlas.width), static_cast<float>(a->u + 3));
  EXPECT_EQ(q.t1 * static_cast<float>(atlas.height), static_cast<float>(a->v + 2));
}

TEST(GlyphAtlas, BoxStartsAtTheRoundedRasterAndCoversItsZoomedPixels) {
  const GlyphAtlas atlas = packGlyphs(sampleGlyphs());
  const struct {
    float x, y;
    int32_t x0, y0;
  } cases[] = {{10.49f, 20.5f, 10, 21}, {10.5f, 0.0f, 11, 0}, {2.5f, 3.49f, 3, 3}};
  for (const auto& c : cases) {
    const PixelQuad q = boxQuad(atlas, c.x, c.y, 7, 2, 8, {0, 0, 0});
    EXPECT_EQ(q.x0, c.x0) << c.x;
    EXPECT_EQ(q.y0, c.y0) << c.y;
    EXPECT_EQ(q.x1, c.x0 + 56);
    EXPECT_EQ(q.y1, c.y0 + 16);
    EXPECT_EQ(q.s0, q.s1);  // the solid texel throughout
  }
}

// A box is drawn as one quad of its first pixel's colour: every pixel a box can read from its
// half of the entry must be that colour.
TEST(GlyphAtlas, EveryTagBoxIsOneColour) {
  TagBoxPixels pixels{};
  fillTagBoxPixels(pixels);
  const TagSizeClass largest = tagSizeClass(321, 1, 40);
  const auto triplets = static_cast<size_t>(largest.boxWidth * largest.boxHeight);
  for (size_t k = 0; k < pixels.size(); ++k) {
    for (int32_t fresh : {0, 1}) {
      const uint8_t* box = pixels[k].data() + tagBoxOffset(fresh);
      for (size_t i = 0; i < triplets * 3; ++i) ASSERT_EQ(box[i], box[i % 3]) << k << " " << i;
    }
  }
}

}  // namespace
