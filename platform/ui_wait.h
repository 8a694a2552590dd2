#pragma once
// Waits of a worker thread for work it handed to the UI thread. A wait ends when the UI side
// marks it done, or when the gate closes for good because the program is shutting down: a
// worker is never left waiting on a UI thread that no longer serves it.
#include <condition_variable>
#include <memory>
#include <mutex>

namespace platform {

class WaitGate {
 public:
  struct Mark {
    bool done = false;  // guarded by the gate's mutex
  };
  using Ticket = std::shared_ptr<Mark>;

  // A wait that is not yet done.
  Ticket newTicket();
  // Marks the wait done and wakes its waiter; from any thread, any number of times.
  void markDone(const Ticket& ticket);
  // Returns once the ticket is done or the gate is closed.
  void wait(const Ticket& ticket);
  // Closes the gate for good: waits under way return, later ones return at once.
  void close();
  bool isClosed() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool closed_ = false;
};

}  // namespace platform
