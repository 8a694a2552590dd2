#include "tools/feed/quote_source.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace feed {

namespace {

using nlohmann::json;

constexpr int kMaxDepth = 64;
// Numbers beyond any market's are not values (and would not fit the pages' texts).
constexpr double kLargest = 1e12;

std::string percentEncoded(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

void replaceAll(std::string& text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
}

// Nesting deeper than any quote answer needs is refused before parsing.
bool nestedTooDeep(const std::string& body) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (inString) {
      if (c == '\\') ++i;
      if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// The value at `pointer` as a number (a JSON number or a numeric string).
bool numberAt(const json& document, const std::string& pointer, double& number) {
  const json* found = nullptr;
  try {
    const json::json_pointer path(pointer);
    if (document.contains(path)) found = &document.at(path);
  } catch (const json::exception&) {
    return false;  // not a pointer, or one that does not fit the document's shape
  }
  if (!found) return false;
  const json& value = *found;
  if (value.is_number()) {
    number = value.get<double>();
  } else if (value.is_string()) {
    const std::string& text = value.get_ref<const std::string&>();
    const char* end = text.data() + text.size();
    if (text.empty() || std::from_chars(text.data(), end, number).ptr != end) return false;
  } else {
    return false;
  }
  return std::isfinite(number);
}

// Printable ASCII of an outside text, cut short, for a message.
std::string printable(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c >= ' ' && c <= '~' && out.size() < 100) out += c;
  }
  return out;
}

// What an error object of the answer says, if it has one.
std::string sourceError(const json& document) {
  for (const char* where : {"/chart/error", "/error", "/finance/error"}) {
    const json::json_pointer path(where);
    if (!document.contains(path) || document.at(path).is_null()) continue;
    const json& error = document.at(path);
    if (error.is_string()) return printable(error.get<std::string>());
    std::string text;
    for (const char* key : {"code", "description", "message"}) {
      if (error.is_object() && error.contains(key) && error[key].is_string()) {
        text += (text.empty() ? "" : ": ") + printable(error[key].get<std::string>());
      }
    }
    return text.empty() ? "an error object" : text;
  }
  return {};
}

}  // namespace

std::string quoteUrl(const QuoteSource& source, const std::string& symbol) {
  std::string url = source.urlTemplate;
  replaceAll(url, "{symbol}", percentEncoded(symbol));
  replaceAll(url, "{token}", percentEncoded(source.token));
  return url;
}

bool looksLikeHtml(const std::string& contentType, const std::string& body) {
  if (contentType.find("text/html") != std::string::npos) return true;
  const size_t first = body.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  std::string start = body.substr(first, 15);
  for (char& c : start) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return start.starts_with("<!doctype html") || start.starts_with("<html");
}

std::string readQuote(const QuoteSource& source, const std::string& contentType,
                      const std::string& body, SourceQuote& quote) {
  if (looksLikeHtml(contentType, body)) return "an HTML page where JSON was expected";
  if (nestedTooDeep(body)) return "JSON nested too deeply";
  const json document = json::parse(body, nullptr, false);
  if (document.is_discarded()) return "not JSON";
  SourceQuote q;
  if (!numberAt(document, source.price, q.price)) {
    const std::string error = sourceError(document);
    return error.empty() ? "no price at " + source.price : "the source says: " + error;
  }
  if (q.price <= 0) {
    return "no price for this symbol (the source gives " + printable(std::to_string(q.price)) + ")";
  }
  if (q.price >= kLargest) return "a price out of range";
  if (!numberAt(document, source.previous, q.previous) || q.previous <= 0 ||
      q.previous >= kLargest) {
    return "no previous close at " + source.previous;
  }
  double time = 0;
  if (!source.time.empty() && numberAt(document, source.time, time) && time > 0) {
    if (time > 1e11) time /= 1000;  // milliseconds
    if (time < 1e11) q.time = static_cast<int64_t>(time);
  }
  q.change = q.price - q.previous;
  q.percent = q.change / q.previous * 100.0;
  double given = 0;
  if (!source.change.empty() && numberAt(document, source.change, given) &&
      std::fabs(given) < kLargest) {
    q.change = given;
  }
  if (!source.percent.empty() && numberAt(document, source.percent, given) &&
      std::fabs(given) < kLargest) {
    q.percent = given;
  }
  quote = q;
  return {};
}

}  // namespace feed
