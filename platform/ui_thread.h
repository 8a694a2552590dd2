#pragma once
// Work that a worker thread hands to the UI thread: the worker never touches widgets.
// Once the program begins to shut down (stopUiCalls), handed-over work no longer runs and
// no worker waits for the UI thread any more.
#include <functional>

namespace platform {

// Must run once on the UI thread before the loop starts (it enables cross-thread wake-ups).
void enableUiCalls();

// Runs `task` on the UI thread at its next loop pass; returns at once.
void postToUi(std::function<void()> task);

// Runs `task` on the UI thread, handing it `done`, and returns when `done` has been called
// (by the task or later, from any thread), when the program shuts down, or at once when the
// task could not be posted. The UI thread is not held up while the caller waits.
using UiTask = std::function<void(std::function<void()> done)>;
void runOnUiAndWait(UiTask task);

// UI thread: the program is shutting down. Waits under way return, later ones return at
// once, and work posted but not yet run is dropped.
void stopUiCalls();

}  // namespace platform
