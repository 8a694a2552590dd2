#include "shell/main_window.h"

#include <memory>

#include "platform/clock.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/scene.h"
#include "shell/display_state.h"
#include "shell/settings.h"

platform::MainWindow* mainWindow = nullptr;
PanelHooks panelHooks;

namespace {

MainWindowHandler handler;
std::unique_ptr<platform::MainWindow> window;

}  // namespace

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
  if (!mainWindow || !mainWindow->hasContext()) return;
  if (displayState.frameBusy == 0) composeFrame(*mainWindow);
}

void MainWindowHandler::size() { displayState.viewportDirty = kViewportRelayout; }

void MainWindowHandler::close() {
  displayState.closing = 1;
  const platform::Rect outer = mainWindow->outerRect();
  writeSettingInt(SettingKey::mainx, outer.left);
  writeSettingInt(SettingKey::mainy, outer.top);
  writeSettingInt(SettingKey::mainx1, outer.right - outer.left);
  writeSettingInt(SettingKey::mainy1, outer.bottom - outer.top);
  platform::Rect panel{};
  if (panelHooks.outerRect && panelHooks.outerRect(panel)) {
    writeSettingInt(SettingKey::xmainx, panel.left);
    writeSettingInt(SettingKey::xmainy, panel.top);
  }
  mainWindow->destroy();
  destroy();
}

void MainWindowHandler::destroy() {
  mainWindow = nullptr;
  // Give a running fetch up to 2.1 s to finish; it ends with the process otherwise.
  for (int wait = 0; wait < 21; ++wait) {
    platform::sleepMs(100);
    if (displayState.fetchDone.load() != 0) break;
  }
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
