#pragma once
// Where each clock takes its time: the program's own four dials and seven globe clocks, or
// those the user chose (model/clock_choice.h). Every clock whose zone the system's database
// knows reads it there, minutes and summer times included; where the database is missing,
// the program's own clocks fall back to a fixed offset from UTC and the summer-time flag of
// the European or the United States rule that the fetch run publishes.
//
// The zones are loaded when the renderer starts and again when the choice changes; a frame
// only looks the time up. UI thread only.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/clock_choice.h"
#include "model/zone_places.h"
#include "platform/time_zone.h"

enum class SummerRule { none, european, unitedStates };

struct ClockSource {
  std::optional<platform::TimeZone> zone;  // the database's zone
  bool machineLocal = false;               // the machine's own local time instead
  // Without either: UTC + fallbackMinutes, an hour more while the rule's flag is set.
  int32_t fallbackMinutes = 0;
  SummerRule fallbackSummer = SummerRule::none;
};

struct DialSlot {
  std::string label;  // the bytes drawn, ASCII
  ClockSource source;
};

struct GlobeSlot {
  float turnAngle;  // about the polar axis: longitude 9.62 - turnAngle
  float latitude;   // degrees north
  ClockSource source;
};

struct ClockZones {
  std::array<DialSlot, 4> dials;  // upper left, upper right, lower left, lower right
  std::vector<GlobeSlot> globe;   // at most kGlobeClockLimit
};

// Local, London, New York and Beijing; the seven globe clocks on the equator from London to
// the Pacific coast of the United States.
ClockZones programClockZones();

// The program's clocks with the user's choice over them. A dial whose zone the database does
// not know keeps the program's; so does the globe when none of the chosen zones is known.
// A chosen globe clock stands at its zone's place in `places`, or, for a zone no table
// lists, on the equator at the longitude of its standard time at `now` (seconds since
// 1970). Each zone left out adds one line to `complaints`.
ClockZones chosenClockZones(const ClockChoice& choice, const ZonePlaces& places, int64_t now,
                            std::vector<std::string>& complaints);

// The choice in the settings file, loaded; complaints go to standard error, a line each.
ClockZones readClockZones(int64_t now);

// A dial label as drawn: UTF-8 turned into the ASCII of the labels' fonts (a Latin-1 letter
// without its mark, any other character '?'), centred with blanks in eight characters when
// it is shorter.
std::string dialLabelText(std::string_view utf8);

struct ClockTime {
  int32_t hour;  // 0 to 23
  int32_t minute;
};

// The fetch run's summer-time flags, which only the fallback reads.
struct SummerFlags {
  bool london = false;
  bool newYork = false;
};

// The clock's time at the instant (seconds since 1970). A machine-local source has none here:
// its dial shows the local time the frame read.
ClockTime clockTimeAt(const ClockSource& source, int64_t utcSeconds, SummerFlags flags);

struct ClockTimes {
  std::array<ClockTime, 4> dials{};
  std::array<ClockTime, kGlobeClockLimit> globe{};
  std::size_t globeCount = 0;
};
ClockTimes clockTimesAt(const ClockZones& zones, int64_t utcSeconds, SummerFlags flags);
