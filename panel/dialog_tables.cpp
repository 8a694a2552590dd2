#include "panel/dialog_tables.h"

namespace {

using platform::ControlSpec;
using platform::kNoId;
using enum platform::ControlKind;

// The panel's controls in tab order.
constexpr ControlSpec kPanelControls[] = {
    {panelid::cycle, checkBox, "Cycle", 11, 29, 34, 8},
    {panelid::value, checkBox, "Value", 11, 42, 38, 8},
    {panelid::change, checkBox, "Change", 11, 50, 39, 8},
    {panelid::percent, checkBox, "Percent", 11, 58, 39, 8},
    {panelid::noon, checkBox, "Noon", 11, 115, 37, 8},
    {panelid::night, checkBox, "Night", 11, 123, 37, 8},
    {panelid::help, bitmapButton, "HELP", 7, 233, 41, 11, "button_help.png"},
    {panelid::now, bitmapButton, "Now", 7, 254, 41, 11, "button_get.png"},
    {kNoId, groupBox, "Quotes", 1, 245, 52, 24},
    {panelid::save, bitmapButton, "Save", 6, 15, 43, 9, "button_save.png"},
    {panelid::large, checkBox, "Large", 11, 71, 38, 8},
    {panelid::dark, checkBox, "Dark", 11, 131, 34, 8},
    {panelid::presetA, radioBitmapButton, "A", 5, 3, 10, 9, "button_a.png", true},
    {panelid::presetB, radioBitmapButton, "B", 17, 3, 10, 9, "button_b.png"},
    {panelid::presetC, radioBitmapButton, "C", 29, 3, 10, 9, "button_c.png"},
    {panelid::presetD, radioBitmapButton, "D", 41, 3, 10, 9, "button_d.png"},
    {panelid::colorSlider, slider, "", 7, 177, 42, 18},
    {panelid::gridSlider, slider, "", 7, 85, 41, 18},
    {kNoId, staticText, "Grid", 20, 103, 18, 8},
    {kNoId, staticText, "Color", 18, 195, 25, 8},
    {kNoId, blackFrame, "", 2, 1, 51, 25},
    {panelid::clocks, checkBox, "Clocks", 11, 153, 34, 8},
    {panelid::zones, checkBox, "Zones", 11, 145, 34, 8},
    {panelid::news, checkBox, "News", 11, 166, 34, 8},
    {panelid::custom, bitmapButton, "Custom", 7, 213, 41, 12, "button_custom.png"},
};

constexpr ControlSpec kHelpControls[] = {
    {helpid::more, flatBitmapButton, "More...", 186, 186, 35, 12, "button_more.png"},
    {kCommandOk, flatBitmapButton, "OK", 242, 186, 35, 12, "button_close.png"},
    {helpid::text, multilineEdit, "", 3, 3, 284, 172},
    {helpid::reset, checkBox, "Reset", 10, 188, 53, 8},
};

constexpr ControlSpec kCustomControls[] = {
    {kCommandOk, defaultButton, "OK", 205, 141, 43, 12},
    {kCommandCancel, pushButton, "Cancel", 205, 115, 43, 12},
    {customid::symbol, edit, "", 21, 95, 79, 16},
    {customid::latitude, edit, "", 21, 116, 79, 16},
    {customid::longitude, edit, "", 21, 137, 79, 16},
    {kNoId, staticText, "Stock Ticker Symbol", 104, 100, 97, 8},
    {kNoId, staticText, "Latitude", 104, 121, 91, 8},
    {kNoId, staticText, "Longitude", 104, 142, 96, 8},
    {kNoId, staticText, "To show an individual company stock, enter the stock information below.",
     6, 5, 223, 21},
    {kNoId, staticText,
     "Using these settings, you can control which stock is shown and where it will be shown "
     "on the globe. \n\nEnter the ticker symbol, the latitude, and the longitude.  Latitude "
     "and longitude are measured using decimal degrees and can be set anywhere you prefer.",
     6, 31, 221, 51},
};

constexpr ControlSpec kClocksControls[] = {
    {kNoId, staticText,
     "Four dial clocks: a label of up to 10 characters and a time zone, Area/City as in "
     "Asia/Tokyo, or Local for this computer's. An empty zone keeps the program's dial.",
     6, 5, 244, 24},
    {kNoId, staticText, "Instead of", 6, 33, 48, 8},
    {kNoId, staticText, "Label", 58, 33, 50, 8},
    {kNoId, staticText, "Time zone", 114, 33, 100, 8},
    {kNoId, staticText, "Local", 6, 45, 48, 8},
    {clocksid::labels[0], edit, "", 58, 43, 52, 12},
    {clocksid::zones[0], completingEdit, "", 114, 43, 136, 12},
    {kNoId, staticText, "London", 6, 61, 48, 8},
    {clocksid::labels[1], edit, "", 58, 59, 52, 12},
    {clocksid::zones[1], completingEdit, "", 114, 59, 136, 12},
    {kNoId, staticText, "New York", 6, 77, 48, 8},
    {clocksid::labels[2], edit, "", 58, 75, 52, 12},
    {clocksid::zones[2], completingEdit, "", 114, 75, 136, 12},
    {kNoId, staticText, "Beijing", 6, 93, 48, 8},
    {clocksid::labels[3], edit, "", 58, 91, 52, 12},
    {clocksid::zones[3], completingEdit, "", 114, 91, 136, 12},
    {kNoId, staticText,
     "Globe clocks: up to 12 time zones separated by blanks, each at its city. Empty: the "
     "program's seven.",
     6, 113, 244, 16},
    {clocksid::globe, completingListEdit, "", 6, 131, 244, 12},
    {clocksid::problem, staticText, "", 6, 151, 140, 16},
    {kCommandOk, defaultButton, "OK", 152, 153, 46, 13},
    {kCommandCancel, pushButton, "Cancel", 204, 153, 46, 13},
};

}  // namespace

// clang-format off
const platform::DialogSpec kPanelDialog{"panel", "Display", "Arial", 10, 54, 271, false,
                                        kPanelColour, kPanelControls};
const platform::DialogSpec kHelpDialog{"help", "  Help", "Arial", 10, 290, 208, true,
                                       kPanelColour, kHelpControls};
const platform::DialogSpec kCustomDialog{"custom", "Custom", "Arial", 10, 259, 165, true,
                                         kPanelColour, kCustomControls};
const platform::DialogSpec kClocksDialog{"clocks", "Clocks", "Arial", 10, 256, 173, true,
                                         kPanelColour, kClocksControls};
// clang-format on
