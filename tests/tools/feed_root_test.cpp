#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"
#include "tools/feed/root.h"

namespace {

void touch(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << "x";
}

TEST(FeedRoot, InstalledShareFolderWinsOnlyWhenItHoldsBothFiles) {
  const struct {
    const char* files[2];
    const char* executable;
    const char* expected;  // relative to the temporary prefix, or "server"
  } cases[] = {
      {{"share/orbiquant/cf2.txt", "share/orbiquant/s3.txt"},
       "bin/orbiquant-feed",
       "share/orbiquant"},
      {{"share/orbiquant/cf2.txt", nullptr}, "bin/orbiquant-feed", "server"},
      {{"share/orbiquant/s3.txt", nullptr}, "bin/orbiquant-feed", "server"},
      {{"tools/cf2.txt", "tools/s3.txt"}, "tools/orbiquant-feed", "server"},
  };
  for (const auto& c : cases) {
    TempDir prefix;
    for (const char* file : c.files) {
      if (file) touch(prefix.file(file));
    }
    const std::string expected =
        std::string(c.expected) == "server" ? "server" : prefix.file(c.expected);
    EXPECT_EQ(feed::defaultRoot(prefix.file(c.executable)), expected)
        << c.executable << " " << c.files[0];
  }
  EXPECT_EQ(feed::defaultRoot(""), "server");
}

TEST(FeedRoot, HelpIsTheInstalledReadmeElseTheCheckoutsOne) {
  TempDir prefix;
  const std::string root = prefix.file("src/server");
  EXPECT_EQ(feed::helpFile(prefix.file("bin/orbiquant-feed"), root), prefix.file("src/README.md"));
  EXPECT_EQ(feed::helpFile("", "server"), "README.md");
  touch(prefix.file("share/doc/orbiquant/README.md"));
  EXPECT_EQ(feed::helpFile(prefix.file("bin/orbiquant-feed"), root),
            prefix.file("share/doc/orbiquant/README.md"));
}

TEST(FeedRoot, OwnExecutableIsThisTestProgram) {
  EXPECT_EQ(std::filesystem::path(feed::ownExecutable()).filename(), "unit_tests");
}

}  // namespace
