#include "render/earth_texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "platform/resources.h"
#include "render/scene.h"
#include "shell/display_state.h"

// The build step defines the program's resource table at global scope, not inside the
// platform namespace where resources.h declares it, so the table is named here and passed.
extern const platform::ResourceEntry* const programResources;

EarthTexture earthTexture;

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr int32_t kMinutesPerDay = 1440;

int32_t littleEndian16(std::span<const uint8_t> file, std::size_t offset) {
  return file[offset] + 256 * file[offset + 1];
}

}  // namespace

std::optional<TargaImage> readTarga(std::span<const uint8_t> file) {
  if (file.size() < kHeaderSize) return std::nullopt;
  const int32_t width = littleEndian16(file, 12);
  const int32_t height = littleEndian16(file, 14);
  if (file[16] != 24 || width == 0 || height == 0) return std::nullopt;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  if (file.size() - kHeaderSize < bytes) return std::nullopt;
  return TargaImage{width, height, file.subspan(kHeaderSize, bytes)};
}

NightBand nightBandAt(int32_t utcHour, int32_t utcMinute, int32_t width) {
  if (width <= 0) return {0, 0};
  const int32_t minutes = utcHour * 60 + utcMinute;
  float start = static_cast<float>((kMinutesPerDay - minutes) - 1082);
  if (start < 0.0f) start += 1440.0f;
  if (start >= 1440.0f) start -= 1440.0f;
  float end = start + 720.0f;
  if (end >= 1440.0f) end -= 1440.0f;
  // Minutes of the day per pixel column: the map spans 360 degrees, 4 minutes each.
  const float perColumn = 1440.0f / static_cast<float>(width);
  return {static_cast<int32_t>(start / perColumn * 3.0f), static_cast<int32_t>(end / perColumn * 3.0f)};
}

bool inNightBand(NightBand band, int32_t offset) {
  if (band.start < band.end) return band.start < offset && offset < band.end;
  return offset > band.start || offset < band.end;
}

void convertEarthPixels(const TargaImage& image, const NightBand* band, uint8_t* out) {
  const std::size_t width = static_cast<std::size_t>(image.width);
  // Whether a column is dark is the same in every row: 0xff keeps the quarter that darken()
  // takes away, 0 keeps the pixel as it is.
  std::vector<uint8_t> quarterMask(width, 0);
  if (band) {
    for (std::size_t column = 0; column < width; ++column) {
      if (inNightBand(*band, static_cast<int32_t>(column * 3))) quarterMask[column] = 0xff;
    }
  }
  const uint8_t* in = image.pixels.data();
  for (int32_t row = 0; row < image.height; ++row) {
    for (std::size_t column = 0; column < width; ++column) {
      const uint8_t mask = quarterMask[column];
      const uint8_t blue = in[0];
      const uint8_t green = in[1];
      const uint8_t red = in[2];
      out[0] = static_cast<uint8_t>(red - ((red >> 2) & mask));
      out[1] = static_cast<uint8_t>(green - ((green >> 2) & mask));
      out[2] = static_cast<uint8_t>(blue - ((blue >> 2) & mask));
      in += 3;
      out += 3;
    }
  }
}

namespace {

void uploadEarthPixels(const TargaImage& image, const uint8_t* pixels) {
  earthTexture.pixelFormat = GL_RGB;
  glBindTexture(GL_TEXTURE_2D, earthTexture.textureName);
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

}  // namespace

bool buildEarthTexture() {
  if (earthTexture.textureName == 0) glGenTextures(1, &earthTexture.textureName);
  const auto image = readTarga(platform::findResource("earth.tga", ::programResources));
  if (!image) return false;
  const std::size_t bytes = image->pixels.size();
  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[bytes]);
  if (!pixels) return false;
  std::optional<NightBand> band;
  if (displayState.night == 1) {
    const platform::DateTime utc = sceneClock.utc();
    band = nightBandAt(utc.hour, utc.minute, image->width);
  }
  convertEarthPixels(*image, band ? &*band : nullptr, pixels.get());
  uploadEarthPixels(*image, pixels.get());
  return true;
}

void bindEarthTexture() { glBindTexture(GL_TEXTURE_2D, earthTexture.textureName); }
