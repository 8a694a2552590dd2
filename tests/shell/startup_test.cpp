#include "shell/startup.h"

#include <gtest/gtest.h>

#include "shell/display_state.h"

namespace {

TEST(Startup, PlacementIsClampedInOrder) {
  const struct {
    Placement stored;
    Placement expected;
  } cases[] = {
      {{200, 2, 640, 480}, {200, 2, 640, 480}},
      {{200, 2, 5000, 480}, {200, 2, 400, 480}},
      {{200, 2, 100, 480}, {200, 2, 160, 480}},
      {{-9000, 2, 640, 480}, {0, 2, 640, 480}},
      {{9000, -8097, 640, 4097}, {0, 0, 640, 400}},
      {{-8096, 8096, 4096, 4096}, {-8096, 8096, 4096, 4096}},
      {{0, 0, -5, 119}, {0, 0, 160, 120}},
      // A minimised window's far-off place is brought back.
      {{-32000, -32000, 160, 27}, {0, 0, 160, 120}},
  };
  for (const auto& c : cases) {
    const Placement got = clampPlacement(c.stored);
    EXPECT_EQ(got.x, c.expected.x);
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.width, c.expected.width);
    EXPECT_EQ(got.height, c.expected.height);
  }
}

TEST(Startup, AnyArgumentEndsTheProgramAtOnce) {
  char name[] = "orbiquant";
  char empty[] = "";
  char* argv[] = {name, empty, nullptr};
  EXPECT_EQ(runProgram(2, argv), 0);
}

TEST(DisplayState, FetchPeriodFollowsRefreshSetting) {
  const struct {
    int32_t setting;
    int32_t period;
  } cases[] = {{110, 660000},          {111, 600000},         {121, 0},
               {122, -60000},          {130, -540000},        {0, 7260000},
               {-4352, 268380000},     {-4353, 268380000},    {-35671, 268380000},
               {INT32_MIN, 268380000}, {INT32_MAX, INT32_MIN}};
  for (const auto& c : cases) EXPECT_EQ(fetchPeriodMs(c.setting), c.period) << c.setting;
}

TEST(DisplayState, StartsWithOptionsOffBeforeAnyPreset) {
  const DisplayState fresh;
  EXPECT_EQ(fresh.zoom, 80);
  EXPECT_EQ(fresh.tilt, 210.0f);
  EXPECT_EQ(fresh.spinRate, 0.0f);
  EXPECT_EQ(fresh.refreshSetting.load(), 110);
  for (int32_t flag : {fresh.cycle, fresh.showValue, fresh.showChange, fresh.showPercent,
                       fresh.largeTags, fresh.noon, fresh.night, fresh.dark, fresh.zones,
                       fresh.clocks, fresh.news}) {
    EXPECT_EQ(flag, 0);
  }
}

}  // namespace
