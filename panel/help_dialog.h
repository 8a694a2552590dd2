#pragma once
// The help dialog: the built-in user guide, More... for the whole guide as the maker's server
// serves it, and the Reset button that, once the user has said OK, throws away the cached
// script and ends the program.
#include <optional>
#include <string>

#include "command/commands.h"
#include "platform/resources.h"

// The program's table, generated from resources/ at build time (global, not in platform::).

// The help text buffer holds this many bytes, terminator included.
constexpr std::size_t kHelpBufferSize = 16000;

// The resource "readme.txt" as the dialog shows it: up to its first NUL byte and at most
// kHelpBufferSize - 1 bytes; nullopt when the resource is missing.
std::optional<std::string> helpText(
    const platform::ResourceEntry* table = platform::programResources);

// Carriage return + line feed pairs as the edit's line breaks.
std::string editLines(const std::string& text);

// The help page of the maker's server named by "makerhost": the feed server serves the
// program's README there.
std::string makerHelpPage();

// What Reset asks before it acts; Cancel is the default answer.
constexpr const char* kResetQuestion = "Delete the cached script and close Orbiquant?";

// Reset, once confirmed: the reset command (which throws away the cached script), then a
// close request to the main window, which saves the placement and ends the program.
void resetAndClose(Commands& commands);

// Opens the modal dialog; returns when it closes.
void runHelpDialog(Commands& commands);
