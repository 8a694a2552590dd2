#include "model/display_options.h"

namespace {

struct OptionRow {
  DisplayOption option;
  int32_t DisplayState::*flag;
  SettingKey key;
  bool changesTexture;
};

// In DisplayOption's order.
constexpr OptionRow kOptions[] = {
    {DisplayOption::nightStyle, &DisplayState::nightStyle, SettingKey::nightStyle, true},
    {DisplayOption::cityLights, &DisplayState::cityLights, SettingKey::cityLights, true},
    {DisplayOption::palette, &DisplayState::palette, SettingKey::palette, false},
};

const OptionRow& row(DisplayOption option) { return kOptions[static_cast<int>(option)]; }

}  // namespace

int32_t& optionFlag(DisplayState& display, DisplayOption option) {
  return display.*row(option).flag;
}

SettingKey optionSetting(DisplayOption option) { return row(option).key; }

void toggleOption(DisplayState& display, DisplayOption option) {
  int32_t& flag = optionFlag(display, option);
  flag = flag == 1 ? 0 : 1;
  if (row(option).changesTexture) display.textureDirty = 1;
}

void readDisplayOptions(DisplayState& display) {
  for (const OptionRow& option : kOptions) {
    display.*option.flag = readSettingInt(option.key) == 1 ? 1 : 0;
  }
}

bool writeDisplayOption(const DisplayState& display, DisplayOption option) {
  return writeSettingInt(row(option).key, display.*row(option).flag);
}
