// The entry of the C++ window tests: waits until the X server answers and hands FLTK that very
// connection, so that a server still starting up (or one that resets when its last client
// leaves) cannot end the run with "Can't open display" before the first test.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

// Last: the X headers define macros that clash with names in the headers above.
#include <FL/x.H>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || name[0] == '\0') {
    std::fprintf(stderr, "no DISPLAY: run the window tests under an X server (xvfb-run)\n");
    return 1;
  }
  Display* display = nullptr;
  for (int attempt = 0; attempt < 100 && display == nullptr; ++attempt) {  // up to 10 s
    display = XOpenDisplay(nullptr);
    if (display == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (display == nullptr) {
    std::fprintf(stderr, "the X server at DISPLAY=%s does not answer\n", name);
    return 1;
  }
  fl_open_display(display);
  return RUN_ALL_TESTS();
}
