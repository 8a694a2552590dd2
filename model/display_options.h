#pragma once
// The display options that have no box on the control panel: the night style, the city
// lights and the tag palette. Each is one DisplayState flag, one key of section [Items] (read
// at start, written when it changes) and one key on the globe window. They are not part of
// the view presets, so a preset never switches them.
#include <cstdint>

#include "model/display_state.h"
#include "model/settings.h"

enum class DisplayOption { nightStyle, cityLights, palette };

// The option's flag in a display state, and the settings key that keeps it.
int32_t& optionFlag(DisplayState& display, DisplayOption option);
SettingKey optionSetting(DisplayOption option);

// Flips the option between 0 and 1; the two that change the Earth's picture ask for a new
// texture.
void toggleOption(DisplayState& display, DisplayOption option);

// Reads every option from the settings file: 1 only when the stored number is 1, else 0.
void readDisplayOptions(DisplayState& display);

// Writes the option's current value; false when the file could not be written.
bool writeDisplayOption(const DisplayState& display, DisplayOption option);
