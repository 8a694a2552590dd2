#pragma once
// Headlines as the globe's ticker reads them: plain ASCII in which a headline ends only at
// its closing tag. Letters lose their accents, typographic quotes and dashes become ', " and
// -, blanks of every kind become one blank, "(" and ")" become "[" and "]" (the ticker would
// end the headline at "("), "<" and anything else outside ASCII are dropped.
#include <string>
#include <string_view>
#include <vector>

namespace feed {

// The plain form of a UTF-8 text (invalid sequences are dropped).
std::string plainText(std::string_view utf8);

struct Headlines {
  std::string title;               // plain; the feed's own title
  std::vector<std::string> items;  // plain item titles, in the feed's order
};

// The RSS feed the globe reads: the channel title, an image titled the same (the ticker starts
// a feed with the image's title and skips a feed without one), then one item per headline.
// "&" is written as "&amp;".
std::string plainRss(const std::string& title, const std::vector<std::string>& items);

}  // namespace feed
