#pragma once
// Start-up: the placement read from the settings file and the program's run from the first
// window to the last message.
#include "shell/main_window.h"

// Limits a stored placement in the program's order: a corner beyond +-8096 goes to 0, a
// size above 4096 to 400, and a size below 160 x 120 up to it.
Placement clampPlacement(Placement stored);

// What the program's commands need of it: the reset throws away the script cache file.
CommandLinks programCommandLinks();

// Reads the stored window placement and clamps it.
Placement readPlacement();

// The whole program, with the main window wired as `links` say (its records never null):
// returns the exit code. Any argument ends it at once with 0, before the records are used.
int runProgram(int argc, char** argv, MainWindowLinks links);
