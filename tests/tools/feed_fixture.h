#pragma once
// The feed server's test files (tests/tools/data): answers of quote sources and news feeds
// as publishers write them.
#include <fstream>
#include <sstream>
#include <string>

inline std::string feedFixture(const std::string& name) {
  std::ifstream in(std::string(FEED_TEST_DATA) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
