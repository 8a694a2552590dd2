#include "panel/view_presets.h"

#include <array>
#include <cstring>
#include <string>

#include "model/display_state.h"
#include "model/settings.h"
#include "panel/control_panel.h"
#include "panel/dialog_tables.h"
#include "platform/text.h"

char presetSection[6] = "bank1";

namespace {

// Number keys are read into a 10-byte buffer: at most nine characters count.
float readNumber(SettingKey key) {
  return static_cast<float>(platform::leadingDouble(readSettingText(key, presetSection)));
}

// A switch is on only when it reads exactly "on", with case.
int32_t readFlag(SettingKey key) { return readSettingSwitch(key, presetSection) ? 1 : 0; }

std::string number(float value) { return platform::formatFixed(value); }

std::string flag(int32_t value) { return value == 1 ? "on" : "off"; }

}  // namespace

void loadPreset(PanelControls& panel) {
  DisplayState& s = displayState;
  s.zoom = readSettingInt(SettingKey::zoom, presetSection);
  s.spinRate = readNumber(SettingKey::spinRate);
  s.tilt = readNumber(SettingKey::tilt);
  s.tiltBase = platform::leadingInt(readSettingText(SettingKey::tiltBase, presetSection));
  s.colorLevel = static_cast<float>(readSettingInt(SettingKey::colorLevel, presetSection));
  s.gridLevel = static_cast<float>(readSettingInt(SettingKey::gridLevel, presetSection));
  s.rotation = readNumber(SettingKey::rotation);

  s.news = readFlag(SettingKey::news);
  s.showValue = readFlag(SettingKey::showValue);
  s.cycle = readFlag(SettingKey::cycle);
  s.dark = readFlag(SettingKey::dark);
  panel.setClearColour(s.dark == 1);

  s.showChange = readFlag(SettingKey::showChange);
  s.noon = readFlag(SettingKey::noon);
  s.showPercent = readFlag(SettingKey::showPercent);
  s.zones = readFlag(SettingKey::zones);
  s.clocks = readFlag(SettingKey::clocks);
  s.viewportDirty = kViewportRelayout;
  panel.postMainWindowSize();

  s.night = readFlag(SettingKey::night);
  s.textureDirty = 1;
  s.largeTags = readFlag(SettingKey::largeTags);

  setBoxesFromFlags(panel);
  setSlidersFromLevels(panel);
  s.textureDirty = 1;
}

void savePreset() {
  const DisplayState& s = displayState;
  using platform::formatInt;
  const std::array<SettingValue, 18> values{{
      {SettingKey::zoom, formatInt(s.zoom)},
      {SettingKey::spinRate, number(s.spinRate)},
      {SettingKey::tilt, number(s.tilt)},
      {SettingKey::tiltBase, formatInt(s.tiltBase)},
      {SettingKey::colorLevel, formatInt(truncateLevel(s.colorLevel))},
      {SettingKey::gridLevel, formatInt(truncateLevel(s.gridLevel))},
      {SettingKey::rotation, number(s.rotation)},
      {SettingKey::night, flag(s.night)},
      {SettingKey::largeTags, flag(s.largeTags)},
      {SettingKey::news, flag(s.news)},
      {SettingKey::zones, flag(s.zones)},
      {SettingKey::clocks, flag(s.clocks)},
      {SettingKey::showValue, flag(s.showValue)},
      {SettingKey::cycle, flag(s.cycle)},
      {SettingKey::dark, flag(s.dark)},
      {SettingKey::showChange, flag(s.showChange)},
      {SettingKey::noon, flag(s.noon)},
      {SettingKey::showPercent, flag(s.showPercent)},
  }};
  writeSettingTexts(values, presetSection);
}

void selectPreset(PanelControls& panel, int preset) {
  std::memcpy(presetSection, presetSectionName(preset), sizeof presetSection);
  panel.pressPreset(panelid::presetA + (preset & 3));
  loadPreset(panel);
}
