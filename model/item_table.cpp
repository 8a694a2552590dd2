#include "model/item_table.h"

#include <cstring>

#include "platform/text.h"

namespace {

bool validItem(int32_t k) { return k >= 0 && k < kItemSlots; }

}  // namespace

const char* MarketItemTable::field(int column, int32_t k) const {
  if (column < 0 || column >= kItemColumns || !validItem(k)) return "";
  return text[column][k];
}

void appendItemText(MarketItemTable& table, int column, std::string_view text) {
  if (column < 0 || column >= kItemColumns) return;
  int32_t& count = table.columnCount[column];
  if (count < 0 || count >= kItemSlots) return;  // no room: the append is dropped
  platform::copyBounded(table.text[column][count], kItemTextSize, text);
  ++count;
}

void clearItemTable(MarketItemTable& table) {
  for (int32_t& count : table.columnCount) count = 0;
}

void finishItemRun(MarketItemTable& table) {
  const int32_t count = table.itemCount();
  for (int32_t k = 0; k < count && validItem(k); ++k) {
    table.down[k] = table.text[kPercentColumn][k][0] == '-';
    const char* value = table.text[kValueColumn][k];
    if (std::strcmp(value, table.previousValue[k]) == 0) {
      table.fresh[k] = table.fresh[k] - 1 < 0 ? 0 : table.fresh[k] - 1;
    } else {
      table.fresh[k] = 1;
    }
    // Both buffers are 256 bytes and value is terminated within its slot.
    std::memcpy(table.previousValue[k], value, kItemTextSize);
  }
  table.tableReady = true;
}
