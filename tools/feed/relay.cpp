#include "tools/feed/relay.h"

#include <cstdio>
#include <ctime>

#include "tools/feed/news_reader.h"

namespace feed {

namespace {

const char* const kSlots[] = {"business", "stocks", "topstories"};

std::string number(double value, const char* format = "%.2f") {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string utcTime(int64_t seconds) {
  if (seconds <= 0) return "unknown";
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", &utc);
  return buffer;
}

// "GCZ26.CMX" stands for GC: a futures item with a month code, two digits and an exchange.
bool isFuturesOf(const std::string& symbol, const std::string& item) {
  if ((item != "GC" && item != "CL") || !symbol.starts_with(item)) return false;
  const std::string rest = symbol.substr(item.size());
  return rest.size() == 7 && std::string_view("FGHJKMNQUVXZ").find(rest[0]) != std::string::npos &&
         std::isdigit(static_cast<unsigned char>(rest[1])) &&
         std::isdigit(static_cast<unsigned char>(rest[2])) &&
         (rest.substr(3) == ".CMX" || rest.substr(3) == ".NYM");
}

// The answer's status and Retry-After, with `value` when `error` is empty.
template <class Value>
Fetched<Value> outcome(const UpstreamResponse& response, std::string error, Value value) {
  Fetched<Value> fetched;
  fetched.ok = error.empty();
  fetched.status = response.received ? response.status : 0;
  fetched.retryAfterSeconds = response.retryAfterSeconds;
  fetched.error = std::move(error);
  if (fetched.ok) fetched.value = std::move(value);
  return fetched;
}

std::string responseProblem(const UpstreamResponse& response) {
  if (!response.received) return response.error;
  if (response.status != 200) return "HTTP " + std::to_string(response.status);
  return {};
}

std::string htmlEscaped(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '&' ? "&amp;" : std::string(1, c);
  return out;
}

}  // namespace

Fetched<SourceQuote> fetchQuote(Upstream& upstream, const QuoteSource& source,
                                const std::string& symbol) {
  const UpstreamResponse response = upstream.get(quoteUrl(source, symbol));
  std::string error = responseProblem(response);
  SourceQuote quote;
  if (error.empty()) error = readQuote(source, response.contentType, response.body, quote);
  return outcome(response, std::move(error), quote);
}

Fetched<Headlines> fetchHeadlines(Upstream& upstream, const std::string& url) {
  const UpstreamResponse response = upstream.get(url);
  std::string error = responseProblem(response);
  Headlines headlines;
  if (error.empty()) error = readFeed(response.body, response.contentType, headlines);
  if (headlines.title.empty()) headlines.title = plainText(hostOf(url));
  return outcome(response, std::move(error), std::move(headlines));
}

QuoteRelay::QuoteRelay(QuoteSource source, Upstream& upstream, Clock clock, RequestLog* log,
                       std::chrono::milliseconds wait)
    : source_(std::move(source)),
      upstream_(upstream),
      log_(log),
      wait_(wait),
      refresher_(std::move(clock), int64_t{source_.refreshSeconds} * 1000, true,
                 [this](const std::string& item) { return fetch(item); }) {}

std::string QuoteRelay::sourceSymbol(const std::string& item) const {
  for (const auto& [key, symbol] : source_.symbols) {
    if (key == item) return symbol;
  }
  return {};
}

std::string QuoteRelay::itemFor(const std::string& symbol) const {
  for (const auto& [item, ignored] : source_.symbols) {
    if (symbol == item || isFuturesOf(symbol, item)) return item;
  }
  return {};
}

Fetched<SourceQuote> QuoteRelay::fetch(const std::string& item) {
  Fetched<SourceQuote> fetched = fetchQuote(upstream_, source_, sourceSymbol(item));
  if (!fetched.ok && log_) {
    log_->note("quotes: " + item + " (" + sourceSymbol(item) + "): " + fetched.error);
  }
  return fetched;
}

// A value is served until two refresh periods have passed without a fresh one.
bool QuoteRelay::current(const Cached<SourceQuote>& cached, Current& out) const {
  const int64_t age = refresher_.now() - cached.fetchedAtMs;
  if (!cached.value || age > 2 * refresher_.periodMs()) return false;
  const SourceQuote& q = *cached.value;
  out = {{q.price, q.change, q.percent}, age / 1000, q.time};
  return true;
}

std::string QuoteRelay::indexPage(const std::string& page, int year, int month) {
  if (page != "indices" && page != "commodities") return {};
  std::vector<std::string> items;
  for (const auto& instrument : instruments()) {
    if (page == instrument.page && !sourceSymbol(instrument.symbol).empty()) {
      items.push_back(instrument.symbol);
    }
  }
  const auto cached = refresher_.read(items, wait_);
  std::vector<IndexRow> rows;
  for (const auto& item : items) {
    Current now;
    if (!current(cached.at(item), now)) continue;
    rows.push_back({indexMarker(item, year, month), now.quote,
                    "age " + std::to_string(now.ageSeconds) + " s"});
  }
  return indexPageOf(page, rows);
}

std::string QuoteRelay::quotePage(const std::string& symbol) {
  const std::string item = itemFor(symbol);
  if (item.empty()) return {};
  const auto cached = refresher_.read({item}, wait_);
  Current now;
  if (!current(cached.at(item), now)) return {};
  return quotePageOf(symbol, now.quote,
                     "Quote time " + utcTime(now.time) + ", fetched " +
                         std::to_string(now.ageSeconds) + " s ago.");
}

std::string QuoteRelay::itemPage(const std::string& item) {
  if (sourceSymbol(item).empty()) return {};
  const auto cached = refresher_.read({item}, wait_);
  Current now;
  std::string body = "<h1>" + item + " (" + sourceSymbol(item) + ")</h1>";
  if (current(cached.at(item), now)) {
    body += "<p>" + number(now.quote.value) + " (" + number(now.quote.change, "%+.2f") + ", " +
            number(now.quote.percent, "%+.2f") + "%)</p><p>Quote time " + utcTime(now.time) +
            ", fetched " + std::to_string(now.ageSeconds) + " s ago from " +
            hostOf(source_.urlTemplate) + ".</p>";
  } else {
    body += "<p>No value at the moment.</p>";
  }
  return "<html><head><title>" + item + "</title></head><body>" + body + "</body></html>\n";
}

std::string QuoteRelay::status(int64_t unixNow) {
  const int64_t now = refresher_.now();
  std::string text = "quotes from " + hostOf(source_.urlTemplate) + ", each asked at most every " +
                     std::to_string(source_.refreshSeconds) + " s\n";
  const int64_t until = refresher_.backoffUntil({});
  if (until > now) {
    text += "backing off after 429 or 5xx answers: next request in " +
            std::to_string((until - now + 999) / 1000) + " s\n";
  }
  const auto cached = refresher_.snapshot();
  for (const auto& [item, symbol] : source_.symbols) {
    text += item + " (" + symbol + "): ";
    const auto found = cached.find(item);
    if (found == cached.end() || found->second.attempts == 0) {
      text += "not asked for yet\n";
      continue;
    }
    const Cached<SourceQuote>& entry = found->second;
    if (entry.value) {
      const SourceQuote& q = *entry.value;
      Current served;
      text += number(q.price) + ", previous close " + number(q.previous) + ", change " +
              number(q.change, "%+.2f") + " (" + number(q.percent, "%+.2f") + "%), quote time " +
              utcTime(q.time) + ", fetched " + std::to_string((now - entry.fetchedAtMs) / 1000) +
              " s ago" + (current(entry, served) ? "" : ", too old: left off the pages");
    } else {
      text += "no value";
    }
    if (!entry.error.empty()) text += "; last attempt failed: " + entry.error;
    text += "\n";
  }
  return text + "(as of " + utcTime(unixNow) + ")\n";
}

NewsRelay::NewsRelay(std::vector<std::string> urls, Upstream& upstream, Clock clock,
                     RequestLog* log, std::chrono::milliseconds wait)
    : urls_(std::move(urls)),
      upstream_(upstream),
      log_(log),
      wait_(wait),
      refresher_(std::move(clock), kFeedPeriodMs, false,
                 [this](const std::string& url) { return fetch(url); }) {}

std::vector<std::string> NewsRelay::urlsOf(const std::string& slot) const {
  std::vector<std::string> urls;
  for (size_t i = 0; i < urls_.size(); ++i) {
    if (slot == kSlots[i % 3]) urls.push_back(urls_[i]);
  }
  return urls;
}

Fetched<Headlines> NewsRelay::fetch(const std::string& url) {
  Fetched<Headlines> fetched = fetchHeadlines(upstream_, url);
  if (!fetched.ok && log_) log_->note("feeds: " + hostOf(url) + ": " + fetched.error);
  return fetched;
}

std::string NewsRelay::rss(const std::string& slot) {
  if (slot != kSlots[0] && slot != kSlots[1] && slot != kSlots[2]) return {};
  const std::vector<std::string> urls = urlsOf(slot);
  const auto cached = refresher_.read(urls, wait_);
  std::string title;
  std::vector<std::string> items;
  for (const auto& url : urls) {
    const Cached<Headlines>& entry = cached.at(url);
    if (!entry.value || refresher_.now() - entry.fetchedAtMs > kFeedKeepMs) continue;
    if (title.empty()) {
      title = entry.value->title;
    } else {
      items.push_back(entry.value->title);  // a later feed of the slot starts with its name
    }
    items.insert(items.end(), entry.value->items.begin(), entry.value->items.end());
  }
  if (title.empty()) {
    return "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<rss version=\"2.0\"><channel>\n"
           "</channel></rss>\n";
  }
  return plainRss(title, items);
}

std::string NewsRelay::newsPage() {
  std::string html = "<html><head><title>News</title></head><body><h1>News</h1>\n";
  const auto cached = refresher_.read(urls_, wait_);
  for (const auto& url : urls_) {
    const Cached<Headlines>& entry = cached.at(url);
    if (!entry.value || refresher_.now() - entry.fetchedAtMs > kFeedKeepMs) continue;
    html += "<h2>" + htmlEscaped(entry.value->title) + "</h2><ul>\n";
    for (const auto& item : entry.value->items) html += "<li>" + htmlEscaped(item) + "</li>\n";
    html += "</ul>\n";
  }
  return html + "</body></html>\n";
}

std::string NewsRelay::status() {
  const int64_t now = refresher_.now();
  const auto cached = refresher_.snapshot();
  std::string text = "feeds, each asked at most every 300 s\n";
  for (size_t i = 0; i < urls_.size(); ++i) {
    text +=
        "url" + std::to_string(i + 1) + " (" + hostOf(urls_[i]) + ", /rss/" + kSlots[i % 3] + "): ";
    const auto found = cached.find(urls_[i]);
    if (found == cached.end() || found->second.attempts == 0) {
      text += "not asked for yet\n";
      continue;
    }
    const Cached<Headlines>& entry = found->second;
    if (entry.value) {
      text += "\"" + entry.value->title + "\", " + std::to_string(entry.value->items.size()) +
              " headlines, fetched " + std::to_string((now - entry.fetchedAtMs) / 1000) + " s ago";
    } else {
      text += "no headlines";
    }
    if (!entry.error.empty()) text += "; last attempt failed: " + entry.error;
    text += "\n";
  }
  return text;
}

}  // namespace feed
