#pragma once
// One quote from a configured source: the address of a symbol's answer, and the reading of
// that answer (a JSON object) through the JSON pointers of the settings. The number of an
// answer is taken only when the answer is what was asked for: an HTML page, an error object,
// a missing or non-positive price make a failure with a reason, never a value.
#include <cstdint>
#include <string>

#include "tools/feed/feed_config.h"

namespace feed {

struct SourceQuote {
  double price = 0;
  double previous = 0;
  double change = 0;   // from the source, or price - previous
  double percent = 0;  // from the source, or change / previous * 100
  int64_t time = 0;    // the quote's own time, seconds since the epoch; 0 when not given
};

// The template with {symbol} and {token} filled in, each percent-encoded.
std::string quoteUrl(const QuoteSource& source, const std::string& symbol);

// Reads an answer. Returns "" and fills `quote`, or says why there is no value.
std::string readQuote(const QuoteSource& source, const std::string& contentType,
                      const std::string& body, SourceQuote& quote);

// True when a body that should be JSON or XML is an HTML page (some providers answer
// non-browser clients with one, status 200).
bool looksLikeHtml(const std::string& contentType, const std::string& body);

}  // namespace feed
