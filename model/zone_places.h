#pragma once
// The zones of the time-zone database with the place each one is named after, as the
// database's own tables list them: zone1970.tab (one line per zone since 1970) and the older
// zone.tab (one line per country and zone), in the zone folder. A line there is
//
//   codes <tab> coordinates <tab> zone name [<tab> comment]
//
// with the coordinates as +DDMM+DDDMM or +DDMMSS+DDDMMSS (north and east positive).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ZonePlace {
  std::string name;  // "Asia/Kathmandu"
  float latitude;    // degrees, north positive
  float longitude;   // degrees, east positive
};

// Latitude and longitude of a coordinates field; nothing when it is not one.
struct Coordinates {
  float latitude;
  float longitude;
};
std::optional<Coordinates> parseZoneCoordinates(std::string_view field);

// The zone lines of a table's text, in its order; comments and malformed lines are skipped.
std::vector<ZonePlace> parseZoneTable(std::string_view text);

class ZonePlaces {
 public:
  ZonePlaces() = default;
  // The zones of `primary`, then those that only `secondary` lists, with the place the first
  // table that lists a zone gives.
  ZonePlaces(const std::vector<ZonePlace>& primary, const std::vector<ZonePlace>& secondary);

  // The zone's place; null when no table lists it.
  const ZonePlace* find(std::string_view name) const;
  // Every zone listed, sorted by name.
  const std::vector<ZonePlace>& all() const { return places_; }

 private:
  std::vector<ZonePlace> places_;  // sorted by name, each name once
};

// The tables of the system's database (zone1970.tab first, then zone.tab); empty when both
// are missing. Each file is read up to 1 MiB.
ZonePlaces readZonePlaces();
