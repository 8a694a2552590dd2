#pragma once
// The main window's message handlers: creation and the start-up kick, paint with the fetch
// schedule, size, mouse and keys, close and destruction. The FLTK window (platform/window)
// calls them on the UI thread; the input's arithmetic lives in shell/input.
#include <functional>

#include "model/window_handles.h"
#include "platform/window.h"
#include "shell/startup.h"

// What the main window asks of the control panel, set by the program's entry before the
// window is created. Each may be empty while there is no panel.
struct PanelHooks {
  std::function<void()> create;                    // create the panel once, place and show it
  std::function<void()> show;                      // bring the panel to the top and show it
  std::function<bool(platform::Rect&)> outerRect;  // false while there is no panel
};
extern PanelHooks panelHooks;

// The fetch thread's procedure, run on a new thread once per start. Its last acts must be
// endFetchRun: fetchRunning = 0, then fetchDone = 1. Until the fetch run itself is wired in,
// it does only that.
using FetchProcedure = std::function<void()>;
extern FetchProcedure fetchProcedure;

class MainWindowHandler : public platform::WindowEvents {
 public:
  void paint() override;
  void size() override;
  void leftDown(int x, int y) override;
  void leftUp() override;
  void leftDoubleClick(int x, int y) override;
  void rightDown() override;
  void rightUp() override;
  void nonClientButtonUp() override;
  void mouseMove(int x, int y) override;
  void wheel(int distance) override;
  void key(int code) override;
  void close() override;

  // The creation steps that need the mapped window: context, fonts, first ticks.
  void create(platform::MainWindow& window);
  // The start-up kick: control panel, preset A, first fetch.
  void startupKick();
  // Teardown after the window is gone: the bounded wait for the fetch thread, then quit.
  void destroy();
};

// Creates, prepares and shows the main window at the placement; false if it could not be.
bool createMainWindow(const Placement& placement);
