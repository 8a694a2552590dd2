#include "render/clock_zones.h"

#include <cstdio>

#include "platform/text.h"

namespace {

constexpr int32_t kSecondsPerDay = 86400;

ClockSource programSource(const char* zone, int32_t fallbackMinutes, SummerRule rule) {
  ClockSource source;
  source.zone = platform::loadTimeZone(zone);
  source.fallbackMinutes = fallbackMinutes;
  source.fallbackSummer = rule;
  return source;
}

// The standard time's longitude: 15 degrees an hour east of Greenwich, within -180 to 180.
float standardLongitude(const platform::TimeZone& zone, int64_t now) {
  int32_t offset = zone.offsetAt(now);
  if (zone.summerAt(now)) offset -= 3600;
  float longitude = static_cast<float>(offset) / 240.0f;
  if (longitude > 180.0f) longitude -= 360.0f;
  if (longitude < -180.0f) longitude += 360.0f;
  return longitude;
}

void chooseDials(const ClockChoice& choice, ClockZones& zones,
                 std::vector<std::string>& complaints) {
  for (size_t i = 0; i < zones.dials.size(); ++i) {
    const DialChoice& dial = choice.dials[i];
    if (dial.zone.empty()) continue;
    ClockSource source;
    if (isLocalZone(dial.zone)) {
      source.machineLocal = true;
    } else if (auto zone = platform::loadTimeZone(dial.zone)) {
      source.zone = std::move(zone);
    } else {
      complaints.push_back("clock" + std::to_string(i + 1) + ": unknown time zone \"" + dial.zone +
                           "\"; the dial keeps its own clock");
      continue;
    }
    zones.dials[i] = {dialLabelText(dial.label), std::move(source)};
  }
}

void chooseGlobe(const ClockChoice& choice, const ZonePlaces& places, int64_t now,
                 ClockZones& zones, std::vector<std::string>& complaints) {
  std::vector<GlobeSlot> globe;
  for (const std::string& name : choice.globeZones) {
    if (globe.size() == kGlobeClockLimit) {
      complaints.push_back("globeclocks: more than " + std::to_string(kGlobeClockLimit) +
                           " zones; only the first are shown");
      break;
    }
    if (isLocalZone(name)) {
      complaints.push_back("globeclocks: Local has no place on the globe; left out");
      continue;
    }
    auto zone = platform::loadTimeZone(name);
    if (!zone) {
      complaints.push_back("globeclocks: unknown time zone \"" + name + "\"; left out");
      continue;
    }
    const ZonePlace* place = places.find(name);
    const float longitude = place ? place->longitude : standardLongitude(*zone, now);
    ClockSource source;
    source.zone = std::move(zone);
    globe.push_back({9.62f - longitude, place ? place->latitude : 0.0f, std::move(source)});
  }
  if (!globe.empty()) zones.globe = std::move(globe);
}

}  // namespace

ClockZones programClockZones() {
  using enum SummerRule;
  ClockZones zones;
  ClockSource local;
  local.machineLocal = true;
  zones.dials = {{
      {" Local  ", local},
      {" London ", programSource("Europe/London", 0, european)},
      {"New York", programSource("America/New_York", -300, unitedStates)},
      {" Beijing", programSource("Asia/Shanghai", 480, none)},
  }};
  zones.globe = {
      {12.0f, 0.0f, programSource("Europe/London", 0, european)},
      {-5.0f, 0.0f, programSource("Europe/Berlin", 60, european)},
      {-73.0f, 0.0f, programSource("Asia/Kolkata", 330, none)},
      {-110.0f, 0.0f, programSource("Asia/Shanghai", 480, none)},
      {-133.0f, 0.0f, programSource("Asia/Tokyo", 540, none)},
      {85.0f, 0.0f, programSource("America/New_York", -300, unitedStates)},
      {130.0f, 0.0f, programSource("America/Los_Angeles", -480, unitedStates)},
  };
  return zones;
}

ClockZones chosenClockZones(const ClockChoice& choice, const ZonePlaces& places, int64_t now,
                            std::vector<std::string>& complaints) {
  ClockZones zones = programClockZones();
  chooseDials(choice, zones, complaints);
  chooseGlobe(choice, places, now, zones, complaints);
  return zones;
}

ClockZones readClockZones(int64_t now) {
  const ClockChoice choice = readClockChoice();
  // The tables are read only for a globe of the user's.
  const ZonePlaces places = choice.globeZones.empty() ? ZonePlaces{} : readZonePlaces();
  std::vector<std::string> complaints;
  ClockZones zones = chosenClockZones(choice, places, now, complaints);
  for (const std::string& line : complaints) std::fprintf(stderr, "orbiquant: %s\n", line.c_str());
  return zones;
}

std::string dialLabelText(std::string_view utf8) {
  // The labels' fonts hold ASCII only: the letters of Latin-1 (U+00C0 to U+00FF) are drawn
  // as the letter they carry a mark on.
  static constexpr std::string_view kLatin1Letters =
      "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
  std::string bytes;
  for (size_t at = 0; at < utf8.size();) {
    const auto [code, length] = platform::utf8CharacterAt(utf8, at);
    at += length;
    if (code >= 0x20 && code < 0x7F) {
      bytes += static_cast<char>(code);
    } else {
      bytes += code >= 0xC0 && code <= 0xFF ? kLatin1Letters[code - 0xC0] : '?';
    }
  }
  constexpr size_t kSlot = 8;
  if (bytes.size() >= kSlot) return bytes;
  const size_t left = (kSlot - bytes.size()) / 2;
  return std::string(left, ' ') + bytes + std::string(kSlot - bytes.size() - left, ' ');
}

ClockTime clockTimeAt(const ClockSource& source, int64_t utcSeconds, SummerFlags flags) {
  if (source.machineLocal) return {0, 0};
  int64_t offset = 0;
  if (source.zone) {
    offset = source.zone->offsetAt(utcSeconds);
  } else {
    const bool summer = (source.fallbackSummer == SummerRule::european && flags.london) ||
                        (source.fallbackSummer == SummerRule::unitedStates && flags.newYork);
    offset = int64_t{source.fallbackMinutes} * 60 + (summer ? 3600 : 0);
  }
  int64_t ofDay = (utcSeconds + offset) % kSecondsPerDay;
  if (ofDay < 0) ofDay += kSecondsPerDay;
  return {static_cast<int32_t>(ofDay / 3600), static_cast<int32_t>(ofDay % 3600 / 60)};
}

ClockTimes clockTimesAt(const ClockZones& zones, int64_t utcSeconds, SummerFlags flags) {
  ClockTimes times;
  for (size_t i = 0; i < zones.dials.size(); ++i) {
    times.dials[i] = clockTimeAt(zones.dials[i].source, utcSeconds, flags);
  }
  for (const GlobeSlot& slot : zones.globe) {
    if (times.globeCount == times.globe.size()) break;
    times.globe[times.globeCount++] = clockTimeAt(slot.source, utcSeconds, flags);
  }
  return times;
}
