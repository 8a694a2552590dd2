#pragma once
// A rectangle in screen pixels, y downward; right and bottom lie just outside it.

namespace platform {

struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

}  // namespace platform
