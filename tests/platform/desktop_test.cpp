#include "platform/desktop.h"

#include <gtest/gtest.h>

namespace {

// A 1280x1024 screen with a 30-pixel panel at the top, and openbox's frame: 1 pixel at the
// sides, a 20-pixel title bar, a 5-pixel bottom edge.
TEST(FitToWorkArea, SizeThenPlaceKeepTheWholeWindowInside) {
  constexpr platform::Rect kWork{0, 30, 1280, 1024};
  constexpr platform::FrameExtents kFrame{1, 1, 20, 5};
  const struct {
    const char* what;
    platform::WindowPlace place;
    platform::FrameExtents frame;
    platform::Rect work;
    platform::Rect expected;
  } cases[] = {
      {"inside: kept", {200, 60, 640, 480}, kFrame, kWork, {200, 60, 840, 540}},
      {"title bar under the panel", {200, 2, 640, 480}, kFrame, kWork, {200, 50, 840, 530}},
      {"frame corner", {200, 2, 640, 480, true}, kFrame, kWork, {201, 50, 841, 530}},
      {"frame corner inside", {200, 40, 640, 480, true}, kFrame, kWork, {201, 60, 841, 540}},
      {"beyond right and bottom", {1000, 900, 640, 480}, kFrame, kWork, {639, 539, 1279, 1019}},
      {"beyond the left", {-500, 100, 640, 480}, kFrame, kWork, {1, 100, 641, 580}},
      {"too large: shrinks, then moves", {-1, -18, 2402, 1637}, kFrame, kWork, {1, 50, 1279, 1019}},
      {"no frame", {0, 0, 640, 480}, {}, kWork, {0, 30, 640, 510}},
      {"no room: a pixel, top left first",
       {5, 5, 640, 480},
       kFrame,
       {0, 30, 1, 40},
       {1, 50, 2, 51}},
  };
  for (const auto& c : cases) {
    const platform::Rect got = platform::fitToWorkArea(c.place, c.frame, c.work);
    EXPECT_EQ(got.left, c.expected.left) << c.what;
    EXPECT_EQ(got.top, c.expected.top) << c.what;
    EXPECT_EQ(got.right, c.expected.right) << c.what;
    EXPECT_EQ(got.bottom, c.expected.bottom) << c.what;
  }
}

}  // namespace
