#pragma once
// Work that a worker thread hands to the UI thread: the worker never touches widgets, and
// never waits for the UI thread either. Once the program begins to shut down (stopUiCalls),
// handed-over work no longer runs.
#include <functional>

namespace platform {

// Must run once on the UI thread before the loop starts (it enables cross-thread wake-ups).
void enableUiCalls();

// Runs `task` on the UI thread at its next loop pass; returns at once.
void postToUi(std::function<void()> task);

// UI thread: the program is shutting down. Work posted but not yet run is dropped, and
// later posts are dropped at once.
void stopUiCalls();

}  // namespace platform
