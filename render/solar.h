#pragma once
// Where the sun stands over the Earth at a UTC instant: its declination and the longitude of
// the point where it is overhead. A low-precision solar ephemeris (mean longitude and anomaly
// with the two-term equation of centre, mean obliquity, mean sidereal time) good to about
// 0.01 degree for the years 1950 to 2050, and to well under 0.1 degree for a century beyond.
#include <cstdint>

#include "platform/clock.h"

struct SolarPosition {
  double declination;        // degrees, north positive
  double subsolarLongitude;  // degrees east, -180 to 180
};

// The sun at a proleptic Gregorian UTC date and time (month 1-12, day 1-31, second 0-60).
SolarPosition solarPositionAt(int32_t year, int32_t month, int32_t day, int32_t hour,
                              int32_t minute, double second);

// The same for a UTC date-time record (milliseconds included).
SolarPosition solarPositionAt(const platform::DateTime& utc);

// Sine of the sun's elevation above the horizon at a latitude and longitude (degrees).
double sinSolarElevation(SolarPosition sun, double latitude, double longitude);
