#pragma once
// The fetch schedule: when the next fetch run is due, whether one is running, and the end of
// a run. Each paint asks it (check); a due check that finds no run under way starts one
// (beginRun), and the run's last act ends it (endRun). The program has one, shared by the UI
// thread and the fetch thread, and held by both for as long as either runs.
//
// Thread use: the fetch thread calls only endRun and setRefreshSetting; everything else is
// the UI thread's. The fields both threads touch are atomics.
#include <atomic>
#include <cstdint>

// The low 28 bits of the millisecond tick, the schedule's clock.
constexpr uint32_t kFetchTickMask = 0x0FFFFFFF;

// The schedule measures the time since the last fetch modulo 2^28 ms, so the elapsed count
// never exceeds 2^28 - 1 = 268,435,455 ms, and a period at or above that could never pass
// (2^28 - 2 only in a frame that lands on the very last millisecond before the count wraps).
// The longest period is therefore the longest whole-minute one below it, 4473 minutes (about
// 74.5 hours), which leaves 55,455 ms before the wrap for a frame to see that it has passed.
constexpr int32_t kMaxFetchPeriodMs = 4473 * 60000;

// The shortest period, whatever a script sets: one bad script must not make every globe
// hammer the quote and news servers.
constexpr int32_t kMinFetchPeriodMs = 60000;

// Milliseconds between fetch starts for a refreshSetting: (121 - refreshSetting) minutes,
// at most kMaxFetchPeriodMs and at least kMinFetchPeriodMs, so 120 and above (the script's
// "at once") mean every minute.
int32_t fetchPeriodMs(int32_t refreshSetting);

// Milliseconds from `lastTick` to `now`, both 28-bit ticks, across the 28-bit wrap.
uint32_t fetchElapsed(uint32_t now, uint32_t lastTick);

enum class FetchDecision {
  notDue,        // nothing to do
  stillRunning,  // due, but a fetch is under way: the period starts over
  start,         // start a fetch run now (beginRun, then the thread)
  closed,        // due while closing: marked running for good, nothing starts
};

class FetchSchedule {
 public:
  // ---- The UI thread. ----

  // The period starts at `tick` (the window's creation).
  void restartPeriod(uint32_t tick) { lastStartTick_ = tick & kFetchTickMask; }
  // A fetch is wanted at the next check (start-up, the Now button, key N).
  void requestNow();
  // One paint's check. `before` is the tick read before the frame, `now` after it. When due
  // (elapsed above the period, or a request) the request is used up and the period restarts.
  FetchDecision check(uint32_t before, uint32_t now);
  // A run starts: running, not done.
  void beginRun();
  // The main window closes: no run starts any more.
  void close() { closing_ = true; }
  // The last run has made its last store.
  bool runDone() const { return done_.load(); }
  bool running() const { return running_.load(); }
  bool requested() const { return requested_; }
  uint32_t lastStartTick() const { return lastStartTick_; }

  // ---- The fetch thread (or the UI thread when no thread could start). ----

  // The run's last acts: not running, then done.
  void endRun();
  // The script's refresh setting; the period is (121 - setting) minutes.
  void setRefreshSetting(int32_t setting) { refreshSetting_.store(setting); }
  int32_t refreshSetting() const { return refreshSetting_.load(); }

 private:
  std::atomic<int32_t> refreshSetting_{110};
  std::atomic<bool> running_{false};
  std::atomic<bool> done_{false};
  bool requested_ = false;
  uint32_t lastStartTick_ = 0;  // 28-bit tick of the last start
  bool closing_ = false;
};
