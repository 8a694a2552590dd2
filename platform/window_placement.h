#pragma once
// Inside platform/ only: putting a top-level window where the program asks, by its client
// area, on whatever desktop there is (see platform/desktop.h).
#include <optional>
#include <vector>

#include "platform/desktop.h"

class Fl_Window;

namespace platform {

// The 32-bit items of an X window property (empty when it is missing).
std::vector<long> windowCardinals(unsigned long window, const char* property);

// The frame the window manager has put around an X window (_NET_FRAME_EXTENTS), if it said.
std::optional<FrameExtents> frameExtentsOf(unsigned long window);

// The client area in root coordinates, as the X server has it while the window is shown
// (FLTK's own idea of the place may lag behind), and as FLTK has it otherwise.
Rect clientRect(Fl_Window& window);

// Gives a window that is not shown yet the client rectangle `place` asks for, fitted into the
// work area with the frame the window manager is expected to add; returns that rectangle.
Rect placeBeforeShow(Fl_Window& window, const WindowPlace& place);

// Right after show(): waits (a second at most) until the window manager has framed and mapped
// the window, fits `target` again with the frame it really got, and moves the window there
// when it stands anywhere else.
void settleAfterShow(Fl_Window& window, Rect target);

}  // namespace platform
