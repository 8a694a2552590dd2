#pragma once
// The news ticker's text: headlines and runs of blanks in one counted buffer of at most
// kTickerSize bytes. A headline entry is the headline mark, the headline and blanks up to
// 61 bytes. The fetch run builds it and publishes it in its snapshot (fetch_snapshot.h).
#include <cstdint>

constexpr int32_t kTickerSize = 128000;
constexpr char kHeadlineMark = 26;  // starts every headline in the ticker text

// The ticker's text before the first run has published one: a line of blanks.
constexpr int32_t kStartTickerBlanks = 149;
