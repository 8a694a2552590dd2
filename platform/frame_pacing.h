#pragma once
// How the main window paces its frames. Where the driver offers swap control and the swap
// really waits for the display's refresh, frames follow one another as fast as the loop
// allows and the display sets the pace. Where it does not (software rendering, a virtual X
// server, a driver that ignores the swap interval), a frame timer at the program's frame
// rate sets it instead, so that the window never draws as fast as the machine can.
#include <cstdint>
#include <string_view>

namespace platform {

enum class FramePacing { display, timer };

constexpr int kMinFrameRate = 10;
constexpr int kMaxFrameRate = 240;
constexpr int kDefaultFrameRate = 30;

// A frame rate within kMinFrameRate to kMaxFrameRate.
int clampFrameRate(int framesPerSecond);

// Display pacing needs swap control and a renderer that draws to a real display: the
// software rasterisers (llvmpipe, softpipe, swrast) never wait for a refresh.
FramePacing choosePacing(bool swapControl, std::string_view rendererName);

// Watches the frames of display pacing for swaps that return at once: every kWatchedFrames
// frames it compares their time with what the fastest display allows.
struct SwapWatch {
  int frames = 0;
  uint64_t firstUs = 0;
};
constexpr int kWatchedFrames = 30;

// Counts a frame presented at nowUs; true when the last kWatchedFrames frames came faster
// than 300 a second, faster than common displays refresh: the swaps do not wait.
bool swapsReturnAtOnce(SwapWatch& watch, uint64_t nowUs);

}  // namespace platform
