#pragma once
// Inside platform/ only: the rectangle of a top-level window with the frame the window
// manager draws around it.
#include <optional>

#include "platform/rect.h"

class Fl_Window;

namespace platform {

// The frame is the window's ancestor that is a direct child of the root; nothing while the
// window is not mapped.
std::optional<Rect> frameRect(Fl_Window& window);

}  // namespace platform
