#pragma once
// The control panel's behaviour: what its commands, check boxes and sliders do to
// DisplayState, to the panel's own state and to the view presets.
#include <cstdint>

#include "panel/panel_controls.h"

// A command to the panel (only the low 16 bits count).
void panelCommand(PanelControls& panel, int32_t command);
// A scroll notification from either slider: colorLevel, the texture rebuild when its whole
// value changed, and gridLevel.
void panelScroll(PanelControls& panel);
