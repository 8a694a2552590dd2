#include "platform/bitmap_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <GL/gl.h>

#include <cstring>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Unicode code points of Windows-1252 codes 128 to 159; 0 where the code page has none.
constexpr unsigned kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned codePoint(int code) {
  if (code >= 128 && code < 160) return kCp1252High[code - 128];
  return static_cast<unsigned>(code);
}

int fontconfigWeight(int weight) {
  if (weight >= 900) return FC_WEIGHT_BLACK;
  if (weight >= 700) return FC_WEIGHT_BOLD;
  return FC_WEIGHT_REGULAR;
}

std::string matchFile(const FontSpec& font) {
  FcInit();
  const std::string family = fontFamilyFor(font.face);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, fontconfigWeight(font.weight));
  if (font.fixedPitch) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    file = reinterpret_cast<const char*>(path);
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

// Scales the face so that its cell (ascent + descent, as the Windows metrics give it) is
// `height` pixels, as a font created with a positive height is.
void setCellHeight(FT_Face face, int height) {
  int cellUnits = face->ascender - face->descender;
  if (const auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) cellUnits = os2->usWinAscent + os2->usWinDescent;
  }
  FT_UInt pixels = static_cast<FT_UInt>(height);
  if (cellUnits > 0) {
    pixels = static_cast<FT_UInt>(static_cast<long>(height) * face->units_per_EM / cellUnits);
  }
  FT_Set_Pixel_Sizes(face, 0, pixels > 0 ? pixels : 1);
}

// glBitmap wants rows bottom to top, each padded to the unpack alignment (1 here).
std::vector<GLubyte> flipRows(const FT_Bitmap& bitmap) {
  const unsigned rowBytes = (bitmap.width + 7) / 8;
  std::vector<GLubyte> bits(static_cast<size_t>(rowBytes) * bitmap.rows);
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* src = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
    std::memcpy(&bits[static_cast<size_t>(bitmap.rows - 1 - row) * rowBytes], src, rowBytes);
  }
  return bits;
}

GlyphBitmap renderGlyph(FT_Face face, int list, int code) {
  const unsigned cp = codePoint(code);
  const FT_UInt index = cp ? FT_Get_Char_Index(face, cp) : 0;
  if (index && FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0 &&
      face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    const FT_GlyphSlot g = face->glyph;
    return {list,
            static_cast<int>(g->bitmap.width),
            static_cast<int>(g->bitmap.rows),
            static_cast<float>(-g->bitmap_left),
            static_cast<float>(static_cast<int>(g->bitmap.rows) - g->bitmap_top),
            static_cast<float>(g->advance.x) / 64.0f,
            flipRows(g->bitmap)};
  }
  // No glyph: advance by the face's average width so the text keeps its spacing.
  const float advance = static_cast<float>(face->size->metrics.max_advance) / 64.0f / 2.0f;
  return {list, 0, 0, 0.0f, 0.0f, advance, {}};
}

void compileGlyph(const GlyphBitmap& glyph) {
  glNewList(static_cast<GLuint>(glyph.list), GL_COMPILE);
  glBitmap(glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.xmove, 0.0f,
           glyph.bits.empty() ? nullptr : glyph.bits.data());
  glEndList();
}

}  // namespace

std::string fontFamilyFor(const std::string& face) {
  if (face == "Arial") return "Liberation Sans";
  if (face == "Small") return "DejaVu Sans";
  if (face == "Fixed") return "Liberation Mono";
  return face;
}

bool buildBitmapFont(const FontSpec& font, std::vector<GlyphBitmap>* glyphs) {
  static FT_Library library = nullptr;
  if (!library && FT_Init_FreeType(&library) != 0) return false;
  const std::string file = matchFile(font);
  FT_Face face = nullptr;
  if (file.empty() || FT_New_Face(library, file.c_str(), 0, &face) != 0) return false;
  setCellHeight(face, font.height);
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int code = 0; code < font.glyphCount; ++code) {
    GlyphBitmap glyph = renderGlyph(face, font.listBase + code, code);
    compileGlyph(glyph);
    if (glyphs) glyphs->push_back(std::move(glyph));
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  FT_Done_Face(face);
  return true;
}

}  // namespace platform
