#pragma once
// The desktop the program's windows stand on: the work area that the window manager leaves
// to windows (panels and docks take the rest), and the frame with its title bar that the
// window manager draws around each top-level window.
//
// The program places and stores a window by its client area, never by its frame: the frame
// belongs to the window manager, differs between them and is only known once a window
// manager has said how large it is. A window is fitted so that all of it, frame and title
// bar included, lies in the work area.
#include "platform/rect.h"

namespace platform {

// Pixels that the window manager's frame adds on each side of a client area; all 0 on a
// bare X server.
struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// Where a top-level window asks to be: its client area at (x, y) with its size, or, with
// `frameCorner`, a client area of that size whose frame has its top-left corner at (x, y).
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
  bool frameCorner = false;
};

// The client rectangle of `place` with `frame` around it, fitted into `work`: the size first
// (so that client and frame fit, never below one pixel), then the position, so that the
// whole window lies inside; where it cannot, its top left with the title bar does.
Rect fitToWorkArea(const WindowPlace& place, FrameExtents frame, Rect work);

// The current desktop's work area as the window manager publishes it (_NET_WORKAREA), or
// the whole screen where none is published. Opens the display when needed.
Rect workArea();

// Whether a window manager runs (it names its check window on the root, as EWMH asks).
bool windowManagerRunning();

// The frame the window manager will put around a new top-level window, asked of it once
// with _NET_REQUEST_FRAME_EXTENTS and then kept; zero without a window manager or an answer
// within half a second.
FrameExtents expectedFrameExtents();

}  // namespace platform
