#include "model/summer_time_flags.h"

std::atomic<int32_t> londonSummerTime{0};
std::atomic<int32_t> newYorkSummerTime{0};
