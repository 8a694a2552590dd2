#pragma once
// The system's time-zone database: the compiled zone files under /usr/share/zoneinfo (or
// $TZDIR), read through the cctz library. A zone is loaded once and then answers lookups
// cheaply (a search among its transitions, no file access); the library keeps every zone it
// loaded for the life of the process, so a TimeZone is a small handle to copy freely. Loads
// and lookups may run on any thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace cctz {
class time_zone;
}

namespace platform {

// The folder of the zone files: $TZDIR when it is an absolute path, else /usr/share/zoneinfo.
std::string zoneInfoFolder();

// Whether `name` has the shape of a zone name: at most 64 characters of letters, digits and
// '.', '_', '+', '-', in components separated by '/', none of them empty, "." or "..", and
// none starting with '-'. Only such names reach the file system.
bool plausibleZoneName(std::string_view name);

class TimeZone {
 public:
  // Seconds east of UTC in force at the instant (seconds since 1970-01-01 00:00:00 UTC).
  int32_t offsetAt(int64_t unixSeconds) const;
  // Whether the zone keeps summer time at the instant.
  bool summerAt(int64_t unixSeconds) const;

 private:
  friend std::optional<TimeZone> loadTimeZone(std::string_view name);
  explicit TimeZone(std::shared_ptr<const cctz::time_zone> zone) : zone_(std::move(zone)) {}
  std::shared_ptr<const cctz::time_zone> zone_;  // never null
};

// The zone of that name from the database; nothing when the name is not plausible or the
// database does not know it (or is missing).
std::optional<TimeZone> loadTimeZone(std::string_view name);

// Seconds since 1970-01-01 00:00:00 UTC of a UTC date and time (the day of week and the
// milliseconds are not read).
int64_t unixSeconds(const DateTime& utc);

}  // namespace platform
