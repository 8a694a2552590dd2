// The clocks' zones: their times against the machine's own zdump, the user's choice with its
// fallbacks, and the labels.
#include "render/clock_zones.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "model/renderer_requests.h"
#include "render/renderer_state.h"
#include "render/scene.h"
#include "tests/panel/settings_home.h"

namespace {

// The whole output of a shell command.
std::string commandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char chunk[4096];
  size_t n = 0;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, n);
  pclose(pipe);
  return out;
}

// One line of `zdump -v`: "Zone  Sun Mar 25 00:59:59 1990 UT = Sun Mar 25 00:59:59 1990 GMT
// isdst=0 gmtoff=0".
struct ZdumpLine {
  int64_t utc;
  int hour, minute;  // the zone's local time
  int64_t offset;    // gmtoff
};

std::vector<ZdumpLine> zdumpLines(const std::string& zone) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::vector<ZdumpLine> lines;
  std::istringstream out(commandOutput("zdump -v -c 1990,2038 " + zone));
  std::string line;
  while (std::getline(out, line)) {
    std::istringstream in(line);
    std::string name, day, month, utcTime, ut, equals, day2, month2, localTime, zoneName, dst,
        gmtoff;
    int date = 0, year = 0, date2 = 0, year2 = 0;
    if (!(in >> name >> day >> month >> date >> utcTime >> year >> ut >> equals >> day2 >> month2 >>
          date2 >> localTime >> year2 >> zoneName >> dst >> gmtoff) ||
        ut != "UT") {
      continue;  // the lines for the far ends of time read NULL
    }
    struct tm t {};
    for (int m = 0; m < 12; ++m) {
      if (month == kMonths[m]) t.tm_mon = m;
    }
    t.tm_year = year - 1900;
    t.tm_mday = date;
    std::sscanf(utcTime.c_str(), "%d:%d:%d", &t.tm_hour, &t.tm_min, &t.tm_sec);
    ZdumpLine z{timegm(&t), 0, 0, std::stoll(gmtoff.substr(gmtoff.find('=') + 1))};
    std::sscanf(localTime.c_str(), "%d:%d", &z.hour, &z.minute);
    lines.push_back(z);
  }
  return lines;
}

ClockSource sourceOf(const std::string& zone) {
  ClockSource source;
  source.zone = platform::loadTimeZone(zone);
  return source;
}

// Every transition from 1990 to 2037 that zdump lists: one second before it, at it and one
// second after it, the clock shows zdump's local hour and minute. Zones without a
// transition in those years are checked at both ends against `date`.
TEST(ClockZones, AgreeWithZdumpAroundEveryTransition) {
  const char* const zones[] = {"Europe/London",    "America/New_York",  "Asia/Kolkata",
                               "Asia/Kathmandu",   "Pacific/Chatham",   "Australia/Lord_Howe",
                               "Australia/Sydney", "America/Sao_Paulo", "Asia/Tehran",
                               "Europe/Dublin",    "Africa/Casablanca", "Antarctica/Troll"};
  int transitions = 0;
  int checks = 0;
  for (const std::string zone : zones) {
    SCOPED_TRACE(zone);
    const ClockSource source = sourceOf(zone);
    ASSERT_TRUE(source.zone.has_value());
    const auto expect = [&](int64_t utc, int hour, int minute) {
      const ClockTime shown = clockTimeAt(source, utc, {});
      EXPECT_EQ(shown.hour * 60 + shown.minute, hour * 60 + minute) << "at " << utc;
      ++checks;
    };
    const std::vector<ZdumpLine> lines = zdumpLines(zone);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      const ZdumpLine& before = lines[i];
      const ZdumpLine& at = lines[i + 1];
      if (at.utc != before.utc + 1) continue;
      ++transitions;
      expect(before.utc, before.hour, before.minute);
      expect(at.utc, at.hour, at.minute);
      const int64_t after = (at.utc + 1 + at.offset) % 86400;
      expect(at.utc + 1, static_cast<int>(after / 3600), static_cast<int>(after % 3600 / 60));
    }
    if (lines.empty()) {
      // 1990-01-01 00:00:00 and 2037-12-31 23:59:59 UTC.
      std::istringstream out(
          commandOutput("printf '@631152000\\n@2145916799\\n' | TZ=" + zone + " date -f - +%H:%M"));
      int hour = 0, minute = 0;
      char colon = 0;
      for (const int64_t utc : {631152000LL, 2145916799LL}) {
        ASSERT_TRUE(out >> hour >> colon >> minute);
        expect(utc, hour, minute);
      }
    }
  }
  // The zones' transitions in those years, as the database of Debian 12 lists them.
  EXPECT_GT(transitions, 700);
  std::printf("%d transitions, %d checks\n", transitions, checks);
}

TEST(ClockZones, TheUsersChoiceReplacesOnlyWhatTheDatabaseKnows) {
  ClockChoice choice;
  choice.dials[0] = {"Home", "Local"};
  choice.dials[1] = {"Nowhere", "Asia/Tokio"};
  choice.dials[3] = {"Kathmandu", "Asia/Kathmandu"};
  const ZonePlaces places(parseZoneTable("NP\t+2743+08519\tAsia/Kathmandu\n"), {});
  choice.globeZones = {"Asia/Kathmandu", "Etc/GMT-5", "Mars/Olympus", "Local"};
  for (int i = 0; i < 12; ++i) choice.globeZones.push_back("UTC");
  std::vector<std::string> complaints;
  const int64_t at = 1774011600;  // 20 March 2026, 13:00 UTC
  const ClockZones zones = chosenClockZones(choice, places, at, complaints);
  EXPECT_EQ(zones.dials[0].label, "  Home  ");
  EXPECT_TRUE(zones.dials[0].source.machineLocal);
  EXPECT_EQ(zones.dials[1].label, " London ");  // an unknown zone keeps the program's dial
  EXPECT_EQ(zones.dials[2].label, "New York");
  EXPECT_EQ(zones.dials[3].label, "Kathmandu");
  EXPECT_EQ(clockTimeAt(zones.dials[3].source, at, {}).minute, 45);
  ASSERT_EQ(zones.globe.size(), 12u);
  EXPECT_FLOAT_EQ(zones.globe[0].latitude, 27.0f + 43 / 60.0f);
  EXPECT_FLOAT_EQ(zones.globe[0].turnAngle, 9.62f - (85.0f + 19 / 60.0f));
  // A zone no table lists stands on the equator at its standard time's longitude.
  EXPECT_FLOAT_EQ(zones.globe[1].latitude, 0.0f);
  EXPECT_FLOAT_EQ(zones.globe[1].turnAngle, 9.62f - 75.0f);
  EXPECT_EQ(complaints,
            (std::vector<std::string>{
                "clock2: unknown time zone \"Asia/Tokio\"; the dial keeps its own clock",
                "globeclocks: unknown time zone \"Mars/Olympus\"; left out",
                "globeclocks: Local has no place on the globe; left out",
                "globeclocks: more than 12 zones; only the first are shown"}));

  // Nothing known on the globe: the program's seven stay.
  choice.globeZones = {"Mars/Olympus"};
  EXPECT_EQ(chosenClockZones(choice, places, at, complaints).globe.size(), 7u);
}

TEST(ClockZones, LabelsAreDrawnInAsciiCentredInEightCharacters) {
  // clang-format off
  const struct {
    const char* typed;
    const char* drawn;
  } cases[] = {
      {"Local", " Local  "}, {"London", " London "}, {"New York", "New York"},
      {"Kathmandu", "Kathmandu"}, {"São Paulo", "Sao Paulo"}, {"Zürich", " Zurich "},
      {"東京", "   ??   "}, {"\xE9t\xE9", "  ete   "},  // a lone Latin-1 byte: its letter
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(dialLabelText(c.typed), c.drawn) << c.typed;
}

// The first frame reads the settings; later frames only when asked for new clocks.
TEST(ClockZones, FramesReadTheChoiceAtFirstAndWhenAsked) {
  const SettingsHome home;
  home.write("[Items]\nclock2=Kathmandu=Asia/Kathmandu\n");
  RendererState renderer;
  RendererRequests requests;
  keepClockZones(renderer, requests);
  EXPECT_EQ(renderer.clockZones.dials[1].label, "Kathmandu");
  home.write("[Items]\n");
  keepClockZones(renderer, requests);
  EXPECT_EQ(renderer.clockZones.dials[1].label, "Kathmandu");
  requests.newClocks = true;
  keepClockZones(renderer, requests);
  EXPECT_EQ(renderer.clockZones.dials[1].label, " London ");
  EXPECT_FALSE(requests.newClocks);
}

}  // namespace
