#include "platform/text.h"

#include <locale.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  return text.substr(i);
}

}  // namespace

std::string_view trimBlanks(std::string_view text, bool lineEnds) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (blank(text.back()) || (lineEnds && text.back() == '\r'))) {
    text.remove_suffix(1);
  }
  return text;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int32_t leadingInt(std::string_view text) {
  text = skipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int64_t value = 0;
  bool any = false;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    any = true;
    value = value * 10 + (c - '0');
    if (value > int64_t{1} << 32) break;  // already outside the range; saturate below
  }
  if (!any) return 0;
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double leadingDouble(std::string_view text) {
  // strtod_l with the "C" locale is the standard decimal conversion without the global
  // locale's decimal point. The copy bounds the text: a number is never this long.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  char buffer[512];
  copyBounded(buffer, sizeof buffer, text);
  return strtod_l(buffer, nullptr, cLocale);
}

std::string formatInt(int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string formatFixed(double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

std::size_t copyBounded(char* buffer, std::size_t size, std::string_view text) {
  if (size == 0) return 0;
  const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  // An empty view may hold a null pointer, which memcpy must never be given.
  if (n > 0) std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

Utf8Character utf8CharacterAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  if (length == 1 || lead > 0xF4 || at + length > text.size()) return {lead, 1};
  uint32_t code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return {lead, 1};
    code = (code << 6) | (byte(k) & 0x3Fu);
  }
  return {code, length};
}

}  // namespace platform
