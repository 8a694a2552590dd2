#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

// The script cache is read this way: a file of any size gives at most the bound, from its start.
TEST(FilesTest, BoundedReadsGiveTheStartOfTheFile) {
  TempDir dir;
  const size_t bound = 160000;
  std::string content(5u << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i % 251);
  for (const size_t size : {size_t{0}, size_t{65536}, bound, bound + 1, content.size()}) {
    const std::string path = dir.file(std::to_string(size));
    std::ofstream(path, std::ios::binary).write(content.data(), static_cast<long>(size));
    const auto read = platform::readFileBounded(path, bound);
    ASSERT_TRUE(read.has_value()) << size;
    EXPECT_TRUE(*read == content.substr(0, std::min(size, bound))) << size;
  }
  EXPECT_FALSE(platform::readFileBounded(dir.file("missing"), bound).has_value());
}

}  // namespace
