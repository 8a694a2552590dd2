#pragma once
// Message boxes: a caption, a text and an OK button; Enter, Escape and the window manager's
// close box dismiss them as OK does.
#include <functional>
#include <string_view>

namespace platform {

// A modal box; returns when it is dismissed. UI thread only, for the start-up failures that
// are shown before the loop runs.
void messageBox(std::string_view text, std::string_view title);

// UI thread: opens a box that belongs to no window and blocks nothing, and returns at once.
// `dismissed` runs once on the UI thread when the box goes, by the user or closeMessageBoxes.
void openMessageBox(std::string_view text, std::string_view title, std::function<void()> dismissed);

// UI thread: a modal question with the buttons OK and Cancel; Cancel is the default, which
// Enter, Escape, Ctrl+W and the close box choose. Returns true only when OK was pressed; a box
// that closeMessageBoxes dismisses answers Cancel.
bool askOkCancel(std::string_view text, std::string_view title);

// UI thread: dismisses every box that openMessageBox or askOkCancel opened.
void closeMessageBoxes();

// UI thread: dismisses the boxes that openMessageBox opened with this text and title.
void closeMessageBox(std::string_view text, std::string_view title);

}  // namespace platform
