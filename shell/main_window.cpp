#include "shell/main_window.h"

#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "model/item_table.h"
#include "model/settings.h"
#include "platform/clock.h"
#include "platform/dialog.h"
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
    : links_(std::move(links)),
      records_(*links_.records),
      display_(records_.display),
      renderer_(std::make_unique<RendererState>()) {}

MainWindowHandler::~MainWindowHandler() {
  if (fetchThread_.joinable()) fetchThread_.detach();
}

void MainWindowHandler::startFetchThread() {
  // The previous thread has ended its run but may not yet have left; waiting for it keeps
  // its last store (done) from landing after this run's begin, which would cut the shutdown
  // wait short while this run goes on.
  if (fetchThread_.joinable()) fetchThread_.join();
  FetchSchedule& schedule = *records_.schedule;
  schedule.beginRun();
  try {
    if (links_.fetch) {
      fetchThread_ = std::thread(links_.fetch);
    } else {
      fetchThread_ = std::thread([shared = records_.schedule] { shared->endRun(); });
    }
  } catch (const std::system_error&) {
    schedule.endRun();  // no thread: the next period tries again
  }
}

void MainWindowHandler::releaseFetchThread() {
  if (!fetchThread_.joinable()) return;
  if (records_.schedule->runDone()) {
    fetchThread_.join();
  } else {
    fetchThread_.detach();
  }
}

// Answers that the frame just drawn gave to the hover and double-click picks.
void MainWindowHandler::applyPickAnswers(const FetchSnapshot& results) {
  const MarketItemTable& table = *results.items;
  PickRequests& picks = renderer_->picks;
  PickAnswer answer{};
  if (takePickAnswer(picks, PickPurpose::hover, answer)) {
    display_.pointer.hoveredItem = pickedTag(pickedIndex(answer), table.itemCount());
  }
  if (!takePickAnswer(picks, PickPurpose::open, answer)) return;
  const int32_t tag = pickedTag(pickedIndex(answer), table.itemCount());
  const int32_t height = mainWindow ? mainWindow->clientHeight() : 0;
  switch (doubleClickTarget(tag, pointerCoordinate(answer.y), height)) {
    case DoubleClickTarget::tagPage:
      platform::openUrl(table.field(kWebPageColumn, tag));
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
  renderer_->displayScale = links_.scale;
  if (w.hasContext()) sizeFonts(*renderer_, w.clientHeight());
  const uint32_t tick = platform::tickMs();
  records_.schedule->restartPeriod(tick);
  renderer_->phaseTickDue = tick;
  if (w.hasContext()) initScene(w, *renderer_, display_.view);
}

void MainWindowHandler::startupKick() {
  if (links_.panel.create) links_.panel.create();
  // Preset A once the loop runs, after the panel (if any) has initialised its controls.
  platform::post([records = links_.records, mirror = links_.panel.mirror] {
    const CommandResult result = records->commands.applyPreset(0);
    if (mirror) mirror(result);
  });
  records_.commands.refreshNow();
}

void MainWindowHandler::mirror(const CommandResult& result) {
  if (links_.panel.mirror) links_.panel.mirror(result);
}

// The fetch run's status line, as the caption shows it.
void MainWindowHandler::showStatus(const FetchSnapshot& results) {
  if (results.status == shownStatus_) return;
  shownStatus_ = results.status;
  mainWindow->setCaption(shownStatus_);
}

void MainWindowHandler::paint() {
  if (!mainWindow) return;
  const uint32_t before = platform::tickMs();
  // The fetch results of this frame, read once and held until the frame is done.
  const std::shared_ptr<const FetchSnapshot> results = records_.channel->latest();
  showStatus(*results);
  if (!mainWindow->hasContext()) {
    answerPicksWithoutPixels(renderer_->picks);  // nothing is drawn, so no pixel names a tag
  } else if (!renderer_->frameBusy) {
    // The first frame after a time unseen starts from the time of now, not of the last tick:
    // the sun, and the texture rebuild it asks for, are right before anything is drawn.
    if (std::exchange(wasUnseen_, false)) keepTimeUnseen(*renderer_, display_);
    composeFrame(*mainWindow, *renderer_, display_, *results);  // answers the pending picks too
  }
  applyPickAnswers(*results);
  keepFetchSchedule(before);
}

void MainWindowHandler::unseenTick() {
  if (!mainWindow) return;
  const uint32_t before = platform::tickMs();
  showStatus(*records_.channel->latest());
  keepTimeUnseen(*renderer_, display_);
  wasUnseen_ = true;
  keepFetchSchedule(before);
}

void MainWindowHandler::keepFetchSchedule(uint32_t before) {
  if (records_.schedule->check(before, platform::tickMs()) == FetchDecision::start) {
    startFetchThread();
  }
}

void MainWindowHandler::size() { display_.requests.relayout = true; }

void MainWindowHandler::leftDown(int /*x*/, int y) {
  // FLTK keeps sending drag moves to the window while the button is held: the capture.
  leftButtonDown(display_, pointerCoordinate(y));
}

void MainWindowHandler::leftUp() { leftButtonUp(display_); }

void MainWindowHandler::leftDoubleClick(int x, int y) {
  requestPick(renderer_->picks, PickPurpose::open, x, y);
}

// The right button is not captured; its release brings back a panel its close box hid.
void MainWindowHandler::rightDown() { display_.pointer.rightDragging = true; }

void MainWindowHandler::rightUp() {
  display_.pointer.rightDragging = false;
  if (links_.panel.show) links_.panel.show();
}

void MainWindowHandler::nonClientButtonUp() {
  display_.pointer.leftDragging = false;
  display_.pointer.rightDragging = false;
}

void MainWindowHandler::mouseMove(int x, int y) {
  pointerAt(display_.pointer, pointerCoordinate(y), mainWindow ? mainWindow->clientHeight() : 0);
  switch (moveAction(display_.pointer)) {
    case MoveAction::hoverPick:
      requestPick(renderer_->picks, PickPurpose::hover, x, y);
      break;
    case MoveAction::leftDrag:
      leftDragMove(display_, pointerCoordinate(x), pointerCoordinate(y),
                   mainWindow ? mainWindow->clientWidth() : 0, platform::screenWidth());
      break;
    case MoveAction::zoomDrag:
      zoomDragMove(display_, pointerCoordinate(y), mainWindow ? mainWindow->clientHeight() : 0);
      break;
    case MoveAction::none:
      break;
  }
}

void MainWindowHandler::mouseLeave() { pointerLeft(display_.pointer); }

void MainWindowHandler::wheel(int notches) { wheelTurn(display_.view, notches); }

void MainWindowHandler::key(int code) {
  // With Ctrl held, K too does what it does alone.
  if ((code & ~platform::kControlKey) == kClocksDialogKey) {
    if (links_.clocksDialog) links_.clocksDialog();
    return;
  }
  act(keyDown(records_.commands, code));
}

// Shows a command's result in the panel and does what it asks of the windows.
void MainWindowHandler::act(const CommandResult& result) {
  mirror(result);
  if (result.helpRequested && links_.panel.openHelp) {
    platform::post(links_.panel.openHelp);  // the dialog's loop runs outside this key's event
  }
  if (result.fullScreen == FullScreenRequest::toggle) {
    mainWindow->setFullScreen(!mainWindow->fullScreen());
  } else if (result.fullScreen == FullScreenRequest::leave) {
    mainWindow->setFullScreen(false);
  }
  if (result.closeRequested) mainWindow->requestClose();
}

void MainWindowHandler::close() {
  records_.schedule->close();
  // The client areas, so that the next start opens the windows just where they are: the
  // frames are the window manager's.
  const platform::Rect client = mainWindow->placementToStore();
  writeSettingInt(SettingKey::windowLeft, client.left);
  writeSettingInt(SettingKey::windowTop, client.top);
  writeSettingInt(SettingKey::windowWidth, client.right - client.left);
  writeSettingInt(SettingKey::windowHeight, client.bottom - client.top);
  platform::Rect panel{};
  if (links_.panel.clientRect && links_.panel.clientRect(panel)) {
    writeSettingInt(SettingKey::panelLeft, panel.left);
    writeSettingInt(SettingKey::panelTop, panel.top);
  }
  mainWindow->destroy();
  destroy();
}

void MainWindowHandler::destroy() {
  mainWindow = nullptr;
  releaseSharedQuadric(*renderer_);
  // The fetch runs' boxes go with the window; what a run posts from now on is dropped.
  platform::closeMessageBoxes();
  platform::stopUiCalls();
  // Give a running fetch up to 2.1 s to finish; it ends with the process otherwise.
  for (int wait = 0; wait < 21; ++wait) {
    platform::sleepMs(100);
    if (records_.schedule->runDone()) break;
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
  open.window = std::make_unique<platform::MainWindow>(placement, depthBits, *open.handler);
  open.window->setFrameRate(readSettingInt(SettingKey::frameRate));
  open.window->show();
  open.handler->create(*open.window);
  open.handler->startupKick();
  return open;
}
