#pragma once
// Locale-independent text helpers. Numbers are read and written the same way under every
// locale: the program never consults the global C or C++ locale.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// `text` without the blanks (spaces and tabs) at either end; with `lineEnds`, carriage
// returns among the blanks at the end go too (a line read from a file).
std::string_view trimBlanks(std::string_view text, bool lineEnds = false);

// The leading decimal integer of `text` after blanks, with an optional sign, as the
// standard decimal conversion reads it (saturating at the int32 range); 0 when the text
// does not start with a number.
int32_t leadingInt(std::string_view text);

// The leading decimal floating-point number of `text` after blanks ("1.5e3", "-.25",
// "12abc" -> 12); 0 when the text does not start with a number.
double leadingDouble(std::string_view text);

// "%d" and "%f" (six decimals, '.' as the decimal point).
std::string formatInt(int64_t value);
std::string formatFixed(double value, int decimals = 6);

// Copies at most size - 1 bytes of `text` into `buffer` and terminates it; nothing when
// size is 0. Returns the number of bytes copied.
std::size_t copyBounded(char* buffer, std::size_t size, std::string_view text);

// The character of a UTF-8 text that starts at byte `at` (below the text's size): its code
// point and its length in bytes. A byte that starts no valid sequence is a character of its
// own, its code the byte's value (as in the single-byte code pages).
struct Utf8Character {
  uint32_t code;
  std::size_t length;
};
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);

}  // namespace platform
