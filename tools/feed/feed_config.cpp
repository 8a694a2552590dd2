#include "tools/feed/feed_config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace feed {

namespace {

constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr size_t kMaxSymbols = 64;

std::string trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The value without a trailing comment (a ";" or "#" after a blank).
std::string withoutComment(const std::string& value) {
  for (size_t i = 1; i < value.size(); ++i) {
    if ((value[i] == ';' || value[i] == '#') && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
      return trim(value.substr(0, i));
    }
  }
  return trim(value);
}

bool isWebAddress(const std::string& url) {
  return url.starts_with("http://") || url.starts_with("https://");
}

// Item names as the script writes them, and source symbols as they go into an address.
bool isSymbolText(const std::string& text, size_t longest) {
  if (text.empty() || text.size() > longest) return false;
  for (const char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!plain && std::string_view("^.=-_:").find(c) == std::string_view::npos) return false;
  }
  return true;
}

bool parseNumber(const std::string& text, int& number) {
  const char* end = text.data() + text.size();
  return !text.empty() && std::from_chars(text.data(), end, number).ptr == end;
}

struct Parser {
  FeedConfig& config;
  bool& holdsToken;
  std::string tokenFile;

  std::string server(const std::string& key, const std::string& value) {
    if (key == "listen" && !value.empty()) {
      config.listen = value;
    } else if (key == "port") {
      if (!parseNumber(value, config.port) || config.port < 1 || config.port > 65535) {
        return "port must be a number from 1 to 65535";
      }
    } else {
      return "unknown key \"" + key + "\" in [server]";
    }
    return {};
  }

  std::string quotes(const std::string& key, const std::string& value) {
    QuoteSource& q = config.quotes;
    config.hasQuotes = true;
    std::string* pointer = key == "price"      ? &q.price
                           : key == "previous" ? &q.previous
                           : key == "time"     ? &q.time
                           : key == "change"   ? &q.change
                           : key == "percent"  ? &q.percent
                                               : nullptr;
    if (pointer) {
      if (!value.empty() && value[0] != '/') return key + " must be a JSON pointer such as /c";
      *pointer = value;
    } else if (key == "template") {
      if (!isWebAddress(value)) return "template must start with http:// or https://";
      q.urlTemplate = value;
    } else if (key == "token") {
      q.token = value;
      holdsToken = !value.empty();
    } else if (key == "token-file") {
      tokenFile = value;
    } else if (key == "refresh") {
      if (!parseNumber(value, q.refreshSeconds) || q.refreshSeconds < kMinRefreshSeconds) {
        return "refresh must be a number of seconds, 60 or more";
      }
    } else {
      return "unknown key \"" + key + "\" in [quotes]";
    }
    return {};
  }

  std::string symbols(const std::string& key, const std::string& value) {
    if (!isSymbolText(key, 16)) return "\"" + key + "\" is not an item name";
    if (!isSymbolText(value, 32)) return "\"" + value + "\" is not a symbol";
    if (config.quotes.symbols.size() == kMaxSymbols) return "more than 64 symbols";
    for (auto& [item, symbol] : config.quotes.symbols) {
      if (item == key) return "the item " + key + " is mapped twice";
    }
    config.quotes.symbols.emplace_back(key, value);
    return {};
  }

  std::string feeds(const std::string& key, const std::string& value) {
    int number = 0;
    if (!key.starts_with("url") || !parseNumber(key.substr(3), number) || number < 1 ||
        number > kMaxFeeds) {
      return "feeds are url1 to url12, not \"" + key + "\"";
    }
    if (value.empty()) return {};
    if (!isWebAddress(value)) return key + " must start with http:// or https://";
    if (config.feeds.size() < static_cast<size_t>(number)) config.feeds.resize(number);
    config.feeds[number - 1] = value;
    return {};
  }
};

std::string readPrivateFile(const std::string& path, std::string& text, bool& exists) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  exists = fd >= 0 || errno != ENOENT;
  if (fd < 0) return "cannot read " + path;
  std::string chunk(kMaxFileBytes + 1, '\0');
  ssize_t total = 0;
  for (ssize_t n = 1; n > 0 && static_cast<size_t>(total) < chunk.size(); total += n) {
    n = read(fd, chunk.data() + total, chunk.size() - static_cast<size_t>(total));
    if (n < 0) {
      close(fd);
      return "cannot read " + path;
    }
  }
  close(fd);
  if (static_cast<size_t>(total) > kMaxFileBytes) return path + " is larger than 64 KiB";
  text = chunk.substr(0, static_cast<size_t>(total));
  return {};
}

}  // namespace

std::string parseFeedConfig(const std::string& text, const std::string& name, FeedConfig& config,
                            bool& holdsToken) {
  Parser parser{config, holdsToken, {}};
  std::istringstream in(text);
  std::string section;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string where = name + ":" + std::to_string(number) + ": ";
    line = trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.back() == ']' ? line.substr(1, line.size() - 2) : "";
      if (section != "server" && section != "quotes" && section != "symbols" &&
          section != "feeds") {
        return where + "unknown section " + line;
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return where + "expected KEY=VALUE";
    const std::string key = trim(line.substr(0, equals));
    const std::string value = withoutComment(line.substr(equals + 1));
    std::string error = section == "server"    ? parser.server(key, value)
                        : section == "quotes"  ? parser.quotes(key, value)
                        : section == "symbols" ? parser.symbols(key, value)
                        : section == "feeds"   ? parser.feeds(key, value)
                                               : "a key before any section";
    if (!error.empty()) return where + error;
  }
  std::erase(config.feeds, std::string());
  if (!parser.tokenFile.empty()) {
    if (holdsToken) return name + ": token and token-file both given; keep one";
    return readTokenFile(parser.tokenFile, config.quotes.token);
  }
  return {};
}

std::string privateFileProblem(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return "cannot read " + path;
  if (!S_ISREG(info.st_mode)) return path + " is not a regular file";
  if (info.st_uid != geteuid()) return path + " holds a token but belongs to another user";
  if (info.st_mode & (S_IRWXG | S_IRWXO)) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    return path + " holds a token but others may read it (mode " + mode +
           "); make it private with: chmod 600 " + path;
  }
  return {};
}

std::string readTokenFile(const std::string& path, std::string& token) {
  if (std::string problem = privateFileProblem(path); !problem.empty()) return problem;
  std::string text;
  bool exists = false;
  if (std::string error = readPrivateFile(path, text, exists); !error.empty()) return error;
  token = trim(text.substr(0, text.find('\n')));
  if (token.empty()) return path + " holds no token";
  return {};
}

std::string loadFeedConfig(const std::string& path, bool required, FeedConfig& config) {
  std::string text;
  bool exists = false;
  std::string error = readPrivateFile(path, text, exists);
  if (!exists && !required) return {};
  if (!error.empty()) return error;
  bool holdsToken = false;
  FeedConfig loaded = config;
  error = parseFeedConfig(text, path, loaded, holdsToken);
  if (error.empty() && holdsToken) error = privateFileProblem(path);
  if (error.empty()) config = loaded;
  return error;
}

std::string validateFeedConfig(const FeedConfig& config) {
  if (!config.hasQuotes) return {};
  const QuoteSource& q = config.quotes;
  if (q.urlTemplate.find("{symbol}") == std::string::npos) {
    return "[quotes] needs a template with {symbol}";
  }
  if (q.urlTemplate.find("{token}") != std::string::npos && q.token.empty()) {
    return "the template names {token}, but no token or token-file is given";
  }
  if (q.price.empty() || q.previous.empty()) {
    return "[quotes] needs the price and previous pointers";
  }
  if (q.symbols.empty()) return "[symbols] maps no item to a symbol of the source";
  return {};
}

std::string defaultConfigPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/orbiquant/feed.ini";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/orbiquant/feed.ini";
}

}  // namespace feed
