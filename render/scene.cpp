#include "render/scene.h"

#include <GL/gl.h>

#include "model/display_state.h"
#include "model/item_table.h"
#include "render/clocks.h"
#include "render/globe_mesh.h"
#include "render/renderer_state.h"
#include "render/tags.h"

float globeScale(int32_t zoom) { return static_cast<float>(zoom * 0.000000006 + 0.00000003); }

int32_t sunAngleAt(int32_t utcHour, int32_t utcMinute) {
  int32_t angle = (utcHour * 60 + utcMinute) / 4 + 189;
  if (angle > 360) angle -= 360;
  if (angle > 360) angle -= 360;
  return angle;
}

float wrapRotation(float rotation) {
  if (rotation > 360.0f) rotation -= 360.0f;
  if (rotation < 0.0f) rotation += 360.0f;
  return rotation;
}

void stepLabelCycle(RendererState& renderer, uint32_t tick, bool altText) {
  // Compared as a signed difference so that the step keeps its 1.5 s pace across the wrap of
  // the 32-bit tick (every 49.7 days) instead of firing early once.
  if (static_cast<int32_t>(tick - renderer.phaseTickDue) <= 0) return;
  if (++renderer.phaseTickCount > 4) {
    renderer.phaseTickCount = 0;
    renderer.tickerPause = 0;
  }
  renderer.phaseTickDue = tick + 1500;
  if (++renderer.labelPhase > (altText ? 4 : 3)) renderer.labelPhase = 0;
}

void keepTime(RendererState& renderer, DisplayState& display, const platform::DateTime& local,
              const platform::DateTime& utc) {
  renderer.localTime = local;
  renderer.utcTime = utc;
  renderer.sunAngle = sunAngleAt(utc.hour, utc.minute);
  if (renderer.sunAngle != renderer.lastSunAngle) {
    renderer.lastSunAngle = renderer.sunAngle;
    display.textureDirty = 1;
  }
  if (display.noon == 1) {
    display.rotation = 360.0f - static_cast<float>(renderer.sunAngle);
  } else {
    display.rotation += display.spinRate;
  }
}

namespace {

bool bothButtonsHeld(const DisplayState& display) {
  return display.leftDragging == 1 && display.rightDragging == 1;
}

// Scale, eased tilt and spin of the globe, and the rebuild of its surface when asked.
void orientGlobe(RendererState& renderer, DisplayState& display) {
  const float scale = globeScale(display.zoom);
  glPushMatrix();
  glScalef(scale, scale, scale);
  glRotatef(-renderer.shownTilt, 1.0f, 0.0f, 0.0f);
  glRotatef(renderer.spinAngle, 0.0f, 1.0f, 0.0f);
  if (!bothButtonsHeld(display)) renderer.spinAngle = display.rotation + display.spinRate;
  if (display.textureDirty == 1) {
    display.textureDirty = 0;
    buildSurface(renderer.sphere, renderer.globeLists, renderer.earthTexture, renderer.clock,
                 display.night == 1);
  }
  if (display.rightDragging != 1) {
    renderer.spinAngle = display.rotation + display.spinRate;
    renderer.shownTilt += (display.tilt - renderer.shownTilt) / 3.0f;
  }
}

}  // namespace

void drawScene(RendererState& renderer, DisplayState& display, const FrameLayout& layout) {
  orientGlobe(renderer, display);
  glEnable(GL_DEPTH_TEST);
  drawGlobe(renderer.sphere, renderer.globeLists, renderer.earthTexture, display.gridLevel);
  // Everything after the globe is drawn without depth testing; the far plane hides what lies
  // behind the globe's centre.
  glDisable(GL_DEPTH_TEST);
  // One version of the table for the whole pass, held until the last tag is drawn.
  const auto table = shownItemTable();
  stepLabelCycle(renderer, renderer.clock.tick(), table->altTextEnabled == 1);
  drawTags(renderer.glyphAtlas, renderer.tagBoxPixels, renderer.labelPhase, display, layout,
           *table);
  renderer.cityTimes = readCityTimes(renderer.clock);
  if (display.zones > 0) drawGlobeClocks(renderer.clockLists, renderer.cityTimes);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPopMatrix();
  if (!bothButtonsHeld(display)) {
    keepTime(renderer, display, renderer.clock.local(), renderer.clock.utc());
  }
  display.rotation = wrapRotation(display.rotation);
}
