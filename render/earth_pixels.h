#pragma once
// The plain pixel work behind the Earth texture, without GL: reading the header of a 24-bit
// uncompressed Targa whose pixel data start right after its 18-byte header, the night band,
// and the pass that turns blue-green-red file pixels into red-green-blue.
#include <cstdint>
#include <optional>
#include <span>

// The header fields the loader uses and the pixel bytes they describe.
struct TargaImage {
  int32_t width;
  int32_t height;
  std::span<const uint8_t> pixels;  // width x height x 3 bytes, blue-green-red
};

// Reads the header of a Targa file whose pixel data start at byte 18. Nothing when the image
// is not 24 bits per pixel, is empty, or the file is shorter than the header claims.
std::optional<TargaImage> readTarga(std::span<const uint8_t> file);

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
