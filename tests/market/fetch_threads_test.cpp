// Fetch runs on their own thread while this thread reads what frames read: the shown item
// table and the ticker text. Run under ThreadSanitizer by scripts/test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "market/fetch_run.h"
#include "model/display_state.h"
#include "model/item_table.h"
#include "model/settings.h"
#include "model/summer_time_flags.h"
#include "model/ticker_text.h"
#include "tests/support/loopback_server.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FetchThreads, FramesReadWhileRunsWrite) {
  TempDir dir;
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
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
  const auto context = std::make_unique<FetchContext>();

  std::atomic<bool> done{false};
  std::thread fetcher([&] {
    for (int i = 0; i < 3; ++i) {
      displayState.fetchRunning = 1;
      displayState.fetchDone = 0;
      fetchThreadProcedure(*context);
    }
    done = true;
  });
  int frames = 0;
  char window[61] = {};
  while (!done.load()) {
    const auto table = shownItemTable();
    for (int32_t k = 0; k < table->itemCount(); ++k) {
      ASSERT_LE(std::strlen(table->field(kValueColumn, k)), 5u);
    }
    {
      std::lock_guard lock(tickerMutex());
      std::memcpy(window, tickerText, 60);
    }
    (void)londonSummerTime.load();
    ++frames;
  }
  fetcher.join();
  EXPECT_GT(frames, 0);
  EXPECT_EQ(displayState.fetchDone.load(), 1);
  EXPECT_STREQ(shownItemTable()->field(kNameColumn, 0), "Tokyo");
  ASSERT_EQ(chdir(cwd), 0);
}

}  // namespace
