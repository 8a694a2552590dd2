#pragma once
// The shell "open" verb for web pages.
#include <string_view>

namespace platform {

// True for addresses the program may hand to the opener: "http://" or "https://" followed
// by at least one character, with no control characters.
bool isOpenableUrl(std::string_view url);

// Starts the desktop's opener (xdg-open, or the command named by ORBIQUANT_OPENER) with the
// address as its only argument, without a shell and without waiting for it. Anything that
// is not an openable address is ignored. Returns true when the opener was started.
bool openUrl(std::string_view url);

}  // namespace platform
