#include "market/news_parser.h"

#include <cstring>
#include <string>

#include "market/scanner.h"

char newsText[kTickerSize];
int32_t newsLength = 0;

namespace {

constexpr int32_t kHeadlineWidth = 60;  // with the mark, an entry takes 61 bytes
constexpr int32_t kFeedLead = 66;
constexpr int32_t kFeedTail = 50;
constexpr size_t kEntityNameMax = 15;

struct EntityKey {
  const char* key;
  char character;
};

// Searched in this order and the last key found decides, so "36" standing twice is harmless
// and a name holding two keys gives the later key's character.
constexpr EntityKey kEntities[] = {
    {"amp", '&'}, {"quot", '"'}, {"36", '$'}, {"39", '\''}, {"35", '#'}, {"36", '$'},
    {"37", '%'},  {"38", '&'},   {"40", '('}, {"41", ')'},  {"44", ','}, {"45", '-'},
    {"43", '+'},  {"42", '*'},   {"58", ':'}, {"59", ';'},  {"63", '?'}, {"64", '@'},
};

void append(char c) {
  if (newsLength < kTickerSize) newsText[newsLength++] = c;
}

void appendBlanks(int32_t count) {
  for (int32_t i = 0; i < count; ++i) append(' ');
}

// The next character of the headline, or false when it stands in the last three characters
// of the text, which end the copy.
bool nextHeadlineChar(char& c) {
  const int32_t pos = scanner.cursorPos;
  c = readChar();
  return pos < scanner.textLength - 3;
}

// Reads an entity name up to and including its ";". False when the text ended first.
bool readEntity(char& decoded) {
  char name[kEntityNameMax + 1];
  size_t length = 0;
  bool overlong = false;
  for (;;) {
    char c;
    if (!nextHeadlineChar(c)) return false;
    if (length < kEntityNameMax) {
      name[length++] = c;
    } else {
      overlong = true;
    }
    if (c == ';') break;
  }
  decoded = overlong ? ';' : decodeEntity(std::string_view(name, length));
  return true;
}

struct HeadlineCopy {
  bool reachedEnd;
  int32_t count;  // characters appended after the mark
};

HeadlineCopy copyHeadline() {
  append(kHeadlineMark);
  int32_t count = 0;
  for (;;) {
    char c;
    if (!nextHeadlineChar(c)) return {true, count};
    if (isControlChar(c)) continue;
    if (c == '<' || c == '(') return {false, count};
    if (c == '&' && !readEntity(c)) return {true, count};
    append(c);
    ++count;
  }
}

// Copies a headline and its filler; false when the copy ran into the end of the text.
bool copyEntry() {
  const HeadlineCopy copy = copyHeadline();
  if (copy.reachedEnd) return false;
  appendBlanks(kHeadlineWidth - copy.count);
  return true;
}

}  // namespace

void clearNews() { newsLength = 0; }

char decodeEntity(std::string_view name) {
  if (name.size() > kEntityNameMax) return ';';
  char decoded = ';';
  for (const EntityKey& entry : kEntities) {
    if (name.find(entry.key) != std::string_view::npos) decoded = entry.character;
  }
  return decoded;
}

void parseFeed() {
  if (findText("<image>") && findText("<title>")) {
    appendBlanks(kFeedLead);
    if (copyEntry()) {
      while (findText("<item>") && findText("<title>") && copyEntry()) {
      }
    }
  }
  appendBlanks(kFeedTail);
}

std::string_view offlineTickerText() {
  static const std::string text = [] {
    std::string t(67, ' ');
    t += "No connection: OFFLINE";
    t.append(104, ' ');
    t[0] = kHeadlineMark;
    t[61] = kHeadlineMark;
    return t;
  }();
  return text;
}

void publishNews() { publishTicker(std::string_view(newsText, static_cast<size_t>(newsLength))); }
