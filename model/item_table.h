#pragma once
// The market item table: the quote tags the globe shows, as ten text columns of 100 slots.
// Item k is slot k of every column; the script appends to each column at its own count, so
// the columns line up only because the script appends alike to each. The number of items is
// the count of column 0.
//
// Two copies exist. The fetch thread owns the working table (in its fetch context): the
// script's append and clear commands and the finish step of a run write only there. The
// finish step then publishes a copy of the whole record, flags included, in the fetch
// snapshot (fetch_snapshot.h); frames and clicks read only that copy.
#include <cstdint>
#include <string_view>

constexpr int kItemColumns = 10;
constexpr int kItemSlots = 100;
constexpr int kItemTextSize = 256;  // a NUL-terminated text of at most 255 characters

// The columns the program reads; columns 8 and 9 may be appended to but nothing reads them.
enum ItemColumn : int {
  kNameColumn = 0,
  kLatitudeColumn = 1,
  kLongitudeColumn = 2,
  kPercentColumn = 3,  // a leading "-" means the day's move is down
  kValueColumn = 4,
  kChangeColumn = 5,
  kAltTextColumn = 6,
  kWebPageColumn = 7,
};

struct MarketItemTable {
  char text[kItemColumns][kItemSlots][kItemTextSize];
  int32_t columnCount[kItemColumns];  // entries appended to each column, 0 to 100

  // Per item, kept by the finish step across runs and clears.
  char previousValue[kItemSlots][kItemTextSize];
  int32_t fresh[kItemSlots];  // 1 after a run that changed the value, counting down to 0
  bool down[kItemSlots];      // the percent text begins with "-"

  bool tableReady;      // from the end of the first run on; tags are drawn only then
  bool customAbsent;    // no custom stock: the last item is left out of the drawing
  bool altTextEnabled;  // the label cycle gains the alternative text phase

  // Item count: the count of column 0.
  int32_t itemCount() const { return columnCount[kNameColumn]; }
  // The text of item k in a column; "" for an index or column out of range.
  const char* field(int column, int32_t k) const;
};

// Copies `text` (cut to 255 characters) into the slot at the column's count and counts it.
// An append to a full column, or to a column outside 0 to 9, is ignored.
void appendItemText(MarketItemTable& table, int column, std::string_view text);

// The script's "R": every count to 0. Slots, per-item state and flags stay as they are.
void clearItemTable(MarketItemTable& table);

// The end of a run, for every item: down from the percent text, fresh from comparing the
// value with previousValue (1 on change, else one less down to 0), previousValue = value;
// then tableReady.
void finishItemRun(MarketItemTable& table);
