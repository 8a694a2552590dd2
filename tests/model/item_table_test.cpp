#include "model/item_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<MarketItemTable> emptyTable() { return std::make_unique<MarketItemTable>(); }

// Appends one item: name, value and percent (the columns the finish step reads).
void appendItem(MarketItemTable& table, const char* name, const char* value, const char* percent) {
  appendItemText(table, kNameColumn, name);
  appendItemText(table, kValueColumn, value);
  appendItemText(table, kPercentColumn, percent);
}

// One run of the script that lists the same single item with these texts.
void runOnce(MarketItemTable& table, const char* value, const char* percent) {
  clearItemTable(table);
  appendItem(table, "DOW", value, percent);
  finishItemRun(table);
}

TEST(ItemTable, FinishRunTracksFreshAndDownAcrossRuns) {
  const struct {
    const char* value;
    const char* percent;
    int32_t fresh;
    int32_t down;
  } runs[] = {
      {"10312", "+0.45", 1, 0},  // first run: differs from the empty previous value
      {"10312", "+0.45", 0, 0},  // unchanged: fades at once
      {"10312", "-0.10", 0, 1},  // still unchanged, now down
      {"10320", "-0.00", 1, 1},  // changed: bright again; "-" marks down even at zero
      {"----", "0.00", 1, 0},    // the placeholder is a change from a number
      {"----", "0.00", 0, 0},    // the placeholder twice: faded
      {"10320", " -1", 1, 0},    // only a leading "-" counts as down
  };
  auto table = emptyTable();
  int run = 0;
  for (const auto& r : runs) {
    runOnce(*table, r.value, r.percent);
    EXPECT_EQ(table->fresh[0], r.fresh) << "run " << run;
    EXPECT_EQ(table->down[0], r.down) << "run " << run;
    EXPECT_STREQ(table->previousValue[0], r.value) << "run " << run;
    EXPECT_TRUE(table->tableReady);
    ++run;
  }
}

TEST(ItemTable, FreshNeverGoesBelowZeroAndComparesCase) {
  auto table = emptyTable();
  runOnce(*table, "abc", "1");
  for (int i = 0; i < 3; ++i) runOnce(*table, "abc", "1");
  EXPECT_EQ(table->fresh[0], 0);
  runOnce(*table, "ABC", "1");
  EXPECT_EQ(table->fresh[0], 1);
}

TEST(ItemTable, ClearThenFewerAppendsKeepsOldSlotsAboveTheCount) {
  auto table = emptyTable();
  appendItem(*table, "AAA", "1", "1");
  appendItem(*table, "BBB", "2", "-2");
  appendItem(*table, "CCC", "3", "3");
  finishItemRun(*table);
  table->customAbsent = true;
  clearItemTable(*table);
  for (int c = 0; c < kItemColumns; ++c) EXPECT_EQ(table->columnCount[c], 0);
  appendItem(*table, "XXX", "9", "9");
  EXPECT_EQ(table->itemCount(), 1);
  EXPECT_STREQ(table->field(kNameColumn, 0), "XXX");
  EXPECT_STREQ(table->field(kNameColumn, 1), "BBB");  // left in its slot, not counted
  EXPECT_TRUE(table->down[1]);                        // per-item state survives the clear
  EXPECT_TRUE(table->customAbsent);                   // and so do the flags
  finishItemRun(*table);
  EXPECT_TRUE(table->down[1]);  // items above the count are not finished
}

TEST(ItemTable, ColumnsCountIndependently) {
  // Four names, three values: item 3 keeps whatever its value slot held (empty at first).
  auto table = emptyTable();
  for (const char* name : {"A", "B", "C", "D"}) appendItemText(*table, kNameColumn, name);
  for (const char* value : {"1", "2", "3"}) appendItemText(*table, kValueColumn, value);
  EXPECT_EQ(table->itemCount(), 4);
  EXPECT_EQ(table->columnCount[kValueColumn], 3);
  finishItemRun(*table);
  EXPECT_STREQ(table->field(kValueColumn, 3), "");
  EXPECT_EQ(table->fresh[3], 0);  // "" equals the empty previous value
}

TEST(ItemTable, AppendsBeyondTheTableAreIgnored) {
  auto table = emptyTable();
  for (int i = 0; i < kItemSlots; ++i) appendItemText(*table, 8, std::to_string(i));
  appendItemText(*table, 8, "overflow");
  appendItemText(*table, -1, "x");
  appendItemText(*table, kItemColumns, "x");
  EXPECT_EQ(table->columnCount[8], kItemSlots);
  EXPECT_STREQ(table->field(8, 99), "99");
  EXPECT_STREQ(table->field(8, 100), "");
  EXPECT_STREQ(table->field(kItemColumns, 0), "");
  EXPECT_EQ(table->columnCount[kNameColumn], 0);
}

TEST(ItemTable, LongTextsAreCutTo255Characters) {
  auto table = emptyTable();
  appendItemText(*table, kWebPageColumn, std::string(400, 'w'));
  EXPECT_EQ(std::string(table->field(kWebPageColumn, 0)), std::string(255, 'w'));
}

}  // namespace
