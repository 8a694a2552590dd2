#pragma once
// View presets A to D: the view values and option flags kept in sections "bank1" to "bank4".

// The section of the preset that the next load or save uses.
extern char presetSection[6];
