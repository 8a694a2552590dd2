// The user's clocks as the settings keep them, and the command that stores them.
#include "model/clock_choice.h"

#include <gtest/gtest.h>

#include "command/commands.h"
#include "model/fetch_schedule.h"
#include "tests/panel/settings_home.h"

namespace {

TEST(DialChoice, ReadsLabelAndZoneFromOneValue) {
  // clang-format off
  const struct {
    const char* value;
    const char* label;
    const char* zone;
  } cases[] = {
      {"Tokyo=Asia/Tokyo", "Tokyo", "Asia/Tokyo"},
      {"  Tokyo =\tAsia/Tokyo ", "Tokyo", "Asia/Tokyo"},
      {"Asia/Tokyo", "Tokyo", "Asia/Tokyo"},                     // no label: the city
      {"=America/Sao_Paulo", "Sao Paulo", "America/Sao_Paulo"},
      {"Home=Local", "Home", "Local"},
      {"local", "Local", "local"},
      {"a=b=Asia/Tokyo", "a=b", "Asia/Tokyo"},                   // zone names have no '='
      {"Far too long a label=Asia/Tokyo", "Far too lo", "Asia/Tokyo"},
      {"Zürich Zürich=Europe/Zurich", "Zürich Zür", "Europe/Zurich"},  // characters, not bytes
      {"Tokyo=", "", ""},
      {"", "", ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    const DialChoice dial = parseDialChoice(c.value);
    EXPECT_EQ(dial.label, c.label) << c.value;
    EXPECT_EQ(dial.zone, c.zone) << c.value;
  }
}

TEST(ClockChoice, StoresFiveKeysAndReadsThemBack) {
  const SettingsHome home;
  EXPECT_TRUE(readClockChoice().globeZones.empty());
  ClockChoice choice;
  choice.dials[0] = {"Tokyo", "Asia/Tokyo"};
  choice.dials[3] = {"São Paulo", "America/Sao_Paulo"};
  choice.globeZones = {"Asia/Kolkata", "Pacific/Chatham"};
  DisplayState display;
  FetchSchedule schedule;
  Commands commands(display, schedule);
  EXPECT_TRUE(commands.setClocks(choice).stored);
  EXPECT_TRUE(display.requests.newClocks);
  EXPECT_EQ(
      home.content(),
      "[Items]\nclock1=Tokyo=Asia/Tokyo\nclock2=\nclock3=\nclock4=São Paulo=America/Sao_Paulo\n"
      "globeclocks=Asia/Kolkata Pacific/Chatham\n");
  const ClockChoice read = readClockChoice();
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(read.dials[i].label, choice.dials[i].label);
    EXPECT_EQ(read.dials[i].zone, choice.dials[i].zone);
  }
  EXPECT_EQ(read.globeZones, choice.globeZones);
  EXPECT_EQ(splitZoneList(" \tAsia/Tokyo  Europe/Paris\t"),
            (std::vector<std::string>{"Asia/Tokyo", "Europe/Paris"}));
}

}  // namespace
