#include "tools/feed/feed_config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "tests/support/temp_dir.h"
#include "tools/feed/options.h"

namespace {

constexpr const char* kSource =
    "[quotes]\n"
    "template=https://quotes.example/v1/{symbol}?token={token}\n"
    "token=s3cret                 ; or token-file=PATH\n"
    "price=/chart/result/0/meta/regularMarketPrice\n"
    "previous=/chart/result/0/meta/chartPreviousClose\n"
    "time=/chart/result/0/meta/regularMarketTime\n"
    "change=                   ; computed when absent\n"
    "[symbols]\n"
    "DJI=^DJI\n"
    "GC=GC=F\n"
    "[feeds]\n"
    "url1=https://news.example/business.rss\n"
    "url3=http://news.example/world.rss\n";

void write(const std::string& path, const std::string& text, mode_t mode) {
  std::ofstream(path) << text;
  chmod(path.c_str(), mode);
}

TEST(FeedConfig, TheDocumentedLayoutIsRead) {
  feed::FeedConfig config;
  bool holdsToken = false;
  ASSERT_EQ(feed::parseFeedConfig(kSource, "feed.ini", config, holdsToken), "");
  EXPECT_TRUE(config.hasQuotes);
  EXPECT_TRUE(holdsToken);
  EXPECT_EQ(config.quotes.token, "s3cret");
  EXPECT_EQ(config.quotes.time, "/chart/result/0/meta/regularMarketTime");
  EXPECT_EQ(config.quotes.change, "");
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(config.quotes.symbols, (Pairs{{"DJI", "^DJI"}, {"GC", "GC=F"}}));
  EXPECT_EQ(config.feeds, (std::vector<std::string>{"https://news.example/business.rss",
                                                    "http://news.example/world.rss"}));
  EXPECT_EQ(feed::validateFeedConfig(config), "");
}

TEST(FeedConfig, MistakesAreNamedWithTheirLine) {
  const struct {
    const char* text;
    const char* error;  // of parse, or else of validate
  } cases[] = {
      {"[quote]\n", "f:1: unknown section [quote]"},
      {"x=1\n", "f:1: a key before any section"},
      {"[quotes]\ntemplate=ftp://q/{symbol}\n",
       "f:2: template must start with http:// or https://"},
      {"[quotes]\nprice=c\n", "f:2: price must be a JSON pointer such as /c"},
      {"[quotes]\nrefresh=30\n", "f:2: refresh must be a number of seconds, 60 or more"},
      {"[symbols]\nDJI=^DJI x\n", "f:2: \"^DJI x\" is not a symbol"},
      {"[symbols]\nDJI=a\nDJI=b\n", "f:3: the item DJI is mapped twice"},
      {"[feeds]\nurl13=http://n/\n", "f:2: feeds are url1 to url12, not \"url13\""},
      {"[feeds]\nurl1=file:///etc/passwd\n", "f:2: url1 must start with http:// or https://"},
      {"[server]\nport=0\n", "f:2: port must be a number from 1 to 65535"},
      {"[quotes]\ntemplate=http://q/{symbol}?t={token}\nprice=/c\nprevious=/pc\n[symbols]\nA=A\n",
       "the template names {token}, but no token or token-file is given"},
      {"[quotes]\ntemplate=http://q/\nprice=/c\nprevious=/pc\n",
       "[quotes] needs a template with {symbol}"},
      {"[quotes]\ntemplate=http://q/{symbol}\nprice=/c\n",
       "[quotes] needs the price and previous pointers"},
      {"[quotes]\ntemplate=http://q/{symbol}\nprice=/c\nprevious=/pc\n",
       "[symbols] maps no item to a symbol of the source"},
  };
  for (const auto& c : cases) {
    feed::FeedConfig config;
    bool holdsToken = false;
    std::string error = feed::parseFeedConfig(c.text, "f", config, holdsToken);
    if (error.empty()) error = feed::validateFeedConfig(config);
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(FeedConfig, ATokenIsReadOnlyFromAPrivateFile) {
  TempDir dir;
  const std::string ini = dir.file("feed.ini");
  const std::string tokenFile = dir.file("token");
  const std::string withFile = std::string(kSource).replace(
      std::string(kSource).find("token=s3cret"), 12, "token-file=" + tokenFile);
  const struct {
    std::string text;
    mode_t iniMode, tokenMode;
    std::string error;
  } cases[] = {
      {kSource, 0600, 0600, ""},
      {kSource, 0400, 0600, ""},
      {kSource, 0640, 0600,
       ini + " holds a token but others may read it (mode 0640); make it private with: chmod 600 " +
           ini},
      {kSource, 0644, 0600,
       ini + " holds a token but others may read it (mode 0644); make it " +
           "private with: chmod 600 " + ini},
      {"[feeds]\nurl1=http://n/\n", 0644, 0600, ""},  // no token: may be shared
      {withFile, 0644, 0600, ""},
      {withFile, 0644, 0604,
       tokenFile + " holds a token but others may read it (mode 0604); " +
           "make it private with: chmod 600 " + tokenFile},
  };
  for (const auto& c : cases) {
    write(ini, c.text, c.iniMode);
    write(tokenFile, "t0k3n\n", c.tokenMode);
    feed::FeedConfig config;
    EXPECT_EQ(feed::loadFeedConfig(ini, true, config), c.error) << c.text;
    if (c.error.empty() && c.text == withFile) {
      EXPECT_EQ(config.quotes.token, "t0k3n");
    }
  }
  feed::FeedConfig config;
  EXPECT_EQ(feed::loadFeedConfig(dir.file("missing.ini"), false, config), "");
  EXPECT_FALSE(config.hasQuotes);
  EXPECT_EQ(feed::loadFeedConfig(dir.file("missing.ini"), true, config),
            "cannot read " + dir.file("missing.ini"));
}

TEST(FeedConfig, CommandLine) {
  const struct {
    std::vector<std::string> arguments;
    bool ok;
  } cases[] = {
      {{"--port", "9000", "--listen", "0.0.0.0", "--check"}, true},
      {{"--config", "f.ini", "--token-file", "t"}, true},
      {{"--port", "70000"}, false},
      {{"--port", "12x"}, false},
      {{"--port"}, false},
      {{"--listen", ""}, false},
      {{"--bogus", "1"}, false},
  };
  for (const auto& c : cases) {
    feed::Options options;
    EXPECT_EQ(feed::parseOptions(c.arguments, options), c.ok) << c.arguments[0];
  }
  feed::Options options;
  ASSERT_TRUE(feed::parseOptions({"--port", "9000", "--listen", "0.0.0.0", "--check"}, options));
  EXPECT_EQ(options.port, 9000);
  EXPECT_EQ(options.listen, "0.0.0.0");
  EXPECT_TRUE(options.check);
}

}  // namespace
