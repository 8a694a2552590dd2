#include "render/globe_mesh.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "model/view_state.h"
#include "render/earth_texture.h"

namespace {

constexpr double kRadius = 4060.0;
// Pi to eight decimals: the tables keep the surface exactly where the globe has always put it.
constexpr double kPi = 3.14159265;

double radians(double degrees) { return degrees * kPi / 180.0; }

void emitSurfacePoint(const SphereTables& t, int i, int j) {
  glTexCoord2fv(t.sphereTexCoord[i][j]);
  glVertex3fv(t.sphereVertex[i][j]);
}

void drawSurface(const SphereTables& t) {
  for (int k = 0; k < kSphereSteps; ++k) {
    glBegin(GL_QUAD_STRIP);
    // Each step repeats the previous pair, which adds zero-area quads between the real ones.
    for (int m = 0; m < kSphereSteps; ++m) {
      emitSurfacePoint(t, m, k);
      emitSurfacePoint(t, m, k + 1);
      emitSurfacePoint(t, m + 1, k);
      emitSurfacePoint(t, m + 1, k + 1);
    }
    glEnd();
  }
}

// Parallels every 15 degrees (the first and last degenerate at the poles) and meridians every
// 15 degrees (the first and last coincide).
void drawGridLines(const SphereTables& t) {
  for (int j = 0; j <= kSphereSteps; j += 4) {
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= kSphereSteps; ++i) glVertex3fv(t.sphereVertex[i][j]);
    glEnd();
  }
  for (int i = 0; i <= kSphereSteps; i += 2) {
    glBegin(GL_LINE_STRIP);
    for (int j = 0; j <= kSphereSteps; j += 2) glVertex3fv(t.sphereVertex[i][j]);
    glEnd();
  }
}

}  // namespace

void fillSphereTables(SphereTables& t) {
  for (int i = 0; i <= kSphereSteps; ++i) {
    const double longitude = radians(i * 360.0 / kSphereSteps + 171.0);
    for (int j = 0; j <= kSphereSteps; ++j) {
      const double latitude = radians(j * 180.0 / kSphereSteps - 90.0);
      const double ring = std::fabs(std::cos(latitude));
      t.sphereVertex[i][j][0] = static_cast<float>(std::sin(longitude) * (ring * -kRadius));
      t.sphereVertex[i][j][1] = static_cast<float>(std::sin(latitude) * -kRadius);
      t.sphereVertex[i][j][2] = static_cast<float>(std::cos(longitude) * (ring * kRadius));
      t.sphereTexCoord[i][j][0] = static_cast<float>(i) / kSphereSteps;
      t.sphereTexCoord[i][j][1] = static_cast<float>(j) / kSphereSteps;
    }
  }
}

std::optional<GridColour> gridColour(float gridLevel) {
  if (!(gridLevel > 0.0f)) return std::nullopt;
  if (gridLevel < 50.0f) {
    const float grey = gridLevel / 50.0f;
    return GridColour{grey, grey, grey};
  }
  const auto clamp = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
  return GridColour{clamp((100.0f - gridLevel) / 50.0f), clamp((gridLevel - 50.0f) / 25.0f),
                    clamp((gridLevel - 50.0f) / 12.0f)};
}

namespace {

// The lists hold exactly the vertices the immediate calls send, in the same order, so they draw
// the same pixels; only the per-frame cost of sending 9,216 vertices one call at a time goes.
void compileGlobeLists(const SphereTables& tables, GlobeLists& lists) {
  if (lists.surface != 0) return;  // the tables come out the same at every build
  const GLuint first = glGenLists(2);
  if (first == 0) return;
  glNewList(first, GL_COMPILE);
  drawSurface(tables);
  glEndList();
  glNewList(first + 1, GL_COMPILE);
  drawGridLines(tables);
  glEndList();
  lists.surface = first;
  lists.grid = first + 1;
}

}  // namespace

std::optional<NightShading> surfaceNight(const ViewState& view, const platform::DateTime& utc) {
  if (!view.night) return std::nullopt;
  return NightShading{utc, view.nightStyle, view.cityLights};
}

void buildSurface(SphereTables& tables, GlobeLists& lists, EarthTexture& texture,
                  const SceneClock& clock, const ViewState& view) {
  buildEarthTexture(texture, surfaceNight(view, clock.utc()));
  fillSphereTables(tables);
  compileGlobeLists(tables, lists);
}

void drawGlobe(const SphereTables& tables, const GlobeLists& lists, const EarthTexture& texture,
               float gridLevel, bool paint) {
  glEnable(GL_TEXTURE_2D);
  bindEarthTexture(texture);
  glLineWidth(1.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glColor3f(1.0f, 1.0f, 1.0f);
  // The surface winds clockwise seen from outside, so the far half is the one GL calls front.
  // Culling it saves texturing and depth-testing the half that the near one hides anyway.
  if (paint) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    if (lists.surface != 0) {
      glCallList(lists.surface);
    } else {
      drawSurface(tables);
    }
    glDisable(GL_CULL_FACE);
  }
  glColor3f(0.5f, 0.7f, 0.7f);
  glScalef(1.005f, 1.005f, 1.005f);
  // Texturing stays on for the lines, which all carry the surface's last coordinate (1, 1): the
  // grid colour is modulated by the texture's sample there.
  if (const auto colour = gridColour(gridLevel)) {
    glColor3f(colour->red, colour->green, colour->blue);
    glTexCoord2fv(tables.sphereTexCoord[kSphereSteps][kSphereSteps]);
    if (paint && lists.grid != 0) {
      glCallList(lists.grid);
    } else if (paint) {
      drawGridLines(tables);
    }
  }
  glScalef(0.995f, 0.995f, 0.995f);
  glLineWidth(1.0f);
  glDisable(GL_TEXTURE_2D);
}
