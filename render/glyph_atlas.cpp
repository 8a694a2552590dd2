#include "render/glyph_atlas.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

const AtlasGlyph* GlyphAtlas::glyphForList(int64_t list) const {
  if (list < 0 || list >= static_cast<int64_t>(glyphOfList.size())) return nullptr;
  const int32_t index = glyphOfList[static_cast<size_t>(list)];
  return index < 0 ? nullptr : &glyphs[static_cast<size_t>(index)];
}

namespace {

int32_t nextPowerOfTwo(int32_t value) {
  int32_t power = 1;
  while (power < value) power *= 2;
  return power;
}

}  // namespace

GlyphAtlas packGlyphs(const std::vector<platform::GlyphBitmap>& glyphs) {
  GlyphAtlas atlas;
  atlas.width = kAtlasWidth;
  int32_t x = 2;  // after the solid texel and a gap
  int32_t y = 0;
  int32_t rowHeight = 1;
  for (const platform::GlyphBitmap& glyph : glyphs) {
    if (glyph.list < 0) continue;
    AtlasGlyph placed{glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.xmove, 0, 0};
    if (glyph.width > 0 && glyph.height > 0 && glyph.width < kAtlasWidth) {
      if (x + glyph.width > kAtlasWidth) {
        x = 0;
        y += rowHeight + 1;
        rowHeight = 1;
      }
      placed.u = x;
      placed.v = y;
      x += glyph.width + 1;
      rowHeight = std::max(rowHeight, glyph.height);
    } else {
      placed.width = 0;  // nothing to draw; only the advance counts
      placed.height = 0;
    }
    const auto list = static_cast<size_t>(glyph.list);
    if (atlas.glyphOfList.size() <= list) atlas.glyphOfList.resize(list + 1, -1);
    atlas.glyphOfList[list] = static_cast<int32_t>(atlas.glyphs.size());
    atlas.glyphs.push_back(placed);
  }
  atlas.height = nextPowerOfTwo(y + rowHeight);
  return atlas;
}

std::vector<uint8_t> atlasTexels(const GlyphAtlas& atlas,
                                 const std::vector<platform::GlyphBitmap>& glyphs) {
  const auto width = static_cast<size_t>(atlas.width);
  std::vector<uint8_t> texels(width * static_cast<size_t>(atlas.height), 0);
  texels[0] = 255;
  for (const platform::GlyphBitmap& glyph : glyphs) {
    const AtlasGlyph* placed = atlas.glyphForList(glyph.list);
    if (placed == nullptr || placed->width == 0) continue;
    const auto rowBytes = static_cast<size_t>((glyph.width + 7) / 8);
    for (int32_t row = 0; row < glyph.height; ++row) {
      const uint8_t* bits = glyph.bits.data() + static_cast<size_t>(row) * rowBytes;
      uint8_t* out =
          &texels[static_cast<size_t>(placed->v + row) * width + static_cast<size_t>(placed->u)];
      for (int32_t column = 0; column < glyph.width; ++column) {
        const bool set = (bits[column / 8] >> (7 - column % 8)) & 1;
        out[column] = set ? 255 : 0;
      }
    }
  }
  return texels;
}

PixelQuad boxQuad(const GlyphAtlas& atlas, float rasterX, float rasterY, int32_t width,
                  int32_t height, int32_t zoom, const QuadColour& colour) {
  // Rounded half away from zero, in float, as the pixel rectangle's corner is.
  const auto round = [](float value) {
    return static_cast<int32_t>(value >= 0.0f ? value + 0.5f : value - 0.5f);
  };
  const int32_t x = round(rasterX);
  const int32_t y = round(rasterY);
  // Every corner samples the middle of the solid texel.
  const float s = 0.5f / static_cast<float>(atlas.width);
  const float t = 0.5f / static_cast<float>(atlas.height);
  return {x, y, x + width * zoom, y + height * zoom, s, t, s, t, colour};
}

void appendTextQuads(const GlyphAtlas& atlas, float& x, float y, int32_t listBase,
                     const char* bytes, size_t count, const QuadColour& colour,
                     std::vector<PixelQuad>& quads) {
  const auto texelS = [&](int32_t u) {
    return static_cast<float>(u) / static_cast<float>(atlas.width);
  };
  const auto texelT = [&](int32_t v) {
    return static_cast<float>(v) / static_cast<float>(atlas.height);
  };
  for (size_t i = 0; i < count; ++i) {
    const AtlasGlyph* glyph =
        atlas.glyphForList(int64_t{listBase} + static_cast<unsigned char>(bytes[i]));
    if (glyph == nullptr) continue;  // no list: nothing drawn, no advance
    if (glyph->width > 0) {
      // The small lift keeps a position a rounding error below a whole pixel on that pixel.
      const auto x0 = static_cast<int32_t>(std::floor(x + 0.0001f - glyph->xorig));
      const auto y0 = static_cast<int32_t>(std::floor(y + 0.0001f - glyph->yorig));
      quads.push_back({x0, y0, x0 + glyph->width, y0 + glyph->height, texelS(glyph->u),
                       texelT(glyph->v), texelS(glyph->u + glyph->width),
                       texelT(glyph->v + glyph->height), colour});
    }
    x += glyph->xmove;
  }
}

void uploadGlyphAtlas(GlyphAtlas& atlas, const std::vector<platform::GlyphBitmap>& glyphs) {
  GlyphAtlas packed = packGlyphs(glyphs);
  const std::vector<uint8_t> texels = atlasTexels(packed, glyphs);
  packed.texture = atlas.texture;
  if (packed.texture == 0) glGenTextures(1, &packed.texture);
  glPushAttrib(GL_TEXTURE_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, packed.texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, packed.width, packed.height, 0, GL_ALPHA,
               GL_UNSIGNED_BYTE, texels.data());
  glPopClientAttrib();
  glPopAttrib();
  atlas = std::move(packed);
}

RasterSpot readRasterSpot() {
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  GLfloat position[4] = {0, 0, 0, 0};
  GLfloat colour[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
  glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
  return {valid == GL_TRUE, position[0], position[1], {colour[0], colour[1], colour[2]}};
}

namespace {

// Flat, unlit, unblended fragments that keep their colour exactly (the pick reads it back),
// textured from the atlas only to drop the pixels a glyph leaves clear. The largest viewport
// maps window pixels one to one and clips only at the window's edges, as bitmaps and pixel
// rectangles are clipped, even while the frame's viewport is smaller than the window.
void beginQuadState(const GlyphAtlas& atlas) {
  GLint largest[2] = {4096, 4096};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT |
               GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
  glViewport(0, 0, largest[0], largest[1]);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_DITHER);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, atlas.texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, largest[0], 0.0, largest[1], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void endQuadState() {
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace

void drawPixelQuads(const GlyphAtlas& atlas, const std::vector<PixelQuad>& quads) {
  if (quads.empty() || atlas.texture == 0) return;
  beginQuadState(atlas);
  glBegin(GL_QUADS);
  for (const PixelQuad& quad : quads) {
    glColor3fv(quad.colour.data());
    glTexCoord2f(quad.s0, quad.t0);
    glVertex2i(quad.x0, quad.y0);
    glTexCoord2f(quad.s1, quad.t0);
    glVertex2i(quad.x1, quad.y0);
    glTexCoord2f(quad.s1, quad.t1);
    glVertex2i(quad.x1, quad.y1);
    glTexCoord2f(quad.s0, quad.t1);
    glVertex2i(quad.x0, quad.y1);
  }
  glEnd();
  endQuadState();
}

void drawAtlasText(const GlyphAtlas& atlas, int32_t listBase, const char* bytes, size_t count) {
  RasterSpot spot = readRasterSpot();
  if (!spot.valid) return;
  std::vector<PixelQuad> quads;
  appendTextQuads(atlas, spot.x, spot.y, listBase, bytes, count, spot.colour, quads);
  drawPixelQuads(atlas, quads);
}
