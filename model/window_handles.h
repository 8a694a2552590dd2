#pragma once
// The handles of the program's two windows, shared with the display state: null while the
// window does not exist.
#include <atomic>

namespace platform {
class MainWindow;
class Dialog;
}  // namespace platform

// The main window. Written and read by the UI thread only: set when the window is created,
// cleared when it is destroyed.
extern platform::MainWindow* mainWindow;

// The control panel's window. Written by the UI thread when the panel is created and
// destroyed; the fetch thread reads it to decide whether it reports its progress.
extern std::atomic<platform::Dialog*> panelWindow;
