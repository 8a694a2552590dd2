#include "render/frame_step.h"

#include <algorithm>
#include <cmath>

namespace {

// A frame this close to a whole number of 1/60 s (here 3 %, half a millisecond) counts as
// that number: a display that refreshes a little off 60 Hz, or a timer that wakes a little
// late, then shows exactly the per-frame picture, and the ticker does not stutter between
// one and two characters. Frames further off keep their measured length, so that the
// motion still adds up to the time that passed.
constexpr double kWholeFrameTolerance = 0.03;

}  // namespace

float takeFrameStep(FrameClock& clock, uint64_t nowUs) {
  const bool first = !clock.started;
  const uint64_t lastUs = clock.lastUs;
  clock.lastUs = nowUs;
  clock.started = true;
  if (first) return 1.0f;
  if (nowUs <= lastUs) return 0.0f;
  double frames = static_cast<double>(nowUs - lastUs) / kFrameUs;
  const double whole = std::round(frames);
  if (whole >= 1.0 && std::abs(frames - whole) < kWholeFrameTolerance) frames = whole;
  return static_cast<float>(std::min(frames, static_cast<double>(kMaxFrameStep)));
}

void stopFrameClock(FrameClock& clock) { clock.started = false; }

int32_t takeWholeSteps(float& carry, float frames) {
  carry += std::max(frames, 0.0f);
  const float whole = std::floor(carry);
  carry -= whole;
  return static_cast<int32_t>(whole);
}
