#pragma once
// Work that a worker thread hands to the UI thread: the worker never touches widgets.
#include <functional>

namespace platform {

// Must run once on the UI thread before the loop starts (it enables cross-thread wake-ups).
void enableUiCalls();

// Runs `task` on the UI thread at its next loop pass; returns at once.
void postToUi(std::function<void()> task);

// Runs `task` on the UI thread and returns when it has finished (a modal box included).
void runOnUiAndWait(std::function<void()> task);

}  // namespace platform
