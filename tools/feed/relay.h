#pragma once
// The feed server as a relay of the outside world: the quote pages and index pages the
// script reads, filled with the configured source's numbers, and the three RSS feeds the
// ticker reads, made from the user's own feeds. Nothing is invented: an item without a value
// fresh enough is left off its page (the script then shows "----"), and a feed slot with no
// headlines serves an empty channel.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/feed/feed_config.h"
#include "tools/feed/plain_text.h"
#include "tools/feed/quote_source.h"
#include "tools/feed/refresher.h"
#include "tools/feed/request_log.h"
#include "tools/feed/simulator.h"
#include "tools/feed/upstream.h"

namespace feed {

// How long a page waits for the requests it started before it answers with what there is.
constexpr std::chrono::milliseconds kPageWait{5000};
constexpr int64_t kFeedPeriodMs = 5 * 60 * 1000;
constexpr int64_t kFeedKeepMs = 60 * 60 * 1000;  // a failing feed's last headlines

// One request for a symbol's quote, or for a feed, and its reading (for the relay and for
// --check). A feed without a title of its own is named by its host.
Fetched<SourceQuote> fetchQuote(Upstream& upstream, const QuoteSource& source,
                                const std::string& symbol);
Fetched<Headlines> fetchHeadlines(Upstream& upstream, const std::string& url);

class QuoteRelay {
 public:
  QuoteRelay(QuoteSource source, Upstream& upstream, Clock clock, RequestLog* log,
             std::chrono::milliseconds wait = kPageWait);

  // The index page `page` ("indices", "commodities") of the local month; "" for no such page.
  std::string indexPage(const std::string& page, int year, int month);
  // The quote page of the script's symbol (a futures symbol with its month suffix included);
  // "" when the symbol is not mapped or has no value fresh enough.
  std::string quotePage(const std::string& symbol);
  // The web page a tag opens; "" for an unmapped item.
  std::string itemPage(const std::string& item);
  // What the relay knows, for /status: every value with its age, errors, backoff.
  std::string status(int64_t unixNow);

  // The mapped item a symbol of the script stands for, "" for none.
  std::string itemFor(const std::string& symbol) const;

 private:
  struct Current {
    Quote quote;
    int64_t ageSeconds;
    int64_t time;
  };
  bool current(const Cached<SourceQuote>& cached, Current& out) const;
  Fetched<SourceQuote> fetch(const std::string& item);
  std::string sourceSymbol(const std::string& item) const;

  QuoteSource source_;
  Upstream& upstream_;
  RequestLog* log_;
  std::chrono::milliseconds wait_;
  Refresher<SourceQuote> refresher_;
};

class NewsRelay {
 public:
  NewsRelay(std::vector<std::string> urls, Upstream& upstream, Clock clock, RequestLog* log,
            std::chrono::milliseconds wait = kPageWait);

  // The plain feed of a slot ("business", "stocks", "topstories"); "" for no such slot.
  // Feed n of the settings goes to slot (n - 1) % 3.
  std::string rss(const std::string& slot);
  // The headlines of every feed, for the news page.
  std::string newsPage();
  std::string status();

 private:
  std::vector<std::string> urlsOf(const std::string& slot) const;
  Fetched<Headlines> fetch(const std::string& url);

  std::vector<std::string> urls_;
  Upstream& upstream_;
  RequestLog* log_;
  std::chrono::milliseconds wait_;
  Refresher<Headlines> refresher_;
};

}  // namespace feed
