#pragma once
// The quote page parser: when the script cannot find an item's marker in its page, the quote
// server's own page for the symbol supplies the value, the change and the percentage change.
// The parser cuts them out as short texts; the script's quote command appends them to the
// item table, so the parser never touches the table itself.
#include <cstdint>
#include <string>

#include "market/scanner.h"

// The longest text a quote field holds, its terminator included.
constexpr int32_t kQuoteTextSize = 256;

// The three texts a quote page yields; "----" where the page did not give one.
struct QuoteTexts {
  std::string value = "----";
  std::string change = "----";
  std::string percent = "----";
};

// Parses the quote page at the scanner's cursor into `texts`. 1 when value, change and
// percent were all found; 0 when a marker was missing (the texts found before it are set, the
// others are left as they were). Each text is at most kQuoteTextSize - 1 characters.
int32_t parseQuotePage(ScannerState& scanner, QuoteTexts& texts);

// Decimal cutting: the first "." and the four characters after it become blanks and the
// text ends after them ("10234.56" -> "10234     ").
void cutDecimals(char* text, int32_t size);
// Percent form: "." and one digit are kept, "%" follows, then four blanks ("0.45" -> "0.4%    ").
void percentForm(char* text, int32_t size);
