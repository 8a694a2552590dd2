#pragma once
// The caption text: what the main window's caption shows when the fetch run is not using it
// as its status line. The script may replace it for the rest of the program's run (its "t").
#include <string>

// The maker's web domain, shown at the end of the caption.
constexpr const char* kMakerDomain = "orbiquant.example.org";

// " Orbiquant  -  " followed by the maker's domain.
inline std::string defaultCaptionText() { return std::string(" Orbiquant  -  ") + kMakerDomain; }
