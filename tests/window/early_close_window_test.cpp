// A close that the window system delivers while the main window is still being shown: FLTK
// handles events inside show(), before the program's handlers are ready, so the close has to
// wait for the loop.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include "platform/window.h"

namespace {

class CountingEvents : public platform::WindowEvents {
 public:
  void paint() override {}
  void close() override {
    ++closes;
    platform::quit(7);
  }
  int closes = 0;
};

// Runs inside the event handling of show(): presses the close box as the window manager does.
void pressCloseBox(void*) {
  if (Fl_Window* window = Fl::first_window()) window->do_callback();
}

TEST(EarlyCloseWindowTest, ACloseDuringShowArrivesWhenTheLoopRuns) {
  CountingEvents events;
  platform::MainWindow window({0, 0, 320, 240}, platform::chooseDepthBits(), events);
  Fl::add_idle(pressCloseBox);
  window.show();
  Fl::remove_idle(pressCloseBox);
  EXPECT_EQ(events.closes, 0);
  EXPECT_EQ(platform::runLoop(), 7);
  EXPECT_EQ(events.closes, 1);
}

}  // namespace
