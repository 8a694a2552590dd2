#pragma once
// The summer-time rules: whether European summer time (London) or United States daylight
// time (New York) is in force at a UTC moment. The fetch thread recomputes the program's
// summer-time flags with them at the end of every run.
#include <cstdint>

#include "platform/clock.h"

// From a UTC date and time (month, day, day of week with Sunday = 0, hour).
// London: from 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday of
// October. New York: from 07:00 UTC (02:00 local) on the second Sunday of March to 06:00 UTC
// (02:00 local) on the first Sunday of November.
int32_t londonSummerTimeAt(const platform::DateTime& utc);
int32_t newYorkSummerTimeAt(const platform::DateTime& utc);

// Sets both summer-time flags (model/summer_time_flags.h) from the current UTC time.
void updateSummerTimeFlags();
