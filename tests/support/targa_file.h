#pragma once
// Targa files made up for tests.
#include <cstddef>
#include <cstdint>
#include <vector>

// An 18-byte Targa header followed by `pixelBytes` bytes, each pixel (b, g, r) = (10, 20, 30)
// unless the caller changes them.
inline std::vector<uint8_t> targa(int width, int height, int bits, size_t pixelBytes) {
  std::vector<uint8_t> file(18 + pixelBytes, 0);
  file[2] = 2;
  file[12] = static_cast<uint8_t>(width & 0xff);
  file[13] = static_cast<uint8_t>(width >> 8);
  file[14] = static_cast<uint8_t>(height & 0xff);
  file[15] = static_cast<uint8_t>(height >> 8);
  file[16] = static_cast<uint8_t>(bits);
  for (size_t i = 0; i < pixelBytes; ++i) file[18 + i] = static_cast<uint8_t>(10 + 10 * (i % 3));
  return file;
}
