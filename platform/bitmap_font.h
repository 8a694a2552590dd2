#pragma once
// Bitmap fonts as OpenGL display lists: one list per character code at base + code, each
// drawing the glyph with glBitmap and advancing the raster position by its width.
//
// Faces are found through fontconfig. The program's three face names are served by fonts
// from Debian's packages:
//   "Arial" -> Liberation Sans (fonts-liberation2), metric-compatible
//   "Small" -> DejaVu Sans (fonts-dejavu-core), a small, legible sans
//   "Fixed" -> Liberation Mono (fonts-liberation2), fixed pitch
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FontSpec {
  int listBase;    // first display list
  int glyphCount;  // codes 0 .. glyphCount - 1
  const char* face;
  int height;  // character cell height in pixels (ascent + descent)
  int weight;  // 400 normal, 700 bold, 900 black
  bool fixedPitch;
};

// The fontconfig family that serves `face`.
std::string fontFamilyFor(const std::string& face);

// What one glyph list draws: a bitmap of width x height pixels placed at the raster position
// less (xorig, yorig), after which the raster position moves xmove to the right. `bits` holds
// the rows bottom to top, (width + 7) / 8 bytes each, the leftmost pixel in the high bit.
struct GlyphBitmap {
  int list;  // display list number: base + code
  int width, height;
  float xorig, yorig, xmove;
  std::vector<uint8_t> bits;
};

// Builds the lists of one font into the current OpenGL context. Codes are Windows-1252;
// every code of the range gets a list, an empty one (advance only) where the face has no
// glyph. When `glyphs` is given, each list's glyph is appended to it as well. Returns false
// when no font file could be opened; the lists then stay undefined.
bool buildBitmapFont(const FontSpec& font, std::vector<GlyphBitmap>* glyphs = nullptr);

}  // namespace platform
