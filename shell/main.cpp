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
void createAndPlacePanel(PanelWindow& panel) {
  if (panelWindow.load() != nullptr) return;
  panel.create(readSettingInt(SettingKey::panelLeft), readSettingInt(SettingKey::panelTop));
  panel.postCommand(panelid::startPreset);
}

}  // namespace

int main(int argc, char** argv) {
  PanelWindow panel;
  MainWindowLinks links;
  links.panel.create = [&panel] { createAndPlacePanel(panel); };
  links.panel.show = [&panel] { panel.show(); };
  links.panel.outerRect = [&panel](platform::Rect& rect) { return panel.outerRect(rect); };
  links.panel.command = [&panel](int command) { panel.command(command); };
  links.fetch = linkFetchRun([] { return panelWindow.load() != nullptr; });
  const int code = runProgram(argc, argv, std::move(links));
  panel.destroy();  // the panel goes with its owner, the main window
  return code;
}
