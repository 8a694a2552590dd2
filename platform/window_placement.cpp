#include "platform/window_placement.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <chrono>
#include <thread>

namespace platform {

namespace {

bool sameRect(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether the window manager has taken the window in: it said what frame it gave it and
// the window shows.
bool framed(Window xid) {
  XWindowAttributes attributes{};
  return frameExtentsOf(xid).has_value() && XGetWindowAttributes(fl_display, xid, &attributes) &&
         attributes.map_state == IsViewable;
}

}  // namespace

Rect clientRect(Fl_Window& window) {
  if (window.shown()) {
    const Window xid = fl_xid(&window);
    XWindowAttributes attributes{};
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    if (XGetWindowAttributes(fl_display, xid, &attributes) &&
        XTranslateCoordinates(fl_display, xid, attributes.root, 0, 0, &rootX, &rootY, &child)) {
      return {rootX, rootY, rootX + attributes.width, rootY + attributes.height};
    }
  }
  return {window.x(), window.y(), window.x() + window.w(), window.y() + window.h()};
}

Rect placeBeforeShow(Fl_Window& window, const WindowPlace& place) {
  const Rect target = fitToWorkArea(place, expectedFrameExtents(), workArea());
  window.resize(target.left, target.top, target.right - target.left, target.bottom - target.top);
  return target;
}

void settleAfterShow(Fl_Window& window, Rect target) {
  Fl::check();
  if (!window.shown()) return;
  const Window xid = fl_xid(&window);
  FrameExtents frame{};
  if (windowManagerRunning()) {
    for (int wait = 0; wait < 200 && !framed(xid); ++wait) {
      XSync(fl_display, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    frame = frameExtentsOf(xid).value_or(FrameExtents{});
  }
  const WindowPlace client{target.left, target.top, target.right - target.left,
                           target.bottom - target.top, false};
  const Rect fitted = fitToWorkArea(client, frame, workArea());
  if (!sameRect(clientRect(window), fitted)) {
    // Asked of the X server directly: FLTK skips a move to where it believes the window
    // already is. The window's gravity is static, so the place is the client area's.
    XMoveResizeWindow(fl_display, xid, fitted.left, fitted.top,
                      static_cast<unsigned>(fitted.right - fitted.left),
                      static_cast<unsigned>(fitted.bottom - fitted.top));
    XSync(fl_display, False);
  }
  Fl::check();
}

}  // namespace platform
