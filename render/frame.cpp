#include "render/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "model/display_state.h"
#include "model/fetch_snapshot.h"
#include "platform/window.h"
#include "render/clocks.h"
#include "render/frame_layout.h"
#include "render/frame_step.h"
#include "render/gl_context.h"
#include "render/news_ticker.h"
#include "render/pick.h"
#include "render/renderer_state.h"
#include "render/scene.h"

int32_t tickerFontBaseFor(int32_t clientHeight) {
  if (clientHeight >= 1000) return 8900;
  return 8900 - 200 * ((1000 - clientHeight) / 140 + 1);
}

namespace {

// The cell height of the ticker font at `base`; 0 for a base with no font.
int32_t tickerFontHeight(int32_t base) {
  for (const auto& font : kFontTable) {
    if (font.listBase == base) return font.height;
  }
  return 0;
}

constexpr int32_t kDefaultClientHeight = 480;

}  // namespace

TextSizes textSizesFor(int32_t clientHeight, float scale) {
  TextSizes sizes{};
  sizes.layoutHeight = static_cast<int32_t>(static_cast<float>(clientHeight) / scale);
  sizes.tickerFontBase = tickerFontBaseFor(sizes.layoutHeight);
  sizes.textScale = scale;
  const int32_t usual = tickerFontHeight(tickerFontBaseFor(kDefaultClientHeight));
  const int32_t now = tickerFontHeight(sizes.tickerFontBase);
  const float growth = static_cast<float>(now) / static_cast<float>(usual);
  sizes.tagScale = scale * std::max(growth, 1.0f);
  return sizes;
}

void sizeFonts(RendererState& renderer, int32_t clientHeight) {
  const TextSizes sizes = textSizesFor(clientHeight, renderer.displayScale);
  const FontScales wanted{sizes.textScale, sizes.tagScale};
  if (renderer.fontsBuilt && renderer.fontScales == wanted) return;
  createFonts(&renderer.glyphAtlas, wanted);
  renderer.fontScales = wanted;
  renderer.fontsBuilt = true;
}

int32_t twelveHourClock(int32_t hour) {
  if (hour > 11) {
    hour -= 12;
    if (hour == 0) hour = 12;
  }
  return hour;
}

namespace {

// The background the view asks for.
void clearFrame(bool darkBackground) {
  if (darkBackground) {
    glClearColor(0.0f, 0.0f, 0.02f, 1.0f);
  } else {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The viewport this frame draws into. Only a relayout request re-reads the client size; the
// viewport otherwise stays as it was.
FrameLayout relayoutViewport(const platform::MainWindow& window, RendererState& renderer,
                             RendererRequests& requests) {
  // A window that has never had a viewport set up takes one at once: the platform does not
  // report a size before the first paint when the window manager keeps the asked-for size.
  if (requests.relayout || renderer.viewportHeight == 0) {
    requests.relayout = false;
    renderer.viewportWidth = static_cast<float>(window.clientWidth());
    renderer.viewportHeight = window.clientHeight();
    glViewport(0, 0, window.clientWidth(), renderer.viewportHeight);
  }
  FrameLayout layout;
  layout.viewportWidth = renderer.viewportWidth;
  layout.viewportHeight = renderer.viewportHeight;
  return layout;
}

// The fonts and text sizes for the viewport's height.
void sizeTexts(RendererState& renderer, FrameLayout& layout) {
  const TextSizes sizes = textSizesFor(layout.viewportHeight, renderer.displayScale);
  layout.layoutHeight = sizes.layoutHeight;
  layout.tickerFontBase = sizes.tickerFontBase;
  layout.tagScale = sizes.tagScale;
  sizeFonts(renderer, layout.viewportHeight);
}

// The far plane passes just behind the globe's centre, so only the near hemisphere (and what
// sits on it) is drawn.
void multiplyGlobePerspective(const FrameLayout& layout) {
  gluPerspective(
      10.0, static_cast<double>(layout.viewportWidth / static_cast<float>(layout.viewportHeight)),
      0.005, kGlobeFarPlane);
}

void applyGlobeProjection(const FrameLayout& layout) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  multiplyGlobePerspective(layout);
}

// The eye looks along +z; the globe's centre ends 0.02 in front of it, a little lower with
// the ticker.
void placeCamera(float cameraDistance, bool news) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -cameraDistance);
  const double centreY = news ? 0.00003 : 0.0;
  gluLookAt(0.0, 0.0, 1.49, 0.0, centreY, 2.0, 0.0, 1.0, 0.0);
}

// The overlay is drawn in the camera's frame: perspective first, then an orthographic
// squeeze, so a point (x, y, 0) lands at (-5.715 x / aspect, 5.715 y) on the screen.
void applyOverlayProjection(const FrameLayout& layout) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-100.0, 100.0, -100.0, 100.0);
  multiplyGlobePerspective(layout);
  glMatrixMode(GL_MODELVIEW);
}

// The window paces the frames (the display's refresh, or its frame timer); a wait before the
// swap would only hold up input.
void present(platform::MainWindow& window) { window.swapBuffers(); }

}  // namespace

void composeFrame(platform::MainWindow& window, RendererState& renderer, DisplayState& display,
                  const FetchSnapshot& results) {
  renderer.frameBusy = true;
  const ViewState& view = display.view;
  renderer.frameStep = takeFrameStep(renderer.frameClock, renderer.clock.monotonicUs());
  clearFrame(display.requests.darkBackground);
  FrameLayout layout = relayoutViewport(window, renderer, display.requests);
  applyGlobeProjection(layout);
  sizeTexts(renderer, layout);
  placeCamera(renderer.cameraDistance, view.news);
  drawScene(renderer, display, results, layout);
  applyOverlayProjection(layout);
  if (view.news) {
    drawTicker(renderer, *results.ticker, view.colorLevel, layout.tickerFontBase,
               display.pointer.tickerHeld);
  }
  layout.localClockHour = twelveHourClock(renderer.localTime.hour);
  if (view.clocks) {
    drawDialClocks(renderer.clockLists, renderer.glyphAtlas, renderer.clockZones,
                   renderer.clockTimes, renderer.localTime, layout, view.dark);
  }
  pickAfterCompose(renderer.picks, window);
  present(window);
  renderer.frameBusy = false;
}
