#include "render/frame.h"

#include <gtest/gtest.h>

namespace {

TEST(TickerFont, SmallerFontForEachFurther140PixelsBelow1000) {
  // clang-format off
  const struct {
    int height, base;
  } cases[] = {
      {2000, 8900}, {1000, 8900}, {999, 8700}, {861, 8700}, {860, 8500}, {721, 8500},
      {720, 8300},  {441, 8100},  {161, 7700}, {160, 7500}, {21, 7500},  {20, 7300},
      {0, 7300},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(tickerFontBaseFor(c.height), c.base) << c.height;
}

TEST(DialHour, TwelveHourClock) {
  const struct {
    int hour, dial;
  } cases[] = {{0, 0}, {1, 1}, {11, 11}, {12, 12}, {13, 1}, {23, 11}};
  for (const auto& c : cases) EXPECT_EQ(twelveHourClock(c.hour), c.dial) << c.hour;
}

}  // namespace
