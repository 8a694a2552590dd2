#include "market/quote_parser.h"

#include <cstring>
#include <initializer_list>

#include "market/scanner.h"
#include "platform/text.h"

char quoteValue[kQuoteTextSize] = "----";
char quoteChange[kQuoteTextSize] = "----";
char quotePercent[kQuoteTextSize] = "----";

namespace {

constexpr size_t kTagTextLength = 5;

// Writes c at index i unless that would overwrite the buffer's last byte, which stays NUL.
void put(char* text, int32_t size, int32_t i, char c) {
  if (i >= 0 && i < size - 1) text[i] = c;
}

int32_t boundedLength(const char* text, int32_t size) {
  const void* end = std::memchr(text, '\0', static_cast<size_t>(size));
  return end ? static_cast<int32_t>(static_cast<const char*>(end) - text) : size - 1;
}

// numberText, with "-" in front when the page marks the move as a fall.
void copySigned(char* text, bool isDown) {
  char* out = text;
  if (isDown) *out++ = '-';
  platform::copyBounded(out, static_cast<size_t>(kQuoteTextSize - (out - text)),
                        scanner.numberText);
}

bool findAll(std::initializer_list<const char*> markers) {
  for (const char* marker : markers) {
    if (!findText(marker)) return false;
  }
  return true;
}

}  // namespace

void resetQuoteTexts() {
  std::strcpy(quoteValue, "----");
  std::strcpy(quoteChange, "----");
  std::strcpy(quotePercent, "----");
}

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

int32_t parseQuotePage() {
  if (!findAll({"Index Value:", "<span id=", ">"})) return 0;
  readNumberText();
  platform::copyBounded(quoteValue, sizeof quoteValue, scanner.numberText);
  cutDecimals(quoteValue, kQuoteTextSize);

  if (!findAll({"http", "alt="})) return 0;
  readChar();  // the quote that opens the alternative text
  const bool isDown = readChar() == 'D';

  if (!findAll({">", ">"})) return 0;
  readNumberText();
  copySigned(quoteChange, isDown);
  cutDecimals(quoteChange, kQuoteTextSize);

  if (!findText("(")) return 0;
  readNumberText();
  copySigned(quotePercent, isDown);
  percentForm(quotePercent, kQuoteTextSize);
  return 1;
}

void appendQuoteTexts(const AppendColumn& append) {
  for (char* text : {quoteValue, quoteChange, quotePercent}) text[kTagTextLength] = '\0';
  append(4, quoteValue);
  append(5, quoteChange);
  append(3, quotePercent);
}
