#pragma once
// The caption text: what the main window's caption shows when the fetch run is not using it
// as its status line.
#include <string>

// The maker's web domain, shown at the end of the caption.
constexpr const char* kMakerDomain = "orbiquant.example.org";

// " Orbiquant  -  " followed by the maker's domain. Set by the UI thread at start, before the
// first fetch run; from then on only the fetch thread reads and writes it (the script's "t").
extern std::string captionText;
