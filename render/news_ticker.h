#pragma once
// The news ticker line along the bottom of the window.
#include <cstdint>

extern int32_t tickerPos;    // index of the first character shown
extern int32_t tickerPause;  // frames to wait before the ticker moves again

// Draws the ticker line in the overlay frame and advances it.
void drawTicker();
