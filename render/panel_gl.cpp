#include "render/panel_gl.h"

#include <GL/gl.h>

void setClearColour(bool dark) {
  if (dark) {
    glClearColor(0.0f, 0.0f, 0.02f, 1.0f);
  } else {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  }
}
