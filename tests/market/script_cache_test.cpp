// The script cache's places: the cache folder, and orbq.txt in the current directory, where
// earlier versions kept it.
#include "market/script_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace {

std::string contentOf(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return in ? s.str() : "(none)";
}

TEST(ScriptCache, TheCacheFolderFirstThenTheOldPlaceWhichIsCopiedOver) {
  const struct {
    const char* cached;  // in the cache folder, nullptr for none
    const char* old;     // in the current directory
    const char* read;    // nullptr: no cache
    const char* cachedAfter;
  } cases[] = {
      {"new", "old", "new", "new"},
      {nullptr, "old", "old", "old"},
      {"new", nullptr, "new", "new"},
      {nullptr, nullptr, nullptr, "(none)"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
    const std::string file = dir.file("cache/orbiquant/orbq.txt");
    ASSERT_EQ(scriptCacheFile(), file);
    if (c.cached) writeScriptCache(c.cached);
    if (c.old) std::ofstream("orbq.txt") << c.old;
    const auto read = readScriptCache();
    EXPECT_EQ(read.value_or("(none)"), c.read ? c.read : "(none)");
    EXPECT_EQ(contentOf(file), c.cachedAfter);
    EXPECT_EQ(contentOf("orbq.txt"), c.old ? c.old : "(none)");  // never written
    ASSERT_EQ(chdir(saved), 0);
  }
}

}  // namespace
