#include "platform/frame_pacing.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// Frames closer than this (300 a second, above the 240 Hz of the fastest common displays)
// come from swaps that do not wait for a refresh.
constexpr uint64_t kFastestRefreshUs = 3333;

}  // namespace

int clampFrameRate(int framesPerSecond) {
  return std::clamp(framesPerSecond, kMinFrameRate, kMaxFrameRate);
}

FramePacing choosePacing(bool swapControl, std::string_view rendererName) {
  if (!swapControl) return FramePacing::timer;
  constexpr std::array<std::string_view, 4> kSoftware = {"llvmpipe", "softpipe", "swrast",
                                                         "Software Rasterizer"};
  for (std::string_view name : kSoftware) {
    if (rendererName.find(name) != std::string_view::npos) return FramePacing::timer;
  }
  return FramePacing::display;
}

bool swapsReturnAtOnce(SwapWatch& watch, uint64_t nowUs) {
  if (watch.frames == 0) watch.firstUs = nowUs;
  if (watch.frames++ < kWatchedFrames) return false;
  const uint64_t elapsed = nowUs - watch.firstUs;
  watch.frames = 0;
  return elapsed < kWatchedFrames * kFastestRefreshUs;
}

}  // namespace platform
