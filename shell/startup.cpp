#include "shell/startup.h"

#include <cmath>

#include "market/script_cache.h"
#include "model/display_options.h"
#include "model/settings.h"
#include "platform/display_scale.h"
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

double chooseScale() {
  if (const auto set = platform::scaleSetting(readSettingText(SettingKey::scale))) return *set;
  return platform::detectedScale();
}

namespace {

// Whether the file holds a value for the key at all: the defaults of places are frame
// corners, the stored places client areas.
bool stored(const SettingSection& items, SettingKey key) { return !items.readText(key).empty(); }

}  // namespace

Placement readPlacement(double scale) {
  const SettingSection items(kItemsSection);
  // Defaults grow with the scale, so that a larger window still stands clear of the panel.
  const auto read = [&](SettingKey key) {
    const int32_t value = items.readInt(key);
    if (stored(items, key)) return value;
    return static_cast<int32_t>(std::lround(value * scale));
  };
  Placement p{read(SettingKey::windowLeft), read(SettingKey::windowTop),
              read(SettingKey::windowWidth), read(SettingKey::windowHeight)};
  p.frameCorner = !stored(items, SettingKey::windowLeft) || !stored(items, SettingKey::windowTop);
  return clampPlacement(p);
}

platform::WindowPlace readPanelPlace() {
  const SettingSection items(kItemsSection);
  platform::WindowPlace place{items.readInt(SettingKey::panelLeft),
                              items.readInt(SettingKey::panelTop)};
  place.frameCorner = !stored(items, SettingKey::panelLeft) || !stored(items, SettingKey::panelTop);
  return place;
}

CommandLinks programCommandLinks() {
  return {.forgetScript = [] { platform::removeFile(kCacheFile); }};
}

namespace {

// A crash between writing a temporary file and renaming it leaves the temporary file behind;
// each start clears those of earlier runs next to every file the program replaces.
void removeStaleTemporaryFiles() {
  platform::removeStaleTemporaries(settingsFile());
  platform::removeStaleTemporaries(kCacheFile);
}

}  // namespace

int runProgram(int argc, char** /*argv*/, MainWindowLinks links) {
  if (argc > 1) return 0;
  removeStaleTemporaryFiles();
  const double scale = chooseScale();
  platform::setInterfaceScale(scale);
  links.scale = static_cast<float>(scale);
  const Placement placement = readPlacement(scale);
  readDisplayOptions(links.records->display.view);
  const OpenMainWindow window = createMainWindow(placement, std::move(links));
  return platform::runLoop();
}
