#pragma once
// Start-up: the placement read from the settings file and the program's run from the first
// window to the last message.
#include <cstdint>

struct Placement {
  int32_t x, y, width, height;
};

// Limits a stored placement in the program's order: a corner beyond +-8096 goes to 0, a
// size above 4096 to 400, and a size below 160 x 120 up to it.
Placement clampPlacement(Placement stored);

// Reads mainx, mainy, mainx1 and mainy1 and clamps them.
Placement readPlacement();

// The whole program: returns the exit code. Any argument ends it at once with 0.
int runProgram(int argc, char** argv);
