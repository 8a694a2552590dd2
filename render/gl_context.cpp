#include "render/gl_context.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

#include "model/display_state.h"
#include "model/ticker_text.h"
#include "platform/window.h"
#include "render/globe_layer.h"
#include "render/globe_mesh.h"
#include "render/glyph_atlas.h"
#include "render/renderer_state.h"
#include "render/tags.h"

// Fixed list bases: 1000-1254, 2000-2254, 3000-3254 for tags, 7500-9026 for the ticker and
// clock labels (frame composition selects among the last eight by client height).
const platform::FontSpec kFontTable[11] = {
    {1000, 255, "Arial", 28, 700, false}, {2000, 255, "Arial", 18, 700, false},
    {3000, 255, "Small", 11, 900, false}, {8900, 127, "Fixed", 48, 900, true},
    {8700, 127, "Fixed", 36, 900, true},  {8500, 127, "Fixed", 32, 900, true},
    {8300, 127, "Fixed", 26, 900, true},  {8100, 127, "Fixed", 22, 900, true},
    {7900, 127, "Fixed", 18, 900, true},  {7700, 127, "Fixed", 14, 900, true},
    {7500, 127, "Small", 8, 900, true},
};

namespace {

// Colour component k of a palette index: (k >> shift) with `bits` low bits kept, spread
// over 0 to 255. Only 1, 2 and 3 bits have ramps; any other count gives 0.
uint8_t component(unsigned k, int bits, int shift) {
  static constexpr uint8_t ramp1[2] = {0, 255};
  static constexpr uint8_t ramp2[4] = {0, 85, 170, 255};
  static constexpr uint8_t ramp3[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  const unsigned value = shift >= 0 && shift < 32 ? k >> shift : 0;
  switch (bits) {
    case 1:
      return ramp1[value & 1];
    case 2:
      return ramp2[value & 3];
    case 3:
      return ramp3[value & 7];
    default:
      return 0;
  }
}

struct SystemColour {
  int entry;
  PaletteEntry colour;
};

constexpr SystemColour kSystemColours[12] = {
    {3, {128, 0, 0, 0}},       {24, {0, 128, 0, 0}},      {27, {128, 128, 0, 0}},
    {64, {0, 0, 128, 0}},      {67, {128, 0, 128, 0}},    {88, {0, 128, 128, 0}},
    {173, {192, 192, 192, 0}}, {181, {192, 220, 192, 0}}, {236, {166, 202, 240, 0}},
    {247, {255, 251, 240, 0}}, {164, {160, 160, 164, 0}}, {91, {128, 128, 128, 0}},
};

}  // namespace

std::vector<PaletteEntry> computePalette(const PixelFormatInfo& format) {
  if (!format.needsPalette || format.colorBits <= 0 || format.colorBits > 16) return {};
  const unsigned n = 1u << format.colorBits;
  std::vector<PaletteEntry> palette(n);
  for (unsigned k = 0; k < n; ++k) {
    palette[k] = {component(k, format.redBits, format.redShift),
                  component(k, format.greenBits, format.greenShift),
                  component(k, format.blueBits, format.blueShift), 0};
  }
  const bool is332 = format.colorBits == 8 && format.redBits == 3 && format.redShift == 0 &&
                     format.greenBits == 3 && format.greenShift == 3 && format.blueBits == 2 &&
                     format.blueShift == 6;
  if (is332) {
    for (const auto& system : kSystemColours)
      palette[static_cast<size_t>(system.entry)] = system.colour;
  }
  return palette;
}

bool createFonts(GlyphAtlas* atlas) {
  bool all = true;
  std::vector<platform::GlyphBitmap> glyphs;
  for (const auto& font : kFontTable) {
    all = platform::buildBitmapFont(font, atlas ? &glyphs : nullptr) && all;
  }
  if (atlas) uploadGlyphAtlas(*atlas, glyphs);
  return all;
}

void initScene(const platform::MainWindow& window, RendererState& renderer,
               const DisplayState& display) {
  publishTicker(std::string(149, ' '));
  GLUquadric* quadric = gluNewQuadric();
  renderer.sharedQuadric = quadric;
  gluQuadricNormals(quadric, GLU_FLAT);
  gluQuadricTexture(quadric, GL_TRUE);
  compileClockLists(quadric, renderer.clockLists);
  const int width = window.clientWidth();
  const int height = window.clientHeight();
  glClearColor(0.0f, 0.0f, 0.02f, 1.0f);
  glClearDepth(1.0);
  glDisable(GL_POLYGON_STIPPLE);
  glDisable(GL_DITHER);  // the pick read-back needs the exact tag pixel colours
  glLineWidth(1.0f);
  glPointSize(1.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(10.0, static_cast<double>(width) / static_cast<double>(height), 0.01, 2.0);
  glMatrixMode(GL_MODELVIEW);
  renderer.cameraDistance = 1.51f;
  glPixelZoom(8.0f, 8.0f);
  buildSurface(renderer.sphere, renderer.globeLists, renderer.earthTexture, renderer.clock,
               display);
  fillTagBoxPixels(renderer.tagBoxPixels);
  prepareGlobeLayer(renderer.globeLayer);
}

void releaseSharedQuadric(RendererState& renderer) {
  if (!renderer.sharedQuadric) return;
  gluDeleteQuadric(renderer.sharedQuadric);
  renderer.sharedQuadric = nullptr;
}
