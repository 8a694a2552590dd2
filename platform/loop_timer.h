#pragma once
// A repeating timer on the UI thread's event loop, on the monotonic clock: changes of the wall
// clock (or a wall clock held still) neither stall it nor make it race. It fires in every loop
// that waits for events, a modal box's as well as the main one.
#include <cstdint>

namespace platform {

class LoopTimer {
 public:
  using Callback = void (*)(void* data);
  LoopTimer(Callback callback, void* data);
  ~LoopTimer();
  LoopTimer(const LoopTimer&) = delete;
  LoopTimer& operator=(const LoopTimer&) = delete;

  // Runs the callback every periodUs, the first time one period from now; a restart with the
  // period it already runs at changes nothing. Periods the loop missed while it was busy
  // run the callback once, not once each.
  void start(uint64_t periodUs);
  void stop();

 private:
  static void expired(int fd, void* self);
  static void timedOut(void* self);

  Callback callback_;
  void* data_;
  int fd_ = -1;            // a timerfd; -1 when the system gave none (FLTK's own timeouts then)
  uint64_t periodUs_ = 0;  // 0 while stopped
};

}  // namespace platform
