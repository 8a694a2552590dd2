#pragma once
// The dialogs as data: the control panel itself, the help dialog, the custom stock dialog and
// the clocks dialog, with the control identifiers the code switches on.
#include "platform/dialog.h"

// Controls of the panel.
namespace panelid {
constexpr int presetA = 300;
constexpr int presetB = 301;
constexpr int presetC = 302;
constexpr int presetD = 303;
constexpr int now = 1000;
constexpr int save = 1001;
constexpr int custom = 1002;
constexpr int help = 1003;
constexpr int news = 1005;
constexpr int zones = 1006;
constexpr int clocks = 1007;
constexpr int value = 1008;
constexpr int cycle = 1013;
constexpr int dark = 1014;
constexpr int change = 1023;
constexpr int noon = 1024;
constexpr int percent = 1025;
constexpr int night = 1027;
constexpr int large = 1028;
constexpr int colorSlider = 1107;
constexpr int gridSlider = 1108;

// The preset buttons of presets 0 to 3 (A to D), one radio group.
constexpr int presetButtons[4] = {presetA, presetB, presetC, presetD};
}  // namespace panelid

// Commands every dialog knows.
constexpr int kCommandOk = 1;
constexpr int kCommandCancel = 2;

// Controls of the custom stock dialog.
namespace customid {
constexpr int symbol = 1004;
constexpr int latitude = 1015;
constexpr int longitude = 1017;
}  // namespace customid

// Controls of the help dialog.
namespace helpid {
constexpr int more = 1000;
constexpr int text = 1004;
constexpr int reset = 1165;
}  // namespace helpid

// Controls of the clocks dialog: the four dials' rows (label and zone), the globe's list and
// the line that says what is wrong.
namespace clocksid {
constexpr int labels[4] = {1101, 1102, 1103, 1104};
constexpr int zones[4] = {1111, 1112, 1113, 1114};
constexpr int globe = 1120;
constexpr int problem = 1121;
}  // namespace clocksid

// Red 176, green 208, blue 208 behind black text: the panel and its dialogs.
constexpr platform::Colour kPanelColour{176, 208, 208};

extern const platform::DialogSpec kPanelDialog;
extern const platform::DialogSpec kHelpDialog;
extern const platform::DialogSpec kCustomDialog;
extern const platform::DialogSpec kClocksDialog;
