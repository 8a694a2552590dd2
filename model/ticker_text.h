#pragma once
// The news ticker's text: headlines and runs of blanks in one counted buffer. A headline
// entry is the headline mark, the headline and blanks up to 61 bytes.
//
// Frames read it on the UI thread while the fetch thread replaces it, so it is only touched
// under tickerMutex(): the fetch thread builds a text of its own and publishes it whole.
#include <cstdint>
#include <mutex>
#include <string_view>

constexpr int32_t kTickerSize = 128000;
constexpr char kHeadlineMark = 26;  // starts every headline in the ticker text

// The program's one ticker text. Written by publishTicker only: by the UI thread once when
// the scene is prepared, then by the fetch thread.
extern char tickerText[kTickerSize];
extern int32_t tickerLength;

std::mutex& tickerMutex();

// Replaces the ticker text with at most kTickerSize bytes of `text`, under the mutex.
void publishTicker(std::string_view text);
