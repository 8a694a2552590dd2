#include "tools/feed/refresher.h"

namespace feed {

void noteAnswer(Backoff& backoff, int status, int64_t retryAfterSeconds, int64_t nowMs,
                int64_t periodMs) {
  if (status == 0) return;  // no answer at all says nothing about the source's limits
  if (status != 429 && (status < 500 || status > 599)) {
    backoff = {};
    return;
  }
  const int64_t retryAfterMs = std::min(retryAfterSeconds, kMaxBackoffMs / 1000) * 1000;
  if (nowMs < backoff.untilMs) {  // sent before the backoff began: it says nothing new
    backoff.untilMs = std::max(backoff.untilMs, nowMs + retryAfterMs);
    return;
  }
  ++backoff.failures;
  int64_t wait = periodMs;
  for (int i = 1; i < backoff.failures && wait < kMaxBackoffMs; ++i) wait *= 2;
  backoff.untilMs = nowMs + std::min(std::max(wait, retryAfterMs), kMaxBackoffMs);
}

}  // namespace feed
