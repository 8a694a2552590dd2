#include "shell/startup.h"

#include "market/script_cache.h"
#include "model/display_options.h"
#include "model/settings.h"
#include "platform/files.h"
#include "platform/window.h"

Placement clampPlacement(Placement p) {
  if (p.x < -8096) p.x = 0;
  if (p.y < -8096) p.y = 0;
  if (p.x > 8096) p.x = 0;
  if (p.y > 8096) p.y = 0;
  if (p.width > 4096) p.width = 400;  // an over-large size falls back to 400, not to the limit
  if (p.height > 4096) p.height = 400;
  if (p.width < 160) p.width = 160;
  if (p.height < 120) p.height = 120;
  return p;
}

Placement readPlacement() {
  return clampPlacement(
      {readSettingInt(SettingKey::windowLeft), readSettingInt(SettingKey::windowTop),
       readSettingInt(SettingKey::windowWidth), readSettingInt(SettingKey::windowHeight)});
}

CommandLinks programCommandLinks() { return {.forgetScript = forgetScriptCache}; }

namespace {

// A crash between writing a temporary file and renaming it leaves the temporary file behind;
// each start clears those of earlier runs next to every file the program replaces.
void removeStaleTemporaryFiles() {
  platform::removeStaleTemporaries(settingsFile());
  removeStaleScriptCacheTemporaries();
}

}  // namespace

int runProgram(int argc, char** /*argv*/, MainWindowLinks links) {
  if (argc > 1) return 0;
  platform::readToolkitOptions();
  removeStaleTemporaryFiles();
  const Placement placement = readPlacement();
  readDisplayOptions(links.records->display.view);
  const OpenMainWindow window = createMainWindow(placement, std::move(links));
  return platform::runLoop();
}
