#include "command/view_presets.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/settings.h"
#include "platform/text.h"

namespace {

// How a field is stored: how it is read from its key and written back.
enum class Stored {
  integer,      // the settings file's integer read; "%d"
  level,        // an integer read into a float; "%d" of the level truncated toward zero
  numberText,   // at most nine characters as a decimal number into a float; "%f"
  integerText,  // at most nine characters as a leading integer; "%d"
  onOff,        // an option: on only for exactly "on", with case; "on" or "off"
};

struct PresetField {
  SettingKey key;
  Stored stored;
  int32_t ViewState::*whole;  // integer and integerText fields
  float ViewState::*number;   // level and numberText fields
  bool ViewState::*option;    // onOff fields
};

constexpr PresetField whole(SettingKey key, Stored stored, int32_t ViewState::*field) {
  return {key, stored, field, nullptr, nullptr};
}

constexpr PresetField number(SettingKey key, Stored stored, float ViewState::*field) {
  return {key, stored, nullptr, field, nullptr};
}

constexpr PresetField option(SettingKey key, bool ViewState::*field) {
  return {key, Stored::onOff, nullptr, nullptr, field};
}

using enum Stored;
using K = SettingKey;
using V = ViewState;

// In the order of writing, which is the order of the keys in the file.
constexpr std::array<PresetField, 18> kPresetFields{{
    whole(K::zoom, integer, &V::zoom),
    number(K::spinRate, numberText, &V::spinRate),
    number(K::tilt, numberText, &V::tilt),
    whole(K::tiltBase, integerText, &V::tiltBase),
    number(K::colorLevel, level, &V::colorLevel),
    number(K::gridLevel, level, &V::gridLevel),
    number(K::rotation, numberText, &V::rotation),
    option(K::night, &V::night),
    option(K::largeTags, &V::largeTags),
    option(K::news, &V::news),
    option(K::zones, &V::zones),
    option(K::clocks, &V::clocks),
    option(K::showValue, &V::showValue),
    option(K::cycle, &V::cycle),
    option(K::dark, &V::dark),
    option(K::showChange, &V::showChange),
    option(K::noon, &V::noon),
    option(K::showPercent, &V::showPercent),
}};

constexpr bool storedMatchesField() {
  for (const PresetField& f : kPresetFields) {
    const bool wholeKind = f.stored == integer || f.stored == integerText;
    const bool numberKind = f.stored == level || f.stored == numberText;
    if (wholeKind != (f.whole != nullptr) || numberKind != (f.number != nullptr) ||
        (f.stored == onOff) != (f.option != nullptr)) {
      return false;
    }
  }
  return true;
}
static_assert(storedMatchesField(), "each field's kind must match the field's type");

void loadField(const PresetField& f, ViewState& view, const SettingSection& section) {
  switch (f.stored) {
    case integer:
      view.*f.whole = section.readInt(f.key);
      break;
    case level:
      view.*f.number = static_cast<float>(section.readInt(f.key));
      break;
    case numberText:
      view.*f.number = static_cast<float>(platform::leadingDouble(section.readText(f.key)));
      break;
    case integerText:
      view.*f.whole = platform::leadingInt(section.readText(f.key));
      break;
    case onOff:
      view.*f.option = section.readSwitch(f.key);
      break;
  }
}

std::string storedText(const PresetField& f, const ViewState& view) {
  switch (f.stored) {
    case integer:
    case integerText:
      return platform::formatInt(view.*f.whole);
    case level:
      return platform::formatInt(truncateLevel(view.*f.number));
    case numberText:
      return platform::formatFixed(view.*f.number);
    case onOff:
      return view.*f.option ? "on" : "off";
  }
  return {};
}

}  // namespace

void loadPreset(ViewState& view, int preset) {
  const SettingSection section(presetSectionName(preset));
  for (const PresetField& field : kPresetFields) loadField(field, view, section);
}

bool savePreset(const ViewState& view, int preset) {
  std::vector<SettingValue> values;
  values.reserve(kPresetFields.size());
  for (const PresetField& field : kPresetFields) {
    values.push_back({field.key, storedText(field, view)});
  }
  return writeSettingTexts(values, presetSectionName(preset));
}

int32_t truncateLevel(float level) {
  if (std::isnan(level)) return 0;
  if (level <= static_cast<float>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  if (level >= static_cast<float>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(level);
}
