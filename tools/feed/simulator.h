#pragma once
// The market simulator behind orbiquant-feed: a fixed list of instruments whose values walk
// over time, and the pages the feed server builds from them (index pages, quote pages, RSS
// feeds, web pages). Deterministic for a given time, so tests can pin the pages.
#include <cstdint>
#include <string>
#include <vector>

namespace feed {

struct Instrument {
  const char* symbol;  // as the script's markers and quote paths name it
  const char* page;    // "indices", "commodities", or "" for quote pages only
  double base;         // the day's opening value
};

// The instruments, in the order the index pages list them.
const std::vector<Instrument>& instruments();

struct Quote {
  double value;
  double change;   // value - base
  double percent;  // change / base * 100
};

// The quote of an instrument at a time step (seconds since the epoch / kStepSeconds).
// About a third of the steps leave a value where the previous step had it.
constexpr int64_t kStepSeconds = 30;
Quote quoteAt(const Instrument& instrument, int64_t step);

// Futures symbols as the script builds them from the local date: month code, two-digit
// year and exchange, e.g. "Z26.CMX" for December 2026.
std::string futuresSuffix(int year, int month, const char* exchange);

// The marker of an instrument on its index page: the futures carry the month's suffix.
std::string indexMarker(const std::string& symbol, int year, int month);

// An index page's row; `note` (e.g. the value's age) goes into a last column.
struct IndexRow {
  std::string marker;
  Quote quote;
  std::string note;
};

// Pages in the shape the script and the globe's quote page reader expect. A quote page's
// `note` goes into a paragraph after the values.
std::string indexPageOf(const std::string& page, const std::vector<IndexRow>& rows);
std::string quotePageOf(const std::string& symbol, const Quote& quote, const std::string& note);

// The simulator's pages.
std::string indexPage(const std::string& page, int64_t step, int year, int month);
std::string quotePage(const std::string& symbol, int64_t step);  // empty if unknown
std::string rssFeed(const std::string& name, int64_t step);      // empty if unknown
std::string itemPage(const std::string& symbol, int64_t step);
std::string newsPage(int64_t step);

// Replaces every "{HOST}" of a served file by the server's own address.
std::string withHost(std::string text, const std::string& host);

}  // namespace feed
