// The quote page parser on any page; each of the three texts must fit its field.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "market/quote_parser.h"
#include "market/scanner.h"

namespace {
void checkFits(const std::string& text) {
  if (text.size() >= static_cast<size_t>(kQuoteTextSize)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto page = std::make_unique<char[]>(size);
  std::memcpy(page.get(), data, size);
  ScannerState scanner;
  startScan(scanner, page.get(), static_cast<int32_t>(size));
  QuoteTexts texts;
  const int32_t result = parseQuotePage(scanner, texts);
  if (result != 0 && result != 1) std::abort();
  checkFits(texts.value);
  checkFits(texts.change);
  checkFits(texts.percent);
  return 0;
}
