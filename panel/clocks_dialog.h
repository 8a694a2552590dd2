#pragma once
// The clocks dialog (key K on the globe): the user's four dial clocks, each a label and a time
// zone typed or picked from the zone database's names, and the zones of the globe clocks. OK
// stores them through the commands, and the clocks change at the next frame; Cancel, Escape
// and the window manager's close store nothing.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "command/commands.h"
#include "model/clock_choice.h"

// The dialog's texts as typed.
struct ClocksForm {
  std::array<std::string, 4> labels;
  std::array<std::string, 4> zones;
  std::string globe;
};

ClocksForm clocksFormOf(const ClockChoice& choice);

// What a form asks for, or the first thing wrong with it and the control to put it right.
struct ClocksCheck {
  ClockChoice choice;
  std::string problem;  // empty when the form can be stored
  int control = 0;      // the control the problem lies in
};

// Blanks around the texts do not count; an empty label takes the zone's city. Wrong: a zone
// that `known` does not know, a label without a zone, a label of more than
// kDialLabelLimit characters, more than kGlobeClockLimit globe zones, Local on the globe.
ClocksCheck checkClocksForm(const ClocksForm& form,
                            const std::function<bool(std::string_view)>& known);

// Opens the modal dialog; returns when it closes.
void runClocksDialog(Commands& commands);
