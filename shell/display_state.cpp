#include "shell/display_state.h"

DisplayState displayState;

int32_t fetchPeriodMs(int32_t refreshSetting) {
  return static_cast<int32_t>((121 - static_cast<int64_t>(refreshSetting)) * 60000);
}
