#pragma once
// The settings file and its keys. Every key the program reads or writes is listed once in
// the key table (settings.cpp) with its type and read default; callers name keys by
// SettingKey and never repeat names or defaults.
//
// There is no in-memory copy: each read goes to the file, each write replaces it at once.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class SettingKey {
  // Section "Items".
  mainx, mainy, mainx1, mainy1, xmainx, xmainy,
  customS, customLat, customLon, namepath, filepath,
  makerhost, quotehost, newshost, newspage,
  // Preset sections "bank1" to "bank4".
  d1, d2, d3, d3a, d4, d5, d7,
  c1, c2, c3, c4, c5, c6, c8, c9, c10, c200, c201,
};

enum class SettingType { integer, text, switchText };

struct SettingInfo {
  SettingKey id;
  const char* name;
  SettingType type;
  int32_t defaultInt;       // integers
  const char* defaultText;  // texts and switches
  int bufferSize;           // texts and switches: characters read are at most bufferSize - 1
};

constexpr const char* kItemsSection = "Items";

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

struct SettingValue {
  SettingKey key;
  std::string value;
};

// Writes several keys of one section at once, with one replacement of the file; the file
// ends as after one writeSettingText per value, in order.
bool writeSettingTexts(std::span<const SettingValue> values, std::string_view section);
