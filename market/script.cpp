#include "market/script.h"

#include <cmath>

#include "market/script_format.h"
#include "model/item_table.h"
#include "platform/text.h"

namespace {

constexpr size_t kMaxLine = 251;
constexpr size_t kMaxText = 255;

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // The next line; false at the end of the text.
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = pos_;
    while (end < text_.size() && end - pos_ < kMaxLine && text_[end] != '\r' && text_[end] != '\n')
      ++end;
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool isSkipped(std::string_view line) {
  return line.empty() || line[0] == ' ' || line.substr(0, 4).find("//") != std::string_view::npos;
}

// A text as a string register keeps it: up to a NUL, at most 255 characters.
std::string registerText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  return std::string(text.substr(0, kMaxText));
}

// Columns 0 to 6 hold exactly five characters: cut or padded with blanks.
std::string columnText(int column, std::string_view text) {
  if (column > 6) return std::string(text);
  std::string five(text.substr(0, 5));
  five.resize(5, ' ');
  return five;
}

class Section {
 public:
  Section(ScriptContext& c, LineReader& reader) : c_(c), reader_(reader) {}

  // Executes one command line; false when it ends the section.
  bool execute(std::string_view line) {
    r_ = line.size() > 1 ? line[1] : '\0';
    s_ = line.size() > 2 ? line[2] : '\0';
    rest_ = line.size() > 2 ? line.substr(2) : std::string_view();
    switch (line[0]) {
      case 's':
        if (auto* t = text(r_)) *t = registerText(rest_);
        return true;
      case 'l':
        if (auto* n = number(r_)) *n = static_cast<float>(platform::leadingDouble(rest_));
        return true;
      case 'c':
        return copyOrEnable();
      case 'a':
        if (auto* t = text(r_); t && text(s_)) *t = registerText(*t + *text(s_));
        return true;
      case 'm':
        return arithmetic([](double a, double b) { return a * b; });
      case 'n':
        return arithmetic([](double a, double b) { return a + b; });
      case 'd':
        return arithmetic([](double a, double b) { return a / (b + 0.01); });
      case 'z':
        if (auto* n = number(r_)) c_.host.setAccumulator(*n);
        return true;
      case 'T':
        if (auto* n = number(s_); n && text(r_))
          *n = static_cast<float>(platform::leadingInt(*text(r_)));
        return true;
      case 'C':
        return format(truncatedInteger);
      case 'D':
        return format(fixedWithoutLeadingZero);
      case 'Z':
        return format(percentTwoDecimals);
      case 'P':
        return format(percentOneDecimal);
      case 'y':
        return select();
      case 'A':
        return append();
      case 'R':
        clearItemTable(c_.table);
        return true;
      case 'h':
        return download();
      case 'g':
        if (auto* n = number(r_)) {
          c_.host.readNumber(saturatingInt(*n));
          return false;
        }
        return true;
      case 'G':
        if (auto* n = number(r_)) c_.host.readNumber(saturatingInt(*n));
        return true;
      case 'o':
        c_.host.skipToNumber();
        return true;
      case 'b':
        return back();
      case 'f':
        return r_ == 't' ? find() : true;
      case 'F':
        return repeatFind();
      case 'p':
        if (r_ == 'r') c_.host.rewindToSectionStart();
        return true;
      case 'r':
        return false;
      case 'e':
        if (auto* n = number(r_)) c_.host.setRefreshSetting(saturatingInt(*n));
        return true;
      case 't':
        if (auto* t = text(r_)) c_.host.setCaptionText(*t);
        return true;
      case 'M':
        return message();
      case 'H':
        return openOnce();
      case 'X':
        return r_ == 'X' ? disconnect() : true;
      case 'W':
        return relocate();
      case 'w':
        return cacheOnly();
      case '*':
        return !startsWith(line, "***");
      default:
        return true;
    }
  }

 private:
  float* number(char name) {
    return name >= '0' && name <= 'z' ? &c_.registers.number[static_cast<size_t>(name - '0')]
                                      : nullptr;
  }
  std::string* text(char name) {
    return name >= '0' && name <= '9' ? &c_.registers.text[static_cast<size_t>(name - '0')]
                                      : nullptr;
  }

  bool copyOrEnable() {
    if (r_ == 'y') {
      c_.table.altTextEnabled = 1;
    } else if (auto* t = text(r_); t && text(s_)) {
      *t = *text(s_);
    }
    return true;
  }

  template <typename Op>
  bool arithmetic(Op op) {
    float* a = number(r_);
    float* b = number(s_);
    if (a && b) *a = static_cast<float>(op(static_cast<double>(*a), static_cast<double>(*b)));
    return true;
  }

  bool format(std::string (*formatter)(float)) {
    if (auto* t = text(s_); t && number(r_)) *t = formatter(*number(r_));
    return true;
  }

  bool select() {
    if (s_ == '0') {
      if (auto* n = number(r_)) *n = c_.host.accumulator();
      return true;
    }
    std::string* t = text(r_);
    if (!t || s_ < '1' || s_ > '8') return true;
    const FetchRunState& run = c_.run;
    const platform::DateTime date = c_.host.localDate();
    switch (s_) {
      case '1':
        *t = registerText(*t + futuresSymbol(date.year, date.month, "CMX"));
        break;
      case '2':
        *t = registerText(*t + nextMonthFuturesSymbol(date.year, date.month, "NYM"));
        break;
      case '3':
        if (run.customSymbol.empty()) {
          c_.table.customAbsent = 1;
          return false;
        }
        c_.table.customAbsent = 0;
        *t = registerText(run.customSymbol + "\",");
        break;
      case '4':
        *t = registerText(run.customSymbol);
        break;
      case '5':
        *t = registerText(*t + run.customSymbol);
        break;
      case '6':
        *t = run.customLatitude.empty() ? "0.0" : registerText(run.customLatitude);
        break;
      case '7':
        *t = run.customLongitude.empty() ? "0.0" : registerText(run.customLongitude);
        break;
      default:
        *t = run.customSymbol.empty() ? "" : registerText(run.customSymbol + ",");
        break;
    }
    return true;
  }

  bool append() {
    if (r_ < '0' || r_ > '9' || !text(s_)) return true;
    const int column = r_ - '0';
    appendItemText(c_.table, column, columnText(column, *text(s_)));
    return true;
  }

  bool download() {
    if (text(r_) && text(s_)) {
      c_.run.lastResult = c_.host.downloadPage(*text(r_), *text(s_));
      c_.host.restoreCaption();
    }
    return false;
  }

  bool back() {
    if (r_ == 'b') {
      c_.host.backToTag();
    } else if (auto* t = text(r_)) {
      c_.host.findBack(*t);
    }
    return true;
  }

  bool find() {
    const std::string* marker = text(s_);
    if (!marker || c_.host.findText(*marker)) return true;
    return quoteCommand(*marker);
  }

  // The marker is not on the page: ask the quote server for the item's own page, append its
  // three texts, and go on at the next "pr" line.
  bool quoteCommand(const std::string& marker) {
    QuoteTexts quote;
    const std::string symbol =
        marker.size() >= 2 ? marker.substr(0, marker.size() - 2) : std::string();
    c_.run.lastResult = c_.host.fetchQuotePage("/q?s=^" + symbol, quote);
    appendItemText(c_.table, kValueColumn, std::string_view(quote.value).substr(0, 5));
    appendItemText(c_.table, kChangeColumn, std::string_view(quote.change).substr(0, 5));
    appendItemText(c_.table, kPercentColumn, std::string_view(quote.percent).substr(0, 5));
    std::string_view line;
    while (reader_.next(line)) {
      if (startsWith(line, "**")) return false;
      if (startsWith(line, "pr")) return execute(line);
    }
    return false;
  }

  bool repeatFind() {
    float* count = number(r_);
    const std::string* marker = text(s_);
    if (!count || !marker) return true;
    for (int32_t i = 0; i < saturatingInt(*count); ++i) {
      if (!c_.host.findText(*marker)) return false;
    }
    return true;
  }

  bool message() {
    std::string* t = text(r_);
    if (t && c_.registers.messageShown == 0) {
      c_.registers.messageShown = 1;
      c_.host.showMessage(*t, "ok");
    }
    return true;
  }

  bool openOnce() {
    std::string* t = text(r_);
    if (t && c_.registers.pageOpened == 0) {
      c_.registers.pageOpened = 1;
      c_.host.openPage(*t);
    }
    return true;
  }

  bool disconnect() {
    std::string* t = text(s_);
    if (!t || c_.registers.messageShown != 0) return true;
    c_.registers.messageShown = 1;
    c_.host.showMessage(*t, "Disconnected...");
    c_.run.closeRequested = 1;
    c_.host.requestClose();
    return false;
  }

  bool relocate() {
    std::string* host = text(r_);
    std::string* path = text(s_);
    if (!host || !path) return true;
    c_.run.scriptHost = *host;
    c_.run.scriptPath = *path;
    c_.host.saveScriptLocation(*host, *path);
    c_.run.abortScript = 1;
    c_.run.configChecked = 0;
    return false;
  }

  bool cacheOnly() {
    c_.run.abortScript = 1;
    c_.run.configChecked = 0;
    c_.run.useCacheOnly = 1;
    return false;
  }

  ScriptContext& c_;
  LineReader& reader_;
  char r_ = '\0';
  char s_ = '\0';
  std::string_view rest_;
};

}  // namespace

void runSection(ScriptContext& context, char marker, std::string_view label) {
  context.registers.number[0] = 0.0f;
  context.host.saveSectionStart();
  LineReader reader(context.script);
  std::string_view line;
  bool found = false;
  while (!found && reader.next(line)) {
    if (startsWith(line, "***")) return;
    found = line.size() >= 4 && line[0] == marker && line.substr(1, 3) == label;
  }
  if (!found) return;
  Section section(context, reader);
  while (reader.next(line)) {
    if (isSkipped(line)) continue;
    if (!section.execute(line)) return;
  }
}

std::optional<int32_t> scriptBlockCount(std::string_view script) {
  const size_t hash = script.substr(0, 101).find('#');
  if (hash == std::string_view::npos) return std::nullopt;
  return platform::leadingInt(script.substr(hash + 1, 2));
}
