#include "render/scene.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>

#include "model/display_state.h"
#include "model/fetch_snapshot.h"
#include "model/item_table.h"
#include "platform/time_zone.h"
#include "render/clocks.h"
#include "render/globe_layer.h"
#include "render/globe_mesh.h"
#include "render/renderer_state.h"
#include "render/tags.h"

namespace {

bool bothButtonsHeld(const PointerState& pointer) {
  return pointer.leftDragging && pointer.rightDragging;
}

}  // namespace

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
  // A step of more than a turn (a spin rate the keys raised far, over a long frame) is folded
  // the rest of the way, so that the rotation never runs off where floats lose the degrees.
  if (rotation > 360.0f || rotation < 0.0f) {
    rotation = std::fmod(rotation, 360.0f);
    if (rotation < 0.0f) rotation += 360.0f;
  }
  return rotation;
}

float easeTilt(float shown, float target, float frames) {
  // Whole frames take the third exactly as one frame at 60 a second does, so that the tilt
  // settles on the same float there; a fraction of a frame shrinks the gap by (2/3)^fraction.
  const float whole = std::floor(frames);
  for (int32_t frame = 0; frame < static_cast<int32_t>(whole); ++frame) {
    shown += (target - shown) / 3.0f;
  }
  const float fraction = frames - whole;
  if (fraction > 0.0f) {
    shown += (target - shown) * (1.0f - std::pow(2.0f / 3.0f, fraction));
  }
  return shown;
}

float spinStep(const ViewState& view, float frames) {
  // In the noon view the added rate is a fixed offset from the noon meridian, not motion.
  return view.noon ? view.spinRate : view.spinRate * frames;
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
              const platform::DateTime& utc, float frames) {
  renderer.localTime = local;
  renderer.utcTime = utc;
  renderer.sunAngle = sunAngleAt(utc.hour, utc.minute);
  if (renderer.sunAngle != renderer.lastSunAngle) {
    renderer.lastSunAngle = renderer.sunAngle;
    display.requests.newTexture = true;
  }
  ViewState& view = display.view;
  if (view.noon) {
    view.rotation = 360.0f - static_cast<float>(renderer.sunAngle);
  } else {
    view.rotation += view.spinRate * frames;
  }
}

void stepGlobeMotion(RendererState& renderer, const DisplayState& display) {
  const ViewState& view = display.view;
  if (!bothButtonsHeld(display.pointer)) {
    renderer.spinAngle = view.rotation + spinStep(view, renderer.frameStep);
  }
  if (!display.pointer.rightDragging) {
    renderer.shownTilt = easeTilt(renderer.shownTilt, view.tilt, renderer.frameStep);
  }
}

void keepTimeUnseen(RendererState& renderer, DisplayState& display) {
  stopFrameClock(renderer.frameClock);
  if (bothButtonsHeld(display.pointer)) return;
  keepTime(renderer, display, renderer.clock.local(), renderer.clock.utc(), 0.0f);
  ViewState& view = display.view;
  view.rotation = wrapRotation(view.rotation);
  // What the next frame draws: the globe where it stands now, the tilt settled; no one saw
  // the easing.
  renderer.spinAngle = view.rotation + spinStep(view, 0.0f);
  if (!display.pointer.rightDragging) renderer.shownTilt = view.tilt;
}

void keepClockZones(RendererState& renderer, RendererRequests& requests) {
  if (renderer.clockZonesRead && !requests.newClocks) return;
  requests.newClocks = false;
  renderer.clockZonesRead = true;
  renderer.clockZones = readClockZones(platform::unixSeconds(renderer.clock.utc()));
}

namespace {

// Scale, eased tilt and spin of the globe, and the rebuild of its surface when asked.
void orientGlobe(RendererState& renderer, DisplayState& display) {
  const float scale = globeScale(display.view.zoom);
  glPushMatrix();
  glScalef(scale, scale, scale);
  glRotatef(-renderer.shownTilt, 1.0f, 0.0f, 0.0f);
  glRotatef(renderer.spinAngle, 0.0f, 1.0f, 0.0f);
  if (display.requests.newTexture) {
    display.requests.newTexture = false;
    buildSurface(renderer.sphere, renderer.globeLists, renderer.earthTexture, renderer.clock,
                 display.view);
  }
  stepGlobeMotion(renderer, display);
}

}  // namespace

void drawScene(RendererState& renderer, DisplayState& display, const FetchSnapshot& results,
               const FrameLayout& layout) {
  orientGlobe(renderer, display);
  GlobeLayer& layer = renderer.globeLayer;
  const GlobeLayerKey key =
      layer.supported ? readGlobeLayerKey(renderer.earthTexture.generation, display.view.gridLevel)
                      : GlobeLayerKey{};
  const GlobeLayerStep step = nextGlobeLayerStep(layer, key);
  if (step == GlobeLayerStep::kPutBack) putBackGlobeLayer(layer);
  glEnable(GL_DEPTH_TEST);
  drawGlobe(renderer.sphere, renderer.globeLists, renderer.earthTexture, display.view.gridLevel,
            step != GlobeLayerStep::kPutBack);
  if (step == GlobeLayerStep::kDrawAndKeep) {
    // The surface and the grid (drawn 1.005 times larger); outside them is the clear colour.
    constexpr std::size_t kPoints = (kSphereSteps + 1) * (kSphereSteps + 1);
    keepGlobeLayer(
        layer, key,
        projectedBounds(&renderer.sphere.sphereVertex[0][0][0], kPoints, {1.0f, 1.005f}, key, 2));
  }
  // Everything after the globe is drawn without depth testing; the far plane hides what lies
  // behind the globe's centre.
  glDisable(GL_DEPTH_TEST);
  const MarketItemTable& table = *results.items;
  stepLabelCycle(renderer, renderer.clock.tick(), table.altTextEnabled);
  drawTags(renderer.glyphAtlas, renderer.tagBoxPixels, renderer.labelPhase, display, layout, table);
  keepClockZones(renderer, display.requests);
  renderer.clockTimes = readClockTimes(renderer.clockZones, renderer.clock,
                                       {results.londonSummerTime, results.newYorkSummerTime});
  if (display.view.zones) {
    drawGlobeClocks(renderer.clockLists, renderer.clockZones, renderer.clockTimes);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPopMatrix();
  if (!bothButtonsHeld(display.pointer)) {
    keepTime(renderer, display, renderer.clock.local(), renderer.clock.utc(), renderer.frameStep);
  }
  display.view.rotation = wrapRotation(display.view.rotation);
}
