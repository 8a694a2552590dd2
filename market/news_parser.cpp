#include "market/news_parser.h"

#include <cstring>
#include <string>

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

void append(NewsText& news, char c) {
  if (news.length < kTickerSize) news.text[news.length++] = c;
}

void appendBlanks(NewsText& news, int32_t count) {
  const int32_t room = kTickerSize - news.length;
  const int32_t n = count < room ? count : room;
  if (n <= 0) return;
  std::memset(news.text + news.length, ' ', static_cast<size_t>(n));
  news.length += n;
}

// One feed's parse: the text it reads and the text it appends to.
struct FeedParse {
  ScannerState& scanner;
  NewsText& news;
};

// The next character of the headline, or false when it stands in the last three characters
// of the text, which end the copy.
bool nextHeadlineChar(ScannerState& scanner, char& c) {
  const int32_t pos = scanner.cursorPos;
  c = readChar(scanner);
  return pos < scanner.textLength - 3;
}

// Reads an entity name up to and including its ";". False when the text ended first.
bool readEntity(ScannerState& scanner, char& decoded) {
  char name[kEntityNameMax + 1];
  size_t length = 0;
  bool overlong = false;
  for (;;) {
    char c;
    if (!nextHeadlineChar(scanner, c)) return false;
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

HeadlineCopy copyHeadline(FeedParse& feed) {
  append(feed.news, kHeadlineMark);
  int32_t count = 0;
  for (;;) {
    char c;
    if (!nextHeadlineChar(feed.scanner, c)) return {true, count};
    if (isControlChar(c)) continue;
    if (c == '<' || c == '(') return {false, count};
    if (c == '&' && !readEntity(feed.scanner, c)) return {true, count};
    append(feed.news, c);
    ++count;
  }
}

// Copies a headline and its filler; false when the copy ran into the end of the text.
bool copyEntry(FeedParse& feed) {
  const HeadlineCopy copy = copyHeadline(feed);
  if (copy.reachedEnd) return false;
  appendBlanks(feed.news, kHeadlineWidth - copy.count);
  return true;
}

}  // namespace

void clearNews(NewsText& news) { news.length = 0; }

char decodeEntity(std::string_view name) {
  if (name.size() > kEntityNameMax) return ';';
  char decoded = ';';
  for (const EntityKey& entry : kEntities) {
    if (name.find(entry.key) != std::string_view::npos) decoded = entry.character;
  }
  return decoded;
}

void parseFeed(ScannerState& scanner, NewsText& news) {
  FeedParse feed{scanner, news};
  if (findText(scanner, "<image>") && findText(scanner, "<title>")) {
    appendBlanks(news, kFeedLead);
    if (copyEntry(feed)) {
      while (findText(scanner, "<item>") && findText(scanner, "<title>") && copyEntry(feed)) {
      }
    }
  }
  appendBlanks(news, kFeedTail);
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

void publishNews(const NewsText& news, FetchChannel& channel) {
  channel.publishTicker(std::string_view(news.text, static_cast<size_t>(news.length)));
}
