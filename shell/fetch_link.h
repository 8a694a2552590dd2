#pragma once
// Connects the fetch run to the program: the main window starts it as the fetch thread's
// procedure; its results arrive through the program's fetch channel, and what it tells or asks
// (the schedule, message boxes, the main window, a close the script asks for) is handed to the
// schedule and to the UI thread.
#include <functional>

#include "shell/program_records.h"

// Call once on the UI thread before the main window is created. Returns the fetch thread's
// procedure; it owns the fetch context that persists across runs, and each thread it runs on
// holds the context (with the schedule and the channel) for as long as it runs.
std::function<void()> linkFetchRun(ProgramRecords& records, std::function<bool()> panelOpen);
