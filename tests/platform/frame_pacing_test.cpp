#include "platform/frame_pacing.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacing, DisplayPacesOnlyWithSwapControlOnARealRenderer) {
  const struct {
    bool swapControl;
    const char* renderer;
    platform::FramePacing pacing;
  } cases[] = {
      {true, "AMD Radeon RX 580 (polaris10, LLVM 15.0.6, DRM 3.49)",
       platform::FramePacing::display},
      {false, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", platform::FramePacing::timer},
      {true, "llvmpipe (LLVM 15.0.6, 256 bits)", platform::FramePacing::timer},
      {true, "softpipe", platform::FramePacing::timer},
      {true, "Software Rasterizer", platform::FramePacing::timer},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::choosePacing(c.swapControl, c.renderer), c.pacing) << c.renderer;
  }
}

TEST(FramePacing, SwapsThatDoNotWaitAreFoundAfterThirtyFrames) {
  const struct {
    uint64_t frameUs;
    bool returnAtOnce;
  } cases[] = {{16667, false}, {4167, false}, {3400, false}, {3200, true}, {300, true}};
  for (const auto& c : cases) {
    platform::SwapWatch watch;
    uint64_t now = 1000000;
    for (int frame = 0; frame < platform::kWatchedFrames; ++frame, now += c.frameUs) {
      EXPECT_FALSE(platform::swapsReturnAtOnce(watch, now)) << c.frameUs;
    }
    EXPECT_EQ(platform::swapsReturnAtOnce(watch, now), c.returnAtOnce) << c.frameUs;
  }
}

}  // namespace
