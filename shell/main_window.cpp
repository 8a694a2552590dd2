#include "shell/main_window.h"

#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "model/display_options.h"
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
#include "render/renderer_state.h"
#include "render/scene.h"
#include "render/tags.h"
#include "shell/input.h"

namespace {

int32_t pickedIndex(const PickAnswer& answer) {
  return answer.inside ? tagIndexFromPixel(answer.red, answer.green, answer.blue) : -1;
}

}  // namespace

MainWindowHandler::MainWindowHandler(MainWindowLinks links)
    : links_(std::move(links)), renderer_(std::make_unique<RendererState>()) {}

MainWindowHandler::~MainWindowHandler() {
  if (fetchThread_.joinable()) fetchThread_.detach();
}

void MainWindowHandler::startFetchThread() {
  // The previous thread has cleared fetchRunning but may not yet have made its last store,
  // fetchDone = 1; waiting for it keeps that store from landing after this run's
  // fetchDone = 0, which would cut the shutdown wait short while this run goes on.
  if (fetchThread_.joinable()) fetchThread_.join();
  beginFetchRun(displayState);
  try {
    if (links_.fetch) {
      fetchThread_ = std::thread(links_.fetch);
    } else {
      fetchThread_ = std::thread([] { endFetchRun(displayState); });
    }
  } catch (const std::system_error&) {
    endFetchRun(displayState);  // no thread: the next period tries again
  }
}

void MainWindowHandler::releaseFetchThread() {
  if (!fetchThread_.joinable()) return;
  if (displayState.fetchDone.load() != 0) {
    fetchThread_.join();
  } else {
    fetchThread_.detach();
  }
}

// Answers that the frame just drawn gave to the hover and double-click picks.
void MainWindowHandler::applyPickAnswers() {
  const auto table = shownItemTable();
  PickRequests& picks = renderer_->picks;
  PickAnswer answer{};
  if (takePickAnswer(picks, PickPurpose::hover, answer)) {
    displayState.hoveredItem = pickedTag(pickedIndex(answer), table->itemCount());
  }
  if (!takePickAnswer(picks, PickPurpose::open, answer)) return;
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

void MainWindowHandler::create(platform::MainWindow& w) {
  mainWindow = &w;
  if (w.hasContext()) createFonts(&renderer_->glyphAtlas);
  displayState.lastFetchTick = platform::tickMs();
  renderer_->phaseTickDue = displayState.lastFetchTick;
  if (w.hasContext()) initScene(w, *renderer_, displayState);
}

void MainWindowHandler::startupKick() {
  if (links_.panel.create) links_.panel.create();
  displayState.lastFetchTick = 0;
  displayState.fetchNow = 1;
}

void MainWindowHandler::paint() {
  if (!mainWindow) return;
  const uint32_t before = platform::tickMs();
  if (!mainWindow->hasContext()) {
    answerPicksWithoutPixels(renderer_->picks);  // nothing is drawn, so no pixel names a tag
  } else if (displayState.frameBusy == 0) {
    // The first frame after a time unseen starts from the time of now, not of the last tick:
    // the sun, and the texture rebuild it asks for, are right before anything is drawn.
    if (std::exchange(wasUnseen_, false)) keepTimeUnseen(*renderer_, displayState);
    composeFrame(*mainWindow, *renderer_, displayState);  // answers the pending picks too
  }
  applyPickAnswers();
  keepFetchSchedule(before);
}

void MainWindowHandler::unseenTick() {
  if (!mainWindow) return;
  const uint32_t before = platform::tickMs();
  keepTimeUnseen(*renderer_, displayState);
  wasUnseen_ = true;
  keepFetchSchedule(before);
}

void MainWindowHandler::keepFetchSchedule(uint32_t before) {
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

void MainWindowHandler::leftDoubleClick(int x, int y) {
  requestPick(renderer_->picks, PickPurpose::open, x, y);
}

// The right button is not captured; its release brings back a panel its close box hid.
void MainWindowHandler::rightDown() { displayState.rightDragging = 1; }

void MainWindowHandler::rightUp() {
  displayState.rightDragging = 0;
  if (links_.panel.show) links_.panel.show();
}

void MainWindowHandler::nonClientButtonUp() {
  displayState.leftDragging = 0;
  displayState.rightDragging = 0;
}

void MainWindowHandler::mouseMove(int x, int y) {
  pointerAt(displayState, clientCoordinate(y), mainWindow ? mainWindow->clientHeight() : 0);
  switch (moveAction(displayState)) {
    case MoveAction::hoverPick:
      requestPick(renderer_->picks, PickPurpose::hover, x, y);
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

void MainWindowHandler::mouseLeave() { pointerLeft(displayState); }

void MainWindowHandler::wheel(int distance) {
  // The window system's wheel distance is a signed 16-bit word.
  wheelTurn(displayState, static_cast<int16_t>(distance));
}

void MainWindowHandler::key(int code) {
  const KeyEffect effect = keyDown(displayState, code);
  if (effect.panelCommand != 0 && links_.panel.command) links_.panel.command(effect.panelCommand);
  if (effect.toggled) writeDisplayOption(displayState, *effect.toggled);
}

void MainWindowHandler::close() {
  displayState.closing = 1;
  const platform::Rect outer = mainWindow->outerRect();
  writeSettingInt(SettingKey::windowLeft, outer.left);
  writeSettingInt(SettingKey::windowTop, outer.top);
  writeSettingInt(SettingKey::windowWidth, outer.right - outer.left);
  writeSettingInt(SettingKey::windowHeight, outer.bottom - outer.top);
  platform::Rect panel{};
  if (links_.panel.outerRect && links_.panel.outerRect(panel)) {
    writeSettingInt(SettingKey::panelLeft, panel.left);
    writeSettingInt(SettingKey::panelTop, panel.top);
  }
  mainWindow->destroy();
  destroy();
}

void MainWindowHandler::destroy() {
  mainWindow = nullptr;
  releaseSharedQuadric(*renderer_);
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

OpenMainWindow createMainWindow(const Placement& placement, MainWindowLinks links) {
  const int depthBits = platform::chooseDepthBits();
  if (depthBits == 0) platform::messageBox("ChoosePixelFormat failed", "Error");
  OpenMainWindow open;
  open.handler = std::make_unique<MainWindowHandler>(std::move(links));
  open.window = std::make_unique<platform::MainWindow>(placement.x, placement.y, placement.width,
                                                       placement.height, depthBits, *open.handler);
  open.window->setFrameRate(readSettingInt(SettingKey::frameRate));
  open.window->show();
  open.handler->create(*open.window);
  open.handler->startupKick();
  return open;
}
