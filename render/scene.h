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

// Where the renderer reads the time (the scene pass and the night band of the texture build).
// The program uses the platform clock; tests put a fixed clock here.
struct SceneClock {
  uint32_t (*tick)() = platform::tickMs;
  platform::DateTime (*utc)() = platform::utcNow;
  platform::DateTime (*local)() = platform::localNow;
};
extern SceneClock sceneClock;

// Globe motion kept between frames.
extern float shownTilt;  // eases toward DisplayState::tilt by a third of the gap per frame
extern float spinAngle;  // turn about the polar axis applied to the globe
extern int32_t sunAngle;      // UTC minutes of the day / 4 + 189, in 1 to 360
extern int32_t lastSunAngle;  // sunAngle at which the texture was last requested

// Scale from globe model units to camera units for a zoom level.
float globeScale(int32_t zoom);

// The sun angle for a UTC time of day; a longitude lon faces the sun's noon when
// 360 - angle + 9.62 = lon.
int32_t sunAngleAt(int32_t utcHour, int32_t utcMinute);

// Folds a rotation that one frame's step took past 360 or below 0 back into 0 to 360.
float wrapRotation(float rotation);

// The 1.5-second label step at `tick`: when due, moves the phase on (wrapping after 4 with
// alternative texts, else after 3) and every fifth step lets the ticker move again.
void stepLabelCycle(uint32_t tick, bool altText);

// Time keeping at the end of the scene pass: records the times, moves the sun, requests a
// texture rebuild when the sun angle changed, and turns the globe (noon or spin).
void keepTime(const platform::DateTime& local, const platform::DateTime& utc);
