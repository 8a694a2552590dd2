#include "model/clock_choice.h"

#include "model/settings.h"
#include "platform/text.h"

namespace {

constexpr SettingKey kDialKeys[4] = {SettingKey::dialClock1, SettingKey::dialClock2,
                                     SettingKey::dialClock3, SettingKey::dialClock4};

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool isLocalZone(std::string_view zone) { return platform::equalsIgnoreCase(zone, kLocalZone); }

std::string firstCharacters(std::string_view utf8, std::size_t limit) {
  std::size_t at = 0;
  for (std::size_t count = 0; count < limit && at < utf8.size(); ++count) {
    at += platform::utf8CharacterAt(utf8, at).length;
  }
  return std::string(utf8.substr(0, at));
}

std::string cityLabel(std::string_view zone) {
  if (isLocalZone(zone)) return std::string(kLocalZone);
  std::string city(zone.substr(zone.rfind('/') + 1));
  for (char& c : city) {
    if (c == '_') c = ' ';
  }
  return firstCharacters(city, kDialLabelLimit);
}

DialChoice parseDialChoice(std::string_view value) {
  // Zone names have no '=': a label may.
  const std::size_t equals = value.rfind('=');
  const std::string_view label =
      equals == std::string_view::npos ? std::string_view{} : value.substr(0, equals);
  const std::string_view zone =
      platform::trimBlanks(equals == std::string_view::npos ? value : value.substr(equals + 1));
  DialChoice dial;
  if (zone.empty()) return dial;
  dial.zone = std::string(zone);
  const std::string_view trimmed = platform::trimBlanks(label);
  dial.label = trimmed.empty() ? cityLabel(zone) : firstCharacters(trimmed, kDialLabelLimit);
  return dial;
}

std::string dialChoiceValue(const DialChoice& dial) {
  if (dial.zone.empty()) return {};
  return dial.label + "=" + dial.zone;
}

std::vector<std::string> splitZoneList(std::string_view value) {
  std::vector<std::string> zones;
  std::size_t at = 0;
  while (at < value.size()) {
    while (at < value.size() && blank(value[at])) ++at;
    std::size_t end = at;
    while (end < value.size() && !blank(value[end])) ++end;
    if (end > at) zones.emplace_back(value.substr(at, end - at));
    at = end;
  }
  return zones;
}

std::string joinZoneList(const std::vector<std::string>& zones) {
  std::string joined;
  for (const std::string& zone : zones) {
    if (!joined.empty()) joined += ' ';
    joined += zone;
  }
  return joined;
}

ClockChoice readClockChoice() {
  const SettingSection items(kItemsSection);
  ClockChoice choice;
  for (std::size_t i = 0; i < 4; ++i)
    choice.dials[i] = parseDialChoice(items.readText(kDialKeys[i]));
  choice.globeZones = splitZoneList(items.readText(SettingKey::globeClocks));
  return choice;
}

bool storeClockChoice(const ClockChoice& choice) {
  std::vector<SettingValue> values;
  for (std::size_t i = 0; i < 4; ++i)
    values.push_back({kDialKeys[i], dialChoiceValue(choice.dials[i])});
  values.push_back({SettingKey::globeClocks, joinZoneList(choice.globeZones)});
  return writeSettingTexts(values, kItemsSection);
}
