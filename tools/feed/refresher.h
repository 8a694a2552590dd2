#pragma once
// Answers from the outside world, cached and refreshed on demand with good manners: a key is
// asked for at most once a period however many readers want it, one request at a time per
// key, and a source that answers 429 or 5xx is left alone for a time that doubles with each
// such answer (from one period up to 30 minutes, never before its Retry-After). Readers get
// the last good value with the time it was fetched; the caller decides how old is too old.
//
// The time comes from a clock the owner passes in (milliseconds, steady), so tests can move
// it; the requests run on a few worker threads of the refresher's own.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace feed {

using Clock = std::function<int64_t()>;  // milliseconds

constexpr int64_t kMaxBackoffMs = 30 * 60 * 1000;

// When a source may be asked again after failures that call for waiting.
struct Backoff {
  int failures = 0;     // 429 and 5xx answers in a row
  int64_t untilMs = 0;  // no request before this time
};

// Counts an answer: 429 and 5xx extend the backoff, any other status ends it, and no answer
// (status 0) leaves it as it is. A 429 or 5xx that arrives while a backoff is in force came
// for a request sent before it began: only its Retry-After counts.
void noteAnswer(Backoff& backoff, int status, int64_t retryAfterSeconds, int64_t nowMs,
                int64_t periodMs);

template <class Value>
struct Fetched {
  bool ok = false;
  Value value{};
  int status = 0;                  // the HTTP status, 0 when no answer came
  int64_t retryAfterSeconds = -1;  // -1: none
  std::string error;               // when not ok, for the status page and the log
};

template <class Value>
struct Cached {
  std::optional<Value> value;  // the last good one
  int64_t fetchedAtMs = 0;     // when it came
  std::string error;           // of the last attempt, "" when it succeeded
  int64_t lastAttemptMs = 0;
  int attempts = 0;
  bool inFlight = false;
};

template <class Value>
class Refresher {
 public:
  using Fetch = std::function<Fetched<Value>(const std::string& key)>;
  // One backoff for all keys (`sharedBackoff`, a quote source that limits the account), or
  // one for each key (feeds from different servers).
  Refresher(Clock clock, int64_t periodMs, bool sharedBackoff, Fetch fetch, int workers = 4)
      : clock_(std::move(clock)),
        periodMs_(periodMs),
        shared_(sharedBackoff),
        fetch_(std::move(fetch)) {
    for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
  }

  ~Refresher() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
  }

  Refresher(const Refresher&) = delete;
  Refresher& operator=(const Refresher&) = delete;

  // Starts a request for each of `keys` that is due, waits up to `wait` for the keys' requests
  // in flight to end, and returns what is cached for them.
  std::map<std::string, Cached<Value>> read(const std::vector<std::string>& keys,
                                            std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    const int64_t now = clock_();
    for (const auto& key : keys) {
      Cached<Value>& entry = entries_[key];
      if (!due(key, entry, now)) continue;
      entry.inFlight = true;
      ++inFlight_;
      entry.lastAttemptMs = now;
      ++entry.attempts;
      queue_.push_back(key);
      wake_.notify_one();
    }
    done_.wait_for(lock, wait, [&] {
      return std::none_of(keys.begin(), keys.end(),
                          [&](const std::string& key) { return entries_[key].inFlight; });
    });
    std::map<std::string, Cached<Value>> out;
    for (const auto& key : keys) out[key] = entries_[key];
    return out;
  }

  // Everything cached, for the status page.
  std::map<std::string, Cached<Value>> snapshot() const {
    std::lock_guard lock(mutex_);
    return entries_;
  }

  // When the source (or `key`'s server) may be asked again after 429 or 5xx answers; 0: now.
  int64_t backoffUntil(const std::string& key) const {
    std::lock_guard lock(mutex_);
    const auto found = backoffs_.find(shared_ ? std::string() : key);
    return found == backoffs_.end() ? 0 : found->second.untilMs;
  }

  int64_t now() const { return clock_(); }
  int64_t periodMs() const { return periodMs_; }

 private:
  // After 429 or 5xx answers one request probes the source before the others follow.
  bool due(const std::string& key, const Cached<Value>& entry, int64_t now) {
    if (entry.inFlight) return false;
    if (entry.attempts > 0 && now - entry.lastAttemptMs < periodMs_) return false;
    const Backoff& backoff = backoffs_[shared_ ? std::string() : key];
    if (backoff.failures > 0 && inFlight_ > 0 && shared_) return false;
    return now >= backoff.untilMs;
  }

  void work() {
    std::unique_lock lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      const std::string key = queue_.front();
      queue_.pop_front();
      lock.unlock();
      Fetched<Value> fetched = fetch_(key);
      lock.lock();
      store(key, std::move(fetched));
      done_.notify_all();
    }
  }

  void store(const std::string& key, Fetched<Value> fetched) {
    const int64_t now = clock_();
    Cached<Value>& entry = entries_[key];
    entry.inFlight = false;
    --inFlight_;
    noteAnswer(backoffs_[shared_ ? std::string() : key], fetched.status, fetched.retryAfterSeconds,
               now, periodMs_);
    if (fetched.ok) {
      entry.value = std::move(fetched.value);
      entry.fetchedAtMs = now;
      entry.error.clear();
    } else {
      entry.error = fetched.error;
    }
  }

  Clock clock_;
  const int64_t periodMs_;
  const bool shared_;
  Fetch fetch_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;  // workers: a key was queued, or the refresher stops
  std::condition_variable done_;  // readers: a request ended
  std::map<std::string, Cached<Value>> entries_;
  std::map<std::string, Backoff> backoffs_;
  std::deque<std::string> queue_;
  int inFlight_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace feed
