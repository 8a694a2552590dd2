#pragma once
// The main window: an OpenGL window whose events are handed to the program as plain calls,
// and the message loop that drives it. Nothing here exposes FLTK types.
#include <memory>
#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/keys.h"
#include "platform/rect.h"

namespace platform {

// Calls that the window makes on the UI thread. Coordinates are client pixels, y downward.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // One frame, at the window's pace (see setFrameRate), and when the window was exposed.
  // Never while the window is not seen.
  virtual void paint() = 0;
  // About once a second while the window is not seen (minimised, unmapped, fully covered)
  // and draws no frames: for what must go on without them.
  virtual void unseenTick() {}
  virtual void size() {}
  virtual void leftDown(int /*x*/, int /*y*/) {}
  virtual void leftUp() {}
  virtual void leftDoubleClick(int /*x*/, int /*y*/) {}
  virtual void rightDown() {}
  virtual void rightUp() {}
  virtual void nonClientButtonUp() {}
  virtual void mouseMove(int /*x*/, int /*y*/) {}
  virtual void mouseLeave() {}  // the pointer left the client area
  // Notches of the wheel: positive when it turns away from the user.
  virtual void wheel(int /*notches*/) {}
  // A key, as platform/keys.h tells.
  virtual void key(int /*code*/) {}
  // The user asked to close the window; asked before runLoop starts, it arrives when it starts.
  virtual void close() = 0;
};

// The deepest depth buffer the display offers with a double-buffered RGB visual of 8 bits a
// channel, trying 32 bits first; 0 when the display offers no such visual at all.
int chooseDepthBits();

// The X window class of the program's windows (WM_CLASS: "orbiquant", "Orbiquant"); the
// desktop entry names the class as StartupWMClass.
constexpr const char* kWindowClass = "orbiquant";

class MainWindow {
 public:
  // A window whose client area goes where `place` asks, fitted into the work area when it is
  // shown. With depthBits 0 the window has no OpenGL context and paints nothing.
  MainWindow(const WindowPlace& place, int depthBits, WindowEvents& events);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The pace of frames where the display does not set one (no swap control, a software
  // renderer, swaps that return at once): framesPerSecond, clamped to 10 to 240 (default
  // 30). Where the display paces the swaps, one frame per refresh.
  void setFrameRate(int framesPerSecond);
  // Maps the window, makes its OpenGL context current and starts the frames. False when
  // there is no context.
  bool show();
  bool hasContext() const;
  void makeCurrent();
  void swapBuffers();
  void setCaption(std::string_view text);
  std::string caption() const;
  int clientWidth() const;
  int clientHeight() const;
  // The client area in screen coordinates.
  Rect clientRect() const;
  // The client area to store as the window's place: where it is now, or, while the window
  // is full screen, where it was before it went full screen.
  Rect placementToStore() const;
  // Full screen on or off (asks the window manager; without one, the window covers the
  // screen); off returns the window to where it was before. fullScreen() says what was asked
  // last.
  void setFullScreen(bool on);
  bool fullScreen() const;
  void raise();
  // Shows a hidden or minimised window without moving, sizing or raising a visible one.
  void reveal();
  // As if the user had clicked the close box: WindowEvents::close runs (see there when).
  void requestClose();
  void destroy();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

int screenWidth();

// FLTK reads its options from preferences files the first time a widget asks for one, and in
// doing so creates ~/.fltk/fltk.org/fltk.prefs. The program uses none of FLTK's preferences:
// call this before the first window, and the options are read without making that file (one
// that is already there, made by another program, is read as usual).
void readToolkitOptions();

// Runs the loop until quit() is called; returns quit's code. A close asked for before the
// loop ran is delivered first. When it returns, work that workers hand to the UI thread
// no longer runs (stopUiCalls).
int runLoop();
void quit(int code);

}  // namespace platform
