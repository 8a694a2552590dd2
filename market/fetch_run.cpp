#include "market/fetch_run.h"

#include <algorithm>

#include "market/http_transfer.h"
#include "market/item_table.h"
#include "market/quote_parser.h"
#include "market/scanner.h"
#include "market/summer_time.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "shell/display_state.h"
#include "shell/settings.h"
#include "shell/startup.h"

FetchHooks fetchHooks;

namespace {

FetchRunState runState;
ScriptRegisters registers;
std::string script;  // at most kScriptBufferSize bytes

// A script that keeps asking for restarts would keep the thread busy for ever.
constexpr int kMaxRestarts = 10;

void setCaption(std::string_view text) {
  if (fetchHooks.setCaption) fetchHooks.setCaption(text);
}

void showMessage(std::string_view text, std::string_view title) {
  if (fetchHooks.showMessage) fetchHooks.showMessage(text, title);
}

// The script's view of the program during a run.
class RunScriptHost : public ScriptHost {
 public:
  explicit RunScriptHost(std::string quoteHost) : quoteHost_(std::move(quoteHost)) {}

  void saveSectionStart() override { saveCursor(); }
  void rewindToSectionStart() override { rewindCursor(); }
  bool findText(std::string_view marker) override { return ::findText(marker) == 1; }
  void findBack(std::string_view marker) override { ::findBack(marker); }
  void backToTag() override { ::backToTag(); }
  void skipToNumber() override { ::skipToNumber(); }
  void readNumber(int32_t tagsToPass) override { ::readNumber(tagsToPass); }
  float accumulator() override { return scanner.accumulator; }
  void setAccumulator(float value) override { scanner.accumulator = value; }

  int32_t downloadPage(std::string_view host, std::string_view path) override {
    return ::downloadPage(std::string(host).c_str(), std::string(path).c_str(), 10000);
  }
  int32_t fetchQuotePage(std::string_view path, QuoteTexts& texts) override {
    resetQuoteTexts();
    const int32_t result = ::fetchQuotePage(quoteHost_.c_str(), std::string(path).c_str());
    texts = {quoteValue, quoteChange, quotePercent};
    return result;
  }

  void setRefreshSetting(int32_t value) override { displayState.refreshSetting.store(value); }
  void setCaptionText(std::string_view text) override { captionText = text; }
  void restoreCaption() override { setCaption(captionText); }
  void showMessage(std::string_view text, std::string_view title) override { ::showMessage(text, title); }
  void openPage(std::string_view address) override {
    if (fetchHooks.openPage) fetchHooks.openPage(address);
  }
  void requestClose() override {
    if (fetchHooks.requestClose) fetchHooks.requestClose();
  }
  void saveScriptLocation(std::string_view host, std::string_view path) override {
    writeSettingText(SettingKey::namepath, host);
    writeSettingText(SettingKey::filepath, path);
  }
  platform::DateTime localDate() override { return platform::localNow(); }

 private:
  std::string quoteHost_;
};

// The script download: true with the script in `script` and the cache file replaced. Only a
// whole script replaces the cache (a 2xx answer that fitted the buffer, with its header where
// the run looks for it): a server or proxy that answers with an error page for a while must
// not cost the user the good script already cached.
bool downloadScript(FetchRunState& run) {
  scriptDownloading = 1;
  const int32_t result = downloadPage(run.scriptHost.c_str(), run.scriptPath.c_str(), 10000);
  setCaption(captionText);
  scriptDownloading = 0;
  run.lastResult = result;
  if (result == kOffline || result > 2) return false;
  const std::string_view body(pageBuffer,
                              static_cast<size_t>(std::clamp(pageLength, 0, kScriptBufferSize)));
  if (!scriptBlockCount(body)) return false;
  script.assign(body);
  platform::writeFileAtomically(kCacheFile, script);
  return true;
}

// The configuration check and the script, once per program start (and after a restart
// command). False when there is no script at all: no download and no cache file.
bool loadScript(FetchRunState& run, const std::string& makerHost) {
  run.configChecked = 1;
  setCaption("checking...");
  run.lastResult = fetchConfigFlag(makerHost.c_str(), "/m3d/cf2.txt");
  // A letter asks for a fresh script; the cache stays in use until one has arrived.
  const bool freshWanted = run.lastResult > 64;
  if (freshWanted || !platform::fileExists(kCacheFile)) {
    const SettingInfo& namepath = settingInfo(SettingKey::namepath);
    run.scriptHost = platform::profileReadText(settingsFile(), kItemsSection, namepath.name, makerHost,
                                               static_cast<size_t>(namepath.bufferSize));
    run.scriptPath = readSettingText(SettingKey::filepath);
    writeSettingText(SettingKey::namepath, run.scriptHost);
    writeSettingText(SettingKey::filepath, run.scriptPath);
    if (run.useCacheOnly == 0 && downloadScript(run)) return true;
  }
  const auto cached = platform::readFileBounded(kCacheFile, kScriptBufferSize);
  if (!cached) {
    showMessage("No cache...  Try again later.", "Error in progress...");
    run.configChecked = 0;  // so that a later run tries again, as the message says
    script.clear();
    return false;
  }
  script = *cached;
  return true;
}

enum class BlocksOutcome { finished, restart, closed };

BlocksOutcome runBlocks(int32_t count, ScriptContext& context) {
  FetchRunState& run = context.run;
  for (int32_t block = 1; block <= count; ++block) {
    std::string label = platform::formatInt(block);  // "%03d": the count has two digits
    label.insert(0, label.size() < 3 ? 3 - label.size() : 0, '0');
    run.lastResult = 0;
    run.abortScript = 0;
    runSection(context, '*', label);
    if (run.closeRequested == 1) return BlocksOutcome::closed;
    if (run.abortScript == 1) return BlocksOutcome::restart;
    if (run.lastResult == 1 || run.lastResult == 2) {
      run.abortScript = 0;
      runSection(context, '#', label);
      if (run.closeRequested == 1) return BlocksOutcome::closed;
      if (run.abortScript == 1) return BlocksOutcome::restart;
    }
  }
  return BlocksOutcome::finished;
}

// Loads the script when needed and runs it; false when the table must not be finished.
bool runScript(FetchRunState& run, const std::string& makerHost, RunScriptHost& host) {
  for (int restarts = 0; restarts <= kMaxRestarts; ++restarts) {
    if (run.configChecked == 0 && !loadScript(run, makerHost)) return false;
    const auto count = scriptBlockCount(script);
    if (!count) {
      showMessage("invalid script", "error");
      return true;
    }
    ScriptContext context{script, registers, run, workingItemTable(), host};
    const BlocksOutcome outcome = runBlocks(*count, context);
    if (outcome == BlocksOutcome::closed) return false;
    if (outcome == BlocksOutcome::finished) return true;
  }
  return true;
}

}  // namespace

FetchRunState& fetchRunState() { return runState; }
ScriptRegisters& scriptRegisters() { return registers; }
const std::string& scriptText() { return script; }

void fetchRun() {
  FetchRunState& run = runState;
  run.customSymbol = readSettingText(SettingKey::customS);
  run.customLatitude = readSettingText(SettingKey::customLat);
  run.customLongitude = readSettingText(SettingKey::customLon);
  const std::string makerHost = readSettingText(SettingKey::makerhost);
  const std::string newsHost = readSettingText(SettingKey::newshost);
  RunScriptHost host(readSettingText(SettingKey::quotehost));

  fetchNewsTicker(newsHost.c_str());
  if (runScript(run, makerHost, host)) finishAndPublishItems();
  updateSummerTimeFlags();
  displayState.fetchRunning.store(0);
  displayState.fetchDone.store(1);
}

void fetchThreadProcedure() { fetchRun(); }
