#pragma once
// Connects the fetch run to the program: the main window starts it as the fetch thread's
// procedure, and what the run shows (caption, message boxes, the main window, a close the
// script asks for) is handed to the UI thread.
#include <functional>

// Call once on the UI thread before the main window is created.
void linkFetchRun(std::function<bool()> panelOpen);
