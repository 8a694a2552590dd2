#include "shell/main_window.h"

#include <memory>
#include <system_error>
#include <thread>

#include "model/display_state.h"
#include "model/item_table.h"
#include "model/settings.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include "platform/ui_thread.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/pick.h"
#include "render/scene.h"
#include "render/tags.h"
#include "shell/input.h"

PanelHooks panelHooks;

namespace {

MainWindowHandler handler;
std::unique_ptr<platform::MainWindow> window;

// The last started fetch thread; joined before the next one starts, and at teardown when
// it has finished. One still running at exit is left to end with the process.
struct FetchThreadHandle {
  std::thread thread;
  ~FetchThreadHandle() {
    if (thread.joinable()) thread.detach();
  }
};
FetchThreadHandle fetchThreadHandle;
std::thread& fetchThread = fetchThreadHandle.thread;

void startFetchThread() {
  // The previous thread has cleared fetchRunning but may not yet have made its last store,
  // fetchDone = 1; waiting for it keeps that store from landing after this run's
  // fetchDone = 0, which would cut the shutdown wait short while this run goes on.
  if (fetchThread.joinable()) fetchThread.join();
  beginFetchRun(displayState);
  try {
    fetchThread = std::thread(fetchProcedure);
  } catch (const std::system_error&) {
    endFetchRun(displayState);  // no thread: the next period tries again
  }
}

void releaseFetchThread() {
  if (!fetchThread.joinable()) return;
  if (displayState.fetchDone.load() != 0) {
    fetchThread.join();
  } else {
    fetchThread.detach();
  }
}

int32_t pickedIndex(const PickAnswer& answer) {
  return answer.inside ? tagIndexFromPixel(answer.red, answer.green, answer.blue) : -1;
}

// Answers that the frame just drawn gave to the hover and double-click picks.
void applyPickAnswers() {
  const auto table = shownItemTable();
  PickAnswer answer{};
  if (takePickAnswer(PickPurpose::hover, answer)) {
    displayState.hoveredItem = pickedTag(pickedIndex(answer), table->itemCount());
  }
  if (!takePickAnswer(PickPurpose::open, answer)) return;
  const int32_t tag = pickedTag(pickedIndex(answer), table->itemCount());
  const int32_t height = mainWindow ? mainWindow->clientHeight() : 0;
  switch (doubleClickTarget(tag, clientCoordinate(answer.y), height)) {
    case DoubleClickTarget::tagPage:
      platform::openUrl(table->field(kWebPageColumn, tag));
      break;
    case DoubleClickTarget::newsPage:
      platform::openUrl(readSettingText(SettingKey::newsPage));
      break;
    case DoubleClickTarget::nothing:
      break;
  }
}

}  // namespace

FetchProcedure fetchProcedure = [] { endFetchRun(displayState); };

void MainWindowHandler::create(platform::MainWindow& w) {
  mainWindow = &w;
  if (w.hasContext()) createFonts();
  displayState.lastFetchTick = platform::tickMs();
  phaseTickDue = displayState.lastFetchTick;
}

void MainWindowHandler::startupKick() {
  if (panelHooks.create) panelHooks.create();
  displayState.lastFetchTick = 0;
  displayState.fetchNow = 1;
}

void MainWindowHandler::paint() {
  if (!mainWindow) return;
  const uint32_t before = platform::tickMs();
  if (!mainWindow->hasContext()) {
    answerPicksWithoutPixels();  // nothing is drawn, so no pixel names a tag
  } else if (displayState.frameBusy == 0) {
    composeFrame(*mainWindow);  // answers the pending picks before presenting
  }
  applyPickAnswers();
  if (fetchSchedule(displayState, before, platform::tickMs()) == FetchDecision::start) {
    startFetchThread();
  }
}

void MainWindowHandler::size() { displayState.viewportDirty = kViewportRelayout; }

void MainWindowHandler::leftDown(int /*x*/, int y) {
  // FLTK keeps sending drag moves to the window while the button is held: the capture.
  leftButtonDown(displayState, clientCoordinate(y));
}

void MainWindowHandler::leftUp() { leftButtonUp(displayState); }

void MainWindowHandler::leftDoubleClick(int x, int y) { requestPick(PickPurpose::open, x, y); }

// The right button is not captured; its release brings back a panel its close box hid.
void MainWindowHandler::rightDown() { displayState.rightDragging = 1; }

void MainWindowHandler::rightUp() {
  displayState.rightDragging = 0;
  if (panelHooks.show) panelHooks.show();
}

void MainWindowHandler::nonClientButtonUp() {
  displayState.leftDragging = 0;
  displayState.rightDragging = 0;
}

void MainWindowHandler::mouseMove(int x, int y) {
  switch (moveAction(displayState)) {
    case MoveAction::hoverPick:
      requestPick(PickPurpose::hover, x, y);
      break;
    case MoveAction::leftDrag:
      leftDragMove(displayState, clientCoordinate(x), clientCoordinate(y),
                   mainWindow ? mainWindow->clientWidth() : 0, platform::screenWidth());
      break;
    case MoveAction::zoomDrag:
      zoomDragMove(displayState, clientCoordinate(y), mainWindow ? mainWindow->clientHeight() : 0);
      break;
    case MoveAction::none:
      break;
  }
}

void MainWindowHandler::wheel(int distance) {
  // The window system's wheel distance is a signed 16-bit word.
  wheelTurn(displayState, static_cast<int16_t>(distance));
}

void MainWindowHandler::key(int code) { keyDown(displayState, code); }

void MainWindowHandler::close() {
  displayState.closing = 1;
  const platform::Rect outer = mainWindow->outerRect();
  writeSettingInt(SettingKey::windowLeft, outer.left);
  writeSettingInt(SettingKey::windowTop, outer.top);
  writeSettingInt(SettingKey::windowWidth, outer.right - outer.left);
  writeSettingInt(SettingKey::windowHeight, outer.bottom - outer.top);
  platform::Rect panel{};
  if (panelHooks.outerRect && panelHooks.outerRect(panel)) {
    writeSettingInt(SettingKey::panelLeft, panel.left);
    writeSettingInt(SettingKey::panelTop, panel.top);
  }
  mainWindow->destroy();
  destroy();
}

void MainWindowHandler::destroy() {
  mainWindow = nullptr;
  // A run waiting for the OK of one of its boxes would hold up the wait below: the boxes
  // go with the window, and from now on the run waits for nothing on this thread.
  platform::closeMessageBoxes();
  platform::stopUiCalls();
  // Give a running fetch up to 2.1 s to finish; it ends with the process otherwise.
  for (int wait = 0; wait < 21; ++wait) {
    platform::sleepMs(100);
    if (displayState.fetchDone.load() != 0) break;
  }
  releaseFetchThread();
  platform::sleepMs(100);
  platform::quit(0);
}

bool createMainWindow(const Placement& placement) {
  const int depthBits = platform::chooseDepthBits();
  if (depthBits == 0) platform::messageBox("ChoosePixelFormat failed", "Error");
  window = std::make_unique<platform::MainWindow>(placement.x, placement.y, placement.width,
                                                  placement.height, depthBits, handler);
  window->show();
  handler.create(*window);
  if (window->hasContext()) initScene(*window);
  handler.startupKick();
  return true;
}
