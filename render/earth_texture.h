#pragma once
// The globe's surface texture, made from the built-in Earth picture "EARTH.TGA": a 24-bit
// uncompressed Targa whose pixel data start right after its 18-byte header, rows bottom to
// top. Each build turns the file's blue-green-red pixels into red-green-blue and, with Night
// on, darkens the half of the map centred on the meridian where it is local midnight, or the
// side the sun does not light, and may add the lights of the cities there. The pixel work
// lives in earth_pixels.h and night_shading.h; only the build and bind here touch GL.
#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "render/earth_pixels.h"
#include "render/night_shading.h"

struct EarthTexture {
  uint32_t textureName = 0;  // 0 until the first build; later builds replace its image
  int32_t pixelFormat = 0;   // the uploaded image's format (RGB), set by each build
  uint32_t generation = 0;   // counts the images uploaded
};

// Builds the texture from the built-in image, with the night shading when one is given. False
// (nothing uploaded) when the image is refused or memory runs out.
bool buildEarthTexture(EarthTexture& texture, const std::optional<NightShading>& night);

// Binds the Earth texture as the current two-dimensional texture.
void bindEarthTexture(const EarthTexture& texture);
