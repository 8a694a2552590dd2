#include "platform/side_windows.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// UI thread only.
std::vector<Fl_Window*>& sideWindows() {
  static std::vector<Fl_Window*> windows;
  return windows;
}

}  // namespace

void addSideWindow(Fl_Window* window) { sideWindows().push_back(window); }

void removeSideWindow(Fl_Window* window) {
  auto& all = sideWindows();
  all.erase(std::remove(all.begin(), all.end(), window), all.end());
}

bool isSideWindow(const Fl_Window* window) {
  const auto& all = sideWindows();
  return std::find(all.begin(), all.end(), window) != all.end();
}

}  // namespace platform
