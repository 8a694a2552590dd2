#include "market/quote_parser.h"

#include <cstring>
#include <initializer_list>

#include "platform/text.h"

namespace {

// Writes c at index i unless that would overwrite the buffer's last byte, which stays NUL.
void put(char* text, int32_t size, int32_t i, char c) {
  if (i >= 0 && i < size - 1) text[i] = c;
}

int32_t boundedLength(const char* text, int32_t size) {
  const void* end = std::memchr(text, '\0', static_cast<size_t>(size));
  return end ? static_cast<int32_t>(static_cast<const char*>(end) - text) : size - 1;
}

// The number text the scanner read last, with "-" in front when the page marks the move as a
// fall, in the form `shape` gives it.
std::string shapedNumber(const ScannerState& s, bool isDown, void (*shape)(char*, int32_t)) {
  char text[kQuoteTextSize] = {};
  char* out = text;
  if (isDown) *out++ = '-';
  platform::copyBounded(out, static_cast<size_t>(kQuoteTextSize - (out - text)), s.numberText);
  shape(text, kQuoteTextSize);
  return text;
}

bool findAll(ScannerState& s, std::initializer_list<const char*> markers) {
  for (const char* marker : markers) {
    if (!findText(s, marker)) return false;
  }
  return true;
}

}  // namespace

// Both forms look at every "." of the text as it stood before the cut; only the first one
// changes what is visible, as the cut ends the text right behind it.
void cutDecimals(char* text, int32_t size) {
  const int32_t length = boundedLength(text, size);
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] != '.') continue;
    for (int32_t j = i; j < i + 5; ++j) put(text, size, j, ' ');
    put(text, size, i + 5, '\0');
  }
}

void percentForm(char* text, int32_t size) {
  const int32_t length = boundedLength(text, size);
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] != '.') continue;
    put(text, size, i + 2, '%');
    for (int32_t j = i + 3; j < i + 7; ++j) put(text, size, j, ' ');
    put(text, size, i + 7, '\0');
  }
}

int32_t parseQuotePage(ScannerState& s, QuoteTexts& texts) {
  if (!findAll(s, {"Index Value:", "<span id=", ">"})) return 0;
  readNumberText(s);
  texts.value = shapedNumber(s, false, cutDecimals);

  if (!findAll(s, {"http", "alt="})) return 0;
  readChar(s);  // the quote that opens the alternative text
  const bool isDown = readChar(s) == 'D';

  if (!findAll(s, {">", ">"})) return 0;
  readNumberText(s);
  texts.change = shapedNumber(s, isDown, cutDecimals);

  if (!findText(s, "(")) return 0;
  readNumberText(s);
  texts.percent = shapedNumber(s, isDown, percentForm);
  return 1;
}
