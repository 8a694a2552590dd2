// Fetch runs on their own thread while this thread reads what frames read: the latest fetch
// snapshot, whole, and the schedule. Run under ThreadSanitizer by scripts/test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "market/fetch_run.h"
#include "model/fetch_schedule.h"
#include "model/item_table.h"
#include "model/settings.h"
#include "tests/support/loopback_server.h"
#include "tests/support/temp_dir.h"

namespace {

// The schedule's side of the events, as the program wires it.
class ScheduleEvents : public FetchEvents {
 public:
  explicit ScheduleEvents(FetchSchedule& schedule) : schedule_(schedule) {}
  void refreshSettingChanged(int32_t setting) override { schedule_.setRefreshSetting(setting); }
  void runEnded() override { schedule_.endRun(); }
  bool panelOpen() override { return true; }  // every transfer step publishes its status

 private:
  FetchSchedule& schedule_;
};

TEST(FetchThreads, FramesReadEachSnapshotWholeWhileRunsPublish) {
  TempDir dir;
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  setenv("XDG_CACHE_HOME", dir.path().c_str(), 1);
  testing_support::LoopbackServer server;
  for (SettingKey key : {SettingKey::makerHost, SettingKey::quoteHost, SettingKey::newsHost}) {
    writeSettingText(key, server.host());
  }
  const std::string script = "#01\n*001\ns1" + server.host() +
                             "\ns2/page\nh12\n#001\nR\ns0Tokyo\nA00\ns1N225\",\nft1\npr\nr\n***\n";
  server.answer("/m3d/cf2.txt", 200, "1", "text/plain");
  server.answer("/m3d/s3.txt", 200, script, "text/plain");
  server.answer("/page", 200, "<html>no markers</html>");
  server.answer("/rss/business", 200,
                "<rss><image><title>Business</title></image><item><title>Markets "
                "rise</title></item></rss>   ");
  server.answer(
      "/q", 200,
      "Index Value: <span id=\"v\">33,400.5</span> http alt=\"Up\"> <b>12</b> (0.04%)   ");
  FetchSchedule schedule;
  const auto context = std::make_unique<FetchContext>();
  context->events = std::make_shared<ScheduleEvents>(schedule);
  const std::shared_ptr<FetchChannel> channel = context->channel;

  std::atomic<bool> done{false};
  std::thread fetcher([&] {
    for (int i = 0; i < 3; ++i) fetchThreadProcedure(*context);
    done = true;
  });
  int frames = 0;
  while (!done.load()) {
    // One frame: one snapshot, every part of it read, and none of it changes while held.
    const std::shared_ptr<const FetchSnapshot> results = channel->latest();
    const std::string ticker = *results->ticker;
    const std::string status = results->status;
    const MarketItemTable& table = *results->items;
    for (int32_t k = 0; k < table.itemCount(); ++k) {
      ASSERT_LE(std::strlen(table.field(kValueColumn, k)), 5u);
    }
    (void)(results->londonSummerTime || results->newYorkSummerTime);
    (void)schedule.running();
    EXPECT_EQ(*results->ticker, ticker);
    EXPECT_EQ(results->status, status);
    ++frames;
  }
  fetcher.join();
  EXPECT_GT(frames, 0);
  EXPECT_TRUE(schedule.runDone());
  EXPECT_STREQ(channel->latest()->items->field(kNameColumn, 0), "Tokyo");
  EXPECT_NE(channel->latest()->ticker->find("Markets rise"), std::string::npos);
  ASSERT_EQ(chdir(cwd), 0);
}

}  // namespace
