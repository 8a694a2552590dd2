#pragma once
// Inside platform/ only: the program's top-level windows other than the main window, that is
// its dialogs and message boxes. They keep their input while a modal dialog runs, and none
// of them is ever taken for the main window.
class Fl_Window;

namespace platform {

void addSideWindow(Fl_Window* window);
void removeSideWindow(Fl_Window* window);
bool isSideWindow(const Fl_Window* window);

}  // namespace platform
