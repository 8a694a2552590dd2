#pragma once
// The script language. A script is numbered sections of one-line commands: a "*" section
// usually fetches a page, and the "#" section of the same number cuts values out of it into
// the market item table. The interpreter is plain logic: the page scanner, transfers and
// everything that acts on the program go through ScriptHost.
//
// Lines end at a carriage return or a line feed (each ends one line, so CR LF gives an empty
// line after each real one) and hold at most 251 characters; a longer line goes on as the
// next one. Skipped: empty lines, lines starting with a blank, and lines with "//" starting
// at one of their first three characters. A line starting with "***", or the end of the
// text, ends the script.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "market/quote_parser.h"
#include "model/caption_text.h"
#include "platform/clock.h"

struct MarketItemTable;

// Registers and once-per-program flags; they persist across sections, runs and restarts.
struct ScriptRegisters {
  std::array<float, 'z' - '0' + 1> number{};  // float registers "0" to "z"
  std::array<std::string, 10> text;           // string registers "0" to "9", at most 255 chars
  bool messageShown = false;                  // shared by "M" and "XX"
  bool pageOpened = false;                    // "H"
};

// The fetch run's state that the script reads and writes.
struct FetchRunState {
  int32_t lastResult = 0;
  bool abortScript = false;
  bool configChecked = false;
  bool useCacheOnly = false;
  bool closeRequested = false;
  // What the caption shows when the run is not using it as its status line ("t").
  std::string captionText = defaultCaptionText();
  std::string scriptHost;
  std::string scriptPath;
  std::string customSymbol;
  std::string customLatitude;
  std::string customLongitude;
};

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // The page scanner over the page the last "h" fetched.
  virtual void saveSectionStart() = 0;      // the page position a section starts from
  virtual void rewindToSectionStart() = 0;  // "pr"
  virtual bool findText(std::string_view marker) = 0;
  virtual void findBack(std::string_view marker) = 0;
  virtual void backToTag() = 0;
  virtual void skipToNumber() = 0;
  virtual void readNumber(int32_t tagsToPass) = 0;
  virtual float accumulator() = 0;
  virtual void setAccumulator(float value) = 0;
  // Transfers: result codes 1 or 2 for content, -66 offline, 10000 to 11003 failures.
  virtual int32_t downloadPage(std::string_view host, std::string_view path) = 0;
  virtual int32_t fetchQuotePage(std::string_view path, QuoteTexts& texts) = 0;
  // The program.
  virtual void setRefreshSetting(int32_t value) = 0;
  virtual void setCaptionText(std::string_view text) = 0;
  virtual void restoreCaption() = 0;  // the caption back to the caption text
  virtual void showMessage(std::string_view text, std::string_view title) = 0;  // waits
  virtual void openPage(std::string_view address) = 0;
  virtual void requestClose() = 0;
  virtual void saveScriptLocation(std::string_view host, std::string_view path) = 0;
  virtual platform::DateTime localDate() = 0;
};

struct ScriptContext {
  std::string_view script;  // the script text; the line cursor starts at its first byte
  ScriptRegisters& registers;
  FetchRunState& run;
  MarketItemTable& table;
  ScriptHost& host;
};

// Runs the section with the marker ("*" or "#") and the three-digit label. A section that
// does not exist returns at once.
void runSection(ScriptContext& context, char marker, std::string_view label);

// The script header: the first "#" within the first 101 characters, and the block count
// its next two characters give (leading digits count; none gives 0); nothing without a "#".
std::optional<int32_t> scriptBlockCount(std::string_view script);
