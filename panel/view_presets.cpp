#include "panel/view_presets.h"

#include <array>
#include <string>
#include <vector>

#include "model/settings.h"
#include "panel/dialog_tables.h"
#include "platform/text.h"

namespace {

// How a field is stored: how it is read from its key and written back.
enum class Stored {
  integer,      // the settings file's integer read; "%d"
  level,        // an integer read into a float; "%d" of the level truncated toward zero
  numberText,   // at most nine characters as a decimal number into a float; "%f"
  integerText,  // at most nine characters as a leading integer; "%d"
  onOff,        // a flag: 1 only for exactly "on", with case; "on" or "off"
};

// What loading a field sets off at once, before the next field is read.
enum class AfterLoad { nothing, clearColour, relayout, texture };

struct PresetField {
  SettingKey key;
  Stored stored;
  int32_t DisplayState::*whole;  // integer, integerText and onOff fields
  float DisplayState::*number;   // level and numberText fields
  int loadStep;                  // the field's place in the load order
  AfterLoad after;
};

constexpr PresetField whole(SettingKey key, Stored stored, int32_t DisplayState::*field,
                            int loadStep, AfterLoad after = AfterLoad::nothing) {
  return {key, stored, field, nullptr, loadStep, after};
}

constexpr PresetField number(SettingKey key, Stored stored, float DisplayState::*field,
                             int loadStep) {
  return {key, stored, nullptr, field, loadStep, AfterLoad::nothing};
}

using enum Stored;
using K = SettingKey;
using D = DisplayState;

// In the order of writing, which is the order of the keys in the file.
constexpr std::array<PresetField, 18> kPresetFields{{
    whole(K::zoom, integer, &D::zoom, 0),
    number(K::spinRate, numberText, &D::spinRate, 1),
    number(K::tilt, numberText, &D::tilt, 2),
    whole(K::tiltBase, integerText, &D::tiltBase, 3),
    number(K::colorLevel, level, &D::colorLevel, 4),
    number(K::gridLevel, level, &D::gridLevel, 5),
    number(K::rotation, numberText, &D::rotation, 6),
    whole(K::night, onOff, &D::night, 16, AfterLoad::texture),
    whole(K::largeTags, onOff, &D::largeTags, 17),
    whole(K::news, onOff, &D::news, 7),
    whole(K::zones, onOff, &D::zones, 14),
    whole(K::clocks, onOff, &D::clocks, 15, AfterLoad::relayout),
    whole(K::showValue, onOff, &D::showValue, 8),
    whole(K::cycle, onOff, &D::cycle, 9),
    whole(K::dark, onOff, &D::dark, 10, AfterLoad::clearColour),
    whole(K::showChange, onOff, &D::showChange, 11),
    whole(K::noon, onOff, &D::noon, 12),
    whole(K::showPercent, onOff, &D::showPercent, 13),
}};

constexpr std::array<const PresetField*, kPresetFields.size()> loadOrder() {
  std::array<const PresetField*, kPresetFields.size()> order{};
  for (const PresetField& field : kPresetFields)
    order[static_cast<size_t>(field.loadStep)] = &field;
  return order;
}
constexpr auto kLoadOrder = loadOrder();

constexpr bool everyFieldLoadsOnce() {
  for (const PresetField* field : kLoadOrder) {
    if (field == nullptr) return false;
  }
  return true;
}
static_assert(everyFieldLoadsOnce(), "the load steps must number the fields 0 to 17");

constexpr bool storedMatchesField() {
  for (const PresetField& f : kPresetFields) {
    const bool wholeKind = f.stored == integer || f.stored == integerText || f.stored == onOff;
    if (wholeKind != (f.whole != nullptr) || wholeKind == (f.number != nullptr)) return false;
  }
  return true;
}
static_assert(storedMatchesField(), "each field's kind must match the field's type");

void loadField(const PresetField& f, DisplayState& display, const char* section) {
  switch (f.stored) {
    case integer:
      display.*f.whole = readSettingInt(f.key, section);
      break;
    case level:
      display.*f.number = static_cast<float>(readSettingInt(f.key, section));
      break;
    case numberText:
      display.*f.number =
          static_cast<float>(platform::leadingDouble(readSettingText(f.key, section)));
      break;
    case integerText:
      display.*f.whole = platform::leadingInt(readSettingText(f.key, section));
      break;
    case onOff:
      display.*f.whole = readSettingSwitch(f.key, section) ? 1 : 0;
      break;
  }
}

std::string storedText(const PresetField& f, const DisplayState& display) {
  switch (f.stored) {
    case integer:
    case integerText:
      return platform::formatInt(display.*f.whole);
    case level:
      return platform::formatInt(truncateLevel(display.*f.number));
    case numberText:
      return platform::formatFixed(display.*f.number);
    case onOff:
      return display.*f.whole == 1 ? "on" : "off";
  }
  return {};
}

void afterLoad(AfterLoad after, PanelControls& panel) {
  DisplayState& display = panel.display();
  switch (after) {
    case AfterLoad::clearColour:
      panel.setClearColour(display.dark == 1);
      break;
    case AfterLoad::relayout:
      display.viewportDirty = kViewportRelayout;
      panel.postMainWindowSize();
      break;
    case AfterLoad::texture:
      display.textureDirty = 1;
      break;
    case AfterLoad::nothing:
      break;
  }
}

}  // namespace

void loadPreset(PanelControls& panel) {
  const char* section = panel.state().presetSection;
  for (const PresetField* field : kLoadOrder) {
    loadField(*field, panel.display(), section);
    afterLoad(field->after, panel);
  }
  setBoxesFromFlags(panel);
  setSlidersFromLevels(panel);
  panel.display().textureDirty = 1;
}

void savePreset(const DisplayState& display, const char* section) {
  std::vector<SettingValue> values;
  values.reserve(kPresetFields.size());
  for (const PresetField& field : kPresetFields) {
    values.push_back({field.key, storedText(field, display)});
  }
  writeSettingTexts(values, section);
}

void selectPreset(PanelControls& panel, int preset) {
  panel.state().presetSection = presetSectionName(preset);
  panel.pressPreset(panelid::presetA + (preset & 3));
  loadPreset(panel);
}
