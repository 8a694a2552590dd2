#pragma once
// A command's request to close the program, carried out from a dialog: a close request posted
// to the main window, which saves the placement and ends the program as its close box does.
#include "command/commands.h"

void closeProgramIfAsked(const CommandResult& result);
