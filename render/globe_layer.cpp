#include "render/globe_layer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

GlobeLayerStep nextGlobeLayerStep(GlobeLayer& layer, const GlobeLayerKey& key) {
  GlobeLayerStep step = GlobeLayerStep::kDraw;
  if (layer.kept && layer.keptKey == key) {
    step = GlobeLayerStep::kPutBack;
  } else if (layer.supported && layer.drawnBefore && layer.lastKey == key) {
    step = GlobeLayerStep::kDrawAndKeep;
  }
  layer.drawnBefore = true;
  layer.lastKey = key;
  return step;
}

PixelRect projectedBounds(const float* points, std::size_t count,
                          std::initializer_list<float> scales, const GlobeLayerKey& key,
                          int32_t margin) {
  const auto& [vx, vy, vw, vh] = key.viewport;
  const PixelRect whole{vx, vy, vw, vh};
  const auto& m = key.modelView;
  const auto& p = key.projection;
  double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
  for (const float scale : scales) {
    for (std::size_t k = 0; k < count; ++k) {
      const double in[4] = {double{points[3 * k]} * scale, double{points[3 * k + 1]} * scale,
                            double{points[3 * k + 2]} * scale, 1.0};
      double eye[4];
      double clip[4];
      for (int r = 0; r < 4; ++r) {  // GL matrices are stored column by column
        eye[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r] * in[3];
      }
      for (int r = 0; r < 4; ++r) {
        clip[r] = p[r] * eye[0] + p[4 + r] * eye[1] + p[8 + r] * eye[2] + p[12 + r] * eye[3];
      }
      if (!(clip[3] > 0.0)) return whole;
      const double x = vx + (clip[0] / clip[3] + 1.0) * 0.5 * vw;
      const double y = vy + (clip[1] / clip[3] + 1.0) * 0.5 * vh;
      left = std::min(left, x);
      right = std::max(right, x);
      bottom = std::min(bottom, y);
      top = std::max(top, y);
    }
  }
  if (!(left <= right)) return whole;  // no points
  const auto cut = [](double value, int32_t low, int32_t high) {
    return static_cast<int32_t>(
        std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
  };
  const int32_t x0 = cut(std::floor(left) - margin, vx, vx + vw);
  const int32_t x1 = cut(std::ceil(right) + margin, vx, vx + vw);
  const int32_t y0 = cut(std::floor(bottom) - margin, vy, vy + vh);
  const int32_t y1 = cut(std::ceil(top) + margin, vy, vy + vh);
  return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

void prepareGlobeLayer(GlobeLayer& layer) {
  // A texture of the viewport's own size needs textures of any size: GL 2.0 and later.
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0;
  layer.supported = version != nullptr && std::sscanf(version, "%d", &major) == 1 && major >= 2;
}

GlobeLayerKey readGlobeLayerKey(uint32_t textureGeneration, float gridLevel) {
  GlobeLayerKey key;
  glGetFloatv(GL_PROJECTION_MATRIX, key.projection.data());
  glGetFloatv(GL_MODELVIEW_MATRIX, key.modelView.data());
  glGetIntegerv(GL_VIEWPORT, key.viewport.data());
  glGetFloatv(GL_COLOR_CLEAR_VALUE, key.clearColour.data());
  key.textureGeneration = textureGeneration;
  key.gridLevel = gridLevel;
  return key;
}

void keepGlobeLayer(GlobeLayer& layer, const GlobeLayerKey& key, const PixelRect& rect) {
  layer.kept = false;
  const GLint x = rect.x;
  const GLint y = rect.y;
  const GLsizei width = rect.width;
  const GLsizei height = rect.height;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (width <= 0 || height <= 0 || width > largest || height > largest) return;
  while (glGetError() != GL_NO_ERROR) {
  }  // earlier errors are not this copy's
  glPushAttrib(GL_TEXTURE_BIT | GL_PIXEL_MODE_BIT);
  if (layer.textureName == 0) glGenTextures(1, &layer.textureName);
  glBindTexture(GL_TEXTURE_2D, layer.textureName);
  if (width != layer.textureWidth || height != layer.textureHeight) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    layer.textureWidth = width;
    layer.textureHeight = height;
  }
  GLint drawBuffer = GL_BACK;
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glReadBuffer(static_cast<GLenum>(drawBuffer));
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, y, width, height);
  glPopAttrib();
  if (glGetError() != GL_NO_ERROR) {
    // This context cannot do it; draw the globe every frame from now on.
    layer.supported = false;
    layer.textureWidth = layer.textureHeight = 0;
    return;
  }
  layer.kept = true;
  layer.keptKey = key;
  layer.keptRect = rect;
}

void putBackGlobeLayer(const GlobeLayer& layer) {
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT |
               GL_POLYGON_BIT | GL_TRANSFORM_BIT);
  for (const GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glPushMatrix();
    glLoadIdentity();
  }
  for (const GLenum capability :
       {GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_LIGHTING, GL_FOG, GL_CULL_FACE,
        GL_POLYGON_STIPPLE, GL_STENCIL_TEST, GL_COLOR_LOGIC_OP, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
        GL_DITHER}) {
    glDisable(capability);
  }
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, layer.textureName);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  // The quad covers the kept rectangle's pixels exactly; each pixel's centre samples its own
  // texel. The texture holds exactly the rectangle.
  const auto& [vx, vy, vw, vh] = layer.keptKey.viewport;
  const PixelRect& r = layer.keptRect;
  const auto ndc = [](int32_t pixel, int32_t origin, int32_t size) {
    return static_cast<float>(2.0 * (pixel - origin) / size - 1.0);
  };
  const float left = ndc(r.x, vx, vw);
  const float right = ndc(r.x + r.width, vx, vw);
  const float bottom = ndc(r.y, vy, vh);
  const float top = ndc(r.y + r.height, vy, vh);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(left, bottom);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(right, bottom);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(right, top);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(left, top);
  glEnd();
  for (const GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glPopMatrix();
  }
  glPopAttrib();
}
