#include "platform/ui_thread.h"

#include <FL/Fl.H>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/ui_wait.h"

namespace platform {

namespace {

// Never destroyed: a fetch thread still running while the process exits may consult it.
WaitGate& uiWaits() {
  static WaitGate* gate = new WaitGate;
  return *gate;
}

void runTask(void* data) {
  std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(data));
  if (!uiWaits().isClosed()) (*task)();
}

// FLTK's wake-up queue is bounded; a full queue is retried for a while, then the task is
// dropped rather than the worker blocked for ever.
bool post(std::function<void()> task) {
  auto data = std::make_unique<std::function<void()>>(std::move(task));
  for (int attempt = 0; attempt < 200 && !uiWaits().isClosed(); ++attempt) {
    if (Fl::awake(runTask, data.get()) == 0) {
      data.release();  // runTask owns it now
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

void enableUiCalls() { Fl::lock(); }

void postToUi(std::function<void()> task) { post(std::move(task)); }

void runOnUiAndWait(UiTask task) {
  WaitGate& gate = uiWaits();
  const WaitGate::Ticket ticket = gate.newTicket();
  std::function<void()> done = [&gate, ticket] { gate.markDone(ticket); };
  if (post([task = std::move(task), done = std::move(done)] { task(done); })) gate.wait(ticket);
}

void stopUiCalls() { uiWaits().close(); }

}  // namespace platform
