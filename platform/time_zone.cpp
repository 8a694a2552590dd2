#include "platform/time_zone.h"

#include <cctz/time_zone.h>

#include <chrono>
#include <cstdlib>

namespace platform {

namespace {

bool nameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '+' || c == '-';
}

bool plausibleComponent(std::string_view part) {
  if (part.empty() || part == "." || part == ".." || part.front() == '-') return false;
  for (const char c : part) {
    if (!nameCharacter(c)) return false;
  }
  return true;
}

cctz::time_point<cctz::seconds> instant(int64_t unixSeconds) {
  return cctz::time_point<cctz::seconds>(cctz::seconds(unixSeconds));
}

}  // namespace

std::string zoneInfoFolder() {
  // The library reads $TZDIR the same way.
  const char* dir = std::getenv("TZDIR");
  if (dir != nullptr && dir[0] == '/') return dir;
  return "/usr/share/zoneinfo";
}

bool plausibleZoneName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  size_t start = 0;
  while (true) {
    const size_t slash = name.find('/', start);
    if (!plausibleComponent(name.substr(start, slash - start))) return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

int32_t TimeZone::offsetAt(int64_t unixSeconds) const {
  return static_cast<int32_t>(zone_->lookup(instant(unixSeconds)).offset);
}

bool TimeZone::summerAt(int64_t unixSeconds) const {
  return zone_->lookup(instant(unixSeconds)).is_dst;
}

std::optional<TimeZone> loadTimeZone(std::string_view name) {
  if (!plausibleZoneName(name)) return std::nullopt;
  auto zone = std::make_shared<cctz::time_zone>();
  // The library answers "UTC" without the database; every other name needs its file.
  if (!cctz::load_time_zone(std::string(name), zone.get())) return std::nullopt;
  return TimeZone(std::move(zone));
}

int64_t unixSeconds(const DateTime& utc) {
  const cctz::civil_second civil(utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second);
  return (civil - cctz::civil_second(1970, 1, 1, 0, 0, 0));
}

}  // namespace platform
