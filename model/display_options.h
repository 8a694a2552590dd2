#pragma once
// The display options that have no box on the control panel: the night style, the city
// lights and the tag palette. Each is one ViewState option, one key of section [Items] (read
// at start, written when it changes) and one key on the globe window. They are not part of
// the view presets, so a preset never switches them.
#include "model/settings.h"
#include "model/view_state.h"

enum class DisplayOption { nightStyle, cityLights, palette };

// The option's flag in a view, and the settings key that keeps it.
bool& optionFlag(ViewState& view, DisplayOption option);
SettingKey optionSetting(DisplayOption option);
// Whether the option changes the Earth's picture (and so asks for a new texture).
bool optionChangesTexture(DisplayOption option);

// Reads every option from the settings file: on only when the stored number is 1.
void readDisplayOptions(ViewState& view);

// Writes the option's current value (1 or 0); false when the file could not be written.
bool writeDisplayOption(const ViewState& view, DisplayOption option);
