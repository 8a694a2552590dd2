#pragma once
// One run of the fetch thread: the news feeds into the ticker, once per program start the
// maker's configuration check and the script (downloaded, or from the cache file), the
// script's blocks, the finish of the item table, the summer-time flags; then fetchRunning
// is cleared and fetchDone set, the run's last store.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "market/script.h"

constexpr int32_t kScriptBufferSize = 160000;
constexpr const char* kCacheFile = "orbq.txt";  // in the current directory

// What a run asks of the user-interface side; set by the shell before the first run.
// Empty hooks do nothing.
struct FetchHooks {
  std::function<void(std::string_view)> setCaption;
  // Shows a box and returns when the user has dismissed it, or at once when the program is
  // shutting down; the rest of the program goes on meanwhile.
  std::function<void(std::string_view text, std::string_view title)> showMessage;
  std::function<void()> requestClose;  // the script ended the program
  std::function<void(std::string_view)> openPage;
};
extern FetchHooks fetchHooks;

// State that persists across runs: the run flags, the script text and the registers.
FetchRunState& fetchRunState();
ScriptRegisters& scriptRegisters();
const std::string& scriptText();

// The run itself, on the fetch thread.
void fetchRun();

// The fetch thread's procedure: one run, then nothing more.
void fetchThreadProcedure();
