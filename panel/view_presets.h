#pragma once
// View presets A to D: the view values and option flags kept in sections "bank1" to "bank4"
// of the settings file, one table row per stored field. Loading replaces the DisplayState
// fields as stored, without any clamping; saving writes the current DisplayState, not the
// slider positions.
#include "model/display_state.h"
#include "panel/panel_controls.h"

// Reads the eighteen keys of the panel's preset section into its display state, in the order
// whose side effects the rest of the program relies on (the clear colour right after Dark,
// the relayout after Clocks, the texture rebuild after Night), and sets the panel's boxes
// and sliders.
void loadPreset(PanelControls& panel);

// Writes the eighteen keys into `section` with one replacement of the settings file, as
// writes in this order would leave it: d1, d2, d3, d3a, d4, d5, d7, c200, c201, c1, c2, c3,
// c4, c5, c6, c8, c9, c10.
void savePreset(const DisplayState& display, const char* section);

// Makes preset 0 to 3 the current one, presses its button and loads it.
void selectPreset(PanelControls& panel, int preset);
