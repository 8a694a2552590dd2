#pragma once
// Reading news feeds as publishers write them, with libxml2: RSS 2.0 (and 0.9x), RSS 1.0
// (RDF) and Atom, in any encoding the document declares (or the HTTP charset names), with
// CDATA sections, named and numeric entities, HTML inside titles and elements of other
// namespaces that share a name (dc:title, media:title) left alone.
#include <cstddef>
#include <string>

#include "tools/feed/plain_text.h"

namespace feed {

constexpr size_t kMaxHeadlinesPerFeed = 20;

// Reads the feed in `body` into plain headlines: the channel's title (the image's title when
// the channel has none, "" when neither has one) and the first kMaxHeadlinesPerFeed item
// titles that keep any text. Returns "" or why the body is not a feed.
std::string readFeed(const std::string& body, const std::string& contentType, Headlines& out);

}  // namespace feed
