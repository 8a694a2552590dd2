#pragma once
// The news feed parser: turns an RSS feed into ticker text. Each feed gives 66 blanks, one
// headline entry for the feed's own title (inside its image element), one per item, and 50
// blanks. A headline entry is the pause mark (byte 26), the headline and blanks up to 61
// bytes; a headline ends at "<" or "(", and entities are decoded through a small table.
//
// The fetch run builds the text in a NewsText of its own and hands a finished version to the
// frames with publishNews (in the fetch snapshot), so no frame sees it torn.
#include <cstdint>
#include <string_view>

#include "market/scanner.h"
#include "model/fetch_snapshot.h"
#include "model/ticker_text.h"

// A ticker text being built: the first `length` bytes of `text`.
struct NewsText {
  char text[kTickerSize];
  int32_t length = 0;
};

// Empties the text.
void clearNews(NewsText& news);

// Appends the feed at the scanner's cursor (the body, its length as textLength) to `news`.
// Appends stop at the end of the text's buffer.
void parseFeed(ScannerState& scanner, NewsText& news);

// The character an entity name (what stands between "&" and ";", the ";" included) gives:
// the last key of the table that occurs in it, ";" when none does or the name is longer
// than 15 characters.
char decodeEntity(std::string_view name);

// The 193-byte text shown when the news feeds cannot be reached.
std::string_view offlineTickerText();

// Publishes the text as the ticker text.
void publishNews(const NewsText& news, FetchChannel& channel);
