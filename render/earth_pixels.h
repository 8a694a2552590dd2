#pragma once
// The plain pixel work behind the Earth texture, without GL: the night band, and the pass
// that turns the blue-green-red pixels of the Earth picture (render/targa) into red-green-blue.
#include <cstdint>

#include "render/targa.h"

// The night band of a row as two byte offsets; a pixel at offset x is dark when it lies
// strictly between them, or, when start >= end (the band wraps past the right edge),
// strictly above start or strictly below end.
struct NightBand {
  int32_t start;
  int32_t end;
};

// The band for the UTC time of day: half the map's width, centred on local midnight.
NightBand nightBandAt(int32_t utcHour, int32_t utcMinute, int32_t width);
bool inNightBand(NightBand band, int32_t offset);

// v - (v >> 2): three quarters of the brightness, rounded up.
constexpr uint8_t darken(uint8_t v) { return static_cast<uint8_t>(v - (v >> 2)); }

// The pixel pass: writes width x height x 3 bytes of red-green-blue into `out` (which must
// hold that many), darkening the band when one is given.
void convertEarthPixels(const TargaImage& image, const NightBand* band, uint8_t* out);
