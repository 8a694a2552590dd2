#include "model/display_state.h"

#include <algorithm>
#include <limits>

DisplayState displayState;

int32_t fetchPeriodMs(int32_t refreshSetting) {
  const int64_t period = (121 - static_cast<int64_t>(refreshSetting)) * 60000;
  return static_cast<int32_t>(
      std::clamp<int64_t>(period, std::numeric_limits<int32_t>::min(), kMaxFetchPeriodMs));
}
