// The page scanner's forward search and the news feed parse over 1 MB, each also reported as
// a ratio to memchr over the same bytes, measured in the same run ("memchr_ratio": how many
// times the memchr time the operation takes; 1.0 would be memchr speed).
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "market/news_parser.h"
#include "market/scanner.h"

namespace {

constexpr size_t kBodySize = 1000000;

std::string repeatTo(const std::string& unit) {
  std::string text;
  while (text.size() + unit.size() <= kBodySize) text += unit;
  text.resize(kBodySize, ' ');
  return text;
}

// A quote index page: table rows full of tags and numbers.
const std::string& page() {
  static const std::string text =
      repeatTo("<tr><td class=\"s\">Index</td><td>10,234.56</td><td>-12.5</td></tr>\n");
  return text;
}

// A news feed with many items.
const std::string& feedBody() {
  static const std::string text = [] {
    std::string xml = "<rss><channel><image><title>Business</title></image>\n";
    const std::string item =
        "<item><title>Markets rise &amp; bonds slip (update)</title>"
        "<description>Shares climbed for a third day as caf\xC3\xA9 chains rallied.</description>"
        "</item>\n";
    while (xml.size() + item.size() + 20 <= kBodySize) xml += item;
    xml += "</channel></rss>\n";
    xml.resize(kBodySize, ' ');
    return xml;
  }();
  return text;
}

// Processor time, so that other work on a shared machine does not count.
double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Seconds memchr takes for one pass over the text, for a byte that is not in it.
double memchrSeconds(const std::string& text) {
  constexpr int kPasses = 2000;
  const double start = cpuSeconds();
  for (int i = 0; i < kPasses; ++i) {
    const void* hit = std::memchr(text.data(), '@', text.size());
    benchmark::DoNotOptimize(hit);
    benchmark::ClobberMemory();
  }
  return (cpuSeconds() - start) / kPasses;
}

template <typename Pass>
void measure(benchmark::State& state, const std::string& text, Pass pass) {
  const double start = cpuSeconds();
  for (auto _ : state) pass();
  const double perPass = (cpuSeconds() - start) / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["memchr_ratio"] = perPass / memchrSeconds(text);
}

// A whole-text search for a marker that is not there; its first character starts a word
// once a row.
void BM_FindTextWordMarker(benchmark::State& state) {
  const std::string& text = page();
  measure(state, text, [&] {
    ScannerState scanner;
    startScan(scanner, text.data(), static_cast<int32_t>(text.size()));
    benchmark::DoNotOptimize(findText(scanner, "Index Value:"));
  });
}
BENCHMARK(BM_FindTextWordMarker)->Unit(benchmark::kMicrosecond);

// The same, for a marker whose first character starts every tag.
void BM_FindTextTagMarker(benchmark::State& state) {
  const std::string& text = page();
  measure(state, text, [&] {
    ScannerState scanner;
    startScan(scanner, text.data(), static_cast<int32_t>(text.size()));
    benchmark::DoNotOptimize(findText(scanner, "<span id="));
  });
}
BENCHMARK(BM_FindTextTagMarker)->Unit(benchmark::kMicrosecond);

void BM_ParseFeed(benchmark::State& state) {
  const std::string& text = feedBody();
  const auto news = std::make_unique<NewsText>();
  measure(state, text, [&] {
    clearNews(*news);
    ScannerState scanner;
    startScan(scanner, text.data(), static_cast<int32_t>(text.size()));
    parseFeed(scanner, *news);
    benchmark::DoNotOptimize(news->length);
  });
}
BENCHMARK(BM_ParseFeed)->Unit(benchmark::kMicrosecond);

void BM_Memchr(benchmark::State& state) {
  const std::string& text = page();
  measure(state, text, [&] {
    const void* hit = std::memchr(text.data(), '@', text.size());
    benchmark::DoNotOptimize(hit);
  });
}
BENCHMARK(BM_Memchr)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
