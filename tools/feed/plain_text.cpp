#include "tools/feed/plain_text.h"

#include <cstdint>

namespace feed {

namespace {

// U+00C0 to U+00FF; "" is dropped (the multiplication and division signs).
const char* const kLatin1[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// U+0100 to U+017F.
const char* const kLatinExtendedA[128] = {
    "A", "a", "A",  "a",  "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
    "D", "d", "E",  "e",  "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
    "G", "g", "G",  "g",  "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
    "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
    "l", "L", "l",  "N",  "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
    "S", "s", "T",  "t",  "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
    "U", "u", "U",  "u",  "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "s"};

bool isBlank(uint32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0xA0 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The ASCII a code point above 127 becomes ("" when dropped).
std::string_view asciiFor(uint32_t c) {
  if (c >= 0xC0 && c <= 0xFF) return kLatin1[c - 0xC0];
  if (c >= 0x100 && c <= 0x17F) return kLatinExtendedA[c - 0x100];
  switch (c) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
    case 0x00B4:
    case 0x02BC:
      return "'";
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
    case 0x00AB:
    case 0x00BB:
      return "\"";
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
      return "-";
    case 0x2026:
      return "...";
    default:
      return "";
  }
}

// The next code point of `text` from `at`, moving `at` past it; invalid bytes give 0xFFFD.
uint32_t nextCodePoint(std::string_view text, size_t& at) {
  const auto byte = static_cast<unsigned char>(text[at++]);
  if (byte < 0x80) return byte;
  const int extra = byte >= 0xF0 && byte < 0xF8 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC2 ? 1 : -1;
  if (extra < 0 || byte >= 0xF8) return 0xFFFD;
  uint32_t c = byte & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
      return 0xFFFD;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return c;
}

std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') {
      out += "&amp;";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string plainText(std::string_view utf8) {
  std::string out;
  bool blankPending = false;
  for (size_t at = 0; at < utf8.size();) {
    const uint32_t c = nextCodePoint(utf8, at);
    if (isBlank(c)) {
      blankPending = !out.empty();
      continue;
    }
    const char own[1] = {c == '(' ? '[' : c == ')' ? ']' : static_cast<char>(c)};
    const bool dropped = c == '<' || c < 0x20 || c == 0x7F;
    const std::string_view ascii = c < 0x80 ? std::string_view(own, dropped ? 0 : 1) : asciiFor(c);
    if (ascii.empty()) continue;
    if (blankPending) out += ' ';
    blankPending = false;
    out += ascii;
  }
  return out;
}

std::string plainRss(const std::string& title, const std::vector<std::string>& items) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<rss version=\"2.0\"><channel>\n";
  xml += "<title>" + escaped(title) + "</title>\n";
  xml += "<image><title>" + escaped(title) + "</title></image>\n";
  for (const auto& item : items) xml += "<item><title>" + escaped(item) + "</title></item>\n";
  return xml + "</channel></rss>\n";
}

}  // namespace feed
