#include "panel/panel_controls.h"

#include "command/view_presets.h"
#include "panel/dialog_tables.h"

namespace {

constexpr CheckBox kCheckBoxes[] = {
    {panelid::cycle, Option::cycle},       {panelid::value, Option::showValue},
    {panelid::change, Option::showChange}, {panelid::percent, Option::showPercent},
    {panelid::large, Option::largeTags},   {panelid::noon, Option::noon},
    {panelid::night, Option::night},       {panelid::dark, Option::dark},
    {panelid::zones, Option::zones},       {panelid::clocks, Option::clocks},
    {panelid::news, Option::news},
};

}  // namespace

const CheckBox* findCheckBox(int id) {
  for (const auto& box : kCheckBoxes) {
    if (box.id == id) return &box;
  }
  return nullptr;
}

void setBoxesFromView(PanelControls& panel, const ViewState& view) {
  for (const auto& box : kCheckBoxes) panel.setChecked(box.id, optionOn(view, box.option));
}

void setSlidersFromView(PanelControls& panel, const ViewState& view) {
  panel.setSlider(panelid::colorSlider, truncateLevel(view.colorLevel));
  panel.setSlider(panelid::gridSlider, truncateLevel(view.gridLevel));
}
