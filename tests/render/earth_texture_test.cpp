#include "render/earth_texture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "tests/support/targa_file.h"

namespace {

TEST(Targa, BuiltInEarthImageIsTheFullMap) {
  const auto file = platform::findResource("EARTH.TGA");
  ASSERT_EQ(file.size(), 1572908u);
  const auto image = readTarga(file);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 1024);
  EXPECT_EQ(image->height, 512);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data()) + file.size() - 18, 17),
            "TRUEVISION-XFILE.");
  // Rows run south to north: latitude -50 (row 113) is nearly all ocean, +50 (row 398) is
  // more than half land.
  const auto oceanShare = [&](int row) {
    int ocean = 0;
    for (int column = 0; column < 1024; ++column) {
      const uint8_t* p = image->pixels.data() + (row * 1024 + column) * 3;
      ocean += p[0] > p[2] + 20;  // blue well above red
    }
    return ocean / 1024.0;
  };
  EXPECT_GT(oceanShare(113), 0.9);
  EXPECT_LT(oceanShare(398), 0.6);
}

TEST(EarthPixels, WithoutNightRedAndBlueSwap) {
  const auto file = targa(3, 2, 24, 18);
  const auto image = readTarga(file);
  std::vector<uint8_t> out(18, 0xee);
  convertEarthPixels(*image, nullptr, out.data());
  for (size_t i = 0; i < 18; i += 3) {
    EXPECT_EQ(out[i], 30) << i;
    EXPECT_EQ(out[i + 1], 20) << i;
    EXPECT_EQ(out[i + 2], 10) << i;
  }
}

TEST(EarthPixels, NightDarkensToThreeQuartersRoundedUp) {
  const struct {
    uint8_t in, out;
  } cases[] = {{255, 192}, {128, 96}, {3, 3}, {4, 3}, {1, 1}, {0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(darken(c.in), c.out) << int(c.in);
    // The same through the pixel pass, for a one-pixel map that lies wholly in the band.
    std::vector<uint8_t> file = targa(1, 1, 24, 3);
    file[18] = file[19] = file[20] = c.in;
    std::vector<uint8_t> out(3);
    const NightBand everything{-1, 3};
    convertEarthPixels(*readTarga(file), &everything, out.data());
    EXPECT_EQ(out, std::vector<uint8_t>(3, c.out)) << int(c.in);
  }
}

// Columns of a 1024-wide row that the band darkens, as [first, last] runs.
std::vector<std::pair<int, int>> darkRuns(NightBand band) {
  std::vector<std::pair<int, int>> runs;
  for (int column = 0; column < 1024; ++column) {
    if (!inNightBand(band, column * 3)) continue;
    if (!runs.empty() && runs.back().second == column - 1) {
      runs.back().second = column;
    } else {
      runs.push_back({column, column});
    }
  }
  return runs;
}

TEST(NightBand, HalfTheMapCentredOnLocalMidnight) {
  using Runs = std::vector<std::pair<int, int>>;
  const struct {
    int hour, minute;
    NightBand band;
    Runs dark;
  } cases[] = {
      {0, 0, {763, 2299}, Runs{{255, 766}}},
      {12, 0, {2299, 763}, Runs{{0, 254}, {767, 1023}}},
      // Offsets 96 and 1632 are exact pixel boundaries: those pixels stay bright.
      {5, 13, {96, 1632}, Runs{{33, 543}}},
      // 05:58 is the last minute in one piece, 05:59 the first split one.
      {5, 58, {0, 1536}, Runs{{1, 511}}},
      {5, 59, {3069, 1533}, Runs{{0, 510}}},  // offset 3069 is column 1023's own
      {17, 58, {1536, 0}, Runs{{513, 1023}}},
      {17, 59, {1533, 3069}, Runs{{512, 1022}}},
      {23, 59, {765, 2301}, Runs{{256, 766}}},
  };
  for (const auto& c : cases) {
    const NightBand band = nightBandAt(c.hour, c.minute, 1024);
    EXPECT_EQ(band.start, c.band.start) << c.hour << ":" << c.minute;
    EXPECT_EQ(band.end, c.band.end) << c.hour << ":" << c.minute;
    EXPECT_EQ(darkRuns(band), c.dark) << c.hour << ":" << c.minute;
  }
}

// Every byte different, rows short and long enough for the pass's 16-byte blocks and their
// byte-by-byte edges, bands in one piece and wrapped: each output pixel must be its own input
// pixel, swapped and (in the band) darkened.
TEST(EarthPixels, EveryPixelKeepsItsOwnValues) {
  for (const int width : {1, 3, 4, 7, 9, 40, 61}) {
    const int height = 3;
    std::vector<uint8_t> file = targa(width, height, 24, static_cast<size_t>(width * height * 3));
    for (size_t i = 18; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 37 + 11);
    const auto image = readTarga(file);
    for (const NightBand band : {NightBand{2, 14}, NightBand{14, 5}, NightBand{50, 140}}) {
      std::vector<uint8_t> out(image->pixels.size());
      convertEarthPixels(*image, &band, out.data());
      for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
          const size_t at = static_cast<size_t>((row * width + column) * 3);
          const bool dark = inNightBand(band, column * 3);
          const uint8_t* in = image->pixels.data() + at;
          const uint8_t expected[3] = {dark ? darken(in[2]) : in[2], dark ? darken(in[1]) : in[1],
                                       dark ? darken(in[0]) : in[0]};
          for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(out[at + static_cast<size_t>(k)], expected[k])
                << "width " << width << " row " << row << " column " << column << " byte " << k;
          }
        }
      }
    }
  }
}

TEST(NightBand, PixelPassDarkensOnlyTheBand) {
  // Two rows of 1024 pixels, all 200; at 00:00 UTC columns 255 to 766 become 150.
  std::vector<uint8_t> file = targa(1024, 2, 24, 1024 * 2 * 3);
  std::fill(file.begin() + 18, file.end(), 200);
  std::vector<uint8_t> out(1024 * 2 * 3);
  const NightBand band = nightBandAt(0, 0, 1024);
  convertEarthPixels(*readTarga(file), &band, out.data());
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 1024; ++column) {
      const int expected = column >= 255 && column <= 766 ? 150 : 200;
      ASSERT_EQ(out[static_cast<size_t>((row * 1024 + column) * 3)], expected)
          << "row " << row << " column " << column;
    }
  }
}

}  // namespace
