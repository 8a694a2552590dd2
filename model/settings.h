#pragma once
// The settings file and its keys. Every key the program reads or writes is listed once in
// the key table (settings.cpp) with the name it has in the file, its type and its read
// default; callers name keys by SettingKey and never repeat names or defaults.
//
// There is no in-memory copy: each read goes to the file, each write replaces it at once.
// Both threads use the file: the fetch thread reads the custom stock and server keys and reads
// and writes scriptHost and scriptPath; the UI thread reads and writes the rest.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_file.h"

enum class SettingKey {
  // Section "Items"; the file's names in comments.
  windowLeft,       // mainx
  windowTop,        // mainy
  windowWidth,      // mainx1
  windowHeight,     // mainy1
  panelLeft,        // xmainx
  panelTop,         // xmainy
  customSymbol,     // customS
  customLatitude,   // customLat
  customLongitude,  // customLon
  scriptHost,       // namepath
  scriptPath,       // filepath
  makerHost,        // makerhost
  quoteHost,        // quotehost
  newsHost,         // newshost
  newsPage,         // newspage
  nightStyle,       // nightstyle
  cityLights,       // citylights
  palette,          // palette
  frameRate,        // framerate: frames a second where the display does not pace them
  scale,            // scale: the size factor for a high-resolution screen; empty: the display's
  dialClock1,       // clock1 to clock4: the user's dial clocks, "Label=Area/City"
  dialClock2,       // clock2
  dialClock3,       // clock3
  dialClock4,       // clock4
  globeClocks,      // globeclocks: the user's globe clocks, zone names separated by blanks
  // Preset sections "bank1" to "bank4", named after the DisplayState field each one holds.
  zoom,         // d1
  spinRate,     // d2
  tilt,         // d3
  tiltBase,     // d3a
  colorLevel,   // d4
  gridLevel,    // d5
  rotation,     // d7
  news,         // c1
  zones,        // c2
  clocks,       // c3
  showValue,    // c4
  cycle,        // c5
  dark,         // c6
  showChange,   // c8
  noon,         // c9
  showPercent,  // c10
  night,        // c200
  largeTags,    // c201
};

enum class SettingType { integer, text, switchText };

struct SettingInfo {
  SettingKey id;
  const char* name;  // the key's name in the file
  SettingType type;
  int32_t defaultInt;       // integers
  const char* defaultText;  // texts and switches
  int bufferSize;           // texts and switches: characters read are at most bufferSize - 1
};

constexpr const char* kItemsSection = "Items";

// The sections of the view presets A to D.
constexpr const char* kPresetSections[4] = {"bank1", "bank2", "bank3", "bank4"};

// The section of preset 0 to 3 (A to D); only the low two bits of `preset` count.
const char* presetSectionName(int preset);

// The address of the local feed server, the default of every host key.
constexpr const char* kLocalFeedHost = "127.0.0.1:8404";

const SettingInfo& settingInfo(SettingKey key);

// The settings file: $XDG_CONFIG_HOME/orbiquant/orbq7.ini, from the environment at each call.
std::string settingsFile();

int32_t readSettingInt(SettingKey key, std::string_view section = kItemsSection);
std::string readSettingText(SettingKey key, std::string_view section = kItemsSection);
// A switch is set only when its value is exactly "on".
bool readSettingSwitch(SettingKey key, std::string_view section);

bool writeSettingInt(SettingKey key, int32_t value, std::string_view section = kItemsSection);
bool writeSettingText(SettingKey key, std::string_view value,
                      std::string_view section = kItemsSection);

// One read of a whole section: each lookup gives what the single-key read of the same key
// would have given at the moment of the read (the key's default when it is missing).
class SettingSection {
 public:
  explicit SettingSection(std::string_view section);
  int32_t readInt(SettingKey key) const;
  std::string readText(SettingKey key) const;
  // A switch is set only when its value is exactly "on".
  bool readSwitch(SettingKey key) const;

 private:
  const std::string* find(SettingKey key) const;
  std::vector<platform::SettingsValue> values_;
};

struct SettingValue {
  SettingKey key;
  std::string value;
};

// Writes several keys of one section at once, with one replacement of the file; the file
// ends as after one writeSettingText per value, in order.
bool writeSettingTexts(std::span<const SettingValue> values, std::string_view section);
