#include "platform/ui_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using platform::WaitGate;
using namespace std::chrono_literals;

// True when `waiting` becomes true within the time allowed; a loaded machine is slow.
bool becomesTrue(const std::atomic<bool>& waiting, std::chrono::milliseconds allowed) {
  const auto end = std::chrono::steady_clock::now() + allowed;
  while (!waiting.load() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(1ms);
  return waiting.load();
}

TEST(UiWaitThreads, AWaitEndsOnItsOwnDoneOrWhenTheGateCloses) {
  const struct {
    const char* name;
    std::function<void(WaitGate&, const WaitGate::Ticket& own)> act;
    bool beforeWait;
    bool ends;
  } cases[] = {
      {"own done", [](WaitGate& g, const WaitGate::Ticket& t) { g.markDone(t); }, false, true},
      {"own done first", [](WaitGate& g, const WaitGate::Ticket& t) { g.markDone(t); }, true, true},
      {"another's done", [](WaitGate& g, const WaitGate::Ticket&) { g.markDone(g.newTicket()); },
       false, false},
      {"gate closed", [](WaitGate& g, const WaitGate::Ticket&) { g.close(); }, false, true},
      {"closed first", [](WaitGate& g, const WaitGate::Ticket&) { g.close(); }, true, true},
  };
  for (const auto& c : cases) {
    WaitGate gate;
    const WaitGate::Ticket ticket = gate.newTicket();
    if (c.beforeWait) c.act(gate, ticket);
    std::atomic<bool> returned{false};
    std::thread waiter([&] {
      gate.wait(ticket);
      returned = true;
    });
    if (!c.beforeWait) {
      std::this_thread::sleep_for(20ms);  // most often the waiter is asleep by now
      c.act(gate, ticket);
    }
    EXPECT_EQ(becomesTrue(returned, c.ends ? 5000ms : 100ms), c.ends) << c.name;
    gate.markDone(ticket);  // a wait that should not have ended is released here
    waiter.join();
  }
}

}  // namespace
