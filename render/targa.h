#pragma once
// The Targa files the program carries (the Earth picture and the city lights): uncompressed,
// the pixel data right after the 18-byte header, rows bottom to top. One reader for both.
#include <cstdint>
#include <optional>
#include <span>

// The header fields the loaders use and the pixel bytes they describe.
struct TargaImage {
  int32_t width;
  int32_t height;
  std::span<const uint8_t> pixels;  // width x height pixels of the file's depth
};

// A 24-bit picture (blue-green-red bytes). Nothing when the image is not 24 bits per pixel,
// is empty, or the file is shorter than the header claims.
std::optional<TargaImage> readTarga(std::span<const uint8_t> file);

// An 8-bit grey picture (image type 3). Nothing when the image is of another kind, is empty
// or the file is shorter than its header claims.
std::optional<TargaImage> readGreyTarga(std::span<const uint8_t> file);
