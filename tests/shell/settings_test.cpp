#include "shell/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

// The settings file follows XDG_CONFIG_HOME: point it at a directory of this test's own.
const TempDir& configHome() {
  static TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  return dir;
}

TEST(Settings, FileLivesInTheUsersConfigDirectory) {
  EXPECT_EQ(settingsFile(), configHome().path() + "/orbiquant/orbq7.ini");
}

TEST(Settings, DefaultsComeFromTheKeyTable) {
  configHome();
  std::filesystem::remove(settingsFile());
  const struct {
    SettingKey key;
    int32_t value;
  } ints[] = {{SettingKey::mainx, 200}, {SettingKey::mainy, 2},   {SettingKey::mainx1, 640},
              {SettingKey::mainy1, 480}, {SettingKey::xmainx, 0}, {SettingKey::d1, 58},
              {SettingKey::d4, 99},      {SettingKey::d5, 42}};
  for (const auto& c : ints) EXPECT_EQ(readSettingInt(c.key, "bank3"), c.value) << settingInfo(c.key).name;
  EXPECT_EQ(readSettingText(SettingKey::filepath), "/m3d/s3.txt");
  EXPECT_EQ(readSettingText(SettingKey::namepath), kLocalFeedHost);
  EXPECT_EQ(readSettingText(SettingKey::newspage), "http://127.0.0.1:8404/news");
  EXPECT_EQ(readSettingText(SettingKey::d2, "bank1"), ".1");
  EXPECT_TRUE(readSettingSwitch(SettingKey::c200, "bank1"));
  EXPECT_FALSE(readSettingSwitch(SettingKey::c201, "bank1"));
}

TEST(Settings, SwitchesAreSetOnlyByExactlyOn) {
  configHome();
  const struct {
    const char* value;
    bool set;
  } cases[] = {{"on", true}, {"ON", false}, {"On", false}, {"off", false}, {"onx", false}, {"o", false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(writeSettingText(SettingKey::c5, c.value, "bank4"));
    EXPECT_EQ(readSettingSwitch(SettingKey::c5, "BANK4"), c.set) << c.value;
  }
}

TEST(Settings, PresetNumberTextsReadNineCharacters) {
  configHome();
  ASSERT_TRUE(writeSettingText(SettingKey::d2, "0.123456789012", "bank2"));
  EXPECT_EQ(readSettingText(SettingKey::d2, "bank2"), "0.1234567");
  ASSERT_TRUE(writeSettingInt(SettingKey::mainx, -9000));
  EXPECT_EQ(readSettingInt(SettingKey::mainx), -9000);
}

}  // namespace
