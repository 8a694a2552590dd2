#include "render/earth_pixels.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kMinutesPerDay = 1440;

}  // namespace

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
  return {static_cast<int32_t>(start / perColumn * 3.0f),
          static_cast<int32_t>(end / perColumn * 3.0f)};
}

bool inNightBand(NightBand band, int32_t offset) {
  if (band.start < band.end) return band.start < offset && offset < band.end;
  return offset > band.start || offset < band.end;
}

namespace {

// The pixel pass works on bytes: within a row (which starts on a pixel), output byte i is input
// byte i + 2 (red), i (green) or i - 2 (blue) for i % 3 = 0, 1, 2, then loses the night quarter
// v - ((v >> 2) & mask), where the mask byte is 0x3f in the band and 0 elsewhere.
constexpr int kSourceShift[3] = {2, 0, -2};

void convertBytes(const uint8_t* in, const uint8_t* quarterMask, std::size_t from, std::size_t to,
                  uint8_t* out) {
  for (std::size_t i = from; i < to; ++i) {
    const uint8_t v = in[static_cast<std::ptrdiff_t>(i) + kSourceShift[i % 3]];
    out[i] = static_cast<uint8_t>(v - ((v >> 2) & quarterMask[i]));
  }
}

// Sixteen bytes at a time with the compiler's portable vector types: three overlapping loads
// (two bytes ahead, in place, two bytes behind) are merged with masks that repeat every 48
// bytes, and the quarter is taken off all sixteen bytes at once (the 0x3f mask keeps bits of
// the next byte out of each shifted byte).
using Bytes16 = uint8_t __attribute__((vector_size(16)));

Bytes16 load16(const uint8_t* p) {
  Bytes16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

struct SwapMasks {
  Bytes16 pick[3][3];  // [block % 3][ahead, in place, behind]
  SwapMasks() {
    for (int block = 0; block < 3; ++block) {
      for (int source = 0; source < 3; ++source) {
        for (int j = 0; j < 16; ++j)
          pick[block][source][j] = (block * 16 + j) % 3 == source ? 0xff : 0;
      }
    }
  }
};

inline void convertBlock(const uint8_t* in, const uint8_t* quarterMask, const Bytes16* pick,
                         uint8_t* out) {
  Bytes16 v = (load16(in + 2) & pick[0]) | (load16(in) & pick[1]) | (load16(in - 2) & pick[2]);
  v -= (v >> 2) & load16(quarterMask);
  std::memcpy(out, &v, sizeof v);
}

// One row of `rowBytes` bytes at byte `rowStart` of pixel data `totalBytes` long. The
// vector blocks read two bytes either side of themselves, so the blocks that would reach
// outside the pixel data are done byte by byte.
void convertRow(const uint8_t* pixels, std::size_t rowStart, std::size_t rowBytes,
                std::size_t totalBytes, const uint8_t* quarterMask, uint8_t* out) {
  static const SwapMasks masks;
  const uint8_t* in = pixels + rowStart;
  out += rowStart;
  std::size_t k = 0;
  if (rowStart < 2) {  // a whole run, so that the runs below start on a mask set boundary
    k = std::min<std::size_t>(48, rowBytes);
    convertBytes(in, quarterMask, 0, k, out);
  }
  // Whole 48-byte runs (three blocks, one of each mask set) keep the masks in registers.
  for (; k + 48 <= rowBytes && rowStart + k + 50 <= totalBytes; k += 48) {
    convertBlock(in + k, quarterMask + k, masks.pick[0], out + k);
    convertBlock(in + k + 16, quarterMask + k + 16, masks.pick[1], out + k + 16);
    convertBlock(in + k + 32, quarterMask + k + 32, masks.pick[2], out + k + 32);
  }
  for (; k + 16 <= rowBytes && rowStart + k + 18 <= totalBytes; k += 16) {
    convertBlock(in + k, quarterMask + k, masks.pick[(k / 16) % 3], out + k);
  }
  convertBytes(in, quarterMask, k, rowBytes, out);
}

}  // namespace

void convertEarthPixels(const TargaImage& image, const NightBand* band, uint8_t* out) {
  const std::size_t width = static_cast<std::size_t>(image.width);
  const std::size_t rowBytes = width * 3;
  // Whether a pixel is dark depends only on its column, so one row of masks serves all rows.
  std::vector<uint8_t> quarterMask(rowBytes, 0);
  if (band) {
    for (std::size_t column = 0; column < width; ++column) {
      if (!inNightBand(*band, static_cast<int32_t>(column * 3))) continue;
      std::memset(&quarterMask[column * 3], 0x3f, 3);
    }
  }
  const std::size_t totalBytes = image.pixels.size();
  for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
    convertRow(image.pixels.data(), row * rowBytes, rowBytes, totalBytes, quarterMask.data(), out);
  }
}
