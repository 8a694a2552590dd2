#pragma once
// Motion by elapsed time. Everything that moves on screen is described per frame of 1/60 s
// (the spin rate in degrees per frame, the tilt easing by a third per frame, the ticker by a
// character per frame); each frame measures the time since the one before on the monotonic
// clock, in those frames, and every step advances by that amount. At 60 frames a second a
// step is 1 and the picture is the one the per-frame rules describe; at any other rate the
// motion keeps the same speed on the screen.
#include <cstdint>

// Microseconds in a frame of 1/60 s.
constexpr double kFrameUs = 1e6 / 60.0;

// The largest step one frame takes: a stalled frame or a suspended machine moves things on
// by at most this much (1/6 s), which stays above the slowest pace, 10 frames a second.
constexpr float kMaxFrameStep = 10.0f;

struct FrameClock {
  uint64_t lastUs = 0;
  bool started = false;  // false until the first frame, and again after frames stopped
};

// Frames of 1/60 s from the previous call to `nowUs`, at most kMaxFrameStep, and a whole
// number when within 3 % of one; 1 for the first frame after the clock started or was
// stopped (stopFrameClock), and 0 if time went backward.
float takeFrameStep(FrameClock& clock, uint64_t nowUs);

// Forgets the last frame, so that the next one after a pause steps like a first frame.
void stopFrameClock(FrameClock& clock);

// Where a carry of partial steps starts (and starts again after the motion stood still): half
// way, so that frames a little more or less than 1/60 s apart take one step each.
constexpr float kCarryStart = 0.5f;

// Adds `frames` to `carry` and takes out the whole steps, which it returns; the fraction stays
// in `carry` for later frames.
int32_t takeWholeSteps(float& carry, float frames);
