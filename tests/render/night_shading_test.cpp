#include "render/night_shading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "model/view_state.h"
#include "platform/resources.h"
#include "render/globe_mesh.h"

namespace {

const TargaImage& earthImage() {
  static const TargaImage image = *readTarga(platform::findResource("earth.tga"));
  return image;
}

std::vector<uint8_t> rowWeights(const NightWeights& night, int row, int width) {
  std::vector<uint8_t> bytes(static_cast<size_t>(width) * 3);
  night.byteWeights(row, bytes.data());
  return bytes;
}

TEST(NightWeight, TwilightBlendsFromHorizonToTwelveDegreesBelow) {
  const struct {
    double elevation;
    int32_t weight;
  } cases[] = {{1, 0}, {0, 0}, {-6, 32}, {-12, kFullNight}, {-13, kFullNight}};
  for (const auto& c : cases) EXPECT_EQ(nightWeight(c.elevation), c.weight) << c.elevation;
}

// Every pixel's weight against the elevation computed directly at its centre, for suns
// whose day side is in one piece, wraps past the map's edge, or sits on a solstice; the
// table lookup may round to the next weight, nothing more.
TEST(NightWeights, FollowTheSunOverEveryPixel) {
  const int width = 1024, height = 512;
  const SolarPosition suns[] = {{23.44, 0.45}, {-23.44, 179.45}, {0.2, -100.0}, {-5.0, -179.9}};
  for (const SolarPosition sun : suns) {
    const NightWeights night(sun, width, height);
    for (int row = 0; row < height; ++row) {
      const auto bytes = rowWeights(night, row, width);
      for (int column = 0; column < width; ++column) {
        const double sine =
            sinSolarElevation(sun, rowLatitude(row, height), columnLongitude(column, width));
        const int expected = nightWeight(std::asin(sine) * 180.0 / std::numbers::pi);
        const auto at = static_cast<size_t>(column) * 3;
        ASSERT_LE(std::abs(bytes[at] - expected), 1)
            << "sun " << sun.declination << "/" << sun.subsolarLongitude << " row " << row
            << " column " << column;
        ASSERT_EQ(bytes[at + 1], bytes[at]);
        ASSERT_EQ(bytes[at + 2], bytes[at]);
      }
    }
  }
}

TEST(NightWeights, PolarDayAndNightFollowTheSeason) {
  const SolarPosition june = solarPositionAt(2026, 6, 21, 12, 0, 0.0);
  const SolarPosition december = solarPositionAt(2026, 12, 21, 12, 0, 0.0);
  const struct {
    const char* what;
    SolarPosition sun;
    int row;  // of 512: 0 is latitude -89.8, 455 is +70.1, 56 is -70.1, 28 is -80.0
    uint8_t weight;
  } cases[] = {
      {"June, North Pole", june, 511, 0},
      {"June, 70 N", june, 455, 0},
      {"June, South Pole", june, 0, kFullNight},
      {"June, 80 S", june, 28, kFullNight},
      {"December, North Pole", december, 511, kFullNight},
      {"December, South Pole", december, 0, 0},
      {"December, 70 S", december, 56, 0},
  };
  for (const auto& c : cases) {
    const auto bytes = rowWeights(NightWeights(c.sun, 1024, 512), c.row, 1024);
    EXPECT_EQ(bytes, std::vector<uint8_t>(1024 * 3, c.weight)) << c.what;
  }
}

// In full day the seasonal pass gives exactly the plain converted pixel, in full night
// exactly the fixed band's darkened pixel.
TEST(SeasonalPass, DayAndNightPixelsEqualThoseOfTheFixedPass) {
  const TargaImage& image = earthImage();
  const size_t bytes = image.pixels.size();
  std::vector<uint8_t> plain(bytes), dark(bytes), seasonal(bytes);
  convertEarthPixels(image, nullptr, plain.data());
  const NightBand everywhere{-1, image.width * 3};
  convertEarthPixels(image, &everywhere, dark.data());
  const SolarPosition sun = solarPositionAt(2026, 12, 21, 12, 0, 0.0);
  convertEarthPixelsSeasonal(image, sun, nullptr, seasonal.data());
  const NightWeights night(sun, image.width, image.height);
  int day = 0, full = 0;
  for (int row = 0; row < image.height; ++row) {
    const auto weights = rowWeights(night, row, image.width);
    for (size_t i = 0; i < weights.size(); ++i) {
      const size_t at = static_cast<size_t>(row) * weights.size() + i;
      const uint8_t expected = weights[i] == 0            ? plain[at]
                               : weights[i] == kFullNight ? dark[at]
                                                          : shadeNight(plain[at], weights[i]);
      ASSERT_EQ(seasonal[at], expected) << "row " << row << " byte " << i;
      day += weights[i] == 0;
      full += weights[i] == kFullNight;
    }
  }
  EXPECT_GT(day, 500000);  // each a third of the map or more
  EXPECT_GT(full, 500000);
}

// Maps narrower than the 16-column runs and rows that are no whole number of blocks: every
// output byte must still be its own input byte, swapped and shaded by its weight. A sun
// that is no position at all must not make a column index of a NaN.
TEST(SeasonalPass, OddSizesKeepEveryPixelsOwnValues) {
  const SolarPosition suns[] = {
      {23.44, 0.45}, {-10.0, 170.0}, {0.0, -60.0}, {std::nan(""), 1e300}, {5.0, -1e300}};
  for (const int width : {1, 7, 40, 61, 100}) {
    const int height = 9;
    std::vector<uint8_t> file(18 + static_cast<size_t>(width * height * 3));
    file[2] = 2;
    file[12] = static_cast<uint8_t>(width);
    file[14] = static_cast<uint8_t>(height);
    file[16] = 24;
    for (size_t i = 18; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 37 + 11);
    const TargaImage image = *readTarga(file);
    for (const SolarPosition sun : suns) {
      std::vector<uint8_t> out(image.pixels.size());
      convertEarthPixelsSeasonal(image, sun, nullptr, out.data());
      const NightWeights night(sun, width, height);
      for (int row = 0; row < height; ++row) {
        const auto weights = rowWeights(night, row, width);
        for (size_t i = 0; i < weights.size(); ++i) {
          const size_t at = static_cast<size_t>(row) * weights.size() + i;
          const uint8_t in = image.pixels[at - i % 3 + 2 - i % 3];
          ASSERT_EQ(out[at], shadeNight(in, weights[i]))
              << "width " << width << " sun " << sun.subsolarLongitude << " row " << row << " byte "
              << i;
        }
      }
    }
  }
}

TEST(CityLights, TintedAndAddedByNightWeightWithoutWrapping) {
  const struct {
    uint8_t pixel, light, weight;
    uint8_t expected[3];
  } cases[] = {
      {100, 200, 0, {100, 100, 100}},             // day: no lights
      {10, 100, kFullNight, {210, 205, 166}},     // tinted: green 0.98, blue 0.78 of red
      {10, 100, kFullNight / 2, {110, 107, 88}},  // half way through twilight
      {0, 150, kFullNight, {255, 255, 234}},      // the tint saturates rather than wrapping
      {200, 255, kFullNight, {255, 255, 255}},    // so does the sum
      {200, 0, kFullNight, {200, 200, 200}},
  };
  for (const auto& c : cases) {
    // Lights in column 17 of 40, inside the 16-byte blocks, and in column 39, in the bytes
    // after the last whole block.
    std::vector<uint8_t> grey(40, 0), weights(40 * 3, c.weight), rgb(40 * 3, c.pixel);
    grey[17] = grey[39] = c.light;
    const CityLights lights = tintCityLights(GreyImage{40, 1, grey});
    addCityLightsRow(lights.rgb.data(), weights.data(), 40, rgb.data());
    std::vector<uint8_t> expected(40 * 3, c.pixel);
    for (const size_t column : {17, 39}) {
      for (size_t k = 0; k < 3; ++k) expected[column * 3 + k] = c.expected[k];
    }
    EXPECT_EQ(rgb, expected) << int(c.pixel) << " " << int(c.light) << " " << int(c.weight);
  }
}

TEST(CityLights, FixedBandGetsFullLightsOnItsPixelsOnly) {
  const std::vector<uint8_t> grey(1024 * 2, 40);
  const CityLights lights = tintCityLights(GreyImage{1024, 2, grey});
  std::vector<uint8_t> rgb(1024 * 2 * 3, 0);
  addCityLights(lights, nightBandAt(0, 0, 1024), rgb.data());
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 1024; ++column) {
      const int expected = column >= 255 && column <= 766 ? 80 : 0;
      ASSERT_EQ(rgb[static_cast<size_t>((row * 1024 + column) * 3)], expected)
          << "row " << row << " column " << column;
    }
  }
}

TEST(GreyTarga, BuiltInLightsCoverTheMapSouthFirst) {
  const auto file = platform::findResource("city_lights.tga");
  ASSERT_EQ(file.size(), 524332u);
  const auto image = readGreyTarga(file);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 1024);
  EXPECT_EQ(image->height, 512);
  // Far more of the world's lights are north of the equator than south of it.
  long south = 0, north = 0;
  for (size_t i = 0; i < image->pixels.size(); ++i) {
    (i < image->pixels.size() / 2 ? south : north) += image->pixels[i];
  }
  EXPECT_GT(north, 4 * south);
}

}  // namespace

namespace {

TEST(SurfaceNight, StyleAndLightsCountOnlyWithNightOn) {
  const platform::DateTime utc{2026, 6, 0, 21, 12, 0, 0, 0};
  const struct {
    bool night, style, lights;
    bool shaded, seasonal, cityLights;
  } cases[] = {{false, true, true, false, false, false},
               {true, false, false, true, false, false},
               {true, true, false, true, true, false},
               {true, false, true, true, false, true}};
  for (const auto& c : cases) {
    ViewState view;
    view.night = c.night;
    view.nightStyle = c.style;
    view.cityLights = c.lights;
    const auto shading = surfaceNight(view, utc);
    ASSERT_EQ(shading.has_value(), c.shaded) << c.night << c.style << c.lights;
    if (!shading) continue;
    EXPECT_EQ(shading->seasonal, c.seasonal) << c.night << c.style << c.lights;
    EXPECT_EQ(shading->cityLights, c.cityLights) << c.night << c.style << c.lights;
    EXPECT_EQ(shading->at.hour, 12);
  }
}

// A grey map of 32 x 4 pixels at 00:00 UTC on the June solstice. Column 12 (longitude -38.7)
// lies in the fixed band; the seasonal night leaves it lit at latitude 67.5 (the midnight
// sun) and dark at -67.5. Lights are added only where it is dark, and only when they fit.
TEST(ShadeEarthPixels, ChoosesThePassAndAddsLightsThatFit) {
  const std::vector<uint8_t> file = [] {
    std::vector<uint8_t> bytes(18 + 32 * 4 * 3, 100);
    std::fill(bytes.begin(), bytes.begin() + 18, 0);
    bytes[2] = 2, bytes[12] = 32, bytes[14] = 4, bytes[16] = 24;
    return bytes;
  }();
  const TargaImage image = *readTarga(file);
  const std::vector<uint8_t> grey(32 * 4, 40), otherGrey(16 * 8, 40);
  const CityLights lights = tintCityLights(GreyImage{32, 4, grey});
  const CityLights otherSize = tintCityLights(GreyImage{16, 8, otherGrey});
  const platform::DateTime midnight{2026, 6, 0, 21, 0, 0, 0, 0};
  const struct {
    std::optional<NightShading> night;
    const CityLights* lights;
    uint8_t north, south;  // red of column 12 in rows 3 and 0
  } cases[] = {
      {std::nullopt, &lights, 100, 100},
      {NightShading{midnight, false, false}, &lights, 75, 75},
      {NightShading{midnight, false, true}, &lights, 155, 155},
      {NightShading{midnight, false, true}, &otherSize, 75, 75},
      {NightShading{midnight, false, true}, nullptr, 75, 75},
      {NightShading{midnight, true, false}, &lights, 100, 75},
      {NightShading{midnight, true, true}, &lights, 100, 155},
  };
  int i = 0;
  for (const auto& c : cases) {
    std::vector<uint8_t> out(32 * 4 * 3, 0);
    shadeEarthPixels(image, c.night, c.lights, out.data());
    EXPECT_EQ(out[(3 * 32 + 12) * 3], c.north) << "case " << i;
    EXPECT_EQ(out[12 * 3], c.south) << "case " << i;
    ++i;
  }
}

}  // namespace
