#include "platform/desktop.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "platform/window_placement.h"

namespace platform {

Rect fitToWorkArea(const WindowPlace& place, FrameExtents frame, Rect work) {
  const int roomWidth = work.right - work.left - frame.left - frame.right;
  const int roomHeight = work.bottom - work.top - frame.top - frame.bottom;
  const int width = std::max(std::min(place.width, roomWidth), 1);
  const int height = std::max(std::min(place.height, roomHeight), 1);
  int x = place.frameCorner ? place.x + frame.left : place.x;
  int y = place.frameCorner ? place.y + frame.top : place.y;
  // The far edges first, so that where the window cannot fit the top left stays on screen.
  x = std::max(std::min(x, work.right - frame.right - width), work.left + frame.left);
  y = std::max(std::min(y, work.bottom - frame.bottom - height), work.top + frame.top);
  return {x, y, x + width, y + height};
}

std::vector<long> windowCardinals(unsigned long window, const char* property) {
  const Atom atom = XInternAtom(fl_display, property, False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(fl_display, window, atom, 0, 4096, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    // Xlib hands 32-bit items over as longs.
    const auto* items = reinterpret_cast<const long*>(data);
    values.assign(items, items + count);
  }
  if (data) XFree(data);
  return values;
}

namespace {

unsigned long rootWindow() { return RootWindow(fl_display, fl_screen); }

bool supported(const char* name) {
  const auto atom = static_cast<long>(XInternAtom(fl_display, name, False));
  const std::vector<long> all = windowCardinals(rootWindow(), "_NET_SUPPORTED");
  return std::find(all.begin(), all.end(), atom) != all.end();
}

}  // namespace

std::optional<FrameExtents> frameExtentsOf(unsigned long window) {
  const std::vector<long> e = windowCardinals(window, "_NET_FRAME_EXTENTS");
  if (e.size() < 4) return std::nullopt;
  const auto pixels = [](long value) { return static_cast<int>(std::clamp(value, 0L, 4096L)); };
  return FrameExtents{pixels(e[0]), pixels(e[1]), pixels(e[2]), pixels(e[3])};
}

Rect workArea() {
  fl_open_display();
  const Rect screen{0, 0, DisplayWidth(fl_display, fl_screen),
                    DisplayHeight(fl_display, fl_screen)};
  const std::vector<long> areas = windowCardinals(rootWindow(), "_NET_WORKAREA");
  if (areas.size() < 4) return screen;
  size_t desktop = 0;
  const std::vector<long> current = windowCardinals(rootWindow(), "_NET_CURRENT_DESKTOP");
  if (!current.empty() && current[0] >= 0 &&
      (static_cast<size_t>(current[0]) + 1) * 4 <= areas.size()) {
    desktop = static_cast<size_t>(current[0]);
  }
  const long* a = &areas[desktop * 4];
  if (a[2] <= 0 || a[3] <= 0) return screen;
  const auto left = static_cast<int>(a[0]);
  const auto top = static_cast<int>(a[1]);
  return {left, top, left + static_cast<int>(a[2]), top + static_cast<int>(a[3])};
}

bool windowManagerRunning() {
  fl_open_display();
  const std::vector<long> check = windowCardinals(rootWindow(), "_NET_SUPPORTING_WM_CHECK");
  return !check.empty() && check[0] != 0;
}

FrameExtents expectedFrameExtents() {
  static std::optional<FrameExtents> kept;  // UI thread
  if (kept) return *kept;
  kept = FrameExtents{};
  if (!windowManagerRunning() || !supported("_NET_REQUEST_FRAME_EXTENTS")) return *kept;
  // A window that is never mapped: the window manager writes the frame it would give it.
  const Window probe = XCreateSimpleWindow(fl_display, rootWindow(), 0, 0, 100, 100, 0, 0, 0);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = probe;
  request.xclient.message_type = XInternAtom(fl_display, "_NET_REQUEST_FRAME_EXTENTS", False);
  request.xclient.format = 32;
  XSendEvent(fl_display, rootWindow(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
  for (int wait = 0; wait < 100; ++wait) {
    XSync(fl_display, False);
    if (const auto extents = frameExtentsOf(probe)) {
      kept = *extents;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  XDestroyWindow(fl_display, probe);
  XFlush(fl_display);
  return *kept;
}

}  // namespace platform
