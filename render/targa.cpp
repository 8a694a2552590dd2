#include "render/targa.h"

#include <cstddef>

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kImageTypeAt = 2;
constexpr std::size_t kWidthAt = 12;
constexpr std::size_t kHeightAt = 14;
constexpr std::size_t kBitsPerPixelAt = 16;
constexpr uint8_t kGreyImageType = 3;

int32_t littleEndian16(std::span<const uint8_t> file, std::size_t offset) {
  return file[offset] + 256 * file[offset + 1];
}

// The picture when the header gives `bitsPerPixel` and is whole; `greyOnly` also asks for
// the uncompressed grey image type.
std::optional<TargaImage> readPixels(std::span<const uint8_t> file, uint8_t bitsPerPixel,
                                     bool greyOnly) {
  if (file.size() < kHeaderSize) return std::nullopt;
  const int32_t width = littleEndian16(file, kWidthAt);
  const int32_t height = littleEndian16(file, kHeightAt);
  if (greyOnly && file[kImageTypeAt] != kGreyImageType) return std::nullopt;
  if (file[kBitsPerPixelAt] != bitsPerPixel || width == 0 || height == 0) return std::nullopt;
  const std::size_t bytes =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * (bitsPerPixel / 8);
  if (file.size() - kHeaderSize < bytes) return std::nullopt;
  return TargaImage{width, height, file.subspan(kHeaderSize, bytes)};
}

}  // namespace

std::optional<TargaImage> readTarga(std::span<const uint8_t> file) {
  return readPixels(file, 24, false);
}

std::optional<TargaImage> readGreyTarga(std::span<const uint8_t> file) {
  return readPixels(file, 8, true);
}
