#include "model/display_state.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// (121 - e) minutes, never less than one minute whatever the script sets ("at once" included)
// and never more than the longest period the 28-bit tick can measure.
TEST(DisplayState, FetchPeriodFollowsRefreshSetting) {
  const struct {
    int32_t setting;
    int32_t period;
  } cases[] = {{110, 660000},         {111, 600000},      {120, 60000},       {121, 60000},
               {122, 60000},          {200, 60000},       {100000, 60000},    {INT32_MAX, 60000},
               {0, 7260000},          {-4352, 268380000}, {-4353, 268380000}, {-35671, 268380000},
               {INT32_MIN, 268380000}};
  for (const auto& c : cases) EXPECT_EQ(fetchPeriodMs(c.setting), c.period) << c.setting;
}

TEST(DisplayState, StartsWithOptionsOffBeforeAnyPreset) {
  const DisplayState fresh;
  EXPECT_EQ(fresh.zoom, 80);
  EXPECT_EQ(fresh.tilt, 210.0f);
  EXPECT_EQ(fresh.spinRate, 0.0f);
  EXPECT_EQ(fresh.refreshSetting.load(), 110);
  for (int32_t flag :
       {fresh.cycle, fresh.showValue, fresh.showChange, fresh.showPercent, fresh.largeTags,
        fresh.noon, fresh.night, fresh.dark, fresh.zones, fresh.clocks, fresh.news}) {
    EXPECT_EQ(flag, 0);
  }
}

}  // namespace
