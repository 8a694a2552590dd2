#pragma once
// The scene pass: globe scale, eased tilt and spin, texture rebuild, the globe, the tag label
// cycle, tags, globe clocks, and the clock and sun that turn the globe for the next frame.
#include <cstdint>

#include "platform/clock.h"

struct DisplayState;
struct FrameLayout;
struct RendererState;

// Draws the scene in the globe's frame; leaves the model-view matrix as it found it. Reads
// the time from the renderer's clock and writes the rotation and the texture request back.
void drawScene(RendererState& renderer, DisplayState& display, const FrameLayout& layout);

// Scale from globe model units to camera units for a zoom level.
float globeScale(int32_t zoom);

// The sun angle for a UTC time of day; a longitude lon faces the sun's noon when
// 360 - angle + 9.62 = lon.
int32_t sunAngleAt(int32_t utcHour, int32_t utcMinute);

// Folds a rotation that one frame's step took past 360 or below 0 back into 0 to 360.
float wrapRotation(float rotation);

// The 1.5-second label step at `tick`: when due, moves the phase on (wrapping after 4 with
// alternative texts, else after 3) and every fifth step lets the ticker move again.
void stepLabelCycle(RendererState& renderer, uint32_t tick, bool altText);

// Time keeping at the end of the scene pass: records the times, moves the sun, requests a
// texture rebuild when the sun angle changed, and turns the globe (noon or spin).
void keepTime(RendererState& renderer, DisplayState& display, const platform::DateTime& local,
              const platform::DateTime& utc);
