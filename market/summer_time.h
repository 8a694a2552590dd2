#pragma once
// Summer-time flags: 1 while European summer time (London) or United States daylight time
// (New York) is in force. The fetch thread recomputes them at the end of every run; frames
// read them.
#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> londonSummerTime;
extern std::atomic<int32_t> newYorkSummerTime;
