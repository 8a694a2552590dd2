#include "market/summer_time.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>
#include <string>

namespace {

platform::DateTime utcDate(int year, int month, int day, int hour) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  const time_t seconds = timegm(&t);
  gmtime_r(&seconds, &t);
  return {static_cast<uint16_t>(year),
          static_cast<uint16_t>(month),
          static_cast<uint16_t>(t.tm_wday),
          static_cast<uint16_t>(day),
          static_cast<uint16_t>(hour),
          0,
          0,
          0};
}

TEST(SummerTime, TurningPoints) {
  // clang-format off
  const struct {
    int year, month, day, hour;
    int32_t london, newYork;
  } cases[] = {
      {2007, 3, 30, 12, 1, 1},  // last Sunday of March 2007 was the 25th
      {2007, 3, 25, 0, 0, 1},   {2007, 3, 25, 1, 1, 1},   {2007, 3, 24, 23, 0, 1},
      {2010, 11, 7, 1, 0, 1},   // first Sunday of November 2010
      {2010, 11, 7, 3, 0, 1},   // still daylight time: 02:00 in New York is 06:00 UTC
      {2010, 11, 7, 5, 0, 1},   {2010, 11, 7, 6, 0, 0},  {2010, 11, 3, 12, 0, 1},
      {2010, 3, 14, 6, 0, 0},   // second Sunday of March 2010, 01:00 in New York
      {2010, 3, 14, 7, 0, 1},   {2010, 3, 13, 23, 0, 0}, {2010, 3, 15, 0, 0, 1},
      {2010, 10, 31, 0, 1, 1},  {2010, 10, 31, 1, 0, 1}, {2010, 10, 30, 23, 1, 1},
      {2010, 1, 10, 12, 0, 0},  {2010, 7, 1, 12, 1, 1},  {2010, 12, 31, 23, 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto utc = utcDate(c.year, c.month, c.day, c.hour);
    EXPECT_EQ(londonSummerTimeAt(utc), c.london)
        << c.year << "-" << c.month << "-" << c.day << " " << c.hour;
    EXPECT_EQ(newYorkSummerTimeAt(utc), c.newYork)
        << c.year << "-" << c.month << "-" << c.day << " " << c.hour;
  }
}

// Every hour of 2007 to 2037 against the system's time-zone database.
TEST(SummerTime, AgreesWithTheTimeZoneDatabase) {
  const char* saved = std::getenv("TZ");
  const std::string savedTz = saved ? saved : "";
  const struct {
    const char* zone;
    bool (*rule)(const platform::DateTime&);
  } zones[] = {{"Europe/London", londonSummerTimeAt}, {"America/New_York", newYorkSummerTimeAt}};
  struct tm start {};
  start.tm_year = 107;
  start.tm_mday = 1;
  struct tm end {};
  end.tm_year = 138;
  end.tm_mday = 1;
  const time_t from = timegm(&start);
  const time_t to = timegm(&end);
  for (const auto& z : zones) {
    setenv("TZ", z.zone, 1);
    tzset();
    int differences = 0;
    for (time_t t = from; t < to; t += 3600) {
      struct tm u {};
      struct tm local {};
      gmtime_r(&t, &u);
      localtime_r(&t, &local);
      const platform::DateTime utc{static_cast<uint16_t>(u.tm_year + 1900),
                                   static_cast<uint16_t>(u.tm_mon + 1),
                                   static_cast<uint16_t>(u.tm_wday),
                                   static_cast<uint16_t>(u.tm_mday),
                                   static_cast<uint16_t>(u.tm_hour),
                                   0,
                                   0,
                                   0};
      if (z.rule(utc) != (local.tm_isdst > 0) && ++differences <= 3) {
        ADD_FAILURE() << z.zone << " differs at " << asctime(&u);
      }
    }
    EXPECT_EQ(differences, 0) << z.zone;
  }
  if (saved) {
    setenv("TZ", savedTz.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
