#pragma once
// The script cache: the script as last downloaded, kept in a file in the current directory
// so that later program starts need no download.
#include <cstdint>

constexpr const char* kCacheFile = "orbq.txt";
// Only this many bytes of a script have room; the rest of a longer one is not read.
constexpr int32_t kScriptBufferSize = 160000;
