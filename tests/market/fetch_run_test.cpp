// Whole fetch runs against a loopback server: configuration check, script download and
// cache file, the block loop, restarts and the end of the run.
#include "market/fetch_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "market/script_cache.h"
#include "market/summer_time.h"
#include "model/item_table.h"
#include "model/settings.h"
#include "platform/files.h"
#include "tests/support/loopback_server.h"
#include "tests/support/other_user.h"
#include "tests/support/recording_events.h"
#include "tests/support/temp_dir.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class FetchRunTest : public ::testing::Test {
 protected:
  TempDir dir;
  testing_support::LoopbackServer server;
  std::unique_ptr<FetchContext> context;
  std::shared_ptr<RecordingEvents> events;
  std::shared_ptr<FetchChannel> channel = std::make_shared<FetchChannel>();
  std::vector<std::string>& captions() { return events->captions; }
  std::vector<std::string>& messages() { return events->messages; }
  std::shared_ptr<const MarketItemTable> shownItemTable() const { return channel->latest()->items; }
  char savedCwd[4096] = {};
  std::string cache;  // the script cache file

  void SetUp() override {
    ASSERT_NE(getcwd(savedCwd, sizeof savedCwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);  // where earlier versions kept the cache
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
    cache = scriptCacheFile();
    for (SettingKey key : {SettingKey::makerHost, SettingKey::quoteHost, SettingKey::newsHost}) {
      writeSettingText(key, server.host());
    }
    freshContext();
  }

  void TearDown() override { ASSERT_EQ(chdir(savedCwd), 0); }

  // A context as the program makes it once: nothing of an earlier run in it.
  void freshContext() {
    context = std::make_unique<FetchContext>();
    events = std::make_shared<RecordingEvents>();
    context->events = events;
    context->channel = channel;
  }

  // Runs as the main window starts a run, and checks the end-of-run contract: the
  // summer-time flags published on every path, then the end told once.
  void run() {
    const int ended = events->runsEnded;
    const auto before = channel->latest();
    fetchRun(*context);
    EXPECT_EQ(events->runsEnded, ended + 1);
    EXPECT_NE(channel->latest(), before);
    const platform::DateTime utc = platform::utcNow();
    EXPECT_EQ(channel->latest()->londonSummerTime, londonSummerTimeAt(utc));
    EXPECT_EQ(channel->latest()->newYorkSummerTime, newYorkSummerTimeAt(utc));
  }

  std::vector<std::string> paths() const {
    std::vector<std::string> out;
    for (const auto& r : server.requests()) out.push_back(r.path);
    return out;
  }

  void serveScript(const std::string& config, const std::string& script) {
    server.answer("/m3d/cf2.txt", 200, config, "text/plain");
    server.answer("/m3d/s3.txt", 200, script, "text/plain");
  }
};

const char* kOneBlock =
    "#01\r\n*001\r\ns1{HOST}\r\ns2/page\r\nh12\r\n#001\r\nR\r\ns0Tokyo\r\nA00\r\nr\r\n***\r\n";

std::string withServer(std::string text, const std::string& host) {
  for (size_t at; (at = text.find("{HOST}")) != std::string::npos;) text.replace(at, 6, host);
  return text;
}

TEST_F(FetchRunTest, FirstRunDownloadsTheScriptAndFillsTheTable) {
  serveScript("1", withServer(kOneBlock, server.host()));
  server.answer("/page", 200, "<html>page</html>");
  run();
  EXPECT_EQ(slurp(cache), withServer(kOneBlock, server.host()));
  const auto table = shownItemTable();
  EXPECT_EQ(table->tableReady, true);
  EXPECT_EQ(table->itemCount(), 1);
  EXPECT_STREQ(table->field(0, 0), "Tokyo");
  EXPECT_THAT(paths(), Contains("/m3d/s3.txt"));
  EXPECT_THAT(captions(), Contains("checking..."));
  EXPECT_EQ(readSettingText(SettingKey::scriptHost), server.host());
  EXPECT_EQ(readSettingText(SettingKey::scriptPath), "/m3d/s3.txt");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(events->runsSucceeded, 1);

  // The next run uses the script in memory: no configuration check, no download.
  const size_t before = server.requests().size();
  run();
  const auto all = paths();
  const std::vector<std::string> later(all.begin() + static_cast<long>(before), all.end());
  EXPECT_THAT(later, Not(Contains("/m3d/cf2.txt")));
  EXPECT_THAT(later, Not(Contains("/m3d/s3.txt")));
  EXPECT_THAT(later, Contains("/page"));
}

TEST_F(FetchRunTest, ConfigurationLetterForcesTheDownloadAndADigitKeepsTheCache) {
  const std::string cached = withServer(kOneBlock, server.host());
  std::string fresh = cached;
  fresh.replace(fresh.find("Tokyo"), 5, "Paris");
  const struct {
    const char* config;
    const char* shown;
    bool downloads;
  } cases[] = {{"A new script", "Paris", true}, {"9 keep it", "Tokyo", false}};
  for (const auto& c : cases) {
    freshContext();
    ASSERT_TRUE(platform::writeFileAtomically(cache, cached));
    testing_support::LoopbackServer local;
    for (SettingKey key : {SettingKey::makerHost, SettingKey::quoteHost, SettingKey::newsHost}) {
      writeSettingText(key, local.host());
    }
    writeSettingText(SettingKey::scriptHost, local.host());
    local.answer("/m3d/cf2.txt", 200, c.config, "text/plain");
    local.answer("/m3d/s3.txt", 200, fresh, "text/plain");
    local.answer("/page", 200, "<html>page</html>");
    run();
    bool downloaded = false;
    for (const auto& r : local.requests()) downloaded |= r.path == "/m3d/s3.txt";
    EXPECT_EQ(downloaded, c.downloads) << c.config;
    EXPECT_STREQ(shownItemTable()->field(0, 0), c.shown) << c.config;
  }
}

TEST_F(FetchRunTest, OnlyAWholeScriptReplacesTheCache) {
  const std::string cached = withServer(kOneBlock, server.host());
  std::string fresh = cached;
  fresh.replace(fresh.find("Tokyo"), 5, "Paris");
  server.answer("/m3d/cf2.txt", 200, "A new script", "text/plain");
  server.answer("/page", 200, "<html>page</html>");
  // The error page holds a "#" early on: only its status rejects it.
  server.answer("/missing", 404, "<html><a href=\"#top\">404 Not Found</a></html>");
  server.answer("/headerless", 200, std::string(101, ' ') + "#01\n*001\nr\n***\n", "text/plain");
  server.answer("/fresh", 200, fresh, "text/plain");
  const struct {
    const char* path;
    bool cachePresent;
    const char* shown;  // nullptr: the run ended without a table
    std::string cacheAfter;
    std::vector<std::string> messages;
  } cases[] = {
      {"/missing", true, "Tokyo", cached, {}},
      {"/headerless", true, "Tokyo", cached, {}},
      {"/fresh", true, "Paris", fresh, {}},
      {"/missing",
       false,
       nullptr,
       "",
       {"trouble Error in progress...: No cache...  Try again later."}},
  };
  for (const auto& c : cases) {
    freshContext();
    channel->publishItems(MarketItemTable{});
    messages().clear();
    platform::removeFile(cache);
    if (c.cachePresent) {
      ASSERT_TRUE(platform::writeFileAtomically(cache, cached));
    }
    writeSettingText(SettingKey::scriptPath, c.path);
    run();
    EXPECT_EQ(messages(), c.messages) << c.path;
    EXPECT_EQ(events->runsSucceeded, c.shown ? 1 : 0) << c.path;
    EXPECT_EQ(slurp(cache), c.cacheAfter) << c.path;
    EXPECT_EQ(platform::fileExists(cache), c.cachePresent) << c.path;
    if (c.shown) {
      EXPECT_STREQ(shownItemTable()->field(0, 0), c.shown) << c.path;
    } else {
      EXPECT_EQ(shownItemTable()->tableReady, false) << c.path;
    }
  }
}

// A cache path that cannot be read as a file is no cache: the script is downloaded and runs,
// and goes to that place when the place can be replaced; otherwise one line says so, and no
// box. A link there is replaced, never written through (a configuration letter asks for a
// fresh script, which used to land in the file the link points to).
TEST_F(FetchRunTest, ACachePathThatIsNoFileIsDownloadedAgain) {
  namespace fs = std::filesystem;
  const std::string script = withServer(kOneBlock, server.host());
  server.answer("/page", 200, "page");
  std::vector<std::string> lines;
  platform::setFileNoticeHooks([&lines](std::string_view line) { lines.emplace_back(line); }, {});
  const struct {
    const char* kind;
    const char* config;
    bool cached;  // the script ends up in the cache file
    std::vector<std::string> told;
  } cases[] = {
      {"folder", "1", false, {"orbiquant: cannot write " + cache + ": Is a directory"}},
      {"own link", "A", true, {}},
      {"other user's link", "A", true, {}},
      {"unreadable", "1", true, {}},
  };
  fs::create_directories(fs::path(cache).parent_path());
  for (const auto& c : cases) {
    const std::string kind = c.kind;
    fs::remove_all(cache);
    spit("victim.txt", "the user's own file");
    if (kind == "folder") fs::create_directory(cache);
    if (kind.ends_with("link")) fs::create_symlink(dir.file("victim.txt"), cache);
    if (kind == "other user's link" && !testing_support::giveToOtherUser(cache)) continue;
    if (kind == "unreadable") {
      spit(cache, "#01\n*001\nr\n***\n");
      chmod(cache.c_str(), 0);
      if (testing_support::canMakeOtherUsersFiles()) continue;  // root reads it all the same
    }
    serveScript(c.config, script);
    freshContext();
    channel->publishItems(MarketItemTable{});
    lines.clear();
    run();
    EXPECT_TRUE(messages().empty()) << kind;
    EXPECT_STREQ(shownItemTable()->field(0, 0), "Tokyo") << kind;
    EXPECT_EQ(lines, c.told) << kind;
    EXPECT_EQ(slurp("victim.txt"), "the user's own file") << kind;
    EXPECT_EQ(fs::is_regular_file(fs::symlink_status(cache)), c.cached) << kind;
    if (c.cached) {
      EXPECT_EQ(slurp(cache), script) << kind;
    }
  }
  platform::setFileNoticeHooks({}, {});
}

TEST_F(FetchRunTest, BlocksRunInOrderAndSkipTheHashSectionWithoutAPage) {
  serveScript("1", withServer("#03\n*001\ns1{HOST}\ns2/one\nh12\n#001\ns0one\nA00\nr\n"
                              "*002\nr\n#002\ns0never\nA00\nr\n"
                              "*003\ns1{HOST}\ns2/three\nh12\n#003\ns0three\nA00\nr\n***\n",
                              server.host()));
  server.answer("/one", 200, "one");
  server.answer("/three", 200, "three");
  run();
  const auto table = shownItemTable();
  ASSERT_EQ(table->itemCount(), 2);
  EXPECT_STREQ(table->field(0, 0), "one  ");
  EXPECT_STREQ(table->field(0, 1), "three");
}

TEST_F(FetchRunTest, HeaderBeyondPosition100IsAnInvalidScript) {
  // A download like it never reaches the cache; a cache file from elsewhere can hold it.
  serveScript("1", kOneBlock);
  ASSERT_TRUE(platform::writeFileAtomically(cache, std::string(101, ' ') + "#01\n*001\nr\n"));
  run();
  EXPECT_THAT(messages(), ElementsAre("trouble error: invalid script"));
  EXPECT_EQ(shownItemTable()->tableReady, true);  // the finish step still runs
  EXPECT_EQ(events->runsSucceeded, 0);            // but a box of that trouble stays
}

TEST_F(FetchRunTest, NoServerAndNoCacheEndsTheRunWithAMessage) {
  for (SettingKey key : {SettingKey::makerHost, SettingKey::newsHost}) {
    writeSettingText(key,
                     "127.0.0.1:" + std::to_string(testing_support::LoopbackServer::refusedPort()));
  }
  writeSettingText(SettingKey::scriptHost,
                   "127.0.0.1:" + std::to_string(testing_support::LoopbackServer::refusedPort()));
  run();
  EXPECT_THAT(messages(),
              ElementsAre("trouble Error in progress...: No cache...  Try again later."));
  EXPECT_EQ(shownItemTable()->tableReady, false);
  EXPECT_FALSE(platform::fileExists(cache));
  EXPECT_EQ(events->runsSucceeded, 0);
  // A later run tries again, as the message says, and finds the script now.
  writeSettingText(SettingKey::makerHost, server.host());
  writeSettingText(SettingKey::scriptHost, server.host());
  serveScript("1", withServer(kOneBlock, server.host()));
  server.answer("/page", 200, "page");
  messages().clear();
  run();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(shownItemTable()->tableReady, true);
  EXPECT_EQ(events->runsSucceeded, 1);  // which closes the box
}

TEST_F(FetchRunTest, RestartsAndTheCloseCommand) {
  // "w" restarts the run from the configuration check and from then on reads only the cache.
  serveScript("1", withServer("#01\n*001\ny13\nr\n#001\nr\n***\n", server.host()));
  ASSERT_TRUE(platform::writeFileAtomically(cache, "#01\n*001\nw\n***\n"));
  run();
  EXPECT_EQ(context->run.useCacheOnly, 1);
  int checks = 0;
  for (const auto& p : paths()) checks += p == "/m3d/cf2.txt";
  EXPECT_EQ(checks, 11);  // the first check and ten restarts, then the run gives up
  EXPECT_THAT(paths(), Not(Contains("/m3d/s3.txt")));
  EXPECT_EQ(events->runsSucceeded, 0);  // the script never got through

  freshContext();
  channel->publishItems(MarketItemTable{});
  ASSERT_TRUE(
      platform::writeFileAtomically(cache, "#02\n*001\ns1bye\nXX1\n*002\ns0no\nA00\nr\n***\n"));
  messages().clear();
  run();
  EXPECT_THAT(messages(), ElementsAre("Disconnected...: bye", "close"));
  EXPECT_EQ(shownItemTable()->tableReady, false);  // the run ended before the finish step
  EXPECT_EQ(events->runsSucceeded, 0);
}

TEST_F(FetchRunTest, QuoteCommandAsksTheQuoteServer) {
  serveScript("1",
              withServer("#01\n*001\ns1{HOST}\ns2/page\nh12\n#001\nR\ns1IBM\",\nft1\npr\nr\n***\n",
                         server.host()));
  server.answer("/page", 200, "<html>nothing here</html>");
  server.answer(
      "/q", 200,
      "<p>Index Value: <span id=\"v\">162.35</span></p><img src=\"http://x\" alt=\"Down\">"
      "<b>1.25</b> (0.76%)</p>   ");
  const std::string refused =
      "127.0.0.1:" + std::to_string(testing_support::LoopbackServer::refusedPort());
  const struct {
    std::string quoteHost;
    const char* value;
    const char* change;
    const char* percent;
  } cases[] = {
      {server.host(), "162  ", "-1   ", "-0.7%"},
      // A failed quote still appends the placeholders, so the item keeps its place.
      {refused, "----", "----", "----"},
  };
  for (const auto& c : cases) {
    writeSettingText(SettingKey::quoteHost, c.quoteHost);
    run();
    const auto table = shownItemTable();
    ASSERT_EQ(table->columnCount[kValueColumn], 1) << c.quoteHost;
    EXPECT_STREQ(table->field(kValueColumn, 0), c.value) << c.quoteHost;
    EXPECT_STREQ(table->field(kChangeColumn, 0), c.change) << c.quoteHost;
    EXPECT_STREQ(table->field(kPercentColumn, 0), c.percent) << c.quoteHost;
  }
  bool asked = false;
  for (const auto& r : server.requests()) asked |= r.path == "/q" && r.symbol == "^IBM";
  EXPECT_TRUE(asked);
}

}  // namespace
