#include "render/earth_texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <memory>
#include <new>
#include <optional>

#include "platform/resources.h"

// The build step defines the program's resource table at global scope, not inside the
// platform namespace where resources.h declares it, so the table is named here and passed.

namespace {

void uploadEarthPixels(EarthTexture& texture, const TargaImage& image, const uint8_t* pixels) {
  texture.pixelFormat = GL_RGB;
  ++texture.generation;
  glBindTexture(GL_TEXTURE_2D, texture.textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  // No mipmap filter: only the base level is ever sampled, although every level is built.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                    pixels);
}

// The built-in lights, tinted at the first build that shows them and kept: the picture never
// changes, and a rebuild every four minutes need not tint 1.5 MB again. Null when the picture
// is unreadable.
const CityLights* builtInCityLights() {
  static const std::optional<CityLights> lights = []() -> std::optional<CityLights> {
    const auto grey = readGreyTarga(platform::findResource("city_lights.tga"));
    if (!grey) return std::nullopt;
    return tintCityLights(*grey);
  }();
  return lights ? &*lights : nullptr;
}

}  // namespace

bool buildEarthTexture(EarthTexture& texture, const std::optional<NightShading>& night) {
  if (texture.textureName == 0) glGenTextures(1, &texture.textureName);
  const auto image = readTarga(platform::findResource("earth.tga"));
  if (!image) return false;
  const std::size_t bytes = image->pixels.size();
  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[bytes]);
  if (!pixels) return false;
  try {
    const CityLights* lights = night && night->cityLights ? builtInCityLights() : nullptr;
    shadeEarthPixels(*image, night, lights, pixels.get());
  } catch (const std::bad_alloc&) {
    return false;  // the lights or the seasonal pass's tables did not fit
  }
  uploadEarthPixels(texture, *image, pixels.get());
  return true;
}

void bindEarthTexture(const EarthTexture& texture) {
  glBindTexture(GL_TEXTURE_2D, texture.textureName);
}
