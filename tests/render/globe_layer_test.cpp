// When a still globe's copy is kept and put back, and which pixels the copy must hold.
#include "render/globe_layer.h"

#include <gtest/gtest.h>

namespace {

GlobeLayerKey keyWithSpin(float spin) {
  GlobeLayerKey key;
  key.modelView = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, spin, 0, 0, 1};
  key.projection = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  key.viewport = {10, 20, 100, 50};
  return key;
}

TEST(GlobeLayer, KeptOnlyOnceTheSameGlobeIsDrawnTwiceAndPutBackWhileItStays) {
  const struct {
    float spin;
    GlobeLayerStep step;
  } frames[] = {
      {0.0f, GlobeLayerStep::kDraw},        {0.1f, GlobeLayerStep::kDraw},  // turning
      {0.1f, GlobeLayerStep::kDrawAndKeep}, {0.1f, GlobeLayerStep::kPutBack},
      {0.1f, GlobeLayerStep::kPutBack},     {0.2f, GlobeLayerStep::kDraw},  // moved on
      {0.1f, GlobeLayerStep::kPutBack},  // back where the copy was taken
  };
  GlobeLayer layer;
  layer.supported = true;
  int frame = 0;
  for (const auto& f : frames) {
    const GlobeLayerKey key = keyWithSpin(f.spin);
    const GlobeLayerStep step = nextGlobeLayerStep(layer, key);
    EXPECT_EQ(step, f.step) << "frame " << frame++;
    if (step == GlobeLayerStep::kDrawAndKeep) {  // what keepGlobeLayer records
      layer.kept = true;
      layer.keptKey = key;
    }
  }
  GlobeLayer unsupported;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(nextGlobeLayerStep(unsupported, keyWithSpin(0.0f)), GlobeLayerStep::kDraw);
  }
}

TEST(GlobeLayer, BoundsOfTheProjectedPointsWidenedAndCutToTheViewport) {
  const GlobeLayerKey key = keyWithSpin(0.0f);  // viewport x 10 to 110, y 20 to 70
  const float square[] = {-0.5f, -0.5f, 0.0f, 0.25f, 0.5f, 0.0f};
  const float corner[] = {-1.0f, -1.0f, 0.0f, 0.5f, 0.5f, 0.0f};
  const float behind[] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  const struct {
    const float* points;
    std::initializer_list<float> scales;
    int margin;
    PixelRect rect;
  } cases[] = {
      {square, {1.0f}, 0, {35, 32, 38, 26}},        // x 35 to 72.5, y 32.5 to 57.5
      {square, {1.0f}, 2, {33, 30, 42, 30}},        // widened
      {square, {1.0f, 1.5f}, 0, {22, 26, 57, 38}},  // the larger of both scales
      {corner, {1.0f}, 2, {10, 20, 77, 40}},        // cut at the viewport
  };
  for (const auto& c : cases) {
    EXPECT_EQ(projectedBounds(c.points, 2, c.scales, key, c.margin), c.rect) << c.margin;
  }
  GlobeLayerKey flat = key;
  flat.projection[15] = 0.0f;  // every point in the eye's plane: no box to take
  EXPECT_EQ(projectedBounds(behind, 2, {1.0f}, flat, 2), (PixelRect{10, 20, 100, 50}));
}

}  // namespace
