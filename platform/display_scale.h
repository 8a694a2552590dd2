#pragma once
// How much larger the program draws on a high-resolution screen: the factor by which the
// default window size, the dialogs and message boxes, and the texts on the globe grow. 96
// dots per inch is 1.0. The desktop says the resolution it wants text drawn at with Xft.dpi
// in the X resource database; without it the X server's own resolution counts.
#include <optional>
#include <string_view>

namespace platform {

// Xft.dpi in the text of a resource database ("name:\tvalue" lines, as the X server keeps
// it); nothing when the line is missing or its value is no positive number.
std::optional<double> xftDpi(std::string_view resources);

// The factor for a resolution: dpi / 96 to the nearest quarter (so that the 100 dpi of a
// rough screen size stays 1.0), from 1.0 to 4.0.
double scaleForDpi(double dpi);

// The factor a setting's text asks for: a number with a decimal point or comma, kept
// within 0.5 to 4.0; nothing for an empty text, a text that is no number, and 0 or less
// (which leave the factor to the display).
std::optional<double> scaleSetting(std::string_view text);

// The display's factor: from Xft.dpi, else from the server's resolution. Opens the display.
double detectedScale();

// The factor the program's dialogs, message boxes and FLTK's own texts are built with. UI
// thread; set once before the first window is made (1.0 until then).
void setInterfaceScale(double scale);
double interfaceScale();

// `pixels` at the interface scale, rounded to nearest.
int scaledPixels(int pixels);

}  // namespace platform
