#include "market/scanner.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "platform/text.h"

ScannerState scanner;

namespace {

// The character at offset pos; NUL outside the text.
char at(int32_t pos) {
  if (!scanner.text || pos < 0 || pos >= scanner.textLength) return '\0';
  return scanner.text[pos];
}

// Reads the character at the cursor and moves the cursor past it.
char next() { return at(scanner.cursorPos++); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool startsNumber(char c) { return c == '-' || c == '+' || isDigit(c); }

// The backward operations stop at the saved position; the cursor never goes before the text.
bool atBackLimit() { return scanner.cursorPos <= scanner.savedPos || scanner.cursorPos < 0; }
void clampToStart() {
  if (scanner.cursorPos < 0) scanner.cursorPos = 0;
}

// While no part of the marker has matched, every character up to the next occurrence of its
// first character is either skipped or a mismatch that leaves the match empty: memchr finds
// that occurrence at once, with the cursor where the character-by-character scan puts it.
void jumpToFirstChar(char first, int32_t limit) {
  const int32_t pos = scanner.cursorPos;
  if (pos < 0 || pos >= limit || !scanner.text) return;
  const int32_t end = limit < scanner.textLength ? limit : scanner.textLength;
  if (pos >= end) return;
  const void* hit = std::memchr(scanner.text + pos, first, static_cast<size_t>(end - pos));
  scanner.cursorPos = hit ? static_cast<int32_t>(static_cast<const char*>(hit) - scanner.text)
                          : end;
}

// The standard conversion of a kept number text, as a 32-bit float; values beyond the float
// range become infinities rather than an undefined narrowing.
float toFloat(const char* text) {
  const double value = platform::leadingDouble(text);
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}

void setNumberText(const char* text) {
  platform::copyBounded(scanner.numberText, sizeof scanner.numberText, text);
}

}  // namespace

char readChar() { return next(); }

void startScan(const char* text, int32_t length) {
  scanner.text = text;
  scanner.cursorPos = 0;
  scanner.textLength = length;
}

void saveCursor() {
  scanner.savedText = scanner.text;
  scanner.savedPos = scanner.cursorPos;
}

void rewindCursor() {
  scanner.text = scanner.savedText;
  scanner.cursorPos = scanner.savedPos;
}

int32_t findText(std::string_view marker) {
  const size_t markerLength = marker.size();
  const int32_t limit = scanner.textLength - 3;  // the last three characters are never examined
  size_t matched = 0;
  for (;;) {
    if (matched == 0 && markerLength > 0) jumpToFirstChar(marker[0], limit);
    const int32_t pos = scanner.cursorPos++;
    if (pos >= limit) return 0;
    const char c = at(pos);
    if (isControlChar(c)) continue;
    if (matched < markerLength && c == marker[matched]) {
      if (++matched == markerLength) return 1;
    } else {
      matched = 0;  // the breaking character is not tried as a new first character
    }
  }
}

int32_t findBack(std::string_view marker) {
  const size_t markerLength = marker.size();
  if (markerLength == 0) return 1;
  size_t k = markerLength - 1;
  for (;;) {
    const char c = at(scanner.cursorPos--);
    if (atBackLimit()) break;  // that character is not compared
    if (c != marker[k]) {
      k = markerLength - 1;
    } else if (k == 0) {
      ++scanner.cursorPos;  // onto the marker's first character
      return 1;
    } else {
      --k;
    }
  }
  clampToStart();
  return 1;
}

int32_t backToTag() {
  for (;;) {
    const char c = at(scanner.cursorPos--);
    if (atBackLimit() || c == '>') break;
  }
  clampToStart();
  return 1;
}

int32_t skipToNumber() {
  const int32_t limit = scanner.textLength - 3;
  bool afterTag = false;
  for (;;) {
    const int32_t pos = scanner.cursorPos++;
    if (pos >= limit) return 0;
    const char c = at(pos);
    if (!afterTag) {
      afterTag = c == '>';
    } else if (isDigit(c)) {
      --scanner.cursorPos;  // rest on the digit
      return 1;
    } else if (c == '<') {
      afterTag = false;
    }
  }
}

float readNumber(int32_t n) {
  const int32_t limit = scanner.textLength - 1;
  for (int32_t passed = 0; passed < n;) {
    const int32_t pos = scanner.cursorPos++;
    if (pos >= limit) return -1.0f;
    if (at(pos) == '>') ++passed;
  }
  char c;
  for (;;) {
    const int32_t pos = scanner.cursorPos++;
    if (pos >= limit) return -1.0f;
    c = at(pos);
    if (startsNumber(c)) break;
    if (c == '<') return scanner.accumulator = 0.0f;
  }
  constexpr size_t kStore = 199;  // longer runs of digits are read but not kept
  char kept[kStore + 1];
  size_t length = 0;
  kept[length++] = c;
  for (;;) {
    const int32_t pos = scanner.cursorPos++;
    c = at(pos);
    if (c == '\0') break;
    if (pos >= scanner.textLength) return -1.0f;
    if (isControlChar(c)) continue;
    if (c != '.' && !isDigit(c)) break;
    if (length < kStore) kept[length++] = c;
  }
  kept[length] = '\0';
  return scanner.accumulator = toFloat(kept);
}

void readNumberText() {
  constexpr int32_t kWindow = 16;
  int32_t count = 0;
  char c;
  for (;;) {
    c = next();
    if (++count >= kWindow) return setNumberText("0");
    if (startsNumber(c)) break;
    if (c == '<') return setNumberText("0");
  }
  char kept[kWindow + 1];
  size_t length = 0;
  kept[length++] = c;
  for (;;) {
    c = next();
    ++count;
    if (c == '\0') break;
    if (count > kWindow) return setNumberText("0");
    if (isControlChar(c) || c == ',') continue;
    if (c != '.' && !isDigit(c)) break;
    kept[length++] = c;
  }
  kept[length] = '\0';
  setNumberText(kept);
}
