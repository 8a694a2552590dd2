#include "model/zone_places.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/time_zone.h"

namespace {

bool digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view text) {
  int value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  return value;
}

// "+DDMM", "+DDMMSS" (latitude) or "+DDDMM", "+DDDMMSS" (longitude) in degrees.
std::optional<float> angle(std::string_view field, size_t degreeDigits) {
  if (field.size() != 1 + degreeDigits + 2 && field.size() != 1 + degreeDigits + 4) {
    return std::nullopt;
  }
  if ((field[0] != '+' && field[0] != '-') || !digits(field.substr(1))) return std::nullopt;
  const int degrees = number(field.substr(1, degreeDigits));
  const int minutes = number(field.substr(1 + degreeDigits, 2));
  const int seconds = field.size() > 3 + degreeDigits ? number(field.substr(3 + degreeDigits)) : 0;
  if (minutes > 59 || seconds > 59) return std::nullopt;
  const float value = static_cast<float>(degrees) + static_cast<float>(minutes) / 60.0f +
                      static_cast<float>(seconds) / 3600.0f;
  return field[0] == '-' ? -value : value;
}

// The tab-separated fields of a line.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return parts;
    start = tab + 1;
  }
}

bool byName(const ZonePlace& a, const ZonePlace& b) { return a.name < b.name; }

}  // namespace

std::optional<Coordinates> parseZoneCoordinates(std::string_view field) {
  const size_t split = field.find_first_of("+-", 1);
  if (split == std::string_view::npos) return std::nullopt;
  const auto latitude = angle(field.substr(0, split), 2);
  const auto longitude = angle(field.substr(split), 3);
  if (!latitude || !longitude || *latitude > 90.0f || *latitude < -90.0f || *longitude > 180.0f ||
      *longitude < -180.0f) {
    return std::nullopt;
  }
  return Coordinates{*latitude, *longitude};
}

std::vector<ZonePlace> parseZoneTable(std::string_view text) {
  std::vector<ZonePlace> places;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const auto parts = fields(line);
    if (parts.size() < 3 || !platform::plausibleZoneName(parts[2])) continue;
    if (const auto at = parseZoneCoordinates(parts[1])) {
      places.push_back({std::string(parts[2]), at->latitude, at->longitude});
    }
  }
  return places;
}

ZonePlaces::ZonePlaces(const std::vector<ZonePlace>& primary,
                       const std::vector<ZonePlace>& secondary)
    : places_(primary) {
  places_.insert(places_.end(), secondary.begin(), secondary.end());
  // Stable: of the lines that name one zone, the first table's comes first and stays.
  std::stable_sort(places_.begin(), places_.end(), byName);
  const auto sameName = [](const ZonePlace& a, const ZonePlace& b) { return a.name == b.name; };
  places_.erase(std::unique(places_.begin(), places_.end(), sameName), places_.end());
}

const ZonePlace* ZonePlaces::find(std::string_view name) const {
  const auto at = std::lower_bound(
      places_.begin(), places_.end(), name,
      [](const ZonePlace& place, std::string_view key) { return place.name < key; });
  return at != places_.end() && at->name == name ? &*at : nullptr;
}

ZonePlaces readZonePlaces() {
  constexpr size_t kTableLimit = 1 << 20;
  const std::string folder = platform::zoneInfoFolder();
  const auto table = [&](const char* file) {
    const auto text = platform::readFileBounded(folder + "/" + file, kTableLimit);
    return text ? parseZoneTable(*text) : std::vector<ZonePlace>{};
  };
  return ZonePlaces(table("zone1970.tab"), table("zone.tab"));
}
