// The news feed parser on any feed, twice in a row so that appends near the ticker's end
// are reached too.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "market/news_parser.h"
#include "market/scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto feed = std::make_unique<char[]>(size);
  std::memcpy(feed.get(), data, size);
  static NewsText news;  // too large for the stack
  clearNews(news);
  for (int round = 0; round < 2; ++round) {
    ScannerState scanner;
    startScan(scanner, feed.get(), static_cast<int32_t>(size));
    parseFeed(scanner, news);
    if (news.length < 50 || news.length > kTickerSize) std::abort();
  }
  for (const char* name : {"amp;", "#8217;", ""}) decodeEntity(name);
  return 0;
}
