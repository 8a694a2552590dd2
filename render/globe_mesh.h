#pragma once
// The globe: a sphere of radius 4060 model units tessellated into 48 x 48 quads, textured with
// the Earth texture, with an optional latitude/longitude grid just above the surface.
//
// Model space: a point at latitude lat and longitude lon (degrees, north and east positive)
// lies in the direction (-sin(lon - 9.62) cos(lat), -sin(lat), cos(lon - 9.62) cos(lat)).
// Texture column s is longitude 180.62 + 360 s and t = 0 is latitude -90. North is toward -y;
// the scene pass's tilt of about 180 degrees turns it to the top of the screen.
#include <cstdint>
#include <optional>

#include "render/earth_texture.h"
#include "render/scene_clock.h"

struct ViewState;

constexpr int kSphereSteps = 48;

// Entry [i][j]: i (0 to 48) runs along longitude, j (0 to 48) along latitude. Rows j = 0 and
// 48 collapse to the poles; columns 0 and 48 coincide.
struct SphereTables {
  float sphereVertex[kSphereSteps + 1][kSphereSteps + 1][3];
  float sphereTexCoord[kSphereSteps + 1][kSphereSteps + 1][2];
};

// Fills both tables; the values are the same every time.
void fillSphereTables(SphereTables& tables);

struct GridColour {
  float red;
  float green;
  float blue;
};

// The grid's colour for a Grid slider level, each component clamped to 1 as GL would; no
// grid at all for a level of 0 or below. Grey up to 49, then shading from red to cyan.
std::optional<GridColour> gridColour(float gridLevel);

// Display lists of the surface's quad strips and the grid's line strips, compiled from the
// tables at the first build; 0 while there are none (the globe is then sent vertex by vertex).
struct GlobeLists {
  uint32_t surface = 0;
  uint32_t grid = 0;
};

// The night a surface build shows for the display's options at the UTC time `utc`: none with
// Night off (the night style and the city lights then change nothing), else the fixed band or
// the sun's own night, with the city lights when they are on.
std::optional<NightShading> surfaceNight(const ViewState& view, const platform::DateTime& utc);

// Rebuilds the Earth texture with the night of the clock's UTC time, refills the tables and,
// the first time, compiles the lists from them.
void buildSurface(SphereTables& tables, GlobeLists& lists, EarthTexture& texture,
                  const SceneClock& clock, const ViewState& view);

// Draws the textured sphere and the grid of the Grid slider's level into the current
// model-view frame. Leaves texturing off, line width 1 and the model-view scaled by
// 1.005 x 0.995 (the scene pass restores it). With `paint` false nothing is drawn, and only
// the state a drawing leaves behind is set (the globe's pixels were put back from a copy).
void drawGlobe(const SphereTables& tables, const GlobeLists& lists, const EarthTexture& texture,
               float gridLevel, bool paint);
