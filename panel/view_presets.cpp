#include "panel/view_presets.h"

#include <array>
#include <cstring>
#include <string>

#include "panel/control_panel.h"
#include "panel/dialog_tables.h"
#include "platform/text.h"
#include "shell/display_state.h"
#include "shell/settings.h"

char presetSection[6] = "bank1";

namespace {

constexpr const char* kSections[4] = {"bank1", "bank2", "bank3", "bank4"};

// Number keys are read into a 10-byte buffer: at most nine characters count.
float readNumber(SettingKey key) {
  return static_cast<float>(platform::leadingDouble(readSettingText(key, presetSection)));
}

// A switch is on only when it reads exactly "on", with case.
int32_t readFlag(SettingKey key) { return readSettingSwitch(key, presetSection) ? 1 : 0; }

std::string number(float value) { return platform::formatFixed(value); }

std::string flag(int32_t value) { return value == 1 ? "on" : "off"; }

}  // namespace

const char* presetSectionName(int preset) { return kSections[preset & 3]; }

void loadPreset(PanelControls& panel) {
  DisplayState& s = displayState;
  s.zoom = readSettingInt(SettingKey::d1, presetSection);
  s.spinRate = readNumber(SettingKey::d2);
  s.tilt = readNumber(SettingKey::d3);
  s.tiltBase = platform::leadingInt(readSettingText(SettingKey::d3a, presetSection));
  s.colorLevel = static_cast<float>(readSettingInt(SettingKey::d4, presetSection));
  s.gridLevel = static_cast<float>(readSettingInt(SettingKey::d5, presetSection));
  s.rotation = readNumber(SettingKey::d7);

  s.news = readFlag(SettingKey::c1);
  s.showValue = readFlag(SettingKey::c4);
  s.cycle = readFlag(SettingKey::c5);
  s.dark = readFlag(SettingKey::c6);
  panel.setClearColour(s.dark == 1);

  s.showChange = readFlag(SettingKey::c8);
  s.noon = readFlag(SettingKey::c9);
  s.showPercent = readFlag(SettingKey::c10);
  s.zones = readFlag(SettingKey::c2);
  s.clocks = readFlag(SettingKey::c3);
  s.viewportDirty = kViewportRelayout;
  panel.postMainWindowSize();

  s.night = readFlag(SettingKey::c200);
  s.textureDirty = 1;
  s.largeTags = readFlag(SettingKey::c201);

  setBoxesFromFlags(panel);
  setSlidersFromLevels(panel);
  s.textureDirty = 1;
}

void savePreset() {
  const DisplayState& s = displayState;
  using platform::formatInt;
  const std::array<SettingValue, 18> values{{
      {SettingKey::d1, formatInt(s.zoom)},
      {SettingKey::d2, number(s.spinRate)},
      {SettingKey::d3, number(s.tilt)},
      {SettingKey::d3a, formatInt(s.tiltBase)},
      {SettingKey::d4, formatInt(truncateLevel(s.colorLevel))},
      {SettingKey::d5, formatInt(truncateLevel(s.gridLevel))},
      {SettingKey::d7, number(s.rotation)},
      {SettingKey::c200, flag(s.night)},
      {SettingKey::c201, flag(s.largeTags)},
      {SettingKey::c1, flag(s.news)},
      {SettingKey::c2, flag(s.zones)},
      {SettingKey::c3, flag(s.clocks)},
      {SettingKey::c4, flag(s.showValue)},
      {SettingKey::c5, flag(s.cycle)},
      {SettingKey::c6, flag(s.dark)},
      {SettingKey::c8, flag(s.showChange)},
      {SettingKey::c9, flag(s.noon)},
      {SettingKey::c10, flag(s.showPercent)},
  }};
  writeSettingTexts(values, presetSection);
}

void selectPreset(PanelControls& panel, int preset) {
  std::memcpy(presetSection, presetSectionName(preset), sizeof presetSection);
  panel.pressPreset(panelid::presetA + (preset & 3));
  loadPreset(panel);
}
