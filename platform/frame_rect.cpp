#include "platform/frame_rect.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace platform {

std::optional<Rect> frameRect(Fl_Window& window) {
  if (!window.shown()) return std::nullopt;
  Window current = fl_xid(&window);
  for (;;) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(fl_display, current, &root, &parent, &children, &count)) return std::nullopt;
    if (children) XFree(children);
    if (parent != root && parent != 0) {
      current = parent;
      continue;
    }
    XWindowAttributes a;
    if (!XGetWindowAttributes(fl_display, current, &a)) return std::nullopt;
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(fl_display, current, root, 0, 0, &rootX, &rootY, &child);
    rootX -= a.border_width;
    rootY -= a.border_width;
    return Rect{rootX, rootY, rootX + a.width + 2 * a.border_width,
                rootY + a.height + 2 * a.border_width};
  }
}

std::optional<std::pair<int, int>> clientOrigin(Fl_Window& window) {
  if (!window.shown()) return std::nullopt;
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(fl_display, fl_xid(&window), RootWindow(fl_display, fl_screen), 0, 0,
                             &rootX, &rootY, &child)) {
    return std::nullopt;
  }
  return std::pair{rootX, rootY};
}

}  // namespace platform
