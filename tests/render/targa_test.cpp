#include "render/targa.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/targa_file.h"

namespace {

TEST(Targa, ReadsOnlyImagesWhosePixelsAreAllThere) {
  const struct {
    const char* what;
    int width, height, bits;
    size_t pixelBytes;
    bool accepted;
  } cases[] = {
      {"24 bits, exact size", 4, 2, 24, 24, true},
      {"24 bits with a footer after the pixels", 4, 2, 24, 24 + 26, true},
      {"32 bits is refused, not read with the wrong stride", 4, 2, 32, 32, false},
      {"16 bits", 4, 2, 16, 24, false},
      {"one pixel byte short", 4, 2, 24, 23, false},
      {"header claims 65535 x 65535", 65535, 65535, 24, 24, false},
      {"no width", 0, 2, 24, 24, false},
      {"no height", 4, 0, 24, 24, false},
  };
  for (const auto& c : cases) {
    const auto file = targa(c.width, c.height, c.bits, c.pixelBytes);
    const auto image = readTarga(file);
    ASSERT_EQ(image.has_value(), c.accepted) << c.what;
    if (!image) continue;
    EXPECT_EQ(image->width, c.width) << c.what;
    EXPECT_EQ(image->height, c.height) << c.what;
    EXPECT_EQ(image->pixels.data(), file.data() + 18) << c.what;
    EXPECT_EQ(image->pixels.size(), 24u) << c.what;
  }
  const std::vector<uint8_t> shortHeader(17, 0);
  EXPECT_FALSE(readTarga(shortHeader).has_value());
  EXPECT_FALSE(readTarga({}).has_value());
}

TEST(GreyTarga, ReadsOnlyWholeGreyImages) {
  const struct {
    const char* what;
    uint8_t type, bits;
    size_t pixelBytes;
    bool accepted;
  } cases[] = {
      {"grey, 8 bits", 3, 8, 8, true},
      {"true colour", 2, 8, 8, false},
      {"16-bit grey", 3, 16, 16, false},
      {"one byte short", 3, 8, 7, false},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> file(18 + c.pixelBytes, 0);
    file[2] = c.type;
    file[12] = 4;
    file[14] = 2;
    file[16] = c.bits;
    const auto image = readGreyTarga(file);
    ASSERT_EQ(image.has_value(), c.accepted) << c.what;
    if (image) {
      EXPECT_EQ(image->pixels.data(), file.data() + 18) << c.what;
    }
  }
}

}  // namespace
