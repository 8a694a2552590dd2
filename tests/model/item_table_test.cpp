#include "model/item_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
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
    EXPECT_EQ(table->tableReady, 1);
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
  table->customAbsent = 1;
  clearItemTable(*table);
  for (int c = 0; c < kItemColumns; ++c) EXPECT_EQ(table->columnCount[c], 0);
  appendItem(*table, "XXX", "9", "9");
  EXPECT_EQ(table->itemCount(), 1);
  EXPECT_STREQ(table->field(kNameColumn, 0), "XXX");
  EXPECT_STREQ(table->field(kNameColumn, 1), "BBB");  // left in its slot, not counted
  EXPECT_EQ(table->down[1], 1);                       // per-item state survives the clear
  EXPECT_EQ(table->customAbsent, 1);                  // and so do the flags
  finishItemRun(*table);
  EXPECT_EQ(table->down[1], 1);  // items above the count are not finished
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

TEST(ItemTable, PublishedTableIsACopyThatLaterWritesDoNotReach) {
  auto table = emptyTable();
  appendItem(*table, "NIK", "17000", "+1");
  finishItemRun(*table);
  publishItemTable(*table);
  const auto shown = shownItemTable();
  clearItemTable(*table);
  appendItem(*table, "HSI", "22000", "-1");
  EXPECT_STREQ(shown->field(kNameColumn, 0), "NIK");
  EXPECT_EQ(shown->tableReady, 1);
  publishItemTable(*table);
  EXPECT_STREQ(shown->field(kNameColumn, 0), "NIK");  // a held version never changes
  EXPECT_STREQ(shownItemTable()->field(kNameColumn, 0), "HSI");
  publishItemTable(*emptyTable());
}

TEST(ItemTableThreads, FramesNeverSeeAHalfWrittenRun) {
  // The fetch thread rewrites every item each run, as the script does; a reader must always
  // find whole runs: as many items as the run appended, each item's texts from that run.
  std::atomic<bool> done{false};
  std::thread fetch([&done] {
    const auto table = emptyTable();
    MarketItemTable& working = *table;
    for (int run = 1; run <= 300; ++run) {
      clearItemTable(working);
      const int items = 1 + run % 7;
      for (int k = 0; k < items; ++k) {
        const std::string tag = std::to_string(run);
        appendItem(working, tag.c_str(), tag.c_str(), run % 2 ? "-1" : "1");
      }
      finishItemRun(working);
      publishItemTable(working);
    }
    done = true;
  });
  int torn = 0;
  int reads = 0;
  while (!done) {
    ++reads;
    const auto shown = shownItemTable();
    if (shown->tableReady != 1) continue;
    const int run = std::atoi(shown->field(kNameColumn, 0));
    torn += shown->itemCount() != 1 + run % 7;
    for (int32_t k = 0; k < shown->itemCount(); ++k) {
      torn += std::atoi(shown->field(kNameColumn, k)) != run;
      torn += std::atoi(shown->field(kValueColumn, k)) != run;
      torn += shown->down[k] != run % 2;
    }
  }
  fetch.join();
  EXPECT_EQ(torn, 0) << "in " << reads << " reads";
  EXPECT_STREQ(shownItemTable()->field(kNameColumn, 0), "300");
  publishItemTable(*emptyTable());
}

}  // namespace
