#pragma once
// One run of the fetch thread: the news feeds into the ticker, once per program start the
// maker's configuration check and the script (downloaded, or from the cache file), the
// script's blocks, the finish of the item table, the summer-time flags; then the run's end,
// its last act (FetchEvents::runEnded).
#include "market/fetch_context.h"
#include "market/script_cache.h"

// The run itself, on the fetch thread, in the context that persists across runs.
void fetchRun(FetchContext& context);

// The fetch thread's procedure: one run, then nothing more.
void fetchThreadProcedure(FetchContext& context);
