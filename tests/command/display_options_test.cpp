#include "model/display_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "command/commands.h"
#include "model/fetch_schedule.h"
#include "model/settings.h"
#include "tests/panel/settings_home.h"

namespace {

constexpr DisplayOption kAll[] = {DisplayOption::nightStyle, DisplayOption::cityLights,
                                  DisplayOption::palette};

TEST(DisplayOptions, ReadAsOnOnlyFromTheNumberOne) {
  const SettingsHome home;
  const struct {
    const char* stored;  // null: the key is missing
    int32_t flag;
  } cases[] = {{nullptr, 0}, {"0", 0}, {"1", 1}, {"2", 0}, {"-1", 0}, {"on", 0}, {"1 ", 1}};
  for (const auto& c : cases) {
    std::filesystem::remove(settingsFile());
    for (const DisplayOption option : kAll) {
      if (c.stored) writeSettingText(optionSetting(option), c.stored);
    }
    ViewState view;
    view.nightStyle = view.cityLights = view.palette = true;
    readDisplayOptions(view);
    for (const DisplayOption option : kAll) {
      EXPECT_EQ(optionFlag(view, option), c.flag == 1) << (c.stored ? c.stored : "missing");
    }
  }
}

// Each toggle flips only its own option, is stored as it now stands and read back so, and
// asks for a new Earth texture only when the picture changes.
TEST(DisplayOptions, ToggleFlipsStoresAndAsksForTheTextureItChanges) {
  const SettingsHome home;
  const struct {
    Option option;
    DisplayOption stored;
    const char* key;
    bool newTexture;
  } cases[] = {{Option::nightStyle, DisplayOption::nightStyle, "nightstyle", true},
               {Option::cityLights, DisplayOption::cityLights, "citylights", true},
               {Option::palette, DisplayOption::palette, "palette", false}};
  for (const auto& c : cases) {
    DisplayState display;
    FetchSchedule schedule;
    Commands commands(display, schedule);
    EXPECT_STREQ(settingInfo(optionSetting(c.stored)).name, c.key);
    for (const bool expected : {true, false}) {
      display.requests.newTexture = false;
      EXPECT_TRUE(commands.toggleOption(c.option).stored);
      EXPECT_EQ(optionFlag(display.view, c.stored), expected) << c.key;
      EXPECT_EQ(display.requests.newTexture, c.newTexture) << c.key;
      ViewState read;
      readDisplayOptions(read);
      EXPECT_EQ(optionFlag(read, c.stored), expected) << c.key;
      EXPECT_EQ(read.nightStyle + read.cityLights + read.palette, expected ? 1 : 0) << c.key;
    }
  }
}

}  // namespace
