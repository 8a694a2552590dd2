#pragma once
// Start-up: the placement read from the settings file and the program's run from the first
// window to the last message.
#include "shell/main_window.h"

// Limits a stored placement in the program's order: a corner beyond +-8096 goes to 0, a
// size above 4096 to 400, and a size below 160 x 120 up to it.
Placement clampPlacement(Placement stored);

// The size factor for texts, dialogs and the default window size: the `scale` setting when
// it holds one, else what the display says (platform/display_scale).
double chooseScale();

// What the program's commands need of it: the reset throws away the script cache file.
CommandLinks programCommandLinks();

// Reads the stored window placement (a client area) and clamps it. Where the file has no
// place, the window's frame goes to the default corner; defaults (corner and size) grow by
// `scale`.
Placement readPlacement(double scale);

// The control panel's stored place (its client area), or its frame at the default corner.
platform::WindowPlace readPanelPlace();

// The whole program, with the main window wired as `links` say (its records never null):
// returns the exit code. Any argument ends it at once with 0, before the records are used.
int runProgram(int argc, char** argv, MainWindowLinks links);
