#include "render/solar.h"

#include <gtest/gtest.h>

namespace {

// Reference values: the apparent place of date from a VSOP87 ephemeris (PyEphem 4.1.4, which
// also puts the 2026 equinoxes and solstices at Mar 20 14:46, Jun 21 08:24, Sep 23 00:05 and
// Dec 21 20:50 UTC, the published instants); subsolar longitude = apparent right ascension
// - Greenwich apparent sidereal time. The formula holds them to 0.007 degree; the test allows
// 0.02.
TEST(Solar, MatchesTheEphemerisAtEquinoxesAndSolstices) {
  const struct {
    int month, day, hour;
    double declination, subsolarLongitude;
  } cases[] = {
      {3, 20, 12, -0.0454, 1.8592},   {6, 21, 12, 23.4379, 0.4543},
      {9, 22, 12, 0.1959, -1.8188},   {12, 21, 12, -23.4369, -0.4837},
      {6, 21, 0, 23.4375, -179.5730}, {12, 21, 0, -23.4345, 179.4544},
  };
  for (const auto& c : cases) {
    const SolarPosition sun = solarPositionAt(2026, c.month, c.day, c.hour, 0, 0.0);
    EXPECT_NEAR(sun.declination, c.declination, 0.02) << c.month << "-" << c.day;
    EXPECT_NEAR(sun.subsolarLongitude, c.subsolarLongitude, 0.02) << c.month << "-" << c.day;
  }
}

TEST(Solar, DateTimeRecordCountsTheMilliseconds) {
  // 2026-03-20 (a Friday) 23:59:29.500; the reference at 23:59:30 gives 0.1521, -178.0527.
  const platform::DateTime utc{2026, 3, 5, 20, 23, 59, 29, 500};
  const SolarPosition sun = solarPositionAt(utc);
  const SolarPosition same = solarPositionAt(2026, 3, 20, 23, 59, 29.5);
  EXPECT_DOUBLE_EQ(sun.subsolarLongitude, same.subsolarLongitude);
  EXPECT_NEAR(sun.declination, 0.1521, 0.02);
  EXPECT_NEAR(sun.subsolarLongitude, -178.0527, 0.02);
}

}  // namespace
