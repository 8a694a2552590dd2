#include "render/scene.h"

#include <GL/gl.h>

#include "model/display_state.h"
#include "model/item_table.h"
#include "render/clocks.h"
#include "render/globe_mesh.h"
#include "render/news_ticker.h"
#include "render/tags.h"

platform::DateTime localTime{};
platform::DateTime utcTime{};
int32_t labelPhase = 0;
uint32_t phaseTickDue = 0;
int32_t phaseTickCount = 0;

SceneClock sceneClock;

float shownTilt = 180.0f;
float spinAngle = 0.0f;
int32_t sunAngle = 0;
int32_t lastSunAngle = 0;

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

void stepLabelCycle(uint32_t tick, bool altText) {
  // Compared as a signed difference so that the step keeps its 1.5 s pace across the wrap of
  // the 32-bit tick (every 49.7 days) instead of firing early once.
  if (static_cast<int32_t>(tick - phaseTickDue) <= 0) return;
  if (++phaseTickCount > 4) {
    phaseTickCount = 0;
    tickerPause = 0;
  }
  phaseTickDue = tick + 1500;
  if (++labelPhase > (altText ? 4 : 3)) labelPhase = 0;
}

void keepTime(const platform::DateTime& local, const platform::DateTime& utc) {
  localTime = local;
  utcTime = utc;
  sunAngle = sunAngleAt(utc.hour, utc.minute);
  if (sunAngle != lastSunAngle) {
    lastSunAngle = sunAngle;
    displayState.textureDirty = 1;
  }
  if (displayState.noon == 1) {
    displayState.rotation = 360.0f - static_cast<float>(sunAngle);
  } else {
    displayState.rotation += displayState.spinRate;
  }
}

namespace {

bool bothButtonsHeld() { return displayState.leftDragging == 1 && displayState.rightDragging == 1; }

// Scale, eased tilt and spin of the globe, and the rebuild of its surface when asked.
void orientGlobe() {
  const float scale = globeScale(displayState.zoom);
  glPushMatrix();
  glScalef(scale, scale, scale);
  glRotatef(-shownTilt, 1.0f, 0.0f, 0.0f);
  glRotatef(spinAngle, 0.0f, 1.0f, 0.0f);
  if (!bothButtonsHeld()) spinAngle = displayState.rotation + displayState.spinRate;
  if (displayState.textureDirty == 1) {
    displayState.textureDirty = 0;
    buildSurface();
  }
  if (displayState.rightDragging != 1) {
    spinAngle = displayState.rotation + displayState.spinRate;
    shownTilt += (displayState.tilt - shownTilt) / 3.0f;
  }
}

}  // namespace

void drawScene() {
  orientGlobe();
  glEnable(GL_DEPTH_TEST);
  drawGlobe();
  // Everything after the globe is drawn without depth testing; the far plane hides what lies
  // behind the globe's centre.
  glDisable(GL_DEPTH_TEST);
  stepLabelCycle(sceneClock.tick(), shownItemTable()->altTextEnabled == 1);
  drawTags();
  updateCityTimes();
  if (displayState.zones > 0) drawGlobeClocks();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPopMatrix();
  if (!bothButtonsHeld()) keepTime(sceneClock.local(), sceneClock.utc());
  displayState.rotation = wrapRotation(displayState.rotation);
}
