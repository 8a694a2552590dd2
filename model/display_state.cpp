#include "model/display_state.h"

#include <algorithm>

DisplayState displayState;

int32_t fetchPeriodMs(int32_t refreshSetting) {
  const int64_t period = (121 - static_cast<int64_t>(refreshSetting)) * 60000;
  return static_cast<int32_t>(std::clamp<int64_t>(period, kMinFetchPeriodMs, kMaxFetchPeriodMs));
}
