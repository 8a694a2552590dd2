#pragma once
// Time sources: a millisecond tick and the date-time record read as UTC or as local time.
#include <cstdint>

namespace platform {

// Year, month (1-12), day of week (Sunday = 0), day, hour, minute, second, millisecond.
struct DateTime {
  uint16_t year;
  uint16_t month;
  uint16_t dayOfWeek;
  uint16_t day;
  uint16_t hour;
  uint16_t minute;
  uint16_t second;
  uint16_t milliseconds;
};

// Milliseconds of a monotonic clock, wrapping at 2^32 like the platform tick.
uint32_t tickMs();

// Microseconds of the same monotonic clock, without the wrap: for measuring frame times.
uint64_t monotonicUs();

DateTime utcNow();
DateTime localNow();

void sleepMs(uint32_t milliseconds);

}  // namespace platform
