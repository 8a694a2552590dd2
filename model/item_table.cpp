#include "model/item_table.h"

#include <cstring>
#include <mutex>
#include <utility>

#include "platform/text.h"

namespace {

bool validItem(int32_t k) { return k >= 0 && k < kItemSlots; }

std::mutex& shownMutex() {
  static std::mutex mutex;
  return mutex;
}

// Guarded by shownMutex(); the table it points to is never written after publication.
std::shared_ptr<const MarketItemTable>& shownSlot() {
  static std::shared_ptr<const MarketItemTable> shown = std::make_shared<const MarketItemTable>();
  return shown;
}

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
    table.down[k] = table.text[kPercentColumn][k][0] == '-' ? 1 : 0;
    const char* value = table.text[kValueColumn][k];
    if (std::strcmp(value, table.previousValue[k]) == 0) {
      table.fresh[k] = table.fresh[k] - 1 < 0 ? 0 : table.fresh[k] - 1;
    } else {
      table.fresh[k] = 1;
    }
    // Both buffers are 256 bytes and value is terminated within its slot.
    std::memcpy(table.previousValue[k], value, kItemTextSize);
  }
  table.tableReady = 1;
}

void publishItemTable(const MarketItemTable& table) {
  // The copy is made outside the lock; the lock only covers the pointer exchange.
  auto copy = std::make_shared<const MarketItemTable>(table);
  std::shared_ptr<const MarketItemTable> old;
  {
    std::lock_guard lock(shownMutex());
    old = std::exchange(shownSlot(), std::move(copy));
  }
  // `old` is released here, outside the lock, or later by the last frame that holds it.
}

std::shared_ptr<const MarketItemTable> shownItemTable() {
  std::lock_guard lock(shownMutex());
  return shownSlot();
}
