#include "model/display_options.h"

namespace {

struct OptionRow {
  DisplayOption option;
  bool ViewState::*flag;
  SettingKey key;
  bool changesTexture;
};

// In DisplayOption's order.
constexpr OptionRow kOptions[] = {
    {DisplayOption::nightStyle, &ViewState::nightStyle, SettingKey::nightStyle, true},
    {DisplayOption::cityLights, &ViewState::cityLights, SettingKey::cityLights, true},
    {DisplayOption::palette, &ViewState::palette, SettingKey::palette, false},
};

const OptionRow& row(DisplayOption option) { return kOptions[static_cast<int>(option)]; }

}  // namespace

bool& optionFlag(ViewState& view, DisplayOption option) { return view.*row(option).flag; }

SettingKey optionSetting(DisplayOption option) { return row(option).key; }

bool optionChangesTexture(DisplayOption option) { return row(option).changesTexture; }

void readDisplayOptions(ViewState& view) {
  for (const OptionRow& option : kOptions) view.*option.flag = readSettingInt(option.key) == 1;
}

bool writeDisplayOption(const ViewState& view, DisplayOption option) {
  return writeSettingInt(row(option).key, view.*row(option).flag ? 1 : 0);
}
