#pragma once
// The news ticker's text: headlines and runs of blanks in one counted buffer. Frames read
// it while the fetch thread replaces it, so it is only touched under tickerMutex(): the
// fetch thread builds a text of its own and publishes it whole.
#include <cstdint>
#include <mutex>
#include <string_view>

constexpr int32_t kTickerSize = 128000;

extern char tickerText[kTickerSize];
extern int32_t tickerLength;

std::mutex& tickerMutex();

// Replaces the ticker text with at most kTickerSize bytes of `text`, under the mutex.
void publishTicker(std::string_view text);
