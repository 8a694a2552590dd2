// The program's own clocks, the dial and globe clock tables and the hand angles.
#include "render/clocks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The program's own clocks as they are where the zone database is missing: fixed offsets
// from UTC and the fetch run's two summer-time flags.
ClockZones withoutTheDatabase() {
  ClockZones zones = programClockZones();
  for (DialSlot& dial : zones.dials) dial.source.zone.reset();
  for (GlobeSlot& clock : zones.globe) clock.source.zone.reset();
  return zones;
}

// Seconds since 1970 of a time on 10 March 2026.
int64_t utcAt(int32_t hour, int32_t minute) {
  return int64_t{1773100800} + hour * 3600 + minute * 60;
}

struct CityCase {
  int32_t utcHour, utcMinute, londonSummer, newYorkSummer;
  int32_t london, newYork, beijing;
};

TEST(ProgramDials, WithoutTheDatabaseFollowUtcAndBothSummerTimeFlags) {
  // clang-format off
  const CityCase cases[] = {
      {13, 45, 0, 0, 13, 8, 21},  // winter
      {13, 45, 1, 0, 14, 8, 21},  // Europe already in summer time, the United States not yet
      {13, 45, 0, 1, 13, 9, 21},  // the United States already, Europe not yet
      {13, 45, 1, 1, 14, 9, 21},
      {23, 5, 1, 1, 0, 19, 7},    // London and Beijing pass midnight
      {23, 5, 0, 0, 23, 18, 7},
      {0, 0, 0, 0, 0, 19, 8},     // New York is still on the day before
      {4, 59, 0, 0, 4, 23, 12},
      {4, 59, 0, 1, 4, 0, 12},
      {5, 0, 0, 0, 5, 0, 13},
      {16, 0, 0, 0, 16, 11, 0},
  };
  // clang-format on
  const ClockZones zones = withoutTheDatabase();
  for (const auto& c : cases) {
    const ClockTimes times = clockTimesAt(zones, utcAt(c.utcHour, c.utcMinute),
                                          {c.londonSummer == 1, c.newYorkSummer == 1});
    SCOPED_TRACE(std::to_string(c.utcHour) + ":" + std::to_string(c.utcMinute) + " flags " +
                 std::to_string(c.londonSummer) + std::to_string(c.newYorkSummer));
    const int32_t hours[3] = {c.london, c.newYork, c.beijing};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(times.dials[static_cast<size_t>(i + 1)].hour, hours[i]);
      EXPECT_EQ(times.dials[static_cast<size_t>(i + 1)].minute, c.utcMinute);
    }
  }
}

platform::DateTime quarterToTwoUtc() { return {2026, 3, 0, 15, 13, 45, 20, 0}; }

TEST(ProgramDials, ReadTheRenderersClockAndTheZoneDatabase) {
  SceneClock clock;
  clock.utc = quarterToTwoUtc;
  // 15 March 2026: New York is in daylight time, London not yet; the flags are not read.
  const ClockTimes times = readClockTimes(programClockZones(), clock, {true, false});
  EXPECT_EQ(times.dials[1].hour, 13);
  EXPECT_EQ(times.dials[2].hour, 9);
  EXPECT_EQ(times.dials[3].hour, 21);
  EXPECT_EQ(times.dials[1].minute, 45);
  EXPECT_EQ(times.globeCount, 7u);
}

struct AngleCase {
  float second;
  int32_t hour, minute;
  float secondAngle;
  int32_t minuteAngle, hourAngle;
};

TEST(DialHandAngles, ReduceTheHourAndDivideWholeDegrees) {
  // clang-format off
  const AngleCase cases[] = {
      {0, 13, 45, 0, 360, 143},   // 13:45 shows as 1:45
      {0, 1, 45, 0, 360, 143},
      {0, 0, 30, 0, 270, 105},    // a local 00:30 keeps hour 0
      {0, 12, 0, 0, 90, 90},      // 12:00 points straight up, like 0:00
      {0, 0, 0, 0, 90, 90},
      {30, 11, 59, 180, 444, 450},  // 444 / 12 = 37 in whole degrees
      {59, 23, 1, 354, 96, 421},
  };
  // clang-format on
  for (const auto& c : cases) {
    const HandAngles angles = dialHandAngles(c.second, c.hour, c.minute);
    SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
    EXPECT_FLOAT_EQ(angles.second, c.secondAngle);
    EXPECT_EQ(angles.minute, c.minuteAngle);
    EXPECT_EQ(angles.hour, c.hourAngle);
  }
}

TEST(GlobeHandAngles, KeepHoursAboveElevenAsWholeTurns) {
  EXPECT_EQ(handAngles(0, 13, 45).hour, 503);
  EXPECT_EQ(handAngles(0, 13, 45).hour - 360, dialHandAngles(0, 13, 45).hour);
  EXPECT_EQ(handAngles(0, 24, 15).hour, 720 + 180 / 12 + 83);
}

TEST(DialClockTable, PutsEachCityInItsCornerWithItsTime) {
  const ClockZones zones = withoutTheDatabase();
  const auto dials = dialClockTable(zones, clockTimesAt(zones, utcAt(13, 45), {}), 12, 7);
  EXPECT_EQ(dials[0].label, " Local  ");
  EXPECT_EQ(dials[1].label, " London ");
  EXPECT_EQ(dials[2].label, "New York");
  EXPECT_EQ(dials[3].label, " Beijing");
  const float corners[4][2] = {{0.19f, 0.12f}, {-0.19f, 0.12f}, {0.19f, -0.12f}, {-0.19f, -0.12f}};
  const int32_t times[4][2] = {{12, 7}, {13, 45}, {8, 45}, {21, 45}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(dials[i].label);
    EXPECT_EQ(dials[i].label.size(), 8u);
    EXPECT_FLOAT_EQ(dials[i].x, corners[i][0]);
    EXPECT_FLOAT_EQ(dials[i].y, corners[i][1]);
    EXPECT_EQ(dials[i].hour, times[i][0]);
    EXPECT_EQ(dials[i].minute, times[i][1]);
  }
  // London at 13:45 in winter: hour 1 on the dial, hour hand 143, minute hand 360.
  const HandAngles london = dialHandAngles(0, dials[1].hour, dials[1].minute);
  EXPECT_EQ(london.hour, 143);
  EXPECT_EQ(london.minute, 360);
}

TEST(DialColours, FollowTheDarkFlag) {
  EXPECT_EQ(dialLabelColour(false), (Colour{0.81f, 0.79f, 0.79f}));
  EXPECT_EQ(dialLabelColour(true), (Colour{0.02f, 0.31f, 0.21f}));
  EXPECT_EQ(dialTickColour(false), (Colour{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(dialTickColour(true), (Colour{0.01f, 0.99f, 0.99f}));
}

struct GlobeCase {
  const char* what;
  int32_t utcHour, utcMinute, londonSummer, newYorkSummer;
  int32_t hours[7];
  int32_t minutes[7];
};

TEST(GlobeClockTable, WithoutTheDatabaseShowsEachZoneByTheTableRules) {
  // Turn angles 12, -5, -73, -110, -133, 85, 130.
  // clang-format off
  const GlobeCase cases[] = {
      {"winter 13:45", 13, 45, 0, 0, {13, 14, 19, 21, 22, 8, 5}, {45, 45, 15, 45, 45, 45, 45}},
      {"summer 13:45", 13, 45, 1, 1, {14, 15, 19, 21, 22, 9, 6}, {45, 45, 15, 45, 45, 45, 45}},
      {"13:29 keeps the hour", 13, 29, 0, 0, {13, 14, 18, 21, 22, 8, 5},
       {29, 29, 59, 29, 29, 29, 29}},
      {"13:30 carries", 13, 30, 0, 0, {13, 14, 19, 21, 22, 8, 5}, {30, 30, 0, 30, 30, 30, 30}},
      {"23:50 summer", 23, 50, 1, 1, {0, 1, 5, 7, 8, 19, 16}, {50, 50, 20, 50, 50, 50, 50}},
      {"18:45 carries into the next day", 18, 45, 0, 0, {18, 19, 0, 2, 3, 13, 10},
       {45, 45, 15, 45, 45, 45, 45}},
      {"02:00", 2, 0, 0, 0, {2, 3, 7, 10, 11, 21, 18}, {0, 0, 30, 0, 0, 0, 0}},
  };
  // clang-format on
  const float turns[7] = {12, -5, -73, -110, -133, 85, 130};
  const ClockZones zones = withoutTheDatabase();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto clocks =
        globeClockTable(zones, clockTimesAt(zones, utcAt(c.utcHour, c.utcMinute),
                                            {c.londonSummer == 1, c.newYorkSummer == 1}));
    ASSERT_EQ(clocks.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
      EXPECT_FLOAT_EQ(clocks[i].turnAngle, turns[i]);
      EXPECT_FLOAT_EQ(clocks[i].latitude, 0.0f);
      EXPECT_EQ(clocks[i].hour, c.hours[i]) << "turn " << turns[i];
      EXPECT_EQ(clocks[i].minute, c.minutes[i]) << "turn " << turns[i];
    }
  }
}

TEST(GlobeClockCulling, OnlyASphereWhollyBehindTheFarPlaneIsHidden) {
  // Scale 0.5, centre at eye depth z (a quarter turn about y does not change the scale).
  // clang-format off
  const struct {
    float z, radius;
    bool hidden;
  } cases[] = {
      {-3.0f, 1.0f, true},    // nearest point at -2.5: behind a far plane at 2
      {-2.5f, 1.0f, false},   // nearest point on the plane: may still touch a pixel
      {-10.0f, 15.0f, true},  // the radius counts at the frame's scale: 7.5
      {-10.0f, 17.0f, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    const float m[16] = {0, 0, -0.5f, 0, 0, 0.5f, 0, 0, 0.5f, 0, 0, 0, 0, 0, c.z, 1};
    EXPECT_EQ(sphereBeyondFarPlane(m, c.radius, 2.0f), c.hidden) << c.z << " " << c.radius;
  }
}

}  // namespace
