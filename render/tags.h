#pragma once
// Market tags: one label per market item at its latitude and longitude, in pick colours.
#include <cstdint>

// Draws the tag of one item index in the globe's model frame.
void drawTag(int32_t index);

// Draws every item's tag when the table is ready (the scene pass's tag step).
void drawTags();
