#include "command/view_presets.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "command/commands.h"
#include "model/fetch_schedule.h"
#include "panel/dialog_tables.h"
#include "tests/panel/fake_panel.h"
#include "tests/panel/settings_home.h"

namespace {

class ViewPresetsTest : public ::testing::Test {
 protected:
  SettingsHome home;
  ViewState view;
};

TEST_F(ViewPresetsTest, AMissingSectionGivesTheFirstStartView) {
  home.write("[bank2]\nd1=300\n");
  DisplayState display;
  FetchSchedule schedule;
  Commands commands(display, schedule);
  display.requests.darkBackground = false;
  const CommandResult result = commands.applyPreset(0);
  const ViewState& s = display.view;
  EXPECT_EQ(s.zoom, 58);
  EXPECT_FLOAT_EQ(s.spinRate, 0.1f);
  EXPECT_EQ(s.tilt, 200.0f);
  EXPECT_EQ(s.tiltBase, 0);
  EXPECT_EQ(s.colorLevel, 99.0f);
  EXPECT_EQ(s.gridLevel, 42.0f);
  EXPECT_EQ(s.rotation, 200.0f);
  const struct {
    Option option;
    bool on;
  } options[] = {{Option::news, true},         {Option::zones, true},       {Option::clocks, true},
                 {Option::showValue, true},    {Option::cycle, true},       {Option::dark, true},
                 {Option::night, true},        {Option::showChange, false}, {Option::noon, false},
                 {Option::showPercent, false}, {Option::largeTags, false}};
  for (const auto& o : options) {
    EXPECT_EQ(optionOn(s, o.option), o.on) << static_cast<int>(o.option);
  }
  EXPECT_TRUE(display.requests.relayout);
  EXPECT_TRUE(display.requests.newTexture);
  EXPECT_TRUE(display.requests.darkBackground);
  EXPECT_EQ(result.presetSelected, 0);
  EXPECT_TRUE(result.optionsChanged && result.levelsChanged);
}

TEST_F(ViewPresetsTest, StoredValuesAreTakenAsTheyAreRead) {
  const struct {
    const char* line;
    std::function<bool(const ViewState&)> holds;
  } cases[] = {
      {"c6=ON", [](const ViewState& v) { return !v.dark; }},  // compared with case
      {"c4=yes", [](const ViewState& v) { return !v.showValue; }},
      {"c5=onward", [](const ViewState& v) { return !v.cycle; }},  // "onw" is not "on"
      {"C6=on", [](const ViewState& v) { return v.dark; }},        // key names match in any case
      {"d2=0.123456789012",
       [](const ViewState& v) { return v.spinRate == 0.1234567f; }},  // nine characters
      {"d3=1234.56789", [](const ViewState& v) { return v.tilt == 1234.5678f; }},
      {"d3a=-37.9", [](const ViewState& v) { return v.tiltBase == -37; }},
      {"d1=900", [](const ViewState& v) { return v.zoom == 900; }},  // no clamping
      {"d1=abc", [](const ViewState& v) { return v.zoom == 0; }},
      {"d7=x", [](const ViewState& v) { return v.rotation == 0.0f; }},
      {"d5=-20", [](const ViewState& v) { return v.gridLevel == -20.0f; }},
      // The first of two keys and the first of two sections count, as for one key's read.
      {"d1=70\nd1=80\n[bank1]\nd1=90", [](const ViewState& v) { return v.zoom == 70; }},
  };
  for (const auto& c : cases) {
    home.write(std::string("[bank1]\n") + c.line + "\n");
    ViewState loaded;
    loadPreset(loaded, 0);
    EXPECT_TRUE(c.holds(loaded)) << c.line;
  }
}

TEST_F(ViewPresetsTest, ALevelBeyondTheSliderIsKeptAndSavedBack) {
  home.write("[bank1]\nd4=150\n");
  FakePanel panel;
  mirrorResult(panel, panel.view(), panel.commands.applyPreset(0));
  EXPECT_EQ(panel.view().colorLevel, 150.0f);
  EXPECT_EQ(panel.sliderPosition(panelid::colorSlider), 99);
  panel.command(panelid::save);
  EXPECT_EQ(readSettingInt(SettingKey::colorLevel, "bank1"), 150);
  panel.drag(panelid::gridSlider, 10);  // any slider notification takes the slider's 99
  panel.command(panelid::save);
  EXPECT_EQ(readSettingInt(SettingKey::colorLevel, "bank1"), 99);
}

TEST_F(ViewPresetsTest, SaveWritesTheEighteenKeysInOrder) {
  view.zoom = 120;
  view.spinRate = 0.1f;
  view.tilt = 210.0f;
  view.tiltBase = 30;
  view.colorLevel = 12.9f;
  view.gridLevel = 0.0f;
  view.rotation = -5.25f;
  view.night = true;
  view.news = true;
  view.showPercent = true;
  EXPECT_TRUE(savePreset(view, 2));
  EXPECT_EQ(home.content(),
            "[bank3]\nd1=120\nd2=0.100000\nd3=210.000000\nd3a=30\nd4=12\nd5=0\nd7=-5.250000\n"
            "c200=on\nc201=off\nc1=on\nc2=off\nc3=off\nc4=off\nc5=off\nc6=off\nc8=off\nc9=off\n"
            "c10=on\n");
}

TEST_F(ViewPresetsTest, PresetButtonsSelectSaveIntoAndRestoreTheirSection) {
  FakePanel panel;
  mirrorResult(panel, panel.view(), panel.commands.applyPreset(0));  // the start-up's preset A
  EXPECT_EQ(panel.pressed, 0);
  panel.command(panelid::presetB);
  EXPECT_EQ(panel.commands.currentPreset(), 1);
  EXPECT_EQ(panel.pressed, 1);
  panel.click(panelid::noon);
  panel.display.view.zoom = 300;
  panel.command(panelid::save);
  panel.click(panelid::noon);  // unsaved changes are lost by the next selection
  panel.display.view.zoom = 40;
  panel.command(panelid::presetA);
  EXPECT_FALSE(panel.view().noon);
  EXPECT_EQ(panel.view().zoom, 58);
  panel.command(panelid::presetB);
  EXPECT_TRUE(panel.view().noon);
  EXPECT_TRUE(panel.checked(panelid::noon));
  EXPECT_EQ(panel.view().zoom, 300);
  EXPECT_EQ(home.content().find("[bank1]"), std::string::npos);  // only B was saved
}

TEST_F(ViewPresetsTest, ATiltOfFourDigitsLosesTheDecimalsBeyondTheNinthCharacter) {
  const struct {
    float tilt;
    float back;
  } cases[] = {{210.0f, 210.0f}, {12345.678f, 12345.677f}, {-0.1f, -0.1f}};
  for (const auto& c : cases) {
    view.tilt = c.tilt;
    savePreset(view, 0);
    loadPreset(view, 0);
    EXPECT_EQ(view.tilt, c.back) << c.tilt;
  }
}

TEST(TruncateLevel, CutsTowardZeroAndKeepsOutOfRangeLevelsDefined) {
  const struct {
    float level;
    int32_t position;
  } cases[] = {{42.9f, 42},
               {-0.5f, 0},
               {-3.7f, -3},
               {150.0f, 150},
               {3e10f, 2147483647},
               {-3e10f, -2147483647 - 1},
               {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(truncateLevel(c.level), c.position) << c.level;
}

}  // namespace
