#include "model/settings.h"

#include <array>
#include <vector>

#include "platform/settings_file.h"
#include "platform/text.h"

namespace {

using enum SettingType;

// The complete key table. Its order follows SettingKey (checked below).
constexpr std::array<SettingInfo, 43> kSettings{{
    {SettingKey::windowLeft, "mainx", integer, 200, nullptr, 0},
    {SettingKey::windowTop, "mainy", integer, 2, nullptr, 0},
    {SettingKey::windowWidth, "mainx1", integer, 640, nullptr, 0},
    {SettingKey::windowHeight, "mainy1", integer, 480, nullptr, 0},
    {SettingKey::panelLeft, "xmainx", integer, 0, nullptr, 0},
    {SettingKey::panelTop, "xmainy", integer, 0, nullptr, 0},
    {SettingKey::customSymbol, "customS", text, 0, "", 200},
    {SettingKey::customLatitude, "customLat", text, 0, "", 200},
    {SettingKey::customLongitude, "customLon", text, 0, "", 200},
    {SettingKey::scriptHost, "namepath", text, 0, kLocalFeedHost, 200},
    {SettingKey::scriptPath, "filepath", text, 0, "/m3d/s3.txt", 200},
    {SettingKey::makerHost, "makerhost", text, 0, kLocalFeedHost, 200},
    {SettingKey::quoteHost, "quotehost", text, 0, kLocalFeedHost, 200},
    {SettingKey::newsHost, "newshost", text, 0, kLocalFeedHost, 200},
    {SettingKey::newsPage, "newspage", text, 0, "http://127.0.0.1:8404/news", 200},
    {SettingKey::nightStyle, "nightstyle", integer, 0, nullptr, 0},
    {SettingKey::cityLights, "citylights", integer, 0, nullptr, 0},
    {SettingKey::palette, "palette", integer, 0, nullptr, 0},
    {SettingKey::frameRate, "framerate", integer, 30, nullptr, 0},
    {SettingKey::scale, "scale", text, 0, "", 10},
    {SettingKey::dialClock1, "clock1", text, 0, "", 200},
    {SettingKey::dialClock2, "clock2", text, 0, "", 200},
    {SettingKey::dialClock3, "clock3", text, 0, "", 200},
    {SettingKey::dialClock4, "clock4", text, 0, "", 200},
    {SettingKey::globeClocks, "globeclocks", text, 0, "", 1024},
    {SettingKey::zoom, "d1", integer, 58, nullptr, 0},
    {SettingKey::spinRate, "d2", text, 0, ".1", 10},
    {SettingKey::tilt, "d3", text, 0, "200", 10},
    {SettingKey::tiltBase, "d3a", text, 0, "0", 10},
    {SettingKey::colorLevel, "d4", integer, 99, nullptr, 0},
    {SettingKey::gridLevel, "d5", integer, 42, nullptr, 0},
    {SettingKey::rotation, "d7", text, 0, "200", 10},
    {SettingKey::news, "c1", switchText, 0, "on", 4},
    {SettingKey::zones, "c2", switchText, 0, "on", 4},
    {SettingKey::clocks, "c3", switchText, 0, "on", 4},
    {SettingKey::showValue, "c4", switchText, 0, "on", 4},
    {SettingKey::cycle, "c5", switchText, 0, "on", 4},
    {SettingKey::dark, "c6", switchText, 0, "on", 4},
    {SettingKey::showChange, "c8", switchText, 0, "off", 4},
    {SettingKey::noon, "c9", switchText, 0, "off", 4},
    {SettingKey::showPercent, "c10", switchText, 0, "off", 4},
    {SettingKey::night, "c200", switchText, 0, "on", 4},
    {SettingKey::largeTags, "c201", switchText, 0, "off", 4},
}};

constexpr bool tableFollowsEnum() {
  for (size_t i = 0; i < kSettings.size(); ++i) {
    if (static_cast<size_t>(kSettings[i].id) != i) return false;
  }
  return static_cast<size_t>(SettingKey::largeTags) + 1 == kSettings.size();
}
static_assert(tableFollowsEnum(), "kSettings must list every SettingKey in enum order");

}  // namespace

const char* presetSectionName(int preset) { return kPresetSections[preset & 3]; }

const SettingInfo& settingInfo(SettingKey key) { return kSettings[static_cast<size_t>(key)]; }

std::string settingsFile() { return platform::configFilePath("orbq7.ini"); }

int32_t readSettingInt(SettingKey key, std::string_view section) {
  const SettingInfo& info = settingInfo(key);
  return platform::settingsReadInt(settingsFile(), section, info.name, info.defaultInt);
}

std::string readSettingText(SettingKey key, std::string_view section) {
  const SettingInfo& info = settingInfo(key);
  const auto size = static_cast<size_t>(info.bufferSize > 0 ? info.bufferSize : 200);
  return platform::settingsReadText(settingsFile(), section, info.name,
                                    info.defaultText ? info.defaultText : "", size);
}

bool readSettingSwitch(SettingKey key, std::string_view section) {
  return readSettingText(key, section) == "on";
}

SettingSection::SettingSection(std::string_view section)
    : values_(platform::settingsReadSection(settingsFile(), section)) {}

const std::string* SettingSection::find(SettingKey key) const {
  const char* name = settingInfo(key).name;
  for (const auto& value : values_) {
    if (platform::equalsIgnoreCase(value.key, name)) return &value.value;
  }
  return nullptr;
}

int32_t SettingSection::readInt(SettingKey key) const {
  const std::string* value = find(key);
  return value ? platform::leadingInt(*value) : settingInfo(key).defaultInt;
}

std::string SettingSection::readText(SettingKey key) const {
  const SettingInfo& info = settingInfo(key);
  const std::string* value = find(key);
  std::string text = value ? *value : std::string(info.defaultText ? info.defaultText : "");
  const auto size = static_cast<size_t>(info.bufferSize > 0 ? info.bufferSize : 200);
  if (text.size() > size - 1) text.resize(size - 1);
  return text;
}

bool SettingSection::readSwitch(SettingKey key) const { return readText(key) == "on"; }

bool writeSettingInt(SettingKey key, int32_t value, std::string_view section) {
  return writeSettingText(key, platform::formatInt(value), section);
}

bool writeSettingText(SettingKey key, std::string_view value, std::string_view section) {
  return platform::settingsWriteText(settingsFile(), section, settingInfo(key).name, value);
}

bool writeSettingTexts(std::span<const SettingValue> values, std::string_view section) {
  std::vector<platform::SettingsEntry> entries;
  entries.reserve(values.size());
  for (const auto& v : values) entries.push_back({settingInfo(v.key).name, v.value});
  return platform::settingsWriteTexts(settingsFile(), section, entries);
}
