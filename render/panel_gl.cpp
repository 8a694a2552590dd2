#include "render/panel_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/gl_context.h"

void setClearColour(bool dark) {
  if (dark) {
    glClearColor(0.0f, 0.0f, 0.02f, 1.0f);
  } else {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  }
}

void releaseSharedQuadric() {
  if (!sharedQuadric) return;
  gluDeleteQuadric(sharedQuadric);
  sharedQuadric = nullptr;
}
