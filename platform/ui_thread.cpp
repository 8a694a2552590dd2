#include "platform/ui_thread.h"

#include <FL/Fl.H>

#include <chrono>
#include <future>
#include <thread>
#include <memory>

namespace platform {

namespace {

void runTask(void* data) {
  std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(data));
  (*task)();
}

}  // namespace

void enableUiCalls() { Fl::lock(); }

// FLTK's wake-up queue is bounded; a full queue is retried for a while, then the task is
// dropped rather than the worker blocked for ever.
static bool post(std::function<void()> task) {
  auto* data = new std::function<void()>(std::move(task));
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (Fl::awake(runTask, data) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  delete data;
  return false;
}

void postToUi(std::function<void()> task) { post(std::move(task)); }

void runOnUiAndWait(std::function<void()> task) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  const bool posted = post([task = std::move(task), done] {
    task();
    done->set_value();
  });
  if (posted) finished.wait();
}

}  // namespace platform
