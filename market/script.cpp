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

// The commands, by a line's first character. The next two characters name the operands,
// registers mostly ("first" and "second" below); "text" is the line from its third character.
enum class Opcode : char {
  setText = 's',             // s<t><text>: text register t = text
  loadNumber = 'l',          // l<n><text>: number register n = the text's leading number
  copyText = 'c',            // c<t><u>: t = u; "cy" turns the alternative text phase on
  joinText = 'a',            // a<t><u>: t = t followed by u
  multiply = 'm',            // m<n><k>: n = n x k
  add = 'n',                 // n<n><k>: n = n + k
  divide = 'd',              // d<n><k>: n = n / (k + 0.01)
  setAccumulator = 'z',      // z<n>: the scanner's accumulator = n
  textToNumber = 'T',        // T<t><n>: n = the leading integer of t
  formatInteger = 'C',       // C<n><t>: t = n as a truncated integer
  formatFixed = 'D',         // D<n><t>: t = n with six decimals, no leading zero
  formatPercent = 'Z',       // Z<n><t>: t = n as a five-character percentage, two decimals
  formatShortPercent = 'P',  // P<n><t>: the same with one decimal
  select = 'y',              // y<t><k>: the accumulator, a futures symbol or the custom stock
  appendItem = 'A',          // A<c><t>: t appended to item column c
  clearItems = 'R',          // R: every item column emptied
  download = 'h',            // h<t><u>: page u of host t; ends the section
  readNumberAndEnd = 'g',    // g<n>: read a number past n tags; ends the section
  readNumber = 'G',          // G<n>: read a number past n tags
  skipToNumber = 'o',        // o: the scanner to the next number
  back = 'b',                // bb: back to the last tag; b<t>: back to the text t
  find = 'f',                // ft<u>: forward to the text u, else the quote command
  findRepeated = 'F',        // F<n><u>: forward to the text u, n times
  rewind = 'p',              // pr: back to where the section started on the page
  endSection = 'r',          // r: ends the section
  refresh = 'e',             // e<n>: the refresh setting = n
  caption = 't',             // t<t>: the caption text = t
  message = 'M',             // M<t>: a message box, once per program
  openPage = 'H',            // H<t>: opens the web page t, once per program
  disconnect = 'X',          // XX<t>: a message box once per program, then the program closes
  relocate = 'W',            // W<t><u>: the script moves to host t, path u; the run restarts
  cacheOnly = 'w',           // w: the script only from the cache from now on; the run restarts
  scriptEnd = '*',           // ***: the end of the script
};

class Section {
 public:
  Section(ScriptContext& context, LineReader& reader) : context_(context), reader_(reader) {}

  // Executes one command line; false when it ends the section.
  bool execute(std::string_view line) {
    first_ = line.size() > 1 ? line[1] : '\0';
    second_ = line.size() > 2 ? line[2] : '\0';
    text_ = line.size() > 2 ? line.substr(2) : std::string_view();
    ScriptHost& host = context_.host;
    switch (static_cast<Opcode>(line[0])) {
      case Opcode::setText:
        if (auto* t = text(first_)) *t = registerText(text_);
        return true;
      case Opcode::loadNumber:
        if (auto* n = number(first_)) *n = static_cast<float>(platform::leadingDouble(text_));
        return true;
      case Opcode::copyText:
        return copyOrEnable();
      case Opcode::joinText:
        if (auto* t = text(first_); t && text(second_)) *t = registerText(*t + *text(second_));
        return true;
      case Opcode::multiply:
        return arithmetic([](double a, double b) { return a * b; });
      case Opcode::add:
        return arithmetic([](double a, double b) { return a + b; });
      case Opcode::divide:
        return arithmetic([](double a, double b) { return a / (b + 0.01); });
      case Opcode::setAccumulator:
        if (auto* n = number(first_)) host.setAccumulator(*n);
        return true;
      case Opcode::textToNumber:
        if (auto* n = number(second_); n && text(first_))
          *n = static_cast<float>(platform::leadingInt(*text(first_)));
        return true;
      case Opcode::formatInteger:
        return format(truncatedInteger);
      case Opcode::formatFixed:
        return format(fixedWithoutLeadingZero);
      case Opcode::formatPercent:
        return format(percentTwoDecimals);
      case Opcode::formatShortPercent:
        return format(percentOneDecimal);
      case Opcode::select:
        return select();
      case Opcode::appendItem:
        return append();
      case Opcode::clearItems:
        clearItemTable(context_.table);
        return true;
      case Opcode::download:
        return download();
      case Opcode::readNumberAndEnd:
        if (auto* n = number(first_)) {
          host.readNumber(saturatingInt(*n));
          return false;
        }
        return true;
      case Opcode::readNumber:
        if (auto* n = number(first_)) host.readNumber(saturatingInt(*n));
        return true;
      case Opcode::skipToNumber:
        host.skipToNumber();
        return true;
      case Opcode::back:
        return back();
      case Opcode::find:
        return first_ == 't' ? find() : true;
      case Opcode::findRepeated:
        return repeatFind();
      case Opcode::rewind:
        if (first_ == 'r') host.rewindToSectionStart();
        return true;
      case Opcode::endSection:
        return false;
      case Opcode::refresh:
        if (auto* n = number(first_)) host.setRefreshSetting(saturatingInt(*n));
        return true;
      case Opcode::caption:
        if (auto* t = text(first_)) host.setCaptionText(*t);
        return true;
      case Opcode::message:
        return message();
      case Opcode::openPage:
        return openOnce();
      case Opcode::disconnect:
        return first_ == 'X' ? disconnect() : true;
      case Opcode::relocate:
        return relocate();
      case Opcode::cacheOnly:
        return cacheOnly();
      case Opcode::scriptEnd:
        return !line.starts_with("***");
    }
    return true;  // any other character: the line does nothing
  }

 private:
  float* number(char name) {
    return name >= '0' && name <= 'z' ? &context_.registers.number[static_cast<size_t>(name - '0')]
                                      : nullptr;
  }
  std::string* text(char name) {
    return name >= '0' && name <= '9' ? &context_.registers.text[static_cast<size_t>(name - '0')]
                                      : nullptr;
  }

  bool copyOrEnable() {
    if (first_ == 'y') {
      context_.table.altTextEnabled = true;
    } else if (auto* t = text(first_); t && text(second_)) {
      *t = *text(second_);
    }
    return true;
  }

  template <typename Op>
  bool arithmetic(Op op) {
    float* a = number(first_);
    float* b = number(second_);
    if (a && b) *a = static_cast<float>(op(static_cast<double>(*a), static_cast<double>(*b)));
    return true;
  }

  bool format(std::string (*formatter)(float)) {
    if (auto* t = text(second_); t && number(first_)) *t = formatter(*number(first_));
    return true;
  }

  bool select() {
    if (second_ == '0') {
      if (auto* n = number(first_)) *n = context_.host.accumulator();
      return true;
    }
    std::string* t = text(first_);
    if (!t || second_ < '1' || second_ > '8') return true;
    const FetchRunState& run = context_.run;
    const platform::DateTime date = context_.host.localDate();
    switch (second_) {
      case '1':
        *t = registerText(*t + futuresSymbol(date.year, date.month, "CMX"));
        break;
      case '2':
        *t = registerText(*t + nextMonthFuturesSymbol(date.year, date.month, "NYM"));
        break;
      case '3':
        if (run.customSymbol.empty()) {
          context_.table.customAbsent = true;
          return false;
        }
        context_.table.customAbsent = false;
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
    if (first_ < '0' || first_ > '9' || !text(second_)) return true;
    const int column = first_ - '0';
    appendItemText(context_.table, column, columnText(column, *text(second_)));
    return true;
  }

  bool download() {
    if (text(first_) && text(second_)) {
      context_.run.lastResult = context_.host.downloadPage(*text(first_), *text(second_));
      context_.host.restoreCaption();
    }
    return false;
  }

  bool back() {
    if (first_ == 'b') {
      context_.host.backToTag();
    } else if (auto* t = text(first_)) {
      context_.host.findBack(*t);
    }
    return true;
  }

  bool find() {
    const std::string* marker = text(second_);
    if (!marker || context_.host.findText(*marker)) return true;
    return quoteCommand(*marker);
  }

  // The marker is not on the page: ask the quote server for the item's own page, append its
  // three texts, and go on at the next "pr" line.
  bool quoteCommand(const std::string& marker) {
    QuoteTexts quote;
    const std::string symbol =
        marker.size() >= 2 ? marker.substr(0, marker.size() - 2) : std::string();
    context_.run.lastResult = context_.host.fetchQuotePage("/q?s=^" + symbol, quote);
    appendItemText(context_.table, kValueColumn, std::string_view(quote.value).substr(0, 5));
    appendItemText(context_.table, kChangeColumn, std::string_view(quote.change).substr(0, 5));
    appendItemText(context_.table, kPercentColumn, std::string_view(quote.percent).substr(0, 5));
    std::string_view line;
    while (reader_.next(line)) {
      if (line.starts_with("**")) return false;
      if (line.starts_with("pr")) return execute(line);
    }
    return false;
  }

  bool repeatFind() {
    float* count = number(first_);
    const std::string* marker = text(second_);
    if (!count || !marker) return true;
    for (int32_t i = 0; i < saturatingInt(*count); ++i) {
      if (!context_.host.findText(*marker)) return false;
    }
    return true;
  }

  bool message() {
    std::string* t = text(first_);
    if (t && !context_.registers.messageShown) {
      context_.registers.messageShown = true;
      context_.host.showMessage(*t, "ok");
    }
    return true;
  }

  bool openOnce() {
    std::string* t = text(first_);
    if (t && !context_.registers.pageOpened) {
      context_.registers.pageOpened = true;
      context_.host.openPage(*t);
    }
    return true;
  }

  bool disconnect() {
    std::string* t = text(second_);
    if (!t || context_.registers.messageShown) return true;
    context_.registers.messageShown = true;
    context_.host.showMessage(*t, "Disconnected...");
    context_.run.closeRequested = true;
    context_.host.requestClose();
    return false;
  }

  bool relocate() {
    std::string* host = text(first_);
    std::string* path = text(second_);
    if (!host || !path) return true;
    context_.run.scriptHost = *host;
    context_.run.scriptPath = *path;
    context_.host.saveScriptLocation(*host, *path);
    context_.run.abortScript = true;
    context_.run.configChecked = false;
    return false;
  }

  bool cacheOnly() {
    context_.run.abortScript = true;
    context_.run.configChecked = false;
    context_.run.useCacheOnly = true;
    return false;
  }

  ScriptContext& context_;
  LineReader& reader_;
  char first_ = '\0';      // the line's second character: the first operand
  char second_ = '\0';     // the third: the second operand
  std::string_view text_;  // the line from its third character
};

}  // namespace

void runSection(ScriptContext& context, char marker, std::string_view label) {
  context.registers.number[0] = 0.0f;
  context.host.saveSectionStart();
  LineReader reader(context.script);
  std::string_view line;
  bool found = false;
  while (!found && reader.next(line)) {
    if (line.starts_with("***")) return;
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
