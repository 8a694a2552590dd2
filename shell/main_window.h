#pragma once
// The main window's message handlers: creation and the start-up kick, paint, size, close and
// destruction. The FLTK window (platform/window) calls them on the UI thread.
#include <functional>

#include "platform/window.h"
#include "shell/startup.h"

// The main window; null before it is created and after it is destroyed.
extern platform::MainWindow* mainWindow;

// What the main window asks of the control panel, set by the program's entry before the
// window is created. Each may be empty while there is no panel.
struct PanelHooks {
  std::function<void()> create;           // create the panel once, place and show it
  std::function<void()> show;             // bring the panel to the top and show it
  std::function<bool(platform::Rect&)> outerRect;  // false while there is no panel
};
extern PanelHooks panelHooks;

class MainWindowHandler : public platform::WindowEvents {
 public:
  void paint() override;
  void size() override;
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
