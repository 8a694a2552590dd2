#include "model/ticker_text.h"

#include <cstring>

char tickerText[kTickerSize];
int32_t tickerLength = 0;

std::mutex& tickerMutex() {
  static std::mutex mutex;
  return mutex;
}

void publishTicker(std::string_view text) {
  const size_t n = text.size() < static_cast<size_t>(kTickerSize) ? text.size() : kTickerSize;
  std::lock_guard lock(tickerMutex());
  std::memcpy(tickerText, text.data(), n);
  tickerLength = static_cast<int32_t>(n);
}
