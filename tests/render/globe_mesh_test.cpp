#include "render/globe_mesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SphereTables, EquatorAtTheFirstColumn) {
  SphereTables tables;
  fillSphereTables(tables);
  EXPECT_NEAR(tables.sphereVertex[0][24][0], -635.1f, 0.05f);
  EXPECT_NEAR(tables.sphereVertex[0][24][1], 0.0f, 0.001f);
  EXPECT_NEAR(tables.sphereVertex[0][24][2], -4010.0f, 0.5f);
}

// Texture column s shows longitude 180.62 + 360 s and row t latitude 180 t - 90; the vertex
// that carries (s, t) must lie where the tags and clocks place that longitude and latitude.
TEST(SphereTables, TextureAndPositionAgreeWithTheGeographicConvention) {
  SphereTables tables;
  fillSphereTables(tables);
  const double pi = 3.14159265358979;
  for (int i = 0; i <= 48; i += 3) {
    for (int j = 0; j <= 48; j += 4) {
      const float s = tables.sphereTexCoord[i][j][0];
      const float t = tables.sphereTexCoord[i][j][1];
      EXPECT_FLOAT_EQ(s, static_cast<float>(i) / 48.0f);
      EXPECT_FLOAT_EQ(t, static_cast<float>(j) / 48.0f);
      const double lon = (180.62 + 360.0 * s - 9.62) * pi / 180.0;
      const double lat = (180.0 * t - 90.0) * pi / 180.0;
      const double expected[3] = {-std::sin(lon) * std::cos(lat) * 4060.0, -std::sin(lat) * 4060.0,
                                  std::cos(lon) * std::cos(lat) * 4060.0};
      for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(tables.sphereVertex[i][j][axis], expected[axis], 0.01)
            << i << " " << j << " " << axis;
      }
    }
  }
  // North (latitude 90, row 48) lies toward -y, and the seam columns coincide.
  EXPECT_FLOAT_EQ(tables.sphereVertex[17][48][1], -4060.0f);
  EXPECT_NEAR(tables.sphereVertex[0][30][0], tables.sphereVertex[48][30][0], 0.01f);
  EXPECT_NEAR(tables.sphereVertex[0][30][2], tables.sphereVertex[48][30][2], 0.01f);
}

TEST(GridColour, GreyBelowFiftyThenRedToCyan) {
  const struct {
    float level;
    bool drawn;
    GridColour colour;
  } cases[] = {
      {-3.0f, false, {}},
      {0.0f, false, {}},
      {1.0f, true, {0.02f, 0.02f, 0.02f}},
      {49.0f, true, {0.98f, 0.98f, 0.98f}},
      {50.0f, true, {1.0f, 0.0f, 0.0f}},
      {56.0f, true, {0.88f, 0.24f, 0.5f}},
      {99.0f, true, {0.02f, 1.0f, 1.0f}},
      {150.0f, true, {0.0f, 1.0f, 1.0f}},  // a preset may carry a level beyond the slider
  };
  for (const auto& c : cases) {
    const auto colour = gridColour(c.level);
    ASSERT_EQ(colour.has_value(), c.drawn) << c.level;
    if (!colour) continue;
    EXPECT_NEAR(colour->red, c.colour.red, 1e-6f) << c.level;
    EXPECT_NEAR(colour->green, c.colour.green, 1e-6f) << c.level;
    EXPECT_NEAR(colour->blue, c.colour.blue, 1e-6f) << c.level;
  }
}

}  // namespace
