#pragma once
// The globe layer: the cleared background with the textured globe and its grid, kept as a
// copy of the pixels once the same globe has been drawn two frames running, and put back in
// later frames for as long as nothing that shapes it changes. A globe that stands still (no
// spin, the tilt settled, the same texture) then costs a copy of pixels instead of texturing
// the sphere every frame; the tags, clocks and ticker are drawn over it as before.
//
// What shapes the layer is read from GL itself just before the globe is drawn (both matrices,
// the viewport, the clear colour) along with the texture's generation and the grid level, so
// any change of view, size, background, night or grid draws the globe afresh.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

struct GlobeLayerKey {
  std::array<float, 16> projection{};
  std::array<float, 16> modelView{};
  std::array<int32_t, 4> viewport{};
  std::array<float, 4> clearColour{};
  uint32_t textureGeneration = 0;
  float gridLevel = 0.0f;

  bool operator==(const GlobeLayerKey&) const = default;
};

// A rectangle of window pixels, from its lower left corner as GL counts.
struct PixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool operator==(const PixelRect&) const = default;
};

enum class GlobeLayerStep {
  kDraw,         // draw the globe
  kDrawAndKeep,  // draw the globe and keep a copy of the layer
  kPutBack,      // put the kept copy back instead of drawing
};

struct GlobeLayer {
  bool supported = false;  // the context can hold a window-sized texture (set when prepared)
  bool kept = false;       // a copy of keptRect is held, drawn for keptKey
  GlobeLayerKey keptKey;
  PixelRect keptRect;
  bool drawnBefore = false;  // the previous frame drew (or put back) the globe for lastKey
  GlobeLayerKey lastKey;
  uint32_t textureName = 0;
  int32_t textureWidth = 0;
  int32_t textureHeight = 0;
};

// What this frame does for `key`, and the record updated for the next frame: the kept copy
// when it was drawn for the same key; a copy kept when the previous frame drew the same key
// (a globe in motion is never copied); else a plain draw.
GlobeLayerStep nextGlobeLayerStep(GlobeLayer& layer, const GlobeLayerKey& key);

// The pixels that `count` points (x, y, z after one another), drawn under the key's matrices
// with the model-view scaled by each of `scales`, can touch: the box of their projections,
// widened by `margin` pixels for line width and rounding, and cut to the viewport. The whole
// viewport when a point lies in the eye's plane or behind it.
PixelRect projectedBounds(const float* points, std::size_t count,
                          std::initializer_list<float> scales, const GlobeLayerKey& key,
                          int32_t margin);

// GL side, on the thread that owns the context. Whether the context can keep the layer (a
// texture as large as the viewport, of any size); call once the context is current.
void prepareGlobeLayer(GlobeLayer& layer);
// The key of the globe about to be drawn, read from the current GL state.
GlobeLayerKey readGlobeLayerKey(uint32_t textureGeneration, float gridLevel);
// Copies the pixels of `rect` (inside the key's viewport; everything else there is the clear
// colour) as they stand into the layer's texture; on failure the layer holds no copy and
// frames draw the globe.
void keepGlobeLayer(GlobeLayer& layer, const GlobeLayerKey& key, const PixelRect& rect);
// Draws the kept copy back where it was, pixel for pixel, leaving every GL state as it was.
// The texture goes with the context.
void putBackGlobeLayer(const GlobeLayer& layer);
