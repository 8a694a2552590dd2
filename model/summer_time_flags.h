#pragma once
// Summer-time flags: 1 while European summer time (London) or United States daylight time
// (New York) is in force. Written by the fetch thread at the end of every run; frames read
// them on the UI thread.
#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> londonSummerTime;
extern std::atomic<int32_t> newYorkSummerTime;
