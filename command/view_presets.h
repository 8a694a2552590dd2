#pragma once
// View presets A to D: the view values and the panel's options kept in sections "bank1" to
// "bank4" of the settings file, one table row per stored field. Loading replaces the view's
// fields as stored, without any clamping; saving writes the current view, not the slider
// positions.
#include "model/view_state.h"

// Reads the eighteen keys of preset 0 to 3 (A to D; only the low two bits count) into `view`,
// with one read of the settings file.
void loadPreset(ViewState& view, int preset);

// Writes the eighteen keys of `view` into preset 0 to 3 with one replacement of the settings
// file, as writes in this order would leave it: d1, d2, d3, d3a, d4, d5, d7, c200, c201, c1,
// c2, c3, c4, c5, c6, c8, c9, c10. False when the file could not be written.
bool savePreset(const ViewState& view, int preset);

// A level as a slider position or a stored integer: truncated toward zero, and out-of-range
// or non-finite levels at the nearer end, so that no level gives an undefined conversion.
int32_t truncateLevel(float level);
