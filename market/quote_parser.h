#pragma once
// The quote page parser: when the script cannot find an item's marker in its page, the quote
// server's own page for the symbol supplies the value, the change and the percentage change.
// The parser cuts them out as short texts; the quote command appends them to the item table
// through a column-append function, so the parser never touches the table itself.
#include <cstdint>
#include <functional>
#include <string_view>

constexpr int32_t kQuoteTextSize = 256;

// Texts the parser overwrites as it finds them; "----" until then. They keep their contents
// between quotes. Fetch thread only.
extern char quoteValue[kQuoteTextSize];
extern char quoteChange[kQuoteTextSize];
extern char quotePercent[kQuoteTextSize];

// Sets the three texts to the placeholder "----".
void resetQuoteTexts();

// Parses the quote page at the scanner's cursor (the body, its length as textLength).
// 1 when value, change and percent were all found; 0 when a marker was missing (the texts
// found before it stay, the others are left as they were).
int32_t parseQuotePage();

// Decimal cutting: the first "." and the four characters after it become blanks and the
// text ends after them ("10234.56" -> "10234     ").
void cutDecimals(char* text, int32_t size);
// Percent form: "." and one digit are kept, "%" follows, then four blanks ("0.45" -> "0.4%    ").
void percentForm(char* text, int32_t size);

// Appends one text to a column ("0" to "9" as 0 to 9) of the market item table.
using AppendColumn = std::function<void(int32_t column, std::string_view text)>;

// The quote command's hand-over: each text cut to 5 characters, the value to column 4, the
// change to column 5, the percent to column 3, in that order.
void appendQuoteTexts(const AppendColumn& append);
