#pragma once
// Where the renderer reads the time: the scene pass, the clocks and the night band of the
// texture build. The program uses the platform clock; tests hand the renderer a fixed one.
#include <cstdint>

#include "platform/clock.h"

struct SceneClock {
  uint32_t (*tick)() = platform::tickMs;
  uint64_t (*monotonicUs)() = platform::monotonicUs;  // frame times, for the motion per frame
  platform::DateTime (*utc)() = platform::utcNow;
  platform::DateTime (*local)() = platform::localNow;
};
