#pragma once
// The night side of the Earth map as the sun really lights it: each pixel's night weight
// comes from the sun's elevation over that pixel's centre, so the terminator tilts with the
// seasons and the poles have their polar day and night. The weight runs from 0 (day, the sun
// at or above the horizon) to kFullNight (the sun 12 degrees or more below it, where the map
// is darkened exactly as the fixed night band darkens it), with a smooth twilight between.
// City lights, an 8-bit grey picture of the map's size, are added on the night side in
// proportion to the weight.
//
// Pixel centres: column c of a map `width` wide is longitude -179.38 + 360 (c + 0.5) / width
// (the globe's texture column s is longitude 180.62 + 360 s), row r of a map `height` high is
// latitude -90 + 180 (r + 0.5) / height (row 0 is the southern edge).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/clock.h"
#include "render/earth_pixels.h"
#include "render/solar.h"

constexpr int32_t kFullNight = 64;
constexpr double kTwilightDepth = 12.0;  // degrees below the horizon where night is full

// The night weight at a solar elevation in degrees: 0 at 0 and above, kFullNight at -12 and
// below, a smoothstep of the depth between.
int32_t nightWeight(double elevationDegrees);

// v darkened by a night weight: v itself at 0, darken(v) exactly at kFullNight.
constexpr uint8_t shadeNight(uint8_t v, int32_t weight) {
  return static_cast<uint8_t>(v - (((v >> 2) * weight) >> 6));
}

double columnLongitude(int32_t column, int32_t width);
double rowLatitude(int32_t row, int32_t height);

// A stretch of a row's columns, from `from` up to but not including `to`, that is all day
// (weight 0), all full night (kFullNight), or twilight, whose weights vary column by column.
enum class Shade : uint8_t { day, night, twilight };
struct ShadeRun {
  int32_t from;
  int32_t to;
  Shade shade;
};
constexpr int32_t kMaxShadeRuns = 5;

// The night weights of a map for one sun position. The row and column tables are made once
// (sin(lat) sin(dec) and cos(lat) cos(dec) per row, cos(lon - subsolar longitude) per
// column), so no pixel needs trigonometry: sin(elevation) is one multiply-add, and only the
// twilight columns of a row are looked up, the rest are runs of day or night.
class NightWeights {
 public:
  NightWeights(SolarPosition sun, int32_t width, int32_t height);

  // Splits row `row` into at most kMaxShadeRuns runs that cover each column once, and
  // writes the weights of the twilight runs' columns into `weights` (3 bytes per pixel, all
  // three its weight, at 3 x column); the other bytes of `weights` may be written or left
  // alone. Runs start and end on multiples of 16 columns where they can. Returns the number
  // of runs.
  int32_t rowRuns(int32_t row, ShadeRun* runs, uint8_t* weights) const;

  // The weight of every byte of row `row` of the red-green-blue map: 3 x width bytes.
  void byteWeights(int32_t row, uint8_t* weights) const;

 private:
  void fillColumns(int64_t from, int64_t to, uint8_t weight, uint8_t* weights) const;
  void lookUpColumns(int64_t from, int64_t to, double sinProduct, double cosProduct,
                     uint8_t* weights) const;

  int32_t width_;
  double subsolarColumn_;  // fractional column whose centre is the subsolar longitude
  double columnsPerRadian_;
  std::vector<double> rowSinProduct_;
  std::vector<double> rowCosProduct_;
  std::vector<float> columnCos_;
};

// An 8-bit grey picture (render/targa's readGreyTarga): width x height bytes, rows bottom to
// top like the Earth picture.
using GreyImage = TargaImage;

// City lights ready to add: each pixel's light tinted to the warm colour of street lighting,
// as red, green and blue bytes in the converted map's layout. Made once from the grey picture.
struct CityLights {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
};
CityLights tintCityLights(const GreyImage& grey);

// Adds one row of tinted lights to a red-green-blue row, each byte scaled by its night weight
// (kFullNight adds it whole) and saturating at 255. All three hold 3 x width bytes.
void addCityLightsRow(const uint8_t* lights, const uint8_t* byteWeights, int32_t width,
                      uint8_t* rgb);

// With the fixed night band: full lights on every pixel of the band. `rgb` holds the whole
// converted map, of the lights' width and height.
void addCityLights(const CityLights& lights, NightBand band, uint8_t* rgb);

// The seasonal pixel pass: like convertEarthPixels, with every pixel darkened by its night
// weight for `sun`, and, when `lights` are given and of the image's size, city lights added.
void convertEarthPixelsSeasonal(const TargaImage& image, SolarPosition sun,
                                const CityLights* lights, uint8_t* out);

// How one build of the Earth texture shades the night side.
struct NightShading {
  platform::DateTime at;  // the UTC time whose night is shown
  bool seasonal;          // the sun's own night with its twilight, else the fixed band
  bool cityLights;        // the cities' lights on the night side
};

// The whole pixel pass of a build: no night at all, the fixed band or the seasonal night, with
// the city lights when the shading asks for them and `lights` are of the image's size.
void shadeEarthPixels(const TargaImage& image, const std::optional<NightShading>& night,
                      const CityLights* lights, uint8_t* out);
