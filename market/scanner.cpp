#include "market/scanner.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "platform/text.h"

namespace {

// The character at offset pos; NUL outside the text.
char at(const ScannerState& s, int32_t pos) {
  if (!s.text || pos < 0 || pos >= s.textLength) return '\0';
  return s.text[pos];
}

// Reads the character at the cursor and moves the cursor past it.
char next(ScannerState& s) { return at(s, s.cursorPos++); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool startsNumber(char c) { return c == '-' || c == '+' || isDigit(c); }

// The backward operations stop at the saved position; the cursor never goes before the text.
bool atBackLimit(const ScannerState& s) { return s.cursorPos <= s.savedPos || s.cursorPos < 0; }
void clampToStart(ScannerState& s) {
  if (s.cursorPos < 0) s.cursorPos = 0;
}

// While no part of the marker has matched, every character up to the next occurrence of its
// first character is either skipped or a mismatch that leaves the match empty: memchr finds
// that occurrence at once, with the cursor where the character-by-character scan puts it.
void jumpToFirstChar(ScannerState& s, char first, int32_t limit) {
  const int32_t pos = s.cursorPos;
  if (pos < 0 || pos >= limit || !s.text) return;
  const int32_t end = limit < s.textLength ? limit : s.textLength;
  if (pos >= end) return;
  const void* hit = std::memchr(s.text + pos, first, static_cast<size_t>(end - pos));
  s.cursorPos = hit ? static_cast<int32_t>(static_cast<const char*>(hit) - s.text) : end;
}

// The standard conversion of a kept number text, as a 32-bit float; values beyond the float
// range become infinities rather than an undefined narrowing.
float toFloat(const char* text) {
  const double value = platform::leadingDouble(text);
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}

void setNumberText(ScannerState& s, const char* text) {
  platform::copyBounded(s.numberText, sizeof s.numberText, text);
}

}  // namespace

char readChar(ScannerState& s) { return next(s); }

void startScan(ScannerState& s, const char* text, int32_t length) {
  s.text = text;
  s.cursorPos = 0;
  s.textLength = length;
}

void saveCursor(ScannerState& s) {
  s.savedText = s.text;
  s.savedPos = s.cursorPos;
}

void rewindCursor(ScannerState& s) {
  s.text = s.savedText;
  s.cursorPos = s.savedPos;
}

int32_t findText(ScannerState& s, std::string_view marker) {
  const size_t markerLength = marker.size();
  const int32_t limit = s.textLength - 3;  // the last three characters are never examined
  size_t matched = 0;
  for (;;) {
    if (matched == 0 && markerLength > 0) jumpToFirstChar(s, marker[0], limit);
    const int32_t pos = s.cursorPos++;
    if (pos >= limit) return 0;
    const char c = at(s, pos);
    if (isControlChar(c)) continue;
    if (matched < markerLength && c == marker[matched]) {
      if (++matched == markerLength) return 1;
    } else {
      matched = 0;  // the breaking character is not tried as a new first character
    }
  }
}

int32_t findBack(ScannerState& s, std::string_view marker) {
  const size_t markerLength = marker.size();
  if (markerLength == 0) return 1;
  size_t k = markerLength - 1;
  for (;;) {
    const char c = at(s, s.cursorPos--);
    if (atBackLimit(s)) break;  // that character is not compared
    if (c != marker[k]) {
      k = markerLength - 1;
    } else if (k == 0) {
      ++s.cursorPos;  // onto the marker's first character
      return 1;
    } else {
      --k;
    }
  }
  clampToStart(s);
  return 1;
}

int32_t backToTag(ScannerState& s) {
  for (;;) {
    const char c = at(s, s.cursorPos--);
    if (atBackLimit(s) || c == '>') break;
  }
  clampToStart(s);
  return 1;
}

int32_t skipToNumber(ScannerState& s) {
  const int32_t limit = s.textLength - 3;
  bool afterTag = false;
  for (;;) {
    const int32_t pos = s.cursorPos++;
    if (pos >= limit) return 0;
    const char c = at(s, pos);
    if (!afterTag) {
      afterTag = c == '>';
    } else if (isDigit(c)) {
      --s.cursorPos;  // rest on the digit
      return 1;
    } else if (c == '<') {
      afterTag = false;
    }
  }
}

float readNumber(ScannerState& s, int32_t n) {
  const int32_t limit = s.textLength - 1;
  for (int32_t passed = 0; passed < n;) {
    const int32_t pos = s.cursorPos++;
    if (pos >= limit) return -1.0f;
    if (at(s, pos) == '>') ++passed;
  }
  char c;
  for (;;) {
    const int32_t pos = s.cursorPos++;
    if (pos >= limit) return -1.0f;
    c = at(s, pos);
    if (startsNumber(c)) break;
    if (c == '<') return s.accumulator = 0.0f;
  }
  constexpr size_t kStore = 199;  // longer runs of digits are read but not kept
  char kept[kStore + 1];
  size_t length = 0;
  kept[length++] = c;
  for (;;) {
    const int32_t pos = s.cursorPos++;
    c = at(s, pos);
    if (c == '\0') break;
    if (pos >= s.textLength) return -1.0f;
    if (isControlChar(c)) continue;
    if (c != '.' && !isDigit(c)) break;
    if (length < kStore) kept[length++] = c;
  }
  kept[length] = '\0';
  return s.accumulator = toFloat(kept);
}

void readNumberText(ScannerState& s) {
  constexpr int32_t kWindow = 16;
  int32_t count = 0;
  char c;
  for (;;) {
    c = next(s);
    if (++count >= kWindow) return setNumberText(s, "0");
    if (startsNumber(c)) break;
    if (c == '<') return setNumberText(s, "0");
  }
  char kept[kWindow + 1];
  size_t length = 0;
  kept[length++] = c;
  for (;;) {
    c = next(s);
    ++count;
    if (c == '\0') break;
    if (count > kWindow) return setNumberText(s, "0");
    if (isControlChar(c) || c == ',') continue;
    if (c != '.' && !isDigit(c)) break;
    kept[length++] = c;
  }
  kept[length] = '\0';
  setNumberText(s, kept);
}
