#include "panel/panel_controls.h"

#include <cmath>
#include <limits>

#include "panel/dialog_tables.h"

namespace {

constexpr CheckBox kCheckBoxes[] = {
    {panelid::cycle, &DisplayState::cycle},       {panelid::value, &DisplayState::showValue},
    {panelid::change, &DisplayState::showChange}, {panelid::percent, &DisplayState::showPercent},
    {panelid::large, &DisplayState::largeTags},   {panelid::noon, &DisplayState::noon},
    {panelid::night, &DisplayState::night},       {panelid::dark, &DisplayState::dark},
    {panelid::zones, &DisplayState::zones},       {panelid::clocks, &DisplayState::clocks},
    {panelid::news, &DisplayState::news},
};

}  // namespace

const CheckBox* findCheckBox(int id) {
  for (const auto& box : kCheckBoxes) {
    if (box.id == id) return &box;
  }
  return nullptr;
}

int32_t truncateLevel(float level) {
  if (std::isnan(level)) return 0;
  if (level <= static_cast<float>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  if (level >= static_cast<float>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(level);
}

void setBoxesFromFlags(PanelControls& panel) {
  DisplayState& display = panel.display();
  for (const auto& box : kCheckBoxes) {
    int32_t& flag = display.*box.flag;
    if (flag != 1) flag = 0;
    panel.setChecked(box.id, flag == 1);
    if (box.id == panelid::clocks) display.viewportDirty = kViewportRelayout;
  }
}

void setSlidersFromLevels(PanelControls& panel) {
  const DisplayState& display = panel.display();
  panel.setSlider(panelid::colorSlider, truncateLevel(display.colorLevel));
  panel.setSlider(panelid::gridSlider, truncateLevel(display.gridLevel));
}

void initialisePanel(PanelControls& panel) {
  setBoxesFromFlags(panel);
  setSlidersFromLevels(panel);
}
