#include "model/fetch_schedule.h"

#include <algorithm>

int32_t fetchPeriodMs(int32_t refreshSetting) {
  const int64_t period = (121 - static_cast<int64_t>(refreshSetting)) * 60000;
  return static_cast<int32_t>(std::clamp<int64_t>(period, kMinFetchPeriodMs, kMaxFetchPeriodMs));
}

uint32_t fetchElapsed(uint32_t now, uint32_t lastTick) { return (now - lastTick) & kFetchTickMask; }

void FetchSchedule::requestNow() {
  requested_ = true;
  lastStartTick_ = 0;
}

FetchDecision FetchSchedule::check(uint32_t before, uint32_t now) {
  const uint32_t elapsed = fetchElapsed(before & kFetchTickMask, lastStartTick_);
  const int32_t period = fetchPeriodMs(refreshSetting_.load());
  if (!(static_cast<int64_t>(elapsed) > period || requested_)) return FetchDecision::notDue;
  requested_ = false;
  lastStartTick_ = now & kFetchTickMask;
  if (running_.load()) return FetchDecision::stillRunning;
  if (!closing_) return FetchDecision::start;
  running_.store(true);
  return FetchDecision::closed;
}

void FetchSchedule::beginRun() {
  running_.store(true);
  done_.store(false);
}

void FetchSchedule::endRun() {
  running_.store(false);
  done_.store(true);
}
