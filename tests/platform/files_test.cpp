#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

unsigned modeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// The pid of a process that has ended.
pid_t deadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(FilesTest, SweepRemovesOnlyOurTemporariesWhoseWriterIsGone) {
  TempDir dir;
  const std::string dead = std::to_string(deadPid());
  const std::string self = std::to_string(getpid());
  const std::string parent = std::to_string(getppid());
  const struct {
    std::string name;
    bool removed;
  } cases[] = {
      {"orbq7.ini.orbiquant-tmp-" + dead + "-a1B2c3", true},
      {"orbq.txt.orbiquant-tmp-" + dead + "-zzzzzz", true},
      {"orbq7.ini.orbiquant-tmp-" + self + "-a1B2c3", false},    // this process writes it
      {"orbq7.ini.orbiquant-tmp-" + parent + "-a1B2c3", false},  // a running writer
      {"orbq7.ini", false},
      {"orbq7.ini.a1B2c3", false},  // a user's own file, or an older naming without a pid
      {"orbq7.ini.orbiquant-tmp-" + dead + "-a1B2c", false},
      {"orbq7.ini.orbiquant-tmp-" + dead + "-a1B2c3.bak", false},
      {"orbq7.ini.orbiquant-tmp--a1B2c3", false},
      {"orbq7.ini.orbiquant-tmp-0-a1B2c3", false},
      {".orbiquant-tmp-" + dead + "-a1B2c3", false},
  };
  std::vector<std::string> kept;
  for (const auto& c : cases) {
    spit(dir.file(c.name), "x");
    if (!c.removed) kept.push_back(c.name);
  }
  fs::create_directory(dir.file("sub.orbiquant-tmp-" + dead + "-dirdir"));  // not a file
  kept.push_back("sub.orbiquant-tmp-" + dead + "-dirdir");
  std::sort(kept.begin(), kept.end());

  EXPECT_EQ(platform::removeStaleTemporaries(dir.file("orbq7.ini")), 2);
  EXPECT_EQ(namesIn(dir.path()), kept);
}

TEST(FilesTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  TempDir dir;
  const mode_t savedMask = umask(022);
  fs::create_directories(dir.file("config"));
  fs::create_directories(dir.file("dotfiles"));
  const struct {
    const char* name;
    int mode;  // -1: no file before the write
    unsigned expected;
  } cases[] = {{"config/private.ini", 0600, 0600},
               {"config/shared.ini", 0664, 0664},  // more than the umask would let through
               {"config/new.ini", -1, 0644}};
  for (const auto& c : cases) {
    if (c.mode >= 0) {
      spit(dir.file(c.name), "old");
      chmod(dir.file(c.name).c_str(), static_cast<mode_t>(c.mode));
    }
    ASSERT_TRUE(platform::writeFileAtomically(dir.file(c.name), "new")) << c.name;
    EXPECT_EQ(modeOf(dir.file(c.name)), c.expected) << c.name;
  }

  // A relative link to a link to the real file: the content lands there, both links stay.
  spit(dir.file("dotfiles/orbq7.ini"), "old");
  chmod(dir.file("dotfiles/orbq7.ini").c_str(), 0600);
  fs::create_symlink("../dotfiles/orbq7.ini", dir.file("config/middle.ini"));
  fs::create_symlink("middle.ini", dir.file("config/orbq7.ini"));
  ASSERT_TRUE(platform::writeFileAtomically(dir.file("config/orbq7.ini"), "linked"));
  EXPECT_TRUE(fs::is_symlink(dir.file("config/orbq7.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.file("config/middle.ini")));
  EXPECT_EQ(slurp(dir.file("dotfiles/orbq7.ini")), "linked");
  EXPECT_EQ(modeOf(dir.file("dotfiles/orbq7.ini")), 0600u);
  EXPECT_EQ(namesIn(dir.file("dotfiles")), std::vector<std::string>{"orbq7.ini"});
  spit(dir.file("dotfiles/orbq7.ini.orbiquant-tmp-" + std::to_string(deadPid()) + "-a1B2c3"), "x");
  EXPECT_EQ(platform::removeStaleTemporaries(dir.file("config/orbq7.ini")), 1);

  fs::create_symlink("loop.ini", dir.file("config/loop.ini"));
  EXPECT_FALSE(platform::writeFileAtomically(dir.file("config/loop.ini"), "x"));
  EXPECT_EQ(namesIn(dir.file("config")),
            (std::vector<std::string>{"loop.ini", "middle.ini", "new.ini", "orbq7.ini",
                                      "private.ini", "shared.ini"}));
  umask(savedMask);
}

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
  // Only a regular file is read, and never through a link.
  fs::create_directory(dir.file("folder"));
  fs::create_symlink("65536", dir.file("link"));
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
  for (const char* name : {"folder", "link", "pipe"}) {
    EXPECT_FALSE(platform::readFileBounded(dir.file(name), bound).has_value()) << name;
  }
}

// In a folder that everybody may write to, another user's link named like the file must not
// make this user's write land in the file it points to: following it would replace that file.
TEST(FilesTest, AnotherUsersLinkIsNeverWrittenThrough) {
  TempDir dir;
  fs::create_directory(dir.file("shared"));
  chmod(dir.file("shared").c_str(), 01777);
  spit(dir.file("own.txt"), "mine");
  fs::create_symlink(dir.file("own.txt"), dir.file("shared/orbq.txt"));
  if (!testing_support::giveToOtherUser(dir.file("shared/orbq.txt"))) {
    GTEST_SKIP() << "only root can make another user's link";
  }
  std::string why;
  EXPECT_FALSE(platform::writeFileAtomically(dir.file("shared/orbq.txt"), "script", &why));
  EXPECT_EQ(why, "it is a symbolic link owned by another user");
  EXPECT_EQ(slurp(dir.file("own.txt")), "mine");
  EXPECT_EQ(namesIn(dir.file("shared")), std::vector<std::string>{"orbq.txt"});
  EXPECT_EQ(platform::removeStaleTemporaries(dir.file("shared/orbq.txt")), 0);
}

TEST(FilesTest, FailedWritesAreToldAtMostOnceAMinutePerFile) {
  std::vector<std::string> lines;
  int64_t now = 0;
  platform::setFileNoticeHooks([&lines](std::string_view line) { lines.emplace_back(line); },
                               [&now] { return now; });
  const struct {
    int64_t at;
    const char* file;
    bool told;
  } cases[] = {{0, "a", true},     {1000, "a", false},  {30000, "b", true}, {59999, "a", false},
               {60000, "a", true}, {89999, "b", false}, {90000, "b", true}, {90001, "a", false}};
  size_t expected = 0;
  for (const auto& c : cases) {
    now = c.at;
    platform::reportWriteFailure(c.file, "No space left on device");
    expected += c.told ? 1 : 0;
    EXPECT_EQ(lines.size(), expected) << c.file << " at " << c.at;
  }
  EXPECT_EQ(lines.front(), "orbiquant: cannot write a: No space left on device");
  platform::noteOnce("k", "said once");
  platform::noteOnce("k", "said once");
  EXPECT_EQ(lines.back(), "orbiquant: said once");
  EXPECT_EQ(lines.size(), expected + 1);
  platform::setFileNoticeHooks({}, {});
}

}  // namespace
