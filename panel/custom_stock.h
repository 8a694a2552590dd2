#pragma once
// The custom stock dialog: the user's own ticker symbol and the latitude and longitude of its
// tag, kept in the settings file, which the fetch thread reads at the start of every run.
#include <optional>
#include <string>

#include "command/commands.h"

struct CustomStock {
  std::string symbol;
  std::string latitude;
  std::string longitude;
};

// The longest text stored for each of the three values.
constexpr std::size_t kCustomTextLimit = 127;

// The three values as the settings file holds them now (empty where a key is missing).
CustomStock readCustomStock();

// Cuts each value to kCustomTextLimit characters and writes "customS", the latitude and
// "customLon" in this order. Returns false when a write failed.
bool storeCustomStock(const CustomStock& typed);

// What OK stores of what was typed: the stock, with the latitude and longitude written with a
// decimal point (a decimal comma is read as one; blanks around them dropped; an empty one stays
// empty); or, when either is no number, no stock, the message that says so and the field.
struct StockCheck {
  std::optional<CustomStock> stock;
  std::string refusal;
  int field;
};
StockCheck checkCustomStock(const CustomStock& typed);

// Opens the modal dialog; returns when it closes. OK (and Enter) store the three texts, once
// checkCustomStock accepts them; Cancel, Escape, Ctrl+W and the window manager's close store
// nothing; Ctrl+Q asks `commands` to close the program.
void runCustomStockDialog(Commands& commands);
