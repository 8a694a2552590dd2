#pragma once
// The feed server's settings file, feed.ini. Without a [quotes] section the server is the
// market simulator; with one it relays a real quote source, and with [feeds] the user's own
// news feeds:
//
//   [server]    listen=ADDRESS, port=N (the command line overrides both)
//   [quotes]    template=URL with {symbol} and optionally {token}; token=... or token-file=PATH;
//               price=, previous=, time=, change=, percent= (JSON pointers; change and percent
//               are computed when absent); refresh=SECONDS (60 at least, the default)
//   [symbols]   ITEM=SOURCE_SYMBOL, the script's item names mapped to the source's symbols
//   [feeds]     url1= ... url12=, http or https
//
// Lines are KEY=VALUE; a line starting with ";" or "#", and a ";" or "#" after a blank, begin
// a comment. A file that holds a token must be private to its owner (no group or other bits):
// the settings are refused otherwise.
#include <string>
#include <utility>
#include <vector>

namespace feed {

constexpr int kMaxFeeds = 12;
constexpr int kMinRefreshSeconds = 60;

struct QuoteSource {
  std::string urlTemplate;
  std::string token;
  std::string price, previous, time, change, percent;  // JSON pointers; change, percent optional
  std::vector<std::pair<std::string, std::string>> symbols;  // item -> source symbol, in order
  int refreshSeconds = kMinRefreshSeconds;
};

struct FeedConfig {
  std::string listen = "127.0.0.1";
  int port = 8404;
  bool hasQuotes = false;  // false: the simulator's quotes
  QuoteSource quotes;
  std::vector<std::string> feeds;  // empty: the simulator's feeds
};

// Parses the text of a settings file. `name` goes into messages ("feed.ini:3: ..."). A token
// that comes from the text itself is marked in `holdsToken`. Returns "" or the first error.
std::string parseFeedConfig(const std::string& text, const std::string& name, FeedConfig& config,
                            bool& holdsToken);

// Why a file holding a token may not be used ("" when it may): it must be a regular file of
// this user with no permission bits for group or others.
std::string privateFileProblem(const std::string& path);

// Reads a token file (private, as above); the token is its first line without blanks.
std::string readTokenFile(const std::string& path, std::string& token);

// Loads `path` into `config`. A missing file is an error only when `required`.
std::string loadFeedConfig(const std::string& path, bool required, FeedConfig& config);

// Checks what the settings need once everything (the command line included) is in:
// a template with {symbol}, a token when it names {token}, the price and previous pointers.
std::string validateFeedConfig(const FeedConfig& config);

// $XDG_CONFIG_HOME/orbiquant/feed.ini, or ~/.config/orbiquant/feed.ini.
std::string defaultConfigPath();

}  // namespace feed
