#include "render/night_shading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// sin(elevation) is mapped to a weight through a table over the twilight, from the horizon
// (entry 0) to 12 degrees below it (the last entry); 256 steps of sine are finer than the
// 65 weights, so the table never skips one.
constexpr int32_t kLookUpSteps = 256;
const double kSinTwilight = -std::sin(kTwilightDepth * kDegree);

// Each entry holds its weight in all four bytes, ready to be stored for a pixel.
const std::array<uint32_t, kLookUpSteps + 1>& twilightTable() {
  static const auto table = [] {
    std::array<uint32_t, kLookUpSteps + 1> weights{};
    for (int32_t i = 0; i <= kLookUpSteps; ++i) {
      const double elevation = std::asin(kSinTwilight * i / kLookUpSteps) / kDegree;
      weights[static_cast<std::size_t>(i)] =
          static_cast<uint32_t>(nightWeight(elevation)) * 0x01010101u;
    }
    return weights;
  }();
  return table;
}

// The cosine and sine of an angle that grows in even steps, by turning a unit vector: two
// calls of each function for a whole table, and errors near 1e-13 after a thousand steps.
struct Turning {
  double cosine, sine, stepCosine, stepSine;
  Turning(double start, double step)
      : cosine(std::cos(start)),
        sine(std::sin(start)),
        stepCosine(std::cos(step)),
        stepSine(std::sin(step)) {}
  void next() {
    const double turned = cosine * stepCosine - sine * stepSine;
    sine = sine * stepCosine + cosine * stepSine;
    cosine = turned;
  }
};

double foldDegrees(double angle) {
  const double folded = std::fmod(angle + 180.0, 360.0);
  return (folded < 0.0 ? folded + 360.0 : folded) - 180.0;
}

}  // namespace

int32_t nightWeight(double elevationDegrees) {
  const double depth = std::clamp(-elevationDegrees / kTwilightDepth, 0.0, 1.0);
  const double smooth = depth * depth * (3.0 - 2.0 * depth);
  return static_cast<int32_t>(std::lround(smooth * kFullNight));
}

double columnLongitude(int32_t column, int32_t width) {
  return foldDegrees(-179.38 + 360.0 * (column + 0.5) / width);
}

double rowLatitude(int32_t row, int32_t height) { return -90.0 + 180.0 * (row + 0.5) / height; }

namespace {

// A sun that is not a finite position stands over latitude 0, longitude 0, so that no
// column index is ever made from a NaN or an infinity.
SolarPosition finite(SolarPosition sun) {
  if (!std::isfinite(sun.declination) || !std::isfinite(sun.subsolarLongitude)) return {0, 0};
  return {std::clamp(sun.declination, -90.0, 90.0), foldDegrees(sun.subsolarLongitude)};
}

}  // namespace

NightWeights::NightWeights(SolarPosition given, int32_t width, int32_t height)
    : width_(std::max(width, 1)),
      subsolarColumn_((finite(given).subsolarLongitude + 179.38) * width_ / 360.0 - 0.5),
      columnsPerRadian_(width_ / (2.0 * std::numbers::pi)) {
  const SolarPosition sun = finite(given);
  const double dec = sun.declination * kDegree;
  Turning latitude(rowLatitude(0, height) * kDegree, std::numbers::pi / height);
  for (int32_t row = 0; row < height; ++row, latitude.next()) {
    rowSinProduct_.push_back(latitude.sine * std::sin(dec));
    rowCosProduct_.push_back(latitude.cosine * std::cos(dec));
  }
  Turning angle((columnLongitude(0, width_) - sun.subsolarLongitude) * kDegree,
                2.0 * std::numbers::pi / width_);
  for (int32_t column = 0; column < width_; ++column, angle.next()) {
    columnCos_.push_back(static_cast<float>(angle.cosine));
  }
}

namespace {

int64_t floorMod(int64_t k, int64_t width) { return ((k % width) + width) % width; }
int64_t downTo16(int64_t k) { return k - floorMod(k, 16); }
int64_t upTo16(int64_t k) { return downTo16(k + 15); }

// Collects runs given in columns counted around the circle (`from` may lie outside
// 0..width - 1; a run spans at most one turn), splitting those that pass the right edge.
struct RunList {
  ShadeRun* runs;
  int32_t width;
  int32_t count = 0;
  void add(int64_t from, int64_t to, Shade shade) {
    if (to <= from) return;
    const auto start = static_cast<int32_t>(floorMod(from, width));
    const auto end = static_cast<int32_t>(start + (to - from));
    runs[count++] = {start, std::min(end, width), shade};
    if (end > width) runs[count++] = {0, end - width, shade};
  }
};

}  // namespace

// Columns from..to - 1, counted around the circle (a range spans less than one turn).
void NightWeights::fillColumns(int64_t from, int64_t to, uint8_t weight, uint8_t* weights) const {
  if (to <= from) return;
  const int64_t start = floorMod(from, width_);
  const int64_t first = std::min(to - from, width_ - start);
  std::memset(weights + start * 3, weight, static_cast<std::size_t>(first) * 3);
  std::memset(weights, weight, static_cast<std::size_t>(to - from - first) * 3);
}

// The row's two products are scaled once to table steps, so that a column's step is one
// multiply-add of its cosine; four columns at a time, each column's three bytes written as
// one four-byte store whose last byte the next column overwrites, so that the last column
// of a range is left to the byte-wise loop.
void NightWeights::lookUpColumns(int64_t from, int64_t to, double sinProduct, double cosProduct,
                                 uint8_t* weights) const {
  using Floats4 = float __attribute__((vector_size(16)));
  using Ints4 = int32_t __attribute__((vector_size(16)));
  const uint32_t* table = twilightTable().data();
  const float* cosines = columnCos_.data();
  const double scale = kLookUpSteps / kSinTwilight;
  const Floats4 p = Floats4{} + static_cast<float>(sinProduct * scale + 0.5);
  const Floats4 q = Floats4{} + static_cast<float>(cosProduct * scale);
  const Floats4 low = Floats4{} + 0.5f;
  const Floats4 high = Floats4{} + (kLookUpSteps + 0.5f);
  const auto stepOf = [&](Floats4 cosine) {
    Floats4 step = p + q * cosine;
    step = step < low ? low : step;
    return __builtin_convertvector(step > high ? high : step, Ints4);
  };
  int64_t column = floorMod(from, width_);
  for (int64_t left = to - from; left > 0; column = 0) {
    const int64_t end = std::min<int64_t>(width_, column + left);
    left -= end - column;
    for (; column + 4 < end; column += 4) {
      Floats4 cosine;
      std::memcpy(&cosine, cosines + column, sizeof cosine);
      const Ints4 steps = stepOf(cosine);
      uint8_t* out = weights + column * 3;
      std::memcpy(out, &table[steps[0]], 4);
      std::memcpy(out + 3, &table[steps[1]], 4);
      std::memcpy(out + 6, &table[steps[2]], 4);
      std::memcpy(out + 9, &table[steps[3]], 4);
    }
    for (; column < end; ++column) {
      std::memcpy(weights + column * 3, &table[stepOf(Floats4{} + cosines[column])[0]], 3);
    }
  }
}

// Along a row, sin(elevation) = a + b cos(dlon) with b >= 0 falls as the column moves away
// from the subsolar one: day within dayHalf columns of it, full night beyond nightHalf. The
// two edges come from one arc cosine each per row, and a column of margin on either side of
// them is looked up, so rounding in the arc cosine never decides a pixel. The twilight runs
// then reach out to multiples of 16 columns, which suits the pixel pass's 16-byte blocks;
// their extra columns are surely day or night and filled as such. Going round from the
// twilight's western edge: twilight, day, twilight, night. Where the twilight reaches all
// round, the looked-up columns overlap, which only repeats work.
int32_t NightWeights::rowRuns(int32_t row, ShadeRun* runs, uint8_t* weights) const {
  const double a = rowSinProduct_[static_cast<std::size_t>(row)];
  const double b = rowCosProduct_[static_cast<std::size_t>(row)];
  RunList list{runs, width_};
  if (a - b >= 0.0 || a + b <= kSinTwilight || !(b > 0.0)) {
    list.add(0, width_, a - b >= 0.0 ? Shade::day : Shade::night);
    return list.count;
  }
  const double dayHalf = std::acos(std::clamp(-a / b, -1.0, 1.0)) * columnsPerRadian_;
  const double nightHalf =
      std::acos(std::clamp((kSinTwilight - a) / b, -1.0, 1.0)) * columnsPerRadian_;
  // Columns counted around the circle: looked up from westLook up to eastLook, surely day
  // from dayLook up to dayLookEnd.
  const auto westLook = static_cast<int64_t>(std::floor(subsolarColumn_ - nightHalf)) - 1;
  const auto eastLook = static_cast<int64_t>(std::ceil(subsolarColumn_ + nightHalf)) + 2;
  const auto dayLook = static_cast<int64_t>(std::ceil(subsolarColumn_ - dayHalf)) + 1;
  const auto dayLookEnd =
      std::max(static_cast<int64_t>(std::floor(subsolarColumn_ + dayHalf)), dayLook);
  // The runs, one turn from westFrom in order; clamping only shrinks the day and night runs.
  const int64_t westFrom = downTo16(westLook);
  const int64_t nightTo = westFrom + width_;
  const int64_t dayFrom = std::clamp(upTo16(dayLook), westFrom, nightTo);
  const int64_t dayTo = std::clamp(downTo16(dayLookEnd), dayFrom, nightTo);
  const int64_t twilightTo = std::clamp(upTo16(eastLook), dayTo, nightTo);
  fillColumns(westFrom, dayFrom, kFullNight, weights);
  fillColumns(dayTo, twilightTo, kFullNight, weights);
  fillColumns(dayLook, std::min(dayLookEnd, dayFrom), 0, weights);
  fillColumns(std::max(dayTo, dayLook), dayLookEnd, 0, weights);
  lookUpColumns(westLook, dayLook, a, b, weights);
  lookUpColumns(dayLookEnd, eastLook, a, b, weights);
  list.add(westFrom, dayFrom, Shade::twilight);
  list.add(dayFrom, dayTo, Shade::day);
  list.add(dayTo, twilightTo, Shade::twilight);
  list.add(twilightTo, nightTo, Shade::night);
  return list.count;
}

void NightWeights::byteWeights(int32_t row, uint8_t* weights) const {
  ShadeRun runs[kMaxShadeRuns];
  const int32_t count = rowRuns(row, runs, weights);
  for (int32_t i = 0; i < count; ++i) {
    const ShadeRun& run = runs[i];
    if (run.shade == Shade::twilight) continue;
    std::memset(weights + run.from * 3, run.shade == Shade::day ? 0 : kFullNight,
                static_cast<std::size_t>(run.to - run.from) * 3);
  }
}

namespace {

using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Words16 = uint16_t __attribute__((vector_size(32)));

Bytes16 load16(const uint8_t* p) {
  Bytes16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Street lighting seen from orbit is a warm yellow-white; the picture's lit pixels keep green
// at 0.98 and blue at 0.78 of red. 512 is two light levels per grey level: the picture,
// halved, is dim beside a night side that keeps three quarters of its brightness. Red,
// green, blue.
constexpr int32_t kLightTint[3] = {512, 500, 400};

uint8_t addLight(uint8_t v, uint8_t light, uint8_t weight) {
  return static_cast<uint8_t>(std::min(v + ((light * weight) >> 6), 255));
}

// Bytes from..to - 1; no weights means full night. A saturating add that cannot overflow:
// the pixel is first held at or below 255 - light.
void addLights(const uint8_t* lights, const uint8_t* byteWeights, std::size_t from, std::size_t to,
               uint8_t* rgb) {
  std::size_t i = from;
  for (; i + 16 <= to; i += 16) {
    Bytes16 light = load16(lights + i);
    if (byteWeights) {
      const Words16 wide = __builtin_convertvector(light, Words16);
      const Words16 weight = __builtin_convertvector(load16(byteWeights + i), Words16);
      light = __builtin_convertvector((wide * weight) >> 6, Bytes16);
    }
    const Bytes16 room = 255 - light;
    const Bytes16 v = load16(rgb + i);
    const Bytes16 sum = (v < room ? v : room) + light;
    std::memcpy(rgb + i, &sum, sizeof sum);
  }
  for (; i < to; ++i)
    rgb[i] = addLight(rgb[i], lights[i], byteWeights ? byteWeights[i] : kFullNight);
}

}  // namespace

CityLights tintCityLights(const GreyImage& grey) {
  CityLights lights{grey.width, grey.height, std::vector<uint8_t>(grey.pixels.size() * 3)};
  for (std::size_t i = 0; i < grey.pixels.size(); ++i) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
      lights.rgb[i * 3 + channel] =
          static_cast<uint8_t>(std::min((grey.pixels[i] * kLightTint[channel]) >> 8, 255));
    }
  }
  return lights;
}

void addCityLightsRow(const uint8_t* lights, const uint8_t* byteWeights, int32_t width,
                      uint8_t* rgb) {
  addLights(lights, byteWeights, 0, static_cast<std::size_t>(width) * 3, rgb);
}

void addCityLights(const CityLights& lights, NightBand band, uint8_t* rgb) {
  // The band is at most two runs of columns; they are found once for all rows.
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  for (int32_t column = 0; column < lights.width; ++column) {
    if (!inNightBand(band, column * 3)) continue;
    const auto at = static_cast<std::size_t>(column) * 3;
    if (runs.empty() || runs.back().second != at) runs.push_back({at, at});
    runs.back().second = at + 3;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(lights.width) * 3;
  for (std::size_t start = 0; start + rowBytes <= lights.rgb.size(); start += rowBytes) {
    for (const auto& [from, to] : runs) {
      addLights(lights.rgb.data() + start, nullptr, from, to, rgb + start);
    }
  }
}

namespace {

// The pixel pass works on bytes as the fixed-band pass does: within a row (which starts on a
// pixel) output byte i is input byte i + 2, i or i - 2 for i % 3 = 0, 1, 2; at night it then
// loses ((v >> 2) x weight) >> 6, which is v >> 2 in full night.
constexpr int kSourceShift[3] = {2, 0, -2};

// Sixteen bytes at a time: three overlapping loads merged with masks that repeat every three
// bytes (a block starting at byte k of a row uses set k % 3, as 16 % 3 is 1); in twilight the
// weighted quarter is taken off in 16-bit lanes (63 x 64 needs 12 bits).
struct SwapMasks {
  Bytes16 pick[3][3];  // [start % 3][ahead, in place, behind]
  SwapMasks() {
    for (int start = 0; start < 3; ++start) {
      for (int source = 0; source < 3; ++source) {
        for (int j = 0; j < 16; ++j) pick[start][source][j] = (start + j) % 3 == source ? 0xff : 0;
      }
    }
  }
};
const SwapMasks swapMasks;

// One row of the pass: its input and output bytes, its weights, and the byte range within
// it where whole blocks may be read (two bytes either side must lie inside the pixel data).
struct RowBytes {
  const uint8_t* in;
  uint8_t* out;
  const uint8_t* weights;
  std::size_t blockFrom;
  std::size_t blockTo;
};

template <Shade kShade>
void shadeBytes(const RowBytes& row, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const uint8_t v = row.in[static_cast<std::ptrdiff_t>(i) + kSourceShift[i % 3]];
    if constexpr (kShade == Shade::day) row.out[i] = v;
    if constexpr (kShade == Shade::night) row.out[i] = darken(v);
    if constexpr (kShade == Shade::twilight) row.out[i] = shadeNight(v, row.weights[i]);
  }
}

// The three masks of one block, passed by value so that a loop keeps them in registers.
struct BlockMasks {
  Bytes16 ahead;
  Bytes16 here;
  Bytes16 behind;
};

BlockMasks blockMasks(std::size_t k) {
  const Bytes16* pick = swapMasks.pick[k % 3];
  return {pick[0], pick[1], pick[2]};
}

template <Shade kShade>
inline void shadeBlock(const RowBytes& row, std::size_t k, BlockMasks masks) {
  const uint8_t* in = row.in + k;
  Bytes16 v =
      (load16(in + 2) & masks.ahead) | (load16(in) & masks.here) | (load16(in - 2) & masks.behind);
  if constexpr (kShade == Shade::night) v -= v >> 2;
  if constexpr (kShade == Shade::twilight) {
    const Words16 quarter = __builtin_convertvector(v >> 2, Words16);
    const Words16 weight = __builtin_convertvector(load16(row.weights + k), Words16);
    v -= __builtin_convertvector((quarter * weight) >> 6, Bytes16);
  }
  std::memcpy(row.out + k, &v, sizeof v);
}

// Bytes from..to - 1 of the row: whole blocks where they may be read, the last one
// overlapping its predecessor rather than leaving a ragged end; bytes one by one elsewhere.
// Runs of three blocks keep their masks, as 48 is a multiple of 3.
template <Shade kShade>
void shadeRun(const RowBytes& row, std::size_t from, std::size_t to) {
  const std::size_t first = std::clamp(row.blockFrom, from, to);
  const std::size_t end = std::clamp(row.blockTo, first, to);
  shadeBytes<kShade>(row, from, first);
  std::size_t k = first;
  const BlockMasks masks[3] = {blockMasks(k), blockMasks(k + 1), blockMasks(k + 2)};
  for (; k + 48 <= end; k += 48) {
    shadeBlock<kShade>(row, k, masks[0]);
    shadeBlock<kShade>(row, k + 16, masks[1]);
    shadeBlock<kShade>(row, k + 32, masks[2]);
  }
  for (; k + 16 <= end; k += 16) shadeBlock<kShade>(row, k, blockMasks(k));
  if (k < end && end >= first + 16) {
    shadeBlock<kShade>(row, end - 16, blockMasks(end - 16));
    k = end;
  }
  shadeBytes<kShade>(row, k, to);
}

void shadeRun(const RowBytes& row, const ShadeRun& run) {
  const auto from = static_cast<std::size_t>(run.from) * 3;
  const auto to = static_cast<std::size_t>(run.to) * 3;
  if (run.shade == Shade::day) shadeRun<Shade::day>(row, from, to);
  if (run.shade == Shade::night) shadeRun<Shade::night>(row, from, to);
  if (run.shade == Shade::twilight) shadeRun<Shade::twilight>(row, from, to);
}

}  // namespace

void convertEarthPixelsSeasonal(const TargaImage& image, SolarPosition sun,
                                const CityLights* lights, uint8_t* out) {
  const NightWeights night(sun, image.width, image.height);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  const std::size_t totalBytes = image.pixels.size();
  if (lights && (lights->width != image.width || lights->height != image.height)) {
    lights = nullptr;
  }
  std::vector<uint8_t> weights(rowBytes);
  ShadeRun runs[kMaxShadeRuns];
  for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
    const std::size_t rowStart = row * rowBytes;
    const int32_t count = night.rowRuns(static_cast<int32_t>(row), runs, weights.data());
    const RowBytes bytes{image.pixels.data() + rowStart, out + rowStart, weights.data(),
                         rowStart < 2 ? 2 - rowStart : 0,
                         std::min(rowBytes, totalBytes - std::min(totalBytes, rowStart + 2))};
    for (int32_t i = 0; i < count; ++i) shadeRun(bytes, runs[i]);
    if (!lights) continue;
    for (int32_t i = 0; i < count; ++i) {
      if (runs[i].shade == Shade::day) continue;
      addLights(lights->rgb.data() + rowStart,
                runs[i].shade == Shade::twilight ? weights.data() : nullptr,
                static_cast<std::size_t>(runs[i].from) * 3,
                static_cast<std::size_t>(runs[i].to) * 3, out + rowStart);
    }
  }
}

void shadeEarthPixels(const TargaImage& image, const std::optional<NightShading>& night,
                      const CityLights* lights, uint8_t* out) {
  if (!night) {
    convertEarthPixels(image, nullptr, out);
    return;
  }
  const bool fits = lights && lights->width == image.width && lights->height == image.height &&
                    lights->rgb.size() == image.pixels.size();
  const CityLights* shown = night->cityLights && fits ? lights : nullptr;
  if (night->seasonal) {
    convertEarthPixelsSeasonal(image, solarPositionAt(night->at), shown, out);
    return;
  }
  const NightBand band = nightBandAt(night->at.hour, night->at.minute, image.width);
  convertEarthPixels(image, &band, out);
  if (shown) addCityLights(*shown, band, out);
}
