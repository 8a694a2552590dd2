#pragma once
// What the fetch thread works on: one context, made once by the program and handed to every
// run. Parts of it persist across runs (the run flags, the script, the registers and the
// working item table); the rest is the working state of one run's transfers and parsers.
// Only the one running fetch thread touches it, apart from the channel, which the UI thread
// reads; the shell sets the events and the channel before the first run. About 2.5 MB: make
// it on the heap.
#include <cstdint>
#include <memory>
#include <string>

#include "market/fetch_events.h"
#include "market/news_parser.h"
#include "market/scanner.h"
#include "market/script.h"
#include "model/fetch_snapshot.h"
#include "model/item_table.h"

// The page and feed buffers' size; longer bodies are cut there.
constexpr int32_t kTransferBufferSize = 1000000;

// Time bounds of every transfer; the page download takes its connect time-out as argument.
struct TransferLimits {
  uint32_t connectMs = 10000;
  uint32_t totalMs = 120000;
  uint32_t lowSpeedBytes = 1;  // per second, over lowSpeedSeconds
  uint32_t lowSpeedSeconds = 10;
  uint32_t pageSettleMs = 100;  // the wait after a successful page download
};

struct FetchContext {
  // Never null. Shared with whoever reads the results or hears the events: either side may
  // go first, and a run that outlives the windows still has both.
  std::shared_ptr<FetchEvents> events = std::make_shared<FetchEvents>();
  std::shared_ptr<FetchChannel> channel = std::make_shared<FetchChannel>();
  TransferLimits transferLimits;

  // Persist across runs.
  FetchRunState run;
  ScriptRegisters registers;
  std::string script;  // at most kScriptBufferSize bytes
  // The working item table: the script's commands write here, and each run's finish step
  // publishes a copy as the shown table (model/item_table.h).
  MarketItemTable table{};

  // Bodies, each followed by a NUL; longer bodies are cut at the buffer's end.
  char pageBuffer[kTransferBufferSize + 1]{};
  int32_t pageLength = 0;
  char feedBuffer[kTransferBufferSize + 1]{};
  ScannerState scanner;  // over the page, or over the feed while one is parsed
  NewsText news{};       // the ticker text being built
  // Set around the script download only: selects downloadPage's code for a missing network.
  bool scriptDownloading = false;
  // Alternates the "Reading data" caption from one read to the next, across transfers.
  bool readToggle = false;
};

// The run's status line: published in the snapshot, from which the main window's caption
// shows it, and told to the events.
inline void showRunStatus(FetchContext& context, std::string_view text) {
  context.channel->publishStatus(text);
  context.events->statusShown(text);
}
