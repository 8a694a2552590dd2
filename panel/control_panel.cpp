#include "panel/control_panel.h"

#include "panel/dialog_tables.h"
#include "panel/view_presets.h"

namespace {

// Value, Change and Percent: ticking one clears the other two, box and flag.
constexpr CheckBox kQuoteFields[] = {{panelid::value, &DisplayState::showValue},
                                     {panelid::change, &DisplayState::showChange},
                                     {panelid::percent, &DisplayState::showPercent}};

void clearOtherQuoteFields(PanelControls& panel, int id) {
  for (const auto& field : kQuoteFields) {
    if (field.id == id) continue;
    panel.setChecked(field.id, false);
    panel.display().*field.flag = 0;
  }
}

void clickBox(PanelControls& panel, const CheckBox& box) {
  DisplayState& display = panel.display();
  const int32_t checked = panel.checked(box.id) ? 1 : 0;
  display.*box.flag = checked;
  switch (box.id) {
    case panelid::value:
    case panelid::change:
    case panelid::percent:
      clearOtherQuoteFields(panel, box.id);
      break;
    case panelid::night:
      display.textureDirty = 1;
      break;
    case panelid::dark:
      panel.setClearColour(checked == 1);
      break;
    case panelid::clocks:
      display.viewportDirty = kViewportRelayout;
      break;
    default:
      break;
  }
}

void requestFetch(DisplayState& display) {
  display.fetchNow = 1;
  display.lastFetchTick = 0;
}

// Opens a modal dialog unless its flag says it is open already; the flag is set while it is.
template <typename Open>
void openOnce(int32_t& openFlag, Open open) {
  if (openFlag == 1) return;
  openFlag = 1;
  open();
  openFlag = 0;
}

}  // namespace

void panelScroll(PanelControls& panel) {
  DisplayState& display = panel.display();
  PanelState& state = panel.state();
  display.colorLevel = static_cast<float>(panel.sliderPosition(panelid::colorSlider));
  if (display.colorLevel != static_cast<float>(state.appliedColorLevel)) {
    display.textureDirty = 1;
    state.appliedColorLevel = truncateLevel(display.colorLevel);
  }
  display.gridLevel = static_cast<float>(panel.sliderPosition(panelid::gridSlider));
}

void panelCommand(PanelControls& panel, int32_t command) {
  const int id = command & 0xFFFF;
  if (id >= panelid::presetA && id <= panelid::presetD) {
    selectPreset(panel, id - panelid::presetA);
    return;
  }
  if (const CheckBox* box = findCheckBox(id)) {
    clickBox(panel, *box);
    return;
  }
  PanelState& state = panel.state();
  switch (id) {
    case panelid::save:
      savePreset(panel.display(), state.presetSection);
      break;
    case panelid::startPreset:
      selectPreset(panel, 0);
      break;
    case panelid::custom:
      openOnce(state.customDialogOpen, [&panel] { panel.openCustom(); });
      break;
    case panelid::help:
      openOnce(state.helpDialogOpen, [&panel] { panel.openHelp(); });
      break;
    case panelid::now:
      requestFetch(panel.display());
      break;
    case kCommandCancel:
      break;  // Escape: the panel stays
    default:
      panelScroll(panel);  // Enter and anything else re-read the sliders
      break;
  }
}
