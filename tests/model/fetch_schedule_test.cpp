#include "model/fetch_schedule.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// (121 - e) minutes, never less than one minute whatever the script sets ("at once" included)
// and never more than the longest period the 28-bit tick can measure.
TEST(FetchSchedule, FetchPeriodFollowsRefreshSetting) {
  const struct {
    int32_t setting;
    int32_t period;
  } cases[] = {{110, 660000},         {111, 600000},      {120, 60000},       {121, 60000},
               {122, 60000},          {200, 60000},       {100000, 60000},    {INT32_MAX, 60000},
               {0, 7260000},          {-4352, 268380000}, {-4353, 268380000}, {-35671, 268380000},
               {INT32_MIN, 268380000}};
  for (const auto& c : cases) EXPECT_EQ(fetchPeriodMs(c.setting), c.period) << c.setting;
}

TEST(FetchSchedule, PeriodFromTheRefreshSetting) {
  const struct {
    int32_t refreshSetting;
    uint32_t elapsed;
    FetchDecision expected;
  } cases[] = {
      {110, 660000, FetchDecision::notDue},  // 11 minutes: due only once passed
      {110, 660001, FetchDecision::start},
      {111, 600001, FetchDecision::start},
      {111, 600000, FetchDecision::notDue},
      {120, 60001, FetchDecision::start},   // one minute, the shortest period
      {121, 60000, FetchDecision::notDue},  // "at once" is every minute too
      {121, 60001, FetchDecision::start},
      {INT32_MAX, 1, FetchDecision::notDue},
      // The longest period still passes before the 28-bit elapsed count wraps.
      {-35671, 268380000, FetchDecision::notDue},
      {-35671, 268380001, FetchDecision::start},
  };
  for (const auto& c : cases) {
    FetchSchedule s;
    s.setRefreshSetting(c.refreshSetting);
    s.restartPeriod(1000);
    EXPECT_EQ(s.check(1000 + c.elapsed, 1000 + c.elapsed + 7), c.expected)
        << c.refreshSetting << " after " << c.elapsed;
    if (c.expected == FetchDecision::start) {
      EXPECT_EQ(s.lastStartTick(), 1000 + c.elapsed + 7);  // the tick after the frame
    } else {
      EXPECT_EQ(s.lastStartTick(), 1000u);
    }
  }
}

TEST(FetchSchedule, TwentyEightBitTickWraps) {
  EXPECT_EQ(fetchElapsed(5, 0x0FFFFFF0), 21u);
  EXPECT_EQ(fetchElapsed(0x0FFFFFF0, 5), 0x0FFFFFEBu);
  FetchSchedule s;
  s.restartPeriod(0x0FFFF000);
  // 0x10000500 masks to 0x500: 0x1500 ms (5376) after the last start, not due.
  EXPECT_EQ(s.check(0x10000500, 0x10000500), FetchDecision::notDue);
  // 660,001 ms later across the wrap of both the 28-bit and the 32-bit tick.
  s.restartPeriod(0x0FFFFFFF);
  EXPECT_EQ(s.check(0xFFFFFFFFu + 660002u, 0x12345678), FetchDecision::start);
  EXPECT_EQ(s.lastStartTick(), 0x02345678u);
}

TEST(FetchSchedule, RequestsRunsAndClose) {
  FetchSchedule s;
  EXPECT_EQ(s.refreshSetting(), 110);
  s.requestNow();
  EXPECT_EQ(s.check(100, 104), FetchDecision::start);
  EXPECT_FALSE(s.requested());
  s.beginRun();
  EXPECT_TRUE(s.running());
  EXPECT_FALSE(s.runDone());
  // Now pressed during the run: the request is used up, the period restarts.
  s.requestNow();
  EXPECT_EQ(s.check(5000, 5001), FetchDecision::stillRunning);
  EXPECT_FALSE(s.requested());
  EXPECT_EQ(s.lastStartTick(), 5001u);
  EXPECT_EQ(s.check(6000, 6000), FetchDecision::notDue);
  s.endRun();
  EXPECT_FALSE(s.running());
  EXPECT_TRUE(s.runDone());
  // Closing: the next due paint marks a run for good and nothing starts after it.
  s.close();
  s.requestNow();
  EXPECT_EQ(s.check(7000, 7000), FetchDecision::closed);
  EXPECT_TRUE(s.running());
  s.requestNow();
  EXPECT_EQ(s.check(8000, 8000), FetchDecision::stillRunning);
  EXPECT_EQ(s.check(8000 + 700000, 8000 + 700000), FetchDecision::stillRunning);
}

}  // namespace
