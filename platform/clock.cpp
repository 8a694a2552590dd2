#include "platform/clock.h"

#include <time.h>

#include <chrono>
#include <thread>

namespace platform {

namespace {

DateTime fromTm(const struct tm& t, long milliseconds) {
  return DateTime{static_cast<uint16_t>(t.tm_year + 1900), static_cast<uint16_t>(t.tm_mon + 1),
                  static_cast<uint16_t>(t.tm_wday),        static_cast<uint16_t>(t.tm_mday),
                  static_cast<uint16_t>(t.tm_hour),        static_cast<uint16_t>(t.tm_min),
                  static_cast<uint16_t>(t.tm_sec),         static_cast<uint16_t>(milliseconds)};
}

template <typename Convert>
DateTime now(Convert convert) {
  struct timespec ts {};
  clock_gettime(CLOCK_REALTIME, &ts);
  struct tm t {};
  convert(&ts.tv_sec, &t);
  return fromTm(t, ts.tv_nsec / 1000000);
}

}  // namespace

uint32_t tickMs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

uint64_t monotonicUs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

DateTime utcNow() { return now(gmtime_r); }
DateTime localNow() { return now(localtime_r); }

void sleepMs(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
