#pragma once
// What the first steps of one frame hand to the later ones.
#include <cstdint>

struct FrameLayout {
  float viewportWidth = 0.0f;  // the viewport this frame draws into
  int32_t viewportHeight = 0;
  int32_t tickerFontBase = 0;  // chosen from the height; the dial labels use one size below
  int32_t localClockHour = 0;  // the local hour on the twelve-hour dial
};
