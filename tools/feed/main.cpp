// orbiquant-feed: the project's own maker's server. By default a market simulator; with a
// quote source and news feeds in its settings file (feed/feed_config.h), a relay of the real
// world.
//
//   orbiquant-feed [--config FILE] [--listen ADDRESS] [--port N] [--root DIR] [--log FILE]
//                  [--token-file FILE] [--check]
//
// DIR defaults to the installed share folder (see root.h). Serves DIR/cf2.txt at /m3d/cf2.txt and
// DIR/s3.txt at /m3d/s3.txt (with "{HOST}" replaced by the address the client asked for), index
// pages at /markets/<name>, quote pages at /q?s=^SYM, RSS feeds at /rss/<name>, the web pages
// tags open at /item/<SYM> and /news, what the relay knows at /status, and the README as the
// user guide at /help. Every request is logged as one whole line "<method> <path> <status>"
// (feed/request_log.h).
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "tools/feed/feed_config.h"
#include "tools/feed/listener.h"
#include "tools/feed/options.h"
#include "tools/feed/relay.h"
#include "tools/feed/request_log.h"
#include "tools/feed/root.h"
#include "tools/feed/simulator.h"

namespace {

int64_t currentStep() { return static_cast<int64_t>(std::time(nullptr)) / feed::kStepSeconds; }

int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::tm localNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

void reply(httplib::Response& res, const std::string& body, const char* type) {
  if (body.empty()) {
    res.status = 404;
    res.set_content("not found\n", "text/plain");
  } else {
    res.set_content(body, type);
  }
}

// The address the client reached this server at (its Host header), for the links and the
// script; `fallback` when the header is missing or holds anything but a host and port.
std::string clientHost(const httplib::Request& req, const std::string& fallback) {
  const std::string host = req.get_header_value("Host");
  if (host.empty() || host.size() > 100) return fallback;
  for (const char c : host) {
    const bool ok = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ||
                    c == ':' || c == '[' || c == ']';
    if (!ok) return fallback;
  }
  return host;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "orbiquant-feed: %s\n", message.c_str());
  return 1;
}

// --check: each mapped symbol and each feed asked once, and what came back.
int check(const feed::FeedConfig& config) {
  feed::CurlUpstream upstream(feed::UpstreamLimits{});
  int failures = 0;
  if (!config.hasQuotes) std::printf("no [quotes] source: the simulator's quotes are served\n");
  for (const auto& [item, symbol] : config.quotes.symbols) {
    const auto fetched = feed::fetchQuote(upstream, config.quotes, symbol);
    const feed::SourceQuote& q = fetched.value;
    if (fetched.ok) {
      std::printf("%s (%s): %.2f, previous close %.2f, change %+.2f (%+.2f%%), time %lld\n",
                  item.c_str(), symbol.c_str(), q.price, q.previous, q.change, q.percent,
                  static_cast<long long>(q.time));
    } else {
      std::printf("%s (%s): failed: %s\n", item.c_str(), symbol.c_str(), fetched.error.c_str());
    }
    failures += fetched.ok ? 0 : 1;
  }
  for (const auto& url : config.feeds) {
    const auto fetched = feed::fetchHeadlines(upstream, url);
    const feed::Headlines& h = fetched.value;
    if (fetched.ok) {
      std::printf("%s: \"%s\", %zu headlines%s%s\n", feed::hostOf(url).c_str(), h.title.c_str(),
                  h.items.size(),
                  h.items.empty() ? "" : ", first: ", h.items.empty() ? "" : h.items[0].c_str());
    } else {
      std::printf("%s: failed: %s\n", feed::hostOf(url).c_str(), fetched.error.c_str());
    }
    failures += fetched.ok ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}

std::atomic<bool> stopping{false};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(feed::kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("orbiquant-feed %s\n", ORBIQUANT_VERSION);
    return 0;
  }
  feed::Options options;
  if (!feed::parseOptions(std::vector<std::string>(argv + 1, argv + argc), options)) {
    std::fputs(feed::kUsage, stderr);
    return 2;
  }
  feed::FeedConfig config;
  const std::string configPath =
      options.config.empty() ? feed::defaultConfigPath() : options.config;
  if (std::string error = feed::loadFeedConfig(configPath, !options.config.empty(), config);
      !error.empty()) {
    return fail(error);
  }
  if (options.listen) config.listen = *options.listen;
  if (options.port) config.port = *options.port;
  if (!options.tokenFile.empty()) {
    if (std::string error = feed::readTokenFile(options.tokenFile, config.quotes.token);
        !error.empty()) {
      return fail(error);
    }
  }
  if (std::string error = feed::validateFeedConfig(config); !error.empty()) {
    return fail(configPath + ": " + error);
  }
  if (options.check) return check(config);

  if (options.root.empty()) options.root = feed::defaultRoot(feed::ownExecutable());
  if (!feed::hasServerFiles(options.root)) {
    return fail("no cf2.txt and s3.txt in \"" + options.root + "\"; give the folder with --root");
  }
  const bool v6 = config.listen.find(':') != std::string::npos;
  const std::string host =
      (v6 ? "[" + config.listen + "]" : config.listen) + ":" + std::to_string(config.port);
  std::ofstream logFile;
  if (!options.log.empty()) {
    logFile.open(options.log, std::ios::app);
    if (!logFile) return fail("cannot open the log file " + options.log);
  }
  feed::RequestLog log(options.log.empty() ? std::cout : logFile);

  feed::CurlUpstream upstream(feed::UpstreamLimits{}, &stopping);
  std::unique_ptr<feed::QuoteRelay> quotes;
  if (config.hasQuotes) {
    quotes = std::make_unique<feed::QuoteRelay>(config.quotes, upstream, steadyMs, &log);
  }
  std::unique_ptr<feed::NewsRelay> news;
  if (!config.feeds.empty()) {
    news = std::make_unique<feed::NewsRelay>(config.feeds, upstream, steadyMs, &log);
  }

  httplib::Server server;
  server.set_logger([&log](const httplib::Request& req, const httplib::Response& res) {
    log.request(req.method, req.target, res.status);
  });
  auto serveFile = [&](const char* name) {
    return [&, name](const httplib::Request& req, httplib::Response& res) {
      std::string text;
      reply(res,
            readFile(options.root + "/" + name, text) ? feed::withHost(text, clientHost(req, host))
                                                      : "",
            "text/plain");
    };
  };
  server.Get("/m3d/cf2.txt", serveFile("cf2.txt"));
  server.Get("/m3d/s3.txt", serveFile("s3.txt"));
  server.Get(R"(/markets/(\w+))", [&](const httplib::Request& req, httplib::Response& res) {
    const std::tm local = localNow();
    const int year = local.tm_year + 1900;
    const int month = local.tm_mon + 1;
    reply(res,
          quotes ? quotes->indexPage(req.matches[1], year, month)
                 : feed::indexPage(req.matches[1], currentStep(), year, month),
          "text/html");
  });
  server.Get("/q", [&](const httplib::Request& req, httplib::Response& res) {
    std::string symbol = req.get_param_value("s");
    if (!symbol.empty() && symbol[0] == '^') symbol.erase(0, 1);
    reply(res, quotes ? quotes->quotePage(symbol) : feed::quotePage(symbol, currentStep()),
          "text/html");
  });
  server.Get(R"(/rss/(\w+))", [&](const httplib::Request& req, httplib::Response& res) {
    reply(res, news ? news->rss(req.matches[1]) : feed::rssFeed(req.matches[1], currentStep()),
          "application/rss+xml");
  });
  server.Get(R"(/item/([\w.^=-]+))", [&](const httplib::Request& req, httplib::Response& res) {
    reply(res,
          quotes ? quotes->itemPage(req.matches[1]) : feed::itemPage(req.matches[1], currentStep()),
          "text/html");
  });
  server.Get("/news", [&](const httplib::Request&, httplib::Response& res) {
    reply(res, news ? news->newsPage() : feed::newsPage(currentStep()), "text/html");
  });
  // The user guide, for the help window's More... (browsers open http, not files).
  const std::string help = feed::helpFile(feed::ownExecutable(), options.root);
  server.Get("/help", [&](const httplib::Request&, httplib::Response& res) {
    std::string text;
    reply(res, readFile(help, text) ? text : "", "text/plain; charset=utf-8");
  });
  server.Get("/",
             [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/help"); });
  server.Get("/status", [&](const httplib::Request&, httplib::Response& res) {
    std::string text = "orbiquant-feed " ORBIQUANT_VERSION "\n";
    text += quotes ? quotes->status(std::time(nullptr)) : "quotes: the simulator's\n";
    text += news ? news->status() : "feeds: the simulator's\n";
    reply(res, text, "text/plain");
  });

  std::string error;
  if (!feed::bindExclusive(server, config.listen, config.port, error)) {
    return fail("cannot listen on " + host + ": " + error);
  }
  if (!feed::isLoopbackAddress(config.listen)) {
    std::fprintf(stderr,
                 "orbiquant-feed: warning: listening on %s, not on loopback: every machine that "
                 "can reach it can use this server\n",
                 host.c_str());
  }
  log.note("listening on " + host);
  const bool ok = server.listen_after_bind();
  stopping = true;
  return ok ? 0 : 1;
}
