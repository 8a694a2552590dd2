#include "platform/loop_timer.h"

#include <FL/Fl.H>
#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {

LoopTimer::LoopTimer(Callback callback, void* data) : callback_(callback), data_(data) {
  fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (fd_ >= 0) Fl::add_fd(fd_, FL_READ, expired, this);
}

LoopTimer::~LoopTimer() {
  stop();
  if (fd_ < 0) return;
  Fl::remove_fd(fd_);
  close(fd_);
}

void LoopTimer::start(uint64_t periodUs) {
  if (periodUs == 0 || periodUs == periodUs_) return;
  stop();
  periodUs_ = periodUs;
  if (fd_ < 0) {
    Fl::add_timeout(static_cast<double>(periodUs) / 1e6, timedOut, this);
    return;
  }
  itimerspec spec{};
  spec.it_interval.tv_sec = static_cast<time_t>(periodUs / 1000000);
  spec.it_interval.tv_nsec = static_cast<long>(periodUs % 1000000 * 1000);
  spec.it_value = spec.it_interval;
  timerfd_settime(fd_, 0, &spec, nullptr);
}

void LoopTimer::stop() {
  if (periodUs_ == 0) return;
  periodUs_ = 0;
  if (fd_ < 0) {
    Fl::remove_timeout(timedOut, this);
    return;
  }
  const itimerspec disarmed{};
  timerfd_settime(fd_, 0, &disarmed, nullptr);
}

void LoopTimer::expired(int fd, void* self) {
  uint64_t expirations = 0;
  // Nothing to read: the timer was stopped or restarted after it fired.
  if (read(fd, &expirations, sizeof expirations) != sizeof expirations) return;
  auto* timer = static_cast<LoopTimer*>(self);
  if (timer->periodUs_ != 0) timer->callback_(timer->data_);
}

void LoopTimer::timedOut(void* self) {
  auto* timer = static_cast<LoopTimer*>(self);
  Fl::repeat_timeout(static_cast<double>(timer->periodUs_) / 1e6, timedOut, self);
  timer->callback_(timer->data_);
}

}  // namespace platform
