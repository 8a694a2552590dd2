#pragma once
// The scene pass: globe scale, eased tilt and spin, texture rebuild, the globe, the tag label
// cycle, tags, globe clocks, and the clock and sun that turn the globe for the next frame.
#include <cstdint>

#include "platform/clock.h"

struct DisplayState;
struct FetchSnapshot;
struct ViewState;
struct FrameLayout;
struct RendererState;
struct RendererRequests;

// Draws the scene in the globe's frame, with the tags and the summer-time flags of the
// frame's fetch results; leaves the model-view matrix as it found it. Reads the time from
// the renderer's clock and writes the rotation and the texture request back.
void drawScene(RendererState& renderer, DisplayState& display, const FetchSnapshot& results,
               const FrameLayout& layout);

// Reads the clocks' zones from the settings at the first call and again when the requests
// ask for new clocks (and clears that request).
void keepClockZones(RendererState& renderer, RendererRequests& requests);

// Scale from globe model units to camera units for a zoom level.
float globeScale(int32_t zoom);

// The sun angle for a UTC time of day; a longitude lon faces the sun's noon when
// 360 - angle + 9.62 = lon.
int32_t sunAngleAt(int32_t utcHour, int32_t utcMinute);

// Folds a rotation that one frame's step took past 360 or below 0 back into 0 to 360 (360
// itself stays).
float wrapRotation(float rotation);

// The shown tilt eased toward `target` over `frames` frames of 1/60 s: the gap shrinks to
// (2/3)^frames of itself, by exactly a third for each whole frame.
float easeTilt(float shown, float target, float frames);

// What is added to the rotation for the angle drawn next frame: the spin over `frames`, or in
// the noon view one frame's spin rate, whatever the frame's length.
float spinStep(const ViewState& view, float frames);

// The globe's motion over the renderer's frame step: the spin angle for the next frame
// (unless both buttons are held) and the tilt easing (unless the right button is held).
void stepGlobeMotion(RendererState& renderer, const DisplayState& display);

// The 1.5-second label step at `tick`: when due, moves the phase on (wrapping after 4 with
// alternative texts, else after 3) and every fifth step lets the ticker move again.
void stepLabelCycle(RendererState& renderer, uint32_t tick, bool altText);

// Time keeping at the end of the scene pass: records the times, moves the sun, requests a
// texture rebuild when the sun angle changed, and turns the globe (noon, or the spin over
// `frames` frames of 1/60 s).
void keepTime(RendererState& renderer, DisplayState& display, const platform::DateTime& local,
              const platform::DateTime& utc, float frames);

// Time keeping while no frames are drawn (the window is not seen): the clock, the sun and
// its texture request go on and the noon view follows the sun; the spin waits. The next
// frame draws the globe where it now stands, the tilt settled, and steps like a first frame.
void keepTimeUnseen(RendererState& renderer, DisplayState& display);
