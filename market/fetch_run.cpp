#include "market/fetch_run.h"

#include <algorithm>

#include "market/http_transfer.h"
#include "market/scanner_host.h"
#include "market/summer_time.h"
#include "model/item_table.h"
#include "model/settings.h"
#include "platform/clock.h"
#include "platform/settings_file.h"
#include "platform/text.h"

namespace {

// A script that keeps asking for restarts would keep the thread busy for ever.
constexpr int kMaxRestarts = 10;

void setCaption(FetchContext& context, std::string_view text) { showRunStatus(context, text); }

// The script's view of the program during a run: the scanner and the transfers of the fetch
// context, and the program's records and hooks.
class RunScriptHost : public ScannerScriptHost {
 public:
  RunScriptHost(FetchContext& context, std::string quoteHost)
      : ScannerScriptHost(context.scanner), context_(context), quoteHost_(std::move(quoteHost)) {}

  int32_t downloadPage(std::string_view host, std::string_view path) override {
    return ::downloadPage(context_, std::string(host).c_str(), std::string(path).c_str(), 10000);
  }
  int32_t fetchQuotePage(std::string_view path, QuoteTexts& texts) override {
    texts = QuoteTexts{};
    return ::fetchQuotePage(context_, quoteHost_.c_str(), std::string(path).c_str(), texts);
  }

  void setRefreshSetting(int32_t value) override { context_.events->refreshSettingChanged(value); }
  void setCaptionText(std::string_view text) override { context_.run.captionText = text; }
  void restoreCaption() override { setCaption(context_, context_.run.captionText); }
  void showMessage(std::string_view text, std::string_view title) override {
    context_.events->showMessage(text, title);
  }
  void openPage(std::string_view address) override { context_.events->openPage(address); }
  void requestClose() override { context_.events->requestClose(); }
  void saveScriptLocation(std::string_view host, std::string_view path) override {
    writeSettingText(SettingKey::scriptHost, host);
    writeSettingText(SettingKey::scriptPath, path);
  }
  platform::DateTime localDate() override { return platform::localNow(); }

 private:
  FetchContext& context_;
  std::string quoteHost_;
};

// The script download: true with the script in `script` and the cache file replaced. Only a
// whole script replaces the cache (a 2xx answer that fitted the buffer, with its header where
// the run looks for it): a server or proxy that answers with an error page for a while must
// not cost the user the good script already cached.
bool downloadScript(FetchContext& context) {
  FetchRunState& run = context.run;
  context.scriptDownloading = true;
  const int32_t result =
      downloadPage(context, run.scriptHost.c_str(), run.scriptPath.c_str(), 10000);
  setCaption(context, run.captionText);
  context.scriptDownloading = false;
  run.lastResult = result;
  if (result == kOffline || result > 2) return false;
  const std::string_view body(context.pageBuffer, static_cast<size_t>(std::clamp(
                                                      context.pageLength, 0, kScriptBufferSize)));
  if (!scriptBlockCount(body)) return false;
  context.script.assign(body);
  writeScriptCache(context.script);
  return true;
}

// The configuration check and the script, once per program start (and after a restart
// command). False when there is no script at all: no download and no cache file.
bool loadScript(FetchContext& context, const std::string& makerHost) {
  FetchRunState& run = context.run;
  run.configChecked = true;
  setCaption(context, "checking...");
  run.lastResult = fetchConfigFlag(context, makerHost.c_str(), "/m3d/cf2.txt");
  // A letter asks for a fresh script; the cache stays in use until one has arrived. A cache
  // path that cannot be read as a file (a folder, a link, no permission) counts as no cache.
  const bool freshWanted = run.lastResult > 64;
  auto cached = freshWanted ? std::nullopt : readScriptCache();
  if (!cached) {
    const SettingInfo& namepath = settingInfo(SettingKey::scriptHost);
    run.scriptHost =
        platform::settingsReadText(settingsFile(), kItemsSection, namepath.name, makerHost,
                                   static_cast<size_t>(namepath.bufferSize));
    run.scriptPath = readSettingText(SettingKey::scriptPath);
    writeSettingText(SettingKey::scriptHost, run.scriptHost);
    writeSettingText(SettingKey::scriptPath, run.scriptPath);
    if (!run.useCacheOnly && downloadScript(context)) return true;
    if (freshWanted) cached = readScriptCache();
  }
  if (!cached) {
    context.events->showTrouble("No cache...  Try again later.", "Error in progress...");
    run.configChecked = false;  // so that a later run tries again, as the message says
    context.script.clear();
    return false;
  }
  context.script = *cached;
  return true;
}

enum class BlocksOutcome { finished, restart, closed };

BlocksOutcome runBlocks(int32_t count, ScriptContext& context) {
  FetchRunState& run = context.run;
  for (int32_t block = 1; block <= count; ++block) {
    std::string label = platform::formatInt(block);  // "%03d": the count has two digits
    label.insert(0, label.size() < 3 ? 3 - label.size() : 0, '0');
    run.lastResult = 0;
    run.abortScript = false;
    runSection(context, '*', label);
    if (run.closeRequested) return BlocksOutcome::closed;
    if (run.abortScript) return BlocksOutcome::restart;
    if (run.lastResult == 1 || run.lastResult == 2) {
      run.abortScript = false;
      runSection(context, '#', label);
      if (run.closeRequested) return BlocksOutcome::closed;
      if (run.abortScript) return BlocksOutcome::restart;
    }
  }
  return BlocksOutcome::finished;
}

// How a run's script went: no table (no script at all, or the script ended the program), a
// table without a script that ran through (an invalid header, or restarts without end), or
// a script run to its end.
enum class ScriptOutcome { noTable, tableOnly, ranThrough };

// Loads the script when needed and runs it.
ScriptOutcome runScript(FetchContext& context, const std::string& makerHost, RunScriptHost& host) {
  for (int restarts = 0; restarts <= kMaxRestarts; ++restarts) {
    if (!context.run.configChecked && !loadScript(context, makerHost)) {
      return ScriptOutcome::noTable;
    }
    const auto count = scriptBlockCount(context.script);
    if (!count) {
      context.events->showTrouble("invalid script", "error");
      return ScriptOutcome::tableOnly;
    }
    ScriptContext script{context.script, context.registers, context.run, context.table, host};
    const BlocksOutcome outcome = runBlocks(*count, script);
    if (outcome == BlocksOutcome::closed) return ScriptOutcome::noTable;
    if (outcome == BlocksOutcome::finished) return ScriptOutcome::ranThrough;
  }
  return ScriptOutcome::tableOnly;
}

}  // namespace

void fetchRun(FetchContext& context) {
  FetchRunState& run = context.run;
  run.customSymbol = readSettingText(SettingKey::customSymbol);
  run.customLatitude = readSettingText(SettingKey::customLatitude);
  run.customLongitude = readSettingText(SettingKey::customLongitude);
  const std::string makerHost = readSettingText(SettingKey::makerHost);
  const std::string newsHost = readSettingText(SettingKey::newsHost);
  RunScriptHost host(context, readSettingText(SettingKey::quoteHost));

  fetchNewsTicker(context, newsHost.c_str());
  const ScriptOutcome outcome = runScript(context, makerHost, host);
  if (outcome != ScriptOutcome::noTable) {
    finishItemRun(context.table);
    context.channel->publishItems(context.table);
  }
  if (outcome == ScriptOutcome::ranThrough) context.events->runSucceeded();
  publishSummerTime(*context.channel);
  context.events->runEnded();
}

void fetchThreadProcedure(FetchContext& context) { fetchRun(context); }
