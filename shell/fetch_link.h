#pragma once
// Connects the fetch run to the program: the main window starts it as the fetch thread's
// procedure, and what the run shows (caption, message boxes, the main window, a close the
// script asks for) is handed to the UI thread.
#include <functional>

// Call once on the UI thread before the main window is created. Returns the fetch thread's
// procedure; it owns the fetch context that persists across runs, and each thread it runs on
// holds the context for as long as it runs.
std::function<void()> linkFetchRun(std::function<bool()> panelOpen);
