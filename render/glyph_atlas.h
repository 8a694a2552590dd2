#pragma once
// Bitmap text and pixel boxes as textured quads. Every glyph of the bitmap fonts also sits in
// one alpha texture, the atlas, so that a label is one batch of quads in window coordinates
// instead of one glBitmap per character and one glDrawPixels per box, each of which costs the
// software rasteriser a texture of its own and a flush of the frame so far.
//
// The quads land on exactly the pixels the lists and the pixel rectangle would set: a glyph's
// lower-left corner is floor(raster + 0.0001 - origin) and the raster position then moves by
// the glyph's advance, as glBitmap does; a box starts at the raster position rounded to the
// nearest pixel and covers its pixels zoomed, as glDrawPixels does; text takes the raster
// colour. Text goes through the list numbers, base + byte, as glCallLists does, so a byte whose
// list lies in another font's range draws that font's glyph and one with no list draws nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bitmap_font.h"

struct AtlasGlyph {
  int32_t width = 0, height = 0;  // bitmap size in pixels; 0 for an advance-only glyph
  float xorig = 0.0f, yorig = 0.0f, xmove = 0.0f;
  int32_t u = 0, v = 0;  // atlas texel of the bitmap's lower-left pixel
};

struct GlyphAtlas {
  uint32_t texture = 0;              // 0 until uploaded; nothing is drawn without it
  int32_t width = 0, height = 0;     // texels, powers of two so texel edges are exact
  std::vector<int32_t> glyphOfList;  // index into glyphs by display list number, -1 for none
  std::vector<AtlasGlyph> glyphs;

  const AtlasGlyph* glyphForList(int64_t list) const;
};

// Texel (0, 0) is set and left free of glyphs: boxes sample it.
constexpr int32_t kAtlasWidth = 1024;

// Places every glyph in rows of kAtlasWidth texels, one texel apart, after the solid texel;
// the height is the next power of two that holds them all.
GlyphAtlas packGlyphs(const std::vector<platform::GlyphBitmap>& glyphs);

// The alpha texels of a packed atlas, rows bottom to top: 255 for the solid texel and every
// set glyph pixel, 0 elsewhere.
std::vector<uint8_t> atlasTexels(const GlyphAtlas& atlas,
                                 const std::vector<platform::GlyphBitmap>& glyphs);

using QuadColour = std::array<float, 3>;

// A rectangle of window pixels [x0, x1) x [y0, y1) textured from the atlas (texture
// coordinates already divided by its size) in one colour.
struct PixelQuad {
  int32_t x0, y0, x1, y1;
  float s0, t0, s1, t1;
  QuadColour colour;
};

// The box a width x height pixel rectangle zoomed `zoom` times covers when drawn at the raster
// position (rasterX, rasterY).
PixelQuad boxQuad(const GlyphAtlas& atlas, float rasterX, float rasterY, int32_t width,
                  int32_t height, int32_t zoom, const QuadColour& colour);

// Appends the quads of `count` bytes drawn through the lists listBase + byte from the raster
// position (x, y), and moves x along by each drawn glyph's advance.
void appendTextQuads(const GlyphAtlas& atlas, float& x, float y, int32_t listBase,
                     const char* bytes, size_t count, const QuadColour& colour,
                     std::vector<PixelQuad>& quads);

// ---- GL. ----

// Packs `glyphs` into `atlas` and uploads its texture into the current context.
void uploadGlyphAtlas(GlyphAtlas& atlas, const std::vector<platform::GlyphBitmap>& glyphs);

// GL's current raster position in window coordinates, whether it is valid, and its colour.
struct RasterSpot {
  bool valid;
  float x, y;
  QuadColour colour;
};
RasterSpot readRasterSpot();

// Draws the quads in order, in window coordinates (clipped only by the window), with the state
// they need set for the call and restored after it.
void drawPixelQuads(const GlyphAtlas& atlas, const std::vector<PixelQuad>& quads);

// Bitmap text at the current raster position in its colour, as glCallLists would draw it.
void drawAtlasText(const GlyphAtlas& atlas, int32_t listBase, const char* bytes, size_t count);
