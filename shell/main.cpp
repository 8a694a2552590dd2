// The program's entry: wires the control panel into the main window and runs.
#include "model/settings.h"
#include "model/window_handles.h"
#include "panel/dialog_tables.h"
#include "panel/panel_window.h"
#include "shell/fetch_link.h"
#include "shell/startup.h"

namespace {

// The start-up kick's part of the panel: create it where it was last closed (its preset
// section starts as A's), then let the loop apply preset A.
void createAndPlacePanel() {
  if (panelWindow.load() != nullptr) return;
  createPanel(readSettingInt(SettingKey::panelLeft), readSettingInt(SettingKey::panelTop));
  postPanelCommand(panelid::startPreset);
}

}  // namespace

int main(int argc, char** argv) {
  MainWindowLinks links;
  links.panel.create = createAndPlacePanel;
  links.panel.show = showPanel;
  links.panel.outerRect = panelOuterRect;
  links.fetch = linkFetchRun([] { return panelWindow.load() != nullptr; });
  const int code = runProgram(argc, argv, std::move(links));
  destroyPanel();  // the panel goes with its owner, the main window
  return code;
}
