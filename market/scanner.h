#pragma once
// The page text scanner: one cursor over a fetched text, shared by the script, the quote page
// parser and the news feed parser. They never build a document: they search forward for
// marker texts, step back to markers and read numbers at the cursor. Bytes, case-sensitive.
//
// The quirks are the program's behaviour and the script relies on them: forward searches
// never examine the last three characters, skip "control characters" (bytes below 16 and
// every byte above 127), and do not retry the character that broke a partial match; the
// backward operations stop at the section's saved position.
//
// Every read goes through the text's bounds: a character at offset textLength reads as NUL
// and one beyond it (or before the start) as NUL too, so a cursor run past the end never
// touches memory outside the text.
//
// The state is the caller's: the fetch run keeps one in its fetch context.
#include <cstdint>
#include <string_view>

struct ScannerState {
  const char* text = nullptr;       // start of the text being scanned
  int32_t cursorPos = 0;            // offset of the cursor in text
  int32_t textLength = 0;           // bounds every scan
  const char* savedText = nullptr;  // where the current script section began
  int32_t savedPos = 0;
  float accumulator = 0.0f;    // last number read by readNumber
  char numberText[256] = "0";  // last number text read by readNumberText
};

// The cursor as a pointer into the text.
inline const char* cursor(const ScannerState& s) { return s.text + s.cursorPos; }

// Points the cursor at the start of `text` of `length` bytes.
void startScan(ScannerState& s, const char* text, int32_t length);
// The script's section start and its rewind command "pr".
void saveCursor(ScannerState& s);
void rewindCursor(ScannerState& s);

// The character at the cursor (NUL outside the text); the cursor moves past it.
char readChar(ScannerState& s);

// Bytes 0-15 and 128-255: passed over by forward searches and number readers.
inline bool isControlChar(char c) { return static_cast<signed char>(c) < 16; }

// 1 with the cursor just after the marker, 0 with the cursor where the scan stopped.
int32_t findText(ScannerState& s, std::string_view marker);
// Always 1: the cursor on the marker's first character, or at the section's saved position.
int32_t findBack(ScannerState& s, std::string_view marker);
// Always 1: the cursor on the character in front of the nearest ">" behind it, or at the
// saved position.
int32_t backToTag(ScannerState& s);
// 1 with the cursor on the first digit after a ">" (a "<" first restarts the ">" search).
int32_t skipToNumber(ScannerState& s);
// Passes n ">" characters, then reads a number into accumulator and returns it; -1 when the
// text ended first (accumulator unchanged). A comma ends the number.
float readNumber(ScannerState& s, int32_t n);
// Reads a number text into numberText ("0" unless it starts within 15 characters and ends
// within 16); thousands separators are dropped.
void readNumberText(ScannerState& s);
