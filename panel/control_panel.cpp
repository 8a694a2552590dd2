#include "panel/control_panel.h"

#include <cmath>
#include <limits>

#include "model/display_state.h"
#include "panel/dialog_tables.h"
#include "panel/view_presets.h"

int32_t appliedColorLevel = 100;
int32_t helpDialogOpen = 0;
int32_t customDialogOpen = 0;

namespace {

struct CheckBox {
  int id;
  int32_t DisplayState::*flag;
};

constexpr CheckBox kCheckBoxes[] = {
    {panelid::cycle, &DisplayState::cycle},       {panelid::value, &DisplayState::showValue},
    {panelid::change, &DisplayState::showChange}, {panelid::percent, &DisplayState::showPercent},
    {panelid::large, &DisplayState::largeTags},   {panelid::noon, &DisplayState::noon},
    {panelid::night, &DisplayState::night},       {panelid::dark, &DisplayState::dark},
    {panelid::zones, &DisplayState::zones},       {panelid::clocks, &DisplayState::clocks},
    {panelid::news, &DisplayState::news},
};

const CheckBox* findBox(int id) {
  for (const auto& box : kCheckBoxes) {
    if (box.id == id) return &box;
  }
  return nullptr;
}

// Value, Change and Percent: ticking one clears the other two, box and flag.
constexpr CheckBox kQuoteFields[] = {{panelid::value, &DisplayState::showValue},
                                     {panelid::change, &DisplayState::showChange},
                                     {panelid::percent, &DisplayState::showPercent}};

void clearOtherQuoteFields(PanelControls& panel, int id) {
  for (const auto& field : kQuoteFields) {
    if (field.id == id) continue;
    panel.setChecked(field.id, false);
    displayState.*field.flag = 0;
  }
}

void clickBox(PanelControls& panel, const CheckBox& box) {
  const int32_t checked = panel.checked(box.id) ? 1 : 0;
  displayState.*box.flag = checked;
  switch (box.id) {
    case panelid::value:
    case panelid::change:
    case panelid::percent:
      clearOtherQuoteFields(panel, box.id);
      break;
    case panelid::night:
      displayState.textureDirty = 1;
      break;
    case panelid::dark:
      panel.setClearColour(checked == 1);
      break;
    case panelid::clocks:
      displayState.viewportDirty = kViewportRelayout;
      break;
    default:
      break;
  }
}

void requestFetch() {
  displayState.fetchNow = 1;
  displayState.lastFetchTick = 0;
}

}  // namespace

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
  for (const auto& box : kCheckBoxes) {
    int32_t& flag = displayState.*box.flag;
    if (flag != 1) flag = 0;
    panel.setChecked(box.id, flag == 1);
    if (box.id == panelid::clocks) displayState.viewportDirty = kViewportRelayout;
  }
}

void setSlidersFromLevels(PanelControls& panel) {
  panel.setSlider(panelid::colorSlider, truncateLevel(displayState.colorLevel));
  panel.setSlider(panelid::gridSlider, truncateLevel(displayState.gridLevel));
}

void initialisePanel(PanelControls& panel) {
  setBoxesFromFlags(panel);
  setSlidersFromLevels(panel);
}

void panelScroll(const PanelControls& panel) {
  displayState.colorLevel = static_cast<float>(panel.sliderPosition(panelid::colorSlider));
  if (displayState.colorLevel != static_cast<float>(appliedColorLevel)) {
    displayState.textureDirty = 1;
    appliedColorLevel = truncateLevel(displayState.colorLevel);
  }
  displayState.gridLevel = static_cast<float>(panel.sliderPosition(panelid::gridSlider));
}

void panelCommand(PanelControls& panel, int32_t command) {
  const int id = command & 0xFFFF;
  if (id >= panelid::presetA && id <= panelid::presetD) {
    selectPreset(panel, id - panelid::presetA);
    return;
  }
  if (const CheckBox* box = findBox(id)) {
    clickBox(panel, *box);
    return;
  }
  switch (id) {
    case panelid::save:
      savePreset();
      break;
    case panelid::startPreset:
      selectPreset(panel, 0);
      break;
    case panelid::custom:
      if (customDialogOpen == 0) panel.openCustom();
      break;
    case panelid::help:
      if (helpDialogOpen == 0) panel.openHelp();
      break;
    case panelid::now:
      requestFetch();
      break;
    case kCommandCancel:
      break;  // Escape: the panel stays
    default:
      panelScroll(panel);  // Enter and anything else re-read the sliders
      break;
  }
}
