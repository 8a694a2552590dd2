#include "render/frame.h"

#include <GL/gl.h>

#include "platform/clock.h"
#include "platform/window.h"
#include "shell/display_state.h"

void composeFrame(platform::MainWindow& window) {
  displayState.frameBusy = 1;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  platform::sleepMs(4);
  window.swapBuffers();
  displayState.frameBusy = 0;
}
