#include "tools/feed/request_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <latch>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(RequestLog, BytesThatCouldBreakALineAreEscaped) {
  const struct {
    const char* method;
    const char* target;
    int status;
    const char* line;
  } cases[] = {
      {"GET", "/q?s=^BSESN", 200, "GET /q?s=^BSESN 200"},
      {"GET", "/a\r\nGET /forged 200", 404, "GET /a%0D%0AGET%20/forged%20200 404"},
      {"GET", "/\x1b[2J\xE9", 404, "GET /%1B[2J%E9 404"},
      {"G T", "", 400, "G%20T  400"},
  };
  for (const auto& c : cases) EXPECT_EQ(feed::requestLine(c.method, c.target, c.status), c.line);
}

TEST(RequestLog, LinesFromManyThreadsStayWhole) {
  constexpr int kThreads = 8;
  constexpr int kLines = 10000;
  std::ostringstream out;
  feed::RequestLog log(out);
  std::latch start(kThreads);  // all workers log at the same time
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&log, &start, t] {
      start.arrive_and_wait();
      const std::string target = "/rss/" + std::string(static_cast<size_t>(20 + t), "abcdefgh"[t]);
      for (int i = 0; i < kLines; ++i) log.request("GET", target, 200);
    });
  }
  for (auto& worker : workers) worker.join();
  std::istringstream in(out.str());
  int count = 0;
  for (std::string line; std::getline(in, line); ++count) {
    // Each worker's line has its own letter and length: a torn line matches neither.
    const size_t letters = line.size() - std::min(line.size(), std::string("GET /rss/ 200").size());
    const size_t worker = letters - std::min<size_t>(letters, 20);
    ASSERT_LT(worker, static_cast<size_t>(kThreads)) << line;
    ASSERT_EQ(line, "GET /rss/" + std::string(letters, "abcdefgh"[worker]) + " 200");
  }
  EXPECT_EQ(count, kThreads * kLines);
}

}  // namespace
