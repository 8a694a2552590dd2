// Frames only while the window is seen: unmapped (as a minimised window is) or covered by
// another window, the main window draws nothing and its slow tick runs instead; shown again,
// the frames come back. Every wait is for a state, bounded in time.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/window.h"

// Last: the X headers define macros that clash with names in the headers above.
#include <FL/x.H>

namespace {

class CountingEvents : public platform::WindowEvents {
 public:
  void paint() override { ++paints; }
  void unseenTick() override { ++unseenTicks; }
  void close() override {}
  int paints = 0;
  int unseenTicks = 0;
};

// Runs the loop until `done` holds, for up to 15 s; returns done().
bool pumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!done() && std::chrono::steady_clock::now() < end) Fl::wait(0.05);
  return done();
}

// An undecorated window over the whole screen, above the main window.
Window coverScreen() {
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  const Window cover =
      XCreateWindow(fl_display, RootWindow(fl_display, fl_screen), 0, 0,
                    static_cast<unsigned>(DisplayWidth(fl_display, fl_screen)),
                    static_cast<unsigned>(DisplayHeight(fl_display, fl_screen)), 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
  XMapRaised(fl_display, cover);
  XFlush(fl_display);
  return cover;
}

class PacingWindowTest : public ::testing::Test {
 protected:
  // Waits for the frames to stop: a tick of the slow timer, then two more without a frame.
  void expectFramesStop(const char* what) {
    const int ticks = events.unseenTicks;
    ASSERT_TRUE(pumpUntil([&] { return events.unseenTicks > ticks; })) << what;
    const int paints = events.paints;
    ASSERT_TRUE(pumpUntil([&] { return events.unseenTicks > ticks + 2; })) << what;
    EXPECT_EQ(events.paints, paints) << what;
  }
  void expectFramesComeBack(const char* what) {
    const int paints = events.paints;
    EXPECT_TRUE(pumpUntil([&] { return events.paints > paints + 5; })) << what;
  }

  CountingEvents events;
};

TEST_F(PacingWindowTest, NoFramesWhileUnmappedOrCovered) {
  platform::MainWindow window({0, 0, 320, 240}, platform::chooseDepthBits(), events);
  window.setFrameRate(60);
  window.show();
  ASSERT_TRUE(pumpUntil([&] { return events.paints > 5; }));
  EXPECT_EQ(events.unseenTicks, 0);
  const Window xid = fl_xid(Fl::first_window());

  XUnmapWindow(fl_display, xid);
  XFlush(fl_display);
  expectFramesStop("unmapped");
  XMapWindow(fl_display, xid);
  XFlush(fl_display);
  expectFramesComeBack("mapped again");

  const Window cover = coverScreen();
  expectFramesStop("covered");
  XDestroyWindow(fl_display, cover);
  XFlush(fl_display);
  expectFramesComeBack("uncovered");
  window.destroy();
}

}  // namespace
