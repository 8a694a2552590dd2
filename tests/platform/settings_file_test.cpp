#include "platform/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string file = dir.file("sub/orbq7.ini");
};

TEST_F(SettingsFileTest, ReadsIntegersAsTheSettingsFileKeepsThem) {
  std::filesystem::create_directories(dir.file("sub"));
  spit(file, "[Items]\nplain=42\nneg=-9000\nword=abc\nlead=  17x\nempty=\nplus=+5\n");
  const struct {
    const char* key;
    int32_t expected;
  } cases[] = {{"plain", 42}, {"neg", -9000}, {"word", 0},    {"lead", 17},
               {"empty", 0},  {"plus", 5},    {"missing", 77}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform::settingsReadInt(file, "Items", c.key, 77), c.expected) << c.key;
  }
  EXPECT_EQ(platform::settingsReadInt(file, "Nowhere", "plain", -3), -3);
  EXPECT_EQ(platform::settingsReadInt(dir.file("absent.ini"), "Items", "plain", 8), 8);
}

TEST_F(SettingsFileTest, MatchesNamesWithoutCaseAndValuesExactly) {
  std::filesystem::create_directories(dir.file("sub"));
  spit(file, "[BANK1]\nC1=ON\ncustomlat=51.5\n");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "c1", "off", 4), "ON");
  EXPECT_EQ(platform::settingsReadText(file, "Bank1", "customLat", "", 200), "51.5");
  EXPECT_NE(platform::settingsReadText(file, "bank1", "c1", "off", 4), "on");
}

TEST_F(SettingsFileTest, CutsTextsToOneLessThanTheBuffer) {
  std::filesystem::create_directories(dir.file("sub"));
  spit(file, "[bank1]\nd2=123456789012\nc9=offline\n");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "d2", ".1", 10), "123456789");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "c9", "off", 4), "off");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "missing", "defaulted", 4), "def");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "d2", ".1", 0), "");
}

TEST_F(SettingsFileTest, WritesCreateDirectoryFileSectionAndKey) {
  ASSERT_TRUE(platform::settingsWriteText(file, "Items", "mainx", "200"));
  ASSERT_TRUE(platform::settingsWriteText(file, "Items", "mainy", "2"));
  ASSERT_TRUE(platform::settingsWriteText(file, "bank2", "c1", "on"));
  ASSERT_TRUE(platform::settingsWriteText(file, "ITEMS", "MAINX", "-5"));
  EXPECT_EQ(slurp(file), "[Items]\nMAINX=-5\nmainy=2\n\n[bank2]\nc1=on\n");
}

TEST_F(SettingsFileTest, AValueEndsAtALineBreak) {
  ASSERT_TRUE(platform::settingsWriteText(file, "Items", "customS", "IBM\n[bank1]\nc1=on"));
  EXPECT_EQ(platform::settingsReadText(file, "Items", "customS", "", 200), "IBM");
  EXPECT_EQ(platform::settingsReadText(file, "bank1", "c1", "off", 4), "off");
}

TEST_F(SettingsFileTest, OversizedFilesAreReadAndRewrittenWhole) {
  std::string large = "[Junk]\n";
  const std::string value = "=" + std::string(92, 'v') + "\n";
  for (int i = 0; i < 96000; ++i)
    large.append("k").append(std::to_string(100000 + i)).append(value);
  std::string sections;
  for (int i = 0; i < 100000; ++i)
    sections.append("[s").append(std::to_string(i)).append("]\nk=v\n");
  std::minstd_rand random(7);
  std::string binary(150000, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  binary += "\n";
  const std::string items = "[Items]\nmainx=200\n";
  const struct {
    const char* name;
    std::string content;
    std::string before;
    std::string after;  // the whole file once mainx is 5
  } cases[] = {
      {"9.7 MB", large + items, "200", large + "[Items]\nmainx=5\n"},
      {"100,000 sections", sections + items, "200", sections + "[Items]\nmainx=5\n"},
      {"binary", binary, "none", binary + "\n[Items]\nmainx=5\n"},
  };
  std::filesystem::create_directories(dir.file("sub"));
  for (const auto& c : cases) {
    spit(file, c.content);
    EXPECT_EQ(platform::settingsReadText(file, "Items", "mainx", "none", 200), c.before) << c.name;
    ASSERT_TRUE(platform::settingsWriteText(file, "Items", "mainx", "5")) << c.name;
    EXPECT_TRUE(slurp(file) == c.after) << c.name;  // no 10 MB dump on failure
  }
}

TEST_F(SettingsFileTest, WritersOnTwoThreadsLoseNoKey) {
  constexpr int kKeys = 1000;
  // Appended: GCC 12 at -O3 takes `"a" + std::string` for an overlapping copy.
  auto key = [](const char* prefix, int i) {
    return std::string(prefix).append(std::to_string(i));
  };
  auto writer = [&](const char* prefix) {
    for (int i = 0; i < kKeys; ++i) {
      platform::settingsWriteText(file, "Items", key(prefix, i), std::to_string(i));
    }
  };
  std::thread a(writer, "a");
  std::thread b(writer, "b");
  a.join();
  b.join();
  for (int i = 0; i < kKeys; ++i) {
    ASSERT_EQ(platform::settingsReadInt(file, "Items", key("a", i), -1), i);
    ASSERT_EQ(platform::settingsReadInt(file, "Items", key("b", i), -1), i);
  }
}

TEST_F(SettingsFileTest, ABatchWriteLeavesTheFileOfOneWritePerKey) {
  const std::vector<platform::SettingsEntry> batch = {
      {"d1", "120"},      {"new", "x"}, {"D1", "121"}, {"c1", "on\n[Items]\nmainx=9"},
      {"a\nb=0\nc", "1"}, {"b", "2"},   {"d2", ""}};
  const char* starts[] = {
      nullptr,  // no file
      "",
      "[Items]\r\nmainx=1\r\n\r\n[BANK1]\r\nD1 = 7\r\nc1=off",
      "; note\n[bank1]\nd1=1\n\n\n[bank1]\nd1=2\n[Items]\nmainx=3\n",
      "[Items]\nmainx=3\n",
  };
  std::filesystem::create_directories(dir.file("sub"));
  const std::string oneByOne = dir.file("sub/one.ini");
  for (const char* start : starts) {
    std::filesystem::remove(file);
    std::filesystem::remove(oneByOne);
    if (start) spit(file, start);
    if (start) spit(oneByOne, start);
    for (const auto& e : batch) platform::settingsWriteText(oneByOne, "bank1", e.key, e.value);
    ASSERT_TRUE(platform::settingsWriteTexts(file, "bank1", batch));
    EXPECT_EQ(slurp(file), slurp(oneByOne)) << (start ? start : "no file");
  }
}

// A file that is there but cannot be read must not be taken for an empty one: the next write
// would keep only its own key. Such a file, and one the user made read-only, keep every byte;
// each is told once. Run as an ordinary user: root reads a file of mode 0200 all the same.
TEST_F(SettingsFileTest, UnreadableAndReadOnlyFilesAreLeftAlone) {
  const std::string full =
      "[Items]\nmakerhost=a\nquotehost=b\nnewshost=c\nmainx=7\n\n[bank1]\nd1=58\n";
  const bool passed = testing_support::runAsOrdinaryUser(dir.path(), [&] {
    const struct {
      const char* name;
      mode_t mode;  // 0: a folder in the file's place
      const char* mainx;
      const char* note;
    } cases[] = {
        {"write-only.ini", 0200, "none",
         "cannot read the settings file {} (Permission denied): "
         "running on defaults, and changes are not saved"},
        {"folder.ini", 0, "none",
         "cannot read the settings file {} (it is a folder): "
         "running on defaults, and changes are not saved"},
        {"read-only.ini", 0444, "7",
         "the settings file {} is read-only: it is left as it is, and changes are not saved"},
    };
    bool ok = true;
    const auto expect = [&ok](bool holds, const std::string& what) {
      if (!holds) std::fprintf(stderr, "failed: %s\n", what.c_str());
      ok = ok && holds;
    };
    std::vector<std::string> lines;
    platform::setFileNoticeHooks([&lines](std::string_view line) { lines.emplace_back(line); }, {});
    for (const auto& c : cases) {
      const std::string path = dir.file(c.name);
      if (c.mode == 0) {
        std::filesystem::create_directory(path);
      } else {
        spit(path, full);
        chmod(path.c_str(), c.mode);
      }
      lines.clear();
      expect(platform::settingsReadText(path, "Items", "mainx", "none", 200) == c.mainx, c.name);
      expect(!platform::settingsWriteText(path, "Items", "mainx", "5"), c.name);
      expect(!platform::settingsWriteText(path, "bank1", "d1", "60"), c.name);
      std::string note = std::string("orbiquant: ") + c.note;
      note.replace(note.find("{}"), 2, path);
      expect(lines == std::vector<std::string>{note},
             std::string(c.name) + ": " + (lines.empty() ? "nothing told" : lines.front()));
      if (c.mode != 0) {
        chmod(path.c_str(), 0600);
        expect(slurp(path) == full, c.name);
      }
    }
    platform::setFileNoticeHooks({}, {});
    return ok;
  });
  EXPECT_TRUE(passed);
}

// A write that fails for any other reason says so, naming the file and the reason.
TEST_F(SettingsFileTest, AFailedWriteIsTold) {
  std::vector<std::string> lines;
  platform::setFileNoticeHooks([&lines](std::string_view line) { lines.emplace_back(line); }, {});
  spit(dir.file("plain"), "a file where the folder should be");
  const std::string path = dir.file("plain/orbq7.ini");
  EXPECT_FALSE(platform::settingsWriteText(path, "Items", "mainx", "5"));
  EXPECT_EQ(lines,
            std::vector<std::string>{"orbiquant: cannot write " + path + ": Not a directory"});
  platform::setFileNoticeHooks({}, {});
}

TEST_F(SettingsFileTest, NumbersRoundTripUnderADecimalCommaLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  ASSERT_TRUE(platform::settingsWriteText(file, "bank1", "d2", platform::formatFixed(-0.125)));
  const std::string text = platform::settingsReadText(file, "bank1", "d2", "", 10);
  const double back = platform::leadingDouble(text);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(text, "-0.125000");
  EXPECT_EQ(back, -0.125);
}

}  // namespace
