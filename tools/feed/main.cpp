// orbiquant-feed: the project's own maker's server and market simulator, on loopback only.
//
//   orbiquant-feed [--port N] [--root DIR] [--log FILE]
//
// DIR defaults to the installed share folder (see root.h). Serves DIR/cf2.txt at /m3d/cf2.txt and
// DIR/s3.txt at /m3d/s3.txt (with "{HOST}" replaced by the server's own address), index pages at
// /markets/<name>, quote pages at /q?s=^SYM, RSS feeds at /rss/<name>, and the web pages tags open
// at /item/<SYM> and /news. Every request is logged as one whole line "<method> <path> <status>"
// (feed/request_log.h).
#include <httplib.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "tools/feed/listener.h"
#include "tools/feed/request_log.h"
#include "tools/feed/root.h"
#include "tools/feed/simulator.h"

namespace {

int64_t currentStep() { return static_cast<int64_t>(std::time(nullptr)) / feed::kStepSeconds; }

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

struct Options {
  int port = 8404;
  std::string root;  // empty: the installed share folder, else "server"
  std::string log;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--port") {
      options.port = std::atoi(argv[i + 1]);
    } else if (flag == "--root") {
      options.root = argv[i + 1];
    } else if (flag == "--log") {
      options.log = argv[i + 1];
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && options.port > 0 && options.port < 65536;
}

constexpr const char* kUsage = "usage: orbiquant-feed [--port N] [--root DIR] [--log FILE]\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("orbiquant-feed %s\n", ORBIQUANT_VERSION);
    return 0;
  }
  Options options;
  if (!parse(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options.root.empty()) options.root = feed::defaultRoot(feed::ownExecutable());
  if (!feed::hasServerFiles(options.root)) {
    std::fprintf(stderr,
                 "orbiquant-feed: no cf2.txt and s3.txt in \"%s\"; give the folder with --root\n",
                 options.root.c_str());
    return 1;
  }
  const std::string host = "127.0.0.1:" + std::to_string(options.port);
  std::ofstream logFile;
  if (!options.log.empty()) {
    logFile.open(options.log, std::ios::app);
    if (!logFile) {
      std::fprintf(stderr, "orbiquant-feed: cannot open the log file %s\n", options.log.c_str());
      return 1;
    }
  }
  feed::RequestLog log(options.log.empty() ? std::cout : logFile);

  httplib::Server server;
  server.set_logger([&log](const httplib::Request& req, const httplib::Response& res) {
    log.request(req.method, req.target, res.status);
  });
  auto serveFile = [&](const char* name) {
    return [&, name](const httplib::Request&, httplib::Response& res) {
      std::string text;
      reply(res, readFile(options.root + "/" + name, text) ? feed::withHost(text, host) : "",
            "text/plain");
    };
  };
  server.Get("/m3d/cf2.txt", serveFile("cf2.txt"));
  server.Get("/m3d/s3.txt", serveFile("s3.txt"));
  server.Get(R"(/markets/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    reply(res,
          feed::indexPage(req.matches[1], currentStep(), local.tm_year + 1900, local.tm_mon + 1),
          "text/html");
  });
  server.Get("/q", [](const httplib::Request& req, httplib::Response& res) {
    std::string symbol = req.get_param_value("s");
    if (!symbol.empty() && symbol[0] == '^') symbol.erase(0, 1);
    reply(res, feed::quotePage(symbol, currentStep()), "text/html");
  });
  server.Get(R"(/rss/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
    reply(res, feed::rssFeed(req.matches[1], currentStep()), "application/rss+xml");
  });
  server.Get(R"(/item/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
    reply(res, feed::itemPage(req.matches[1], currentStep()), "text/html");
  });
  server.Get("/news", [](const httplib::Request&, httplib::Response& res) {
    reply(res, feed::newsPage(currentStep()), "text/html");
  });

  std::string error;
  if (!feed::bindExclusive(server, "127.0.0.1", options.port, error)) {
    std::fprintf(stderr, "orbiquant-feed: cannot listen on %s: %s\n", host.c_str(), error.c_str());
    return 1;
  }
  log.note("listening on " + host);
  return server.listen_after_bind() ? 0 : 1;
}
