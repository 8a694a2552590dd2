// The program's entry: makes the program's records, wires the control panel and the fetch
// run into the main window and runs.
#include "model/settings.h"
#include "model/window_handles.h"
#include "panel/clocks_dialog.h"
#include "panel/panel_window.h"
#include "shell/fetch_link.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  ProgramRecords records(programCommandLinks());
  PanelWindow panel(records.commands);
  MainWindowLinks links;
  links.records = &records;
  // The start-up kick's part of the panel: create it where it was last closed.
  links.panel.create = [&panel] {
    if (panelWindow.load() != nullptr) return;
    panel.create(readPanelPlace());
  };
  links.panel.show = [&panel] { panel.show(); };
  links.panel.clientRect = [&panel](platform::Rect& rect) { return panel.clientRect(rect); };
  links.panel.mirror = [&panel](const CommandResult& result) { panel.mirror(result); };
  links.clocksDialog = [&records] { runClocksDialog(records.commands); };
  links.fetch = linkFetchRun(records, [] { return panelWindow.load() != nullptr; });
  const int code = runProgram(argc, argv, std::move(links));
  panel.destroy();  // the panel goes with its owner, the main window
  return code;
}
