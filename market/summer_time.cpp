#include "market/summer_time.h"

namespace {

// True when a Sunday falls after `day` and no later than the 31st.
bool sundayFollows(int day, int dayOfWeek) { return day + (7 - dayOfWeek) <= 31; }

// Sundays among the days from the 1st of the month to yesterday.
int sundaysBefore(int day, int dayOfWeek) {
  const int firstDayOfWeek = ((dayOfWeek - (day - 1)) % 7 + 7) % 7;
  const int firstSunday = (7 - firstDayOfWeek) % 7 + 1;
  return day - 1 < firstSunday ? 0 : (day - 1 - firstSunday) / 7 + 1;
}

}  // namespace

bool londonSummerTimeAt(const platform::DateTime& utc) {
  const int day = utc.day;
  const int dow = utc.dayOfWeek;
  switch (utc.month) {
    case 3:
      if (sundayFollows(day, dow)) return false;  // before the last Sunday
      if (dow == 0) return utc.hour != 0;         // the last Sunday: from 01:00 UTC
      return true;
    case 10:
      if (sundayFollows(day, dow)) return true;
      if (dow == 0) return utc.hour == 0;  // the last Sunday: until 01:00 UTC
      return false;
    default:
      return utc.month >= 4 && utc.month <= 9;
  }
}

bool newYorkSummerTimeAt(const platform::DateTime& utc) {
  const int day = utc.day;
  const int dow = utc.dayOfWeek;
  const int sundays = sundaysBefore(day, dow);
  switch (utc.month) {
    case 3:
      if (sundays >= 2) return true;
      if (dow != 0 || sundays == 0) return false;
      return utc.hour >= 7;  // the second Sunday: 02:00 EST is 07:00 UTC
    case 11:
      if (dow != 0) return sundays == 0;
      if (day <= 7) return utc.hour < 6;  // the first Sunday: 02:00 EDT is 06:00 UTC
      return false;
    default:
      return utc.month >= 4 && utc.month <= 10;
  }
}

void publishSummerTime(FetchChannel& channel) {
  const platform::DateTime utc = platform::utcNow();
  channel.publishSummerTime(londonSummerTimeAt(utc), newYorkSummerTimeAt(utc));
}
