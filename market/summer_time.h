#pragma once
// The summer-time rules: whether European summer time (London) or United States daylight
// time (New York) is in force at a UTC moment. The fetch thread recomputes the program's
// summer-time flags with them at the end of every run.
#include <cstdint>

#include "model/fetch_snapshot.h"
#include "platform/clock.h"

// From a UTC date and time (month, day, day of week with Sunday = 0, hour).
// London: from 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday of
// October. New York: from 07:00 UTC (02:00 local) on the second Sunday of March to 06:00 UTC
// (02:00 local) on the first Sunday of November.
bool londonSummerTimeAt(const platform::DateTime& utc);
bool newYorkSummerTimeAt(const platform::DateTime& utc);

// Publishes both summer-time flags for the current UTC time in the fetch snapshot.
void publishSummerTime(FetchChannel& channel);
