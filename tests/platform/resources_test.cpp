#include "platform/resources.h"

#include <gtest/gtest.h>

#include <string>

extern const platform::ResourceEntry* const testResources;

namespace {

TEST(Resources, BuildStepEmbedsFilesFoundWithoutRegardToCase) {
  for (const char* name : {"Sample.BIN", "sample.bin", "SAMPLE.BIN"}) {
    const auto bytes = platform::findResource(name, testResources);
    ASSERT_EQ(bytes.size(), 12u) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 9), "Orbiquant");
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(bytes[11], 0xff);
  }
}

TEST(Resources, EmptyAndMissingResources) {
  const auto empty = platform::findResource("EMPTY.TXT", testResources);
  EXPECT_NE(empty.data(), nullptr);
  EXPECT_EQ(empty.size(), 0u);
  const auto missing = platform::findResource("sample", testResources);
  EXPECT_EQ(missing.data(), nullptr);
  EXPECT_EQ(missing.size(), 0u);
}

}  // namespace
