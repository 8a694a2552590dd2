// The Earth texture's pixel passes, each as a ratio to memcpy of the same 1,572,864 bytes
// measured right after it in the same run: the fixed night band, the seasonal night (the sun
// of a June noon and of a December evening), and city lights added to either. No display
// needed: night_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "platform/resources.h"
#include "render/earth_texture.h"
#include "render/night_shading.h"
#include "render/solar.h"

namespace {

const TargaImage& earthImage() {
  static const TargaImage image = *readTarga(platform::findResource("earth.tga"));
  return image;
}

const CityLights& cityLights() {
  static const CityLights lights =
      tintCityLights(*readGreyTarga(platform::findResource("city_lights.tga")));
  return lights;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `pass` for the benchmark's iterations, then memcpy as often, and reports the ratio.
template <typename Pass>
void againstMemcpy(benchmark::State& state, Pass pass) {
  const TargaImage& image = earthImage();
  std::vector<uint8_t> out(image.pixels.size());
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    pass(image, out.data());
    benchmark::ClobberMemory();
  }
  const double passSeconds = secondsSince(start);
  const auto copyStart = std::chrono::steady_clock::now();
  for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) {
    std::memcpy(out.data(), image.pixels.data(), out.size());
    benchmark::ClobberMemory();
  }
  state.counters["memcpy_ratio"] = passSeconds / secondsSince(copyStart);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}

// Range 0: with city lights (1) or without (0).
void fixedBand(benchmark::State& state) {
  const NightBand band = nightBandAt(22, 0, earthImage().width);
  const bool lights = state.range(0) != 0;
  againstMemcpy(state, [&](const TargaImage& image, uint8_t* out) {
    convertEarthPixels(image, &band, out);
    if (lights) addCityLights(cityLights(), band, out);
  });
}
BENCHMARK(fixedBand)->Arg(0)->Arg(1);

// Range 0: the month (6, June noon: a sunlit Arctic; 12, December at 22:00); range 1: lights.
void seasonal(benchmark::State& state) {
  const SolarPosition sun = state.range(0) == 6 ? solarPositionAt(2026, 6, 21, 12, 0, 0.0)
                                                : solarPositionAt(2026, 12, 21, 22, 0, 0.0);
  const CityLights* lights = state.range(1) != 0 ? &cityLights() : nullptr;
  againstMemcpy(state, [&](const TargaImage& image, uint8_t* out) {
    convertEarthPixelsSeasonal(image, sun, lights, out);
  });
}
BENCHMARK(seasonal)->Args({6, 0})->Args({12, 0})->Args({12, 1});

}  // namespace

BENCHMARK_MAIN();
