#pragma once
// What the first steps of one frame hand to the later ones.
#include <cstdint>

// The globe projection's far plane, in camera units from the eye: just behind the globe's
// centre, so only the near hemisphere and what sits on it is drawn.
constexpr double kGlobeFarPlane = 0.02005;

struct FrameLayout {
  float viewportWidth = 0.0f;  // the viewport this frame draws into
  int32_t viewportHeight = 0;
  int32_t layoutHeight = 0;    // the viewport height as a 96-dpi screen would have it
  int32_t tickerFontBase = 0;  // chosen from the height; the dial labels use one size below
  float tagScale = 1.0f;       // tag texts, marks and boxes: the display's scale, grown with the
                               // window as the ticker grows
  int32_t localClockHour = 0;  // the local hour on the twelve-hour dial
};
