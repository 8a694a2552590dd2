#include "panel/control_panel.h"

#include <iterator>

#include "panel/dialog_tables.h"
#include "platform/keys.h"

namespace {

int presetOfButton(int id) {
  for (int preset = 0; preset < static_cast<int>(std::size(panelid::presetButtons)); ++preset) {
    if (panelid::presetButtons[preset] == id) return preset;
  }
  return -1;
}

// Opens a modal dialog unless its flag says it is open already; the flag is set while it is.
template <typename Open>
void openOnce(bool& openFlag, Open open) {
  if (openFlag) return;
  openFlag = true;
  open();
  openFlag = false;
}

}  // namespace

void panelScroll(PanelControls& panel, Commands& commands) {
  commands.setLevels(panel.sliderPosition(panelid::colorSlider),
                     panel.sliderPosition(panelid::gridSlider));
}

void mirrorResult(PanelControls& panel, const ViewState& view, const CommandResult& result) {
  if (result.presetSelected) panel.pressPreset(*result.presetSelected);
  if (result.optionsChanged) setBoxesFromView(panel, view);
  if (result.levelsChanged) setSlidersFromView(panel, view);
}

void initialisePanel(PanelControls& panel, const ViewState& view) {
  setBoxesFromView(panel, view);
  setSlidersFromView(panel, view);
}

void panelCommand(PanelControls& panel, PanelState& state, Commands& commands, int id) {
  if (const int preset = presetOfButton(id); preset >= 0) {
    mirrorResult(panel, commands.view(), commands.applyPreset(preset));
    return;
  }
  if (const CheckBox* box = findCheckBox(id)) {
    mirrorResult(panel, commands.view(), commands.setOption(box->option, panel.checked(id)));
    return;
  }
  switch (id) {
    case panelid::save:
      commands.savePreset();
      break;
    case panelid::custom:
      openOnce(state.customDialogOpen, [&panel] { panel.openCustom(); });
      break;
    case panelid::help:
      openOnce(state.helpDialogOpen, [&panel] { panel.openHelp(); });
      break;
    case panelid::now:
      commands.refreshNow();
      break;
    case kCommandCancel:
      break;  // a cancel: the panel stays
    default:
      panelScroll(panel, commands);  // Enter and anything else re-read the sliders
      break;
  }
}

CommandResult panelKey(PanelControls& panel, PanelState& state, Commands& commands, int code) {
  if (code == platform::kControlKey + 'Q') return commands.quit();
  if (code == platform::kKeyF1) panelCommand(panel, state, commands, panelid::help);
  return {};
}
