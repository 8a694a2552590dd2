#include "render/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/display_state.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "render/clocks.h"
#include "render/gl_context.h"
#include "render/news_ticker.h"
#include "render/pick.h"
#include "render/scene.h"

float viewportWidth = 0.0f;
int32_t viewportHeight = 0;
int32_t tickerFontBase = 0;
int32_t localClockHour = 0;

int32_t tickerFontBaseFor(int32_t clientHeight) {
  if (clientHeight >= 1000) return 8900;
  return 8900 - 200 * ((1000 - clientHeight) / 140 + 1);
}

int32_t twelveHourClock(int32_t hour) {
  if (hour > 11) {
    hour -= 12;
    if (hour == 0) hour = 12;
  }
  return hour;
}

namespace {

// Only the request value re-reads the client size; the viewport otherwise stays as it was.
void relayoutViewport(const platform::MainWindow& window) {
  // A window that has never had a viewport set up takes one at once: the platform does not
  // report a size before the first paint when the window manager keeps the asked-for size.
  if (displayState.viewportDirty != kViewportRelayout && viewportHeight != 0) return;
  displayState.viewportDirty = 0;
  viewportWidth = static_cast<float>(window.clientWidth());
  viewportHeight = window.clientHeight();
  glViewport(0, 0, window.clientWidth(), viewportHeight);
}

// The far plane passes just behind the globe's centre, so only the near hemisphere (and what
// sits on it) is drawn.
void multiplyGlobePerspective() {
  gluPerspective(10.0, static_cast<double>(viewportWidth / static_cast<float>(viewportHeight)),
                 0.005, 0.02005);
}

void applyGlobeProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  multiplyGlobePerspective();
}

// The eye looks along +z; the globe's centre ends 0.02 in front of it.
void placeCamera() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -cameraDistance);
  const double centreY = displayState.news == 1 ? 0.00003 : 0.0;
  gluLookAt(0.0, 0.0, 1.49, 0.0, centreY, 2.0, 0.0, 1.0, 0.0);
}

// The overlay is drawn in the camera's frame: perspective first, then an orthographic
// squeeze, so a point (x, y, 0) lands at (-5.715 x / aspect, 5.715 y) on the screen.
void applyOverlayProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-100.0, 100.0, -100.0, 100.0);
  multiplyGlobePerspective();
  glMatrixMode(GL_MODELVIEW);
}

void present(platform::MainWindow& window) {
  platform::sleepMs(4);
  window.swapBuffers();
}

}  // namespace

void composeFrame(platform::MainWindow& window) {
  displayState.frameBusy = 1;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  relayoutViewport(window);
  applyGlobeProjection();
  tickerFontBase = tickerFontBaseFor(viewportHeight);
  placeCamera();
  drawScene();
  applyOverlayProjection();
  if (displayState.news == 1) drawTicker();
  localClockHour = twelveHourClock(localTime.hour);
  if (displayState.clocks == 1) drawDialClocks();
  pickAfterCompose(window);
  present(window);
  displayState.frameBusy = 0;
}
