#include "tools/feed/simulator.h"

#include <cmath>
#include <cstdio>

namespace feed {

namespace {

// A small integer hash: the same instrument and step always give the same noise.
uint64_t mix(uint64_t x) {
  x ^= x >> 33;
  x *= 0xff51afd7ed558ccdULL;
  x ^= x >> 33;
  x *= 0xc4ceb9fe1a85ec53ULL;
  x ^= x >> 33;
  return x;
}

uint64_t symbolHash(const char* symbol) {
  uint64_t h = 1469598103934665603ULL;
  for (const char* p = symbol; *p; ++p) h = (h ^ static_cast<unsigned char>(*p)) * 1099511628211ULL;
  return h;
}

// The most recent step at or before `step` at which the instrument moved.
int64_t lastMove(uint64_t id, int64_t step) {
  for (int i = 0; i < 8 && mix(id ^ static_cast<uint64_t>(step)) % 3 == 0; ++i) --step;
  return step;
}

std::string fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// Thousands separators, as quote pages write large values.
std::string grouped(double value) {
  const std::string digits = fixed(std::fabs(value), 2);
  const size_t dot = digits.find('.');
  std::string out = value < 0 ? "-" : "";
  for (size_t i = 0; i < dot; ++i) {
    if (i > 0 && (dot - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out + digits.substr(dot);
}

struct Headline {
  const char* text;
};

const char* kFeedTitles[][2] = {{"business", "Orbiquant Business"},
                                {"stocks", "Orbiquant Stocks"},
                                {"topstories", "Orbiquant Top Stories"}};

const char* kStories[] = {
    "Central banks hold rates steady (analysis)",
    "Shipping costs ease as ports clear backlog",
    "Tech shares lead a broad rally",
    "Oil &amp; gas producers weigh output cuts",
    "Retail sales beat forecasts &#36;4.1bn ahead",
    "Bond yields slip after jobs report",
    "Chip makers expand capacity in Asia",
    "Currency markets calm ahead of the summit",
    "Gold steadies near its highs",
    "Airlines report record holiday bookings",
    "Grain prices climb on dry weather",
    "Car makers bet on smaller batteries",
};

std::string xmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : std::string(1, c);
  return out;
}

}  // namespace

const std::vector<Instrument>& instruments() {
  static const std::vector<Instrument> list = {
      {"DJI", "indices", 38500.0},
      {"IXIC", "indices", 15900.0},
      {"FTSE", "indices", 7650.0},
      {"GDAXI", "indices", 16900.0},
      {"FCHI", "indices", 7400.0},
      {"N225", "indices", 33400.0},
      {"HSI", "indices", 16800.0},
      {"BVSP", "indices", 127000.0},
      {"AXJO", "indices", 7500.0},
      {"GSPTSE", "indices", 21000.0},
      {"SSEC", "indices", 2950.0},
      {"BSESN", "", 71500.0},
      {"GC", "commodities", 2030.0},
      {"CL", "commodities", 74.5},
      {"IBM", "", 162.0},
      {"AAPL", "", 189.0},
      {"MSFT", "", 375.0},
  };
  return list;
}

Quote quoteAt(const Instrument& instrument, int64_t step) {
  const uint64_t id = symbolHash(instrument.symbol);
  const int64_t moved = lastMove(id, step);
  const double phase = static_cast<double>(id % 628) / 100.0;
  const double wave = 0.012 * std::sin(static_cast<double>(moved) / 40.0 + phase);
  const double noise =
      (static_cast<double>(mix(id + static_cast<uint64_t>(moved)) % 2001) - 1000.0) / 1e6 * 3.0;
  const double value = std::round(instrument.base * (1.0 + wave + noise) * 100.0) / 100.0;
  const double change = value - instrument.base;
  return {value, change, change / instrument.base * 100.0};
}

std::string futuresSuffix(int year, int month, const char* exchange) {
  static const char kCodes[] = "FGHJKMNQUVXZ";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%c%02d.%s", kCodes[(month - 1) % 12], year % 100, exchange);
  return buffer;
}

std::string indexMarker(const std::string& symbol, int year, int month) {
  if (symbol == "GC") return symbol + futuresSuffix(year, month, "CMX");
  if (symbol == "CL")
    return symbol + futuresSuffix(month == 12 ? year + 1 : year, month % 12 + 1, "NYM");
  return symbol;
}

std::string indexPageOf(const std::string& page, const std::vector<IndexRow>& rows) {
  std::string html = "<html><head><title>Markets: " + page + "</title></head><body><table>\n";
  for (const auto& row : rows) {
    html += "<tr><td>" + row.marker + "\",</td><td>" + fixed(row.quote.value, 2) + "</td><td>" +
            fixed(row.quote.change, 2) + "</td><td>" + fixed(row.quote.percent, 2) + "</td>" +
            (row.note.empty() ? "" : "<td>" + row.note + "</td>") + "</tr>\n";
  }
  return html + "</table></body></html>\n";
}

std::string indexPage(const std::string& page, int64_t step, int year, int month) {
  std::vector<IndexRow> rows;
  for (const auto& instrument : instruments()) {
    if (page != instrument.page) continue;
    rows.push_back({indexMarker(instrument.symbol, year, month), quoteAt(instrument, step), {}});
  }
  return indexPageOf(page, rows);
}

std::string quotePageOf(const std::string& symbol, const Quote& q, const std::string& note) {
  const bool down = q.change < 0;
  return "<html><head><title>" + symbol + "</title></head><body>\n<h1>" + symbol +
         "</h1>\n<p>Index Value: <span id=\"v\">" + grouped(q.value) + "</span></p>\n" +
         "<p>Change: <img src=\"http://img/" + (down ? "down" : "up") + ".gif\" alt=\"" +
         (down ? "Down" : "Up") + "\"> <b>" + grouped(std::fabs(q.change)) + "</b> (" +
         fixed(std::fabs(q.percent), 2) + "%)</p>\n" +
         (note.empty() ? "" : "<p>" + note + "</p>\n") + "</body></html>\n";
}

std::string quotePage(const std::string& symbol, int64_t step) {
  for (const auto& instrument : instruments()) {
    if (symbol == instrument.symbol) return quotePageOf(symbol, quoteAt(instrument, step), {});
  }
  return {};
}

std::string rssFeed(const std::string& name, int64_t step) {
  for (const auto& [feedName, title] : kFeedTitles) {
    if (name != feedName) continue;
    std::string xml = "<?xml version=\"1.0\"?>\n<rss version=\"2.0\"><channel>\n<title>" +
                      std::string(title) + "</title>\n<image><title>" + title +
                      "</title><url>http://img/logo.gif</url></image>\n";
    const size_t count = sizeof kStories / sizeof kStories[0];
    const size_t first = (symbolHash(feedName) + static_cast<uint64_t>(step / 10)) % count;
    for (size_t i = 0; i < 4; ++i) {
      xml += "<item><title>" + std::string(kStories[(first + i) % count]) + "</title></item>\n";
    }
    // One line about the market's biggest mover.
    const Instrument* mover = &instruments()[0];
    double biggest = 0;
    for (const auto& instrument : instruments()) {
      const double p = std::fabs(quoteAt(instrument, step).percent);
      if (p > biggest) biggest = p, mover = &instrument;
    }
    const Quote q = quoteAt(*mover, step);
    xml += "<item><title>" +
           xmlEscape(std::string(mover->symbol) + (q.change < 0 ? " falls " : " rises ") +
                     fixed(std::fabs(q.percent), 2) + "% to " + fixed(q.value, 2)) +
           "</title></item>\n";
    return xml + "</channel></rss>\n";
  }
  return {};
}

std::string itemPage(const std::string& symbol, int64_t step) {
  for (const auto& instrument : instruments()) {
    if (symbol != instrument.symbol) continue;
    const Quote q = quoteAt(instrument, step);
    return "<html><head><title>" + symbol + "</title></head><body><h1>" + symbol + "</h1><p>" +
           fixed(q.value, 2) + " (" + fixed(q.change, 2) + ", " + fixed(q.percent, 2) +
           "%)</p><p>Simulated by the Orbiquant feed server.</p></body></html>\n";
  }
  return {};
}

std::string newsPage(int64_t step) {
  std::string html =
      "<html><head><title>Business news</title></head><body><h1>Business news</h1><ul>\n";
  for (size_t i = 0; i < 6; ++i) {
    const size_t count = sizeof kStories / sizeof kStories[0];
    html +=
        "<li>" + std::string(kStories[(static_cast<size_t>(step / 10) + i) % count]) + "</li>\n";
  }
  return html + "</ul></body></html>\n";
}

std::string withHost(std::string text, const std::string& host) {
  for (size_t at = text.find("{HOST}"); at != std::string::npos;
       at = text.find("{HOST}", at + host.size())) {
    text.replace(at, 6, host);
  }
  return text;
}

}  // namespace feed
