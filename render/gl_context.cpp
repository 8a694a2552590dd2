#include "render/gl_context.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/view_state.h"
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

std::array<platform::FontSpec, 11> scaledFontTable(FontScales scales) {
  std::array<platform::FontSpec, 11> table{};
  for (size_t i = 0; i < table.size(); ++i) {
    table[i] = kFontTable[i];
    const float factor = table[i].listBase < 7500 ? scales.tags : scales.text;
    const auto height = std::lround(static_cast<float>(table[i].height) * factor);
    table[i].height = static_cast<int>(std::max(height, 1L));
  }
  return table;
}

bool createFonts(GlyphAtlas* atlas, FontScales scales) {
  bool all = true;
  std::vector<platform::GlyphBitmap> glyphs;
  for (const auto& font : scaledFontTable(scales)) {
    all = platform::buildBitmapFont(font, atlas ? &glyphs : nullptr) && all;
  }
  if (atlas) uploadGlyphAtlas(*atlas, glyphs);
  return all;
}

void initScene(const platform::MainWindow& window, RendererState& renderer, const ViewState& view) {
  GLUquadric* quadric = gluNewQuadric();
  renderer.sharedQuadric = quadric;
  gluQuadricNormals(quadric, GLU_FLAT);
  gluQuadricTexture(quadric, GL_TRUE);
  compileClockLists(quadric, renderer.clockLists);
  const int width = window.clientWidth();
  const int height = window.clientHeight();
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
  buildSurface(renderer.sphere, renderer.globeLists, renderer.earthTexture, renderer.clock, view);
  fillTagBoxPixels(renderer.tagBoxPixels);
  prepareGlobeLayer(renderer.globeLayer);
}

void releaseSharedQuadric(RendererState& renderer) {
  if (!renderer.sharedQuadric) return;
  gluDeleteQuadric(renderer.sharedQuadric);
  renderer.sharedQuadric = nullptr;
}
