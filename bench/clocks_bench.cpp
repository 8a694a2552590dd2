// What the clocks cost a frame: the times of the four dials and the globe clocks looked up in
// the zone database (the program's seven, and twelve of the user's), against the fixed
// offsets the program falls back to without the database, and against one load of the
// user's zones, which happens only at start and when the choice changes. Compare as ratios.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "render/clock_zones.h"

namespace {

constexpr int64_t kInstant = 1774014320;  // 20 March 2026, 13:45:20 UTC

ClockChoice twelveOfTheUsers() {
  ClockChoice choice;
  choice.dials[0] = {"Tokyo", "Asia/Tokyo"};
  choice.dials[1] = {"Kathmandu", "Asia/Kathmandu"};
  choice.dials[2] = {"Sydney", "Australia/Sydney"};
  choice.dials[3] = {"Sao Paulo", "America/Sao_Paulo"};
  choice.globeZones = {"Europe/London",    "Europe/Paris",      "Africa/Cairo",
                       "Asia/Kolkata",     "Asia/Kathmandu",    "Asia/Shanghai",
                       "Asia/Tokyo",       "Australia/Sydney",  "Pacific/Auckland",
                       "America/New_York", "America/Sao_Paulo", "America/Los_Angeles"};
  return choice;
}

void frames(benchmark::State& state, const ClockZones& zones) {
  int64_t at = kInstant;
  for (auto _ : state) {
    benchmark::DoNotOptimize(clockTimesAt(zones, at, {}));
    at += 17;  // a frame of the next moment, across the day and its transitions
  }
}

void BM_FrameWithoutTheDatabase(benchmark::State& state) {
  ClockZones zones = programClockZones();
  for (DialSlot& dial : zones.dials) dial.source.zone.reset();
  for (GlobeSlot& clock : zones.globe) clock.source.zone.reset();
  frames(state, zones);
}
BENCHMARK(BM_FrameWithoutTheDatabase);

void BM_FrameProgramClocks(benchmark::State& state) { frames(state, programClockZones()); }
BENCHMARK(BM_FrameProgramClocks);

void BM_FrameTwelveOfTheUsers(benchmark::State& state) {
  std::vector<std::string> complaints;
  frames(state, chosenClockZones(twelveOfTheUsers(), readZonePlaces(), kInstant, complaints));
}
BENCHMARK(BM_FrameTwelveOfTheUsers);

void BM_LoadTwelveOfTheUsers(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> complaints;
    benchmark::DoNotOptimize(
        chosenClockZones(twelveOfTheUsers(), readZonePlaces(), kInstant, complaints));
  }
}
BENCHMARK(BM_LoadTwelveOfTheUsers)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
