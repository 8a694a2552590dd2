// The quote page parser on any page; the three texts must stay terminated in their buffers.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "market/quote_parser.h"
#include "market/scanner.h"

namespace {
void checkTerminated(const char* text) {
  if (std::memchr(text, '\0', kQuoteTextSize) == nullptr) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto page = std::make_unique<char[]>(size);
  std::memcpy(page.get(), data, size);
  resetQuoteTexts();
  startScan(page.get(), static_cast<int32_t>(size));
  const int32_t result = parseQuotePage();
  if (result != 0 && result != 1) std::abort();
  checkTerminated(quoteValue);
  checkTerminated(quoteChange);
  checkTerminated(quotePercent);
  appendQuoteTexts([](int32_t column, std::string_view text) {
    if (text.size() > 5 || (column != 3 && column != 4 && column != 5)) std::abort();
  });
  return 0;
}
