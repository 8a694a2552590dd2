#include "platform/ui_wait.h"

namespace platform {

WaitGate::Ticket WaitGate::newTicket() { return std::make_shared<Mark>(); }

void WaitGate::markDone(const Ticket& ticket) {
  {
    const std::lock_guard lock(mutex_);
    ticket->done = true;
  }
  changed_.notify_all();
}

void WaitGate::wait(const Ticket& ticket) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return ticket->done || closed_; });
}

void WaitGate::close() {
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool WaitGate::isClosed() const {
  const std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace platform
