#include "platform/ui_thread.h"

#include <FL/Fl.H>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace platform {

namespace {

// Set once, when the program begins to shut down.
std::atomic<bool> uiCallsStopped{false};

void runTask(void* data) {
  std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(data));
  if (!uiCallsStopped.load()) (*task)();
}

}  // namespace

void enableUiCalls() { Fl::lock(); }

// FLTK's wake-up queue is bounded; a full queue is retried for a while, then the task is
// dropped rather than the worker blocked for ever.
void postToUi(std::function<void()> task) {
  auto data = std::make_unique<std::function<void()>>(std::move(task));
  for (int attempt = 0; attempt < 200 && !uiCallsStopped.load(); ++attempt) {
    if (Fl::awake(runTask, data.get()) == 0) {
      data.release();  // runTask owns it now
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void stopUiCalls() { uiCallsStopped.store(true); }

}  // namespace platform
