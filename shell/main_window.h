#pragma once
// The main window's message handlers: creation and the start-up kick, paint with the fetch
// schedule, size, mouse and keys, close and destruction. The FLTK window (platform/window)
// calls them on the UI thread; the input's arithmetic lives in shell/input, and what keys ask
// for is carried out by the commands (command/commands).
//
// The handler owns what the window's frames and fetch runs need: the renderer's state, made
// once at creation, and the fetch procedure with the thread it last ran on. Each frame reads
// the fetch results once (the channel's latest snapshot) and the display record.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "model/window_handles.h"
#include "platform/window.h"
#include "shell/program_records.h"

struct RendererState;

// Where the main window opens: its client area, or with frameCorner (the default place) its
// frame's corner. The window is fitted into the work area when it is shown.
using Placement = platform::WindowPlace;

// What the main window asks of the control panel. Each may be empty: there may be no panel.
struct PanelHooks {
  std::function<void()> create;                      // create the panel once, place and show it
  std::function<void()> show;                        // bring the panel to the top and show it
  std::function<bool(platform::Rect&)> clientRect;   // false while there is no panel
  std::function<void(const CommandResult&)> mirror;  // show a command's result in the widgets
};

// What the program's entry wires into the main window before it is created.
struct MainWindowLinks {
  // The program's records; never null, and they outlive the window.
  ProgramRecords* records = nullptr;
  PanelHooks panel;
  // The fetch thread's procedure, run on a new thread once per start. Its last act must be
  // the schedule's endRun. Empty: the thread does only that.
  std::function<void()> fetch;
  // Opens the clocks dialog (key K) and returns when it closes; empty: the key does nothing.
  std::function<void()> clocksDialog;
  // How much larger texts are drawn on this display (1 at 96 dots per inch).
  float scale = 1.0f;
};

class MainWindowHandler : public platform::WindowEvents {
 public:
  explicit MainWindowHandler(MainWindowLinks links);
  ~MainWindowHandler() override;
  MainWindowHandler(const MainWindowHandler&) = delete;
  MainWindowHandler& operator=(const MainWindowHandler&) = delete;

  void paint() override;
  void size() override;
  void leftDown(int x, int y) override;
  void leftUp() override;
  void leftDoubleClick(int x, int y) override;
  void rightDown() override;
  void rightUp() override;
  void nonClientButtonUp() override;
  void mouseMove(int x, int y) override;
  void mouseLeave() override;
  void wheel(int distance) override;
  void key(int code) override;
  void close() override;
  // While the window is not seen: the time keeping and the fetch schedule go on.
  void unseenTick() override;

  // The creation steps that need the mapped window: context, fonts, first ticks, the scene.
  void create(platform::MainWindow& window);
  // The start-up kick: control panel, preset A (when the loop runs), first fetch.
  void startupKick();
  // Teardown after the window is gone: the bounded wait for the fetch thread, then quit.
  void destroy();

 private:
  void startFetchThread();
  void releaseFetchThread();
  void applyPickAnswers(const FetchSnapshot& results);
  void showStatus(const FetchSnapshot& results);
  void keepFetchSchedule(uint32_t before);
  void mirror(const CommandResult& result);

  MainWindowLinks links_;
  ProgramRecords& records_;
  DisplayState& display_;
  std::unique_ptr<RendererState> renderer_;
  // The last started fetch thread; joined before the next one starts, and at teardown when
  // it has finished. One still running at exit is left to end with the process.
  std::thread fetchThread_;
  bool wasUnseen_ = false;   // unseen ticks ran since the last frame
  std::string shownStatus_;  // the fetch run's status line as the caption shows it
};

// The main window and its handler; keep both until the loop has ended.
struct OpenMainWindow {
  std::unique_ptr<MainWindowHandler> handler;
  std::unique_ptr<platform::MainWindow> window;
};

// Creates, prepares and shows the main window at the placement, wired as `links` say.
OpenMainWindow createMainWindow(const Placement& placement, MainWindowLinks links);
