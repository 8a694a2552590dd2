#pragma once
// Where the pointer is and which buttons hold it: the main window's input writes it, the
// renderer reads it (the globe stops turning or easing while buttons are held, the hovered
// tag shows its name, the ticker stands still under the pointer). UI thread only.
#include <cstdint>

struct PointerState {
  bool leftDragging = false;
  bool rightDragging = false;
  int32_t dragStartY = 0;      // pointer y when the left button went down
  float lastZoomDragY = 0.0f;  // pointer y less half the client height at the last zoom move
  int32_t hoveredItem = 0;     // the tag under the pointer, -1 for none
  bool tickerHeld = false;     // the pointer rests over the ticker band: the line stands still
};
