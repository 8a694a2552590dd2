#include "model/fetch_snapshot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "model/ticker_text.h"

namespace {

void appendItem(MarketItemTable& table, const char* name, const char* value, const char* percent) {
  appendItemText(table, kNameColumn, name);
  appendItemText(table, kValueColumn, value);
  appendItemText(table, kPercentColumn, percent);
}

TEST(FetchChannel, APublishedPartIsACopyAndAHeldSnapshotNeverChanges) {
  FetchChannel channel;
  const auto first = channel.latest();
  EXPECT_FALSE(first->items->tableReady);
  EXPECT_EQ(*first->ticker, std::string(kStartTickerBlanks, ' '));
  EXPECT_EQ(first->status, "");

  auto table = std::make_unique<MarketItemTable>();
  appendItem(*table, "NIK", "17000", "+1");
  finishItemRun(*table);
  channel.publishItems(*table);
  channel.publishTicker(std::string(kTickerSize + 10, 'x'));
  channel.publishSummerTime(true, false);
  channel.publishStatus("checking...");
  const auto shown = channel.latest();
  clearItemTable(*table);
  appendItem(*table, "HSI", "22000", "-1");
  channel.publishItems(*table);
  channel.publishStatus("Reading data...");

  EXPECT_STREQ(shown->items->field(kNameColumn, 0), "NIK");  // the working table moved on
  EXPECT_TRUE(shown->items->tableReady);
  EXPECT_EQ(shown->ticker->size(), static_cast<size_t>(kTickerSize));
  EXPECT_TRUE(shown->londonSummerTime);
  EXPECT_FALSE(shown->newYorkSummerTime);
  EXPECT_EQ(shown->status, "checking...");
  EXPECT_EQ(*first->ticker, std::string(kStartTickerBlanks, ' '));
  const auto latest = channel.latest();
  EXPECT_STREQ(latest->items->field(kNameColumn, 0), "HSI");
  EXPECT_EQ(latest->ticker, shown->ticker);  // the parts not published again are shared
  EXPECT_TRUE(latest->londonSummerTime);
  EXPECT_EQ(latest->status, "Reading data...");
}

TEST(FetchChannelThreads, FramesNeverSeeAHalfWrittenRun) {
  // The fetch thread rewrites every item each run, as the script does, and publishes the
  // ticker and the status on the way; a reader must always find whole runs: as many items as
  // the run appended, each item's texts from that run.
  FetchChannel channel;
  std::atomic<bool> done{false};
  std::thread fetch([&] {
    const auto table = std::make_unique<MarketItemTable>();
    MarketItemTable& working = *table;
    for (int run = 1; run <= 300; ++run) {
      const std::string tag = std::to_string(run);
      channel.publishStatus(tag);
      clearItemTable(working);
      const int items = 1 + run % 7;
      for (int k = 0; k < items; ++k) {
        appendItem(working, tag.c_str(), tag.c_str(), run % 2 ? "-1" : "1");
      }
      finishItemRun(working);
      channel.publishItems(working);
      channel.publishTicker(std::string(static_cast<size_t>(run), 'n'));
    }
    done = true;
  });
  int torn = 0;
  int reads = 0;
  while (!done) {
    ++reads;
    const auto shown = channel.latest();
    const MarketItemTable& items = *shown->items;
    if (!items.tableReady) continue;
    const int run = std::atoi(items.field(kNameColumn, 0));
    torn += items.itemCount() != 1 + run % 7;
    const int statusRun = std::atoi(shown->status.c_str());  // published before the items
    torn += statusRun != run && statusRun != run + 1;
    for (int32_t k = 0; k < items.itemCount(); ++k) {
      torn += std::atoi(items.field(kNameColumn, k)) != run;
      torn += std::atoi(items.field(kValueColumn, k)) != run;
      torn += items.down[k] != (run % 2 == 1);
    }
  }
  fetch.join();
  EXPECT_EQ(torn, 0) << "in " << reads << " reads";
  EXPECT_STREQ(channel.latest()->items->field(kNameColumn, 0), "300");
  EXPECT_EQ(channel.latest()->ticker->size(), 300u);
}

}  // namespace
