// The Targa reader and the pixel pass over any file and any night band. The pixels are moved
// into a buffer of exactly their size, so that the pass's wide loads are caught if they reach
// outside it, and the result is compared with a plain pixel-by-pixel conversion.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "render/earth_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool night = input.ConsumeBool();
  NightBand band{input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>()};
  const bool bandOfTheDay = input.ConsumeBool();
  const int32_t hour = input.ConsumeIntegralInRange(0, 23);
  const int32_t minute = input.ConsumeIntegralInRange(0, 59);
  const std::vector<uint8_t> file = input.ConsumeRemainingBytes<uint8_t>();

  const auto image = readTarga(file);
  if (!image) return 0;
  const size_t bytes = image->pixels.size();
  if (image->width <= 0 || image->height <= 0 ||
      bytes != static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 3 ||
      image->pixels.data() != file.data() + 18) {
    std::abort();
  }
  if (bandOfTheDay) band = nightBandAt(hour, minute, image->width);
  const auto pixels = std::make_unique<uint8_t[]>(bytes);
  std::memcpy(pixels.get(), image->pixels.data(), bytes);
  const TargaImage exact{image->width, image->height, {pixels.get(), bytes}};
  const auto out = std::make_unique<uint8_t[]>(bytes);
  convertEarthPixels(exact, night ? &band : nullptr, out.get());

  const size_t rowBytes = static_cast<size_t>(image->width) * 3;
  for (size_t i = 0; i < bytes; i += 3) {
    const bool dark = night && inNightBand(band, static_cast<int32_t>(i % rowBytes));
    for (size_t c = 0; c < 3; ++c) {
      const uint8_t v = pixels[i + 2 - c];
      if (out[i + c] != (dark ? darken(v) : v)) std::abort();
    }
  }
  return 0;
}
