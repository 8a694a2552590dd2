#include "model/display_options.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    DisplayState display;
    display.nightStyle = display.cityLights = display.palette = 7;
    readDisplayOptions(display);
    for (const DisplayOption option : kAll) {
      EXPECT_EQ(optionFlag(display, option), c.flag) << (c.stored ? c.stored : "missing");
    }
  }
}

// Each toggle flips only its own flag, is stored as it now stands and read back so, and asks
// for a new Earth texture only when the picture changes.
TEST(DisplayOptions, ToggleFlipsStoresAndAsksForTheTextureItChanges) {
  const SettingsHome home;
  const struct {
    DisplayOption option;
    const char* key;
    int32_t textureDirty;
  } cases[] = {{DisplayOption::nightStyle, "nightstyle", 1},
               {DisplayOption::cityLights, "citylights", 1},
               {DisplayOption::palette, "palette", 0}};
  for (const auto& c : cases) {
    DisplayState display;
    EXPECT_STREQ(settingInfo(optionSetting(c.option)).name, c.key);
    for (const int32_t expected : {1, 0}) {
      display.textureDirty = 0;
      toggleOption(display, c.option);
      EXPECT_EQ(optionFlag(display, c.option), expected) << c.key;
      EXPECT_EQ(display.textureDirty.load(), c.textureDirty) << c.key;
      ASSERT_TRUE(writeDisplayOption(display, c.option));
      DisplayState read;
      readDisplayOptions(read);
      EXPECT_EQ(optionFlag(read, c.option), expected) << c.key;
      EXPECT_EQ(read.nightStyle + read.cityLights + read.palette, expected) << c.key;
    }
  }
}

}  // namespace
