#include "render/solar.h"

#include <cmath>
#include <numbers>

// The sun's apparent place from its mean elements: n days from 2000-01-01 12:00 UT, mean
// longitude L, mean anomaly g, ecliptic longitude L + 1.915 sin g + 0.020 sin 2g, obliquity
// 23.439 - 0.0000004 n; right ascension and declination from those, and the subsolar point
// where the Greenwich mean sidereal time equals the right ascension. UT stands in for
// terrestrial time: the minute or so between them moves the sun by less than 0.001 degree.

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Days from 1970-01-01 to a proleptic Gregorian date, over 400-year eras (no year table).
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// Folds an angle in degrees into [-180, 180).
double foldDegrees(double angle) {
  const double folded = std::fmod(angle + 180.0, 360.0);
  return (folded < 0.0 ? folded + 360.0 : folded) - 180.0;
}

}  // namespace

SolarPosition solarPositionAt(int32_t year, int32_t month, int32_t day, int32_t hour,
                              int32_t minute, double second) {
  const double secondsOfDay = hour * 3600.0 + minute * 60.0 + second;
  const double n =
      static_cast<double>(daysFromCivil(year, month, day)) - 10957.5 + secondsOfDay / 86400.0;
  const double meanLongitude = 280.460 + 0.9856474 * n;
  const double meanAnomaly = (357.528 + 0.9856003 * n) * kDegree;
  const double eclipticLongitude =
      (meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2.0 * meanAnomaly)) *
      kDegree;
  const double obliquity = (23.439 - 0.0000004 * n) * kDegree;
  const double rightAscension =
      std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude)) /
      kDegree;
  const double declination = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)) / kDegree;
  const double siderealTime = 280.46061837 + 360.98564736629 * n;
  return {declination, foldDegrees(rightAscension - siderealTime)};
}

SolarPosition solarPositionAt(const platform::DateTime& utc) {
  return solarPositionAt(utc.year, utc.month, utc.day, utc.hour, utc.minute,
                         utc.second + utc.milliseconds / 1000.0);
}

double sinSolarElevation(SolarPosition sun, double latitude, double longitude) {
  const double lat = latitude * kDegree;
  const double dec = sun.declination * kDegree;
  return std::sin(lat) * std::sin(dec) +
         std::cos(lat) * std::cos(dec) * std::cos((longitude - sun.subsolarLongitude) * kDegree);
}
