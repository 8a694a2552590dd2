// The relay against a fake quote source and fake news servers on loopback: what the pages
// serve for each kind of answer, how long a value or a headline outlives its source's
// failures, and that the token never shows.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "tests/tools/feed_fixture.h"
#include "tools/feed/relay.h"

namespace {

// Serves /<kind>/<name>: fixtures, failures and slow or huge answers; counts the requests.
class FakeUpstream {
 public:
  FakeUpstream() {
    server_.Get(R"(/(\w+)/([\w.^=-]+))",
                [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    for (int i = 0; i < 200 && !server_.is_running(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~FakeUpstream() {
    server_.stop();
    thread_.join();
  }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int requests(const std::string& path) {
    std::lock_guard lock(mutex_);
    return counts_[path];
  }
  std::atomic<int> failWith{0};  // a status every answer gets instead, 0: none

 private:
  void answer(const httplib::Request& req, httplib::Response& res) {
    {
      std::lock_guard lock(mutex_);
      ++counts_[req.path];
      lastQuery_ = req.get_param_value("token");
    }
    const std::string kind = req.matches[1];
    const std::string name = req.matches[2];
    if (failWith) {
      res.status = failWith;
      res.set_content("<html>busy</html>", "text/html");
    } else if (kind == "limited") {
      res.status = 429;
      res.set_header("Retry-After", "600");
      res.set_content("{\"error\":\"too many requests\"}", "application/json");
    } else if (kind == "slow") {
      std::this_thread::sleep_for(std::chrono::milliseconds(800));
      res.set_content(feedFixture("flat.json"), "application/json");
    } else if (kind == "huge") {
      res.set_content("{\"c\":1,\"x\":\"" + std::string(2000000, 'x') + "\"}", "application/json");
    } else if (kind == "missing") {
      res.status = 404;
      res.set_content("{\"error\":\"no such symbol\"}", "application/json");
    } else if (kind == "html") {
      res.set_content(feedFixture("consent.html"), "text/html; charset=utf-8");
    } else {
      const std::string body = feedFixture(name);
      res.status = body.empty() ? 404 : 200;
      res.set_content(body, name.ends_with(".json") ? "application/json" : "application/rss+xml");
    }
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, int> counts_;
  std::string lastQuery_;
};

feed::QuoteSource sourceAt(const FakeUpstream& upstream, const std::string& kind,
                           bool flat = false) {
  feed::QuoteSource source;
  source.urlTemplate = upstream.url("/" + kind + "/{symbol}?token={token}");
  source.token = "T0KEN-s3cret";
  source.price = flat ? "/c" : "/chart/result/0/meta/regularMarketPrice";
  source.previous = flat ? "/pc" : "/chart/result/0/meta/chartPreviousClose";
  source.time = flat ? "/t" : "/chart/result/0/meta/regularMarketTime";
  if (flat) source.change = "/d", source.percent = "/dp";
  source.symbols = {{"DJI", flat ? "flat.json" : "chart.json"}, {"GC", "chart.json"}};
  return source;
}

const feed::UpstreamLimits kTestLimits{1000, 500, 1, 1000000};

TEST(FeedRelay, QuotePagesForEachKindOfAnswer) {
  FakeUpstream upstream;
  const struct {
    const char* kind;
    bool flat;
    const char* page;  // what the quote page holds, "" for no page
    const char* error;
  } cases[] = {
      {"q", false, "Index Value: <span id=\"v\">44,123.45</span>", ""},
      {"q", true, "alt=\"Down\"> <b>1.56</b> (0.83%)", ""},
      {"limited", false, "", "HTTP 429"},
      {"html", false, "", "an HTML page where JSON was expected"},
      {"slow", true, "", "Timeout was reached"},
      {"huge", true, "", "the answer is larger than 1000000 bytes"},
      {"missing", false, "", "HTTP 404"},
  };
  for (const auto& c : cases) {
    std::ostringstream logText;
    feed::RequestLog log(logText);
    feed::CurlUpstream client(kTestLimits);
    feed::QuoteRelay relay(
        sourceAt(upstream, c.kind, c.flat), client, [] { return 0; }, &log,
        std::chrono::milliseconds(3000));
    const std::string page = relay.quotePage("DJI");
    if (*c.page) {
      EXPECT_NE(page.find(c.page), std::string::npos) << c.kind << "\n" << page;
    } else {
      EXPECT_EQ(page, "") << c.kind;
    }
    const std::string status = relay.status(0);
    EXPECT_NE(status.find(c.error), std::string::npos) << c.kind << "\n" << status;
    for (const std::string& text : {page, status, logText.str()}) {
      EXPECT_EQ(text.find("T0KEN"), std::string::npos) << text;
    }
  }
}

TEST(FeedRelay, IndexPagesCarryOnlyValuesNotTooOld) {
  FakeUpstream upstream;
  std::atomic<int64_t> now{0};
  feed::CurlUpstream client(kTestLimits);
  feed::QuoteRelay relay(
      sourceAt(upstream, "q"), client, [&now] { return now.load(); }, nullptr);
  const std::string row = "<tr><td>GCZ26.CMX\",</td><td>44123.45</td><td>173.33</td><td>0.39</td>";
  const struct {
    int64_t at;
    int failWith;
    bool served;
    int requests;  // of the source so far, for GC
  } steps[] = {
      {0, 0, true, 1},         {30000, 0, true, 1},     // within the minute: cached
      {60000, 503, true, 2},   {100000, 503, true, 2},  // failed once: still young enough
      {121000, 503, false, 3},                          // failed again: too old now
      {190000, 0, false, 3},                            // backing off for 2 minutes
      {241000, 0, true, 4},                             // back
  };
  for (const auto& step : steps) {
    now = step.at;
    upstream.failWith = step.failWith;
    const std::string page = relay.indexPage("commodities", 2026, 12);
    EXPECT_EQ(page.find(row) != std::string::npos, step.served) << step.at << "\n" << page;
    EXPECT_EQ(upstream.requests("/q/chart.json"), step.requests) << step.at;
  }
  EXPECT_EQ(relay.quotePage("GCZ26.CMX").empty(), false);
  EXPECT_EQ(relay.quotePage("SIZ26.CMX"), "");
  EXPECT_EQ(relay.indexPage("bonds", 2026, 12), "");
}

TEST(FeedRelay, TheUsersFeedsServedPlainWithTheirLastGoodHeadlinesForAnHour) {
  FakeUpstream upstream;
  std::atomic<int64_t> now{0};
  feed::CurlUpstream client(kTestLimits);
  feed::NewsRelay news(
      {upstream.url("/f/rss2-utf8.xml"), upstream.url("/f/rdf-latin1.xml"),
       upstream.url("/f/atom.xml"), upstream.url("/f/no-title.xml")},
      client, [&now] { return now.load(); }, nullptr);
  const std::string business =
      "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<rss version=\"2.0\"><channel>\n"
      "<title>Business - World News</title>\n"
      "<image><title>Business - World News</title></image>\n"
      "<item><title>Cafe chain's profits [update 2] rise - shares up</title></item>\n"
      "<item><title>Oil &amp; gas: Total's cafe deal \"on track\"</title></item>\n"
      "<item><title>Central banks hold rates</title></item>\n"
      "<item><title>Stocks slip as yields > 5% bold climb...</title></item>\n"
      "<item><title>127.0.0.1:" +
      upstream.url("").substr(17) +
      "</title></item>\n"  // the feed without a title is named by its host
      "<item><title>Only headlines here</title></item>\n"
      "<item><title>A second headline</title></item>\n"
      "</channel></rss>\n";
  EXPECT_EQ(news.rss("business"), business);
  EXPECT_NE(news.rss("stocks").find("<image><title>Marches &amp; Economie</title></image>"),
            std::string::npos);
  EXPECT_NE(news.rss("topstories").find("<item><title>S&amp;P 500 ends flat</title></item>"),
            std::string::npos);
  EXPECT_EQ(news.rss("sports"), "");
  upstream.failWith = 500;
  now = 59 * 60 * 1000;
  EXPECT_EQ(news.rss("business"), business);
  now = 61 * 60 * 1000;
  EXPECT_EQ(news.rss("business"),
            "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<rss version=\"2.0\"><channel>\n"
            "</channel></rss>\n");
  EXPECT_EQ(upstream.requests("/f/rss2-utf8.xml"), 2);  // at 0 and 59 minutes
  EXPECT_NE(news.status().find("url1 (127.0.0.1:"), std::string::npos);
}

}  // namespace
