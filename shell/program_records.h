#pragma once
// The records the program keeps for its whole run: the display record, the fetch schedule,
// the fetch channel and the commands over them. The program's entry makes them before the
// first window and keeps them until the last is gone, and hands them to the main window and
// the control panel; tests make their own. The schedule and the channel are shared with the
// fetch thread, which may outlive the windows.
#include <memory>
#include <utility>

#include "command/commands.h"
#include "model/display_state.h"
#include "model/fetch_schedule.h"
#include "model/fetch_snapshot.h"

struct ProgramRecords {
  explicit ProgramRecords(CommandLinks links = {})
      : commands(display, *schedule, std::move(links)) {}
  ProgramRecords(const ProgramRecords&) = delete;
  ProgramRecords& operator=(const ProgramRecords&) = delete;

  DisplayState display;
  std::shared_ptr<FetchSchedule> schedule = std::make_shared<FetchSchedule>();
  std::shared_ptr<FetchChannel> channel = std::make_shared<FetchChannel>();
  Commands commands;
};
