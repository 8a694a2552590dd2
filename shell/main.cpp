// The program's entry: wires the control panel into the main window and runs.
#include <cstring>

#include "panel/view_presets.h"
#include "shell/main_window.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  panelHooks.create = [] { std::memcpy(presetSection, "bank1", sizeof presetSection); };
  return runProgram(argc, argv);
}
