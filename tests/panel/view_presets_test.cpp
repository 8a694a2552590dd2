#include "panel/view_presets.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "panel/dialog_tables.h"
#include "tests/panel/fake_panel.h"
#include "tests/panel/settings_home.h"

namespace {

class ViewPresetsTest : public ::testing::Test {
 protected:
  DisplayState& display() { return panel->shown; }

  SettingsHome home;
  std::unique_ptr<FakePanel> panel = std::make_unique<FakePanel>();
};

TEST_F(ViewPresetsTest, AMissingSectionGivesTheFirstStartView) {
  home.write("[bank2]\nd1=300\n");
  loadPreset(*panel);
  const DisplayState& s = display();
  EXPECT_EQ(s.zoom, 58);
  EXPECT_FLOAT_EQ(s.spinRate, 0.1f);
  EXPECT_EQ(s.tilt, 200.0f);
  EXPECT_EQ(s.tiltBase, 0);
  EXPECT_EQ(s.colorLevel, 99.0f);
  EXPECT_EQ(s.gridLevel, 42.0f);
  EXPECT_EQ(s.rotation, 200.0f);
  const struct {
    int id;
    int32_t DisplayState::*flag;
    bool on;
  } options[] = {{panelid::news, &DisplayState::news, true},
                 {panelid::zones, &DisplayState::zones, true},
                 {panelid::clocks, &DisplayState::clocks, true},
                 {panelid::value, &DisplayState::showValue, true},
                 {panelid::cycle, &DisplayState::cycle, true},
                 {panelid::dark, &DisplayState::dark, true},
                 {panelid::night, &DisplayState::night, true},
                 {panelid::change, &DisplayState::showChange, false},
                 {panelid::noon, &DisplayState::noon, false},
                 {panelid::percent, &DisplayState::showPercent, false},
                 {panelid::large, &DisplayState::largeTags, false}};
  for (const auto& o : options) {
    EXPECT_EQ(s.*o.flag, o.on ? 1 : 0) << o.id;
    EXPECT_EQ(panel->checked(o.id), o.on) << o.id;
  }
  EXPECT_EQ(panel->sliderPosition(panelid::colorSlider), 99);
  EXPECT_EQ(panel->sliderPosition(panelid::gridSlider), 42);
  EXPECT_EQ(s.viewportDirty, kViewportRelayout);
  EXPECT_EQ(s.textureDirty.load(), 1);
  EXPECT_EQ(panel->effects, (std::vector<std::string>{"clear dark", "size"}));
}

TEST_F(ViewPresetsTest, StoredValuesAreTakenAsTheyAreRead) {
  const struct {
    const char* line;
    std::function<bool()> holds;
  } cases[] = {
      {"c6=ON", [this] { return display().dark == 0; }},  // compared with case
      {"c4=yes", [this] { return display().showValue == 0; }},
      {"c5=onward", [this] { return display().cycle == 0; }},  // "onw" is not "on"
      {"C6=on", [this] { return display().dark == 1; }},       // key names match in any case
      {"d2=0.123456789012",
       [this] { return display().spinRate == 0.1234567f; }},  // nine characters
      {"d3=1234.56789", [this] { return display().tilt == 1234.5678f; }},
      {"d3a=-37.9", [this] { return display().tiltBase == -37; }},
      {"d1=900", [this] { return display().zoom == 900; }},  // no clamping
      {"d1=abc", [this] { return display().zoom == 0; }},
      {"d7=x", [this] { return display().rotation == 0.0f; }},
      {"d5=-20", [this] { return display().gridLevel == -20.0f; }},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    home.write(std::string("[bank1]\n") + c.line + "\n");
    loadPreset(*panel);
    EXPECT_TRUE(c.holds()) << c.line;
  }
  EXPECT_EQ(panel->sliderPosition(panelid::gridSlider), 0);  // -20 shows the slider's end
}

TEST_F(ViewPresetsTest, ALevelBeyondTheSliderIsKeptAndSavedBack) {
  home.write("[bank1]\nd4=150\n");
  loadPreset(*panel);
  EXPECT_EQ(display().colorLevel, 150.0f);
  EXPECT_EQ(panel->sliderPosition(panelid::colorSlider), 99);
  savePreset(display(), panel->own.presetSection);
  EXPECT_EQ(readSettingInt(SettingKey::colorLevel, "bank1"), 150);
  panel->drag(panelid::gridSlider, 10);  // any slider notification takes the slider's 99
  savePreset(display(), panel->own.presetSection);
  EXPECT_EQ(readSettingInt(SettingKey::colorLevel, "bank1"), 99);
}

TEST_F(ViewPresetsTest, SaveWritesTheEighteenKeysInOrder) {
  DisplayState& s = display();
  s.zoom = 120;
  s.spinRate = 0.1f;
  s.tilt = 210.0f;
  s.tiltBase = 30;
  s.colorLevel = 12.9f;
  s.gridLevel = 0.0f;
  s.rotation = -5.25f;
  s.night = 1;
  s.news = 1;
  s.showPercent = 1;
  savePreset(s, "bank3");
  EXPECT_EQ(home.content(),
            "[bank3]\nd1=120\nd2=0.100000\nd3=210.000000\nd3a=30\nd4=12\nd5=0\nd7=-5.250000\n"
            "c200=on\nc201=off\nc1=on\nc2=off\nc3=off\nc4=off\nc5=off\nc6=off\nc8=off\nc9=off\n"
            "c10=on\n");
}

TEST_F(ViewPresetsTest, PresetButtonsSelectSaveIntoAndRestoreTheirSection) {
  panelCommand(*panel, panelid::startPreset);  // the start-up command: preset A
  EXPECT_EQ(std::string(panel->own.presetSection), "bank1");
  EXPECT_EQ(panel->pressed, 300);
  panelCommand(*panel, 301);
  EXPECT_EQ(std::string(panel->own.presetSection), "bank2");
  EXPECT_EQ(panel->pressed, 301);
  panel->click(panelid::noon);
  display().zoom = 300;
  panelCommand(*panel, panelid::save);
  panel->click(panelid::noon);  // unsaved changes are lost by the next selection
  display().zoom = 40;
  panelCommand(*panel, 300);
  EXPECT_EQ(display().noon, 0);
  EXPECT_EQ(display().zoom, 58);
  panelCommand(*panel, 301);
  EXPECT_EQ(display().noon, 1);
  EXPECT_TRUE(panel->checked(panelid::noon));
  EXPECT_EQ(display().zoom, 300);
  EXPECT_EQ(home.content().find("[bank1]"), std::string::npos);  // only B was saved
}

TEST_F(ViewPresetsTest, ATiltOfFourDigitsLosesTheDecimalsBeyondTheNinthCharacter) {
  const struct {
    float tilt;
    float back;
  } cases[] = {{210.0f, 210.0f}, {12345.678f, 12345.677f}, {-0.1f, -0.1f}};
  for (const auto& c : cases) {
    display().tilt = c.tilt;
    savePreset(display(), panel->own.presetSection);
    loadPreset(*panel);
    EXPECT_EQ(display().tilt, c.back) << c.tilt;
  }
}

}  // namespace
