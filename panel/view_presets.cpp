#include "panel/view_presets.h"

#include <cstring>

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

void writeNumber(SettingKey key, float value) {
  writeSettingText(key, platform::formatFixed(value), presetSection);
}

void writeFlag(SettingKey key, int32_t flag) {
  writeSettingText(key, flag == 1 ? "on" : "off", presetSection);
}

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
  writeSettingInt(SettingKey::d1, s.zoom, presetSection);
  writeNumber(SettingKey::d2, s.spinRate);
  writeNumber(SettingKey::d3, s.tilt);
  writeSettingInt(SettingKey::d3a, s.tiltBase, presetSection);
  writeSettingInt(SettingKey::d4, truncateLevel(s.colorLevel), presetSection);
  writeSettingInt(SettingKey::d5, truncateLevel(s.gridLevel), presetSection);
  writeNumber(SettingKey::d7, s.rotation);
  writeFlag(SettingKey::c200, s.night);
  writeFlag(SettingKey::c201, s.largeTags);
  writeFlag(SettingKey::c1, s.news);
  writeFlag(SettingKey::c2, s.zones);
  writeFlag(SettingKey::c3, s.clocks);
  writeFlag(SettingKey::c4, s.showValue);
  writeFlag(SettingKey::c5, s.cycle);
  writeFlag(SettingKey::c6, s.dark);
  writeFlag(SettingKey::c8, s.showChange);
  writeFlag(SettingKey::c9, s.noon);
  writeFlag(SettingKey::c10, s.showPercent);
}

void selectPreset(PanelControls& panel, int preset) {
  std::memcpy(presetSection, presetSectionName(preset), sizeof presetSection);
  panel.pressPreset(panelid::presetA + (preset & 3));
  loadPreset(panel);
}
