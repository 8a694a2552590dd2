#pragma once
// The scene pass: globe scale, eased tilt and spin, texture rebuild, the globe, the tag label
// cycle, tags, globe clocks, and the clock and sun that turn the globe for the next frame.
#include <cstdint>

#include "platform/clock.h"

// Read every frame by the scene pass; the dial clocks and frame composition use them.
extern platform::DateTime localTime;
extern platform::DateTime utcTime;

// Tag label cycle: phase 0 to 3 (0 to 4 with alternative texts), stepped every 1.5 s.
extern int32_t labelPhase;
extern uint32_t phaseTickDue;  // tick at which the next step is due
extern int32_t phaseTickCount;

// Draws the scene in the globe's frame; leaves the model-view matrix as it found it.
void drawScene();
