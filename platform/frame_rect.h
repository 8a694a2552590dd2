#pragma once
// Inside platform/ only: the rectangle of a top-level window with the frame the window
// manager draws around it.
#include <optional>
#include <utility>

#include "platform/rect.h"

class Fl_Window;

namespace platform {

// The frame is the window's ancestor that is a direct child of the root; nothing while the
// window is not mapped.
std::optional<Rect> frameRect(Fl_Window& window);

// Where the X server has the window's own top-left corner, in root coordinates; nothing while
// the window is not mapped. FLTK's x() and y() may not have caught up with it yet.
std::optional<std::pair<int, int>> clientOrigin(Fl_Window& window);

}  // namespace platform
