#pragma once
// What the fetch thread works on: one context, made once by the program and handed to every
// run. Parts of it persist across runs (the run flags, the script, the registers and the
// working item table); the rest is the working state of one run's transfers and parsers.
// Only the one running fetch thread touches it; the shell sets the hooks before the first
// run. About 2.5 MB: make it on the heap.
#include <cstdint>
#include <string>

#include "market/fetch_hooks.h"
#include "market/news_parser.h"
#include "market/scanner.h"
#include "market/script.h"
#include "model/item_table.h"

// The page and feed buffers' size; longer bodies are cut there.
constexpr int32_t kTransferBufferSize = 1000000;

struct FetchContext {
  FetchHooks hooks;
  TransferHooks transferHooks;
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
  int32_t scriptDownloading = 0;
  // Alternates the "Reading data" caption from one read to the next, across transfers.
  int32_t readToggle = 0;
};
