// Full screen and the place the main window stores: while it is full screen, the place it
// had before, so that a window closed full screen opens as it was before. Under a window
// manager and on the bare server alike.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <functional>

#include "platform/window.h"

namespace {

class QuietEvents : public platform::WindowEvents {
 public:
  void paint() override {}
  void close() override {}
};

// Runs the loop until `done` holds, for up to 5 s.
bool waitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) Fl::wait(0.01);
  return done();
}

bool same(const platform::Rect& a, const platform::Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(FullScreenWindowTest, StoresThePlaceFromBeforeFullScreen) {
  QuietEvents events;
  platform::MainWindow window({100, 120, 320, 240}, platform::chooseDepthBits(), events);
  window.show();
  const platform::Rect before = window.clientRect();
  ASSERT_EQ(before.right - before.left, 320);

  window.setFullScreen(true);
  EXPECT_TRUE(window.fullScreen());
  EXPECT_TRUE(waitUntil([&] { return window.clientWidth() == Fl::w(); })) << "not full screen";
  const platform::Rect stored = window.placementToStore();
  EXPECT_TRUE(same(stored, before))
      << stored.left << "," << stored.top << " " << stored.right - stored.left << "x"
      << stored.bottom - stored.top;

  window.setFullScreen(false);
  EXPECT_FALSE(window.fullScreen());
  EXPECT_TRUE(waitUntil([&] { return same(window.clientRect(), before); }))
      << "not back where it was";
  EXPECT_TRUE(same(window.placementToStore(), before));
  window.destroy();
}

}  // namespace
