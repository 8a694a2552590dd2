#include "model/settings.h"

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
  } ints[] = {{SettingKey::windowLeft, 200},  {SettingKey::windowTop, 2},
              {SettingKey::windowWidth, 640}, {SettingKey::windowHeight, 480},
              {SettingKey::panelLeft, 0},     {SettingKey::zoom, 58},
              {SettingKey::colorLevel, 99},   {SettingKey::gridLevel, 42}};
  for (const auto& c : ints)
    EXPECT_EQ(readSettingInt(c.key, "bank3"), c.value) << settingInfo(c.key).name;
  EXPECT_EQ(readSettingText(SettingKey::scriptPath), "/m3d/s3.txt");
  EXPECT_EQ(readSettingText(SettingKey::scriptHost), kLocalFeedHost);
  EXPECT_EQ(readSettingText(SettingKey::newsPage), "http://127.0.0.1:8404/news");
  EXPECT_EQ(readSettingText(SettingKey::spinRate, "bank1"), ".1");
  EXPECT_TRUE(readSettingSwitch(SettingKey::night, "bank1"));
  EXPECT_FALSE(readSettingSwitch(SettingKey::largeTags, "bank1"));
}

TEST(Settings, SwitchesAreSetOnlyByExactlyOn) {
  configHome();
  const struct {
    const char* value;
    bool set;
  } cases[] = {{"on", true},   {"ON", false},  {"On", false},
               {"off", false}, {"onx", false}, {"o", false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(writeSettingText(SettingKey::cycle, c.value, "bank4"));
    EXPECT_EQ(readSettingSwitch(SettingKey::cycle, "BANK4"), c.set) << c.value;
  }
}

TEST(Settings, PresetNumberTextsReadNineCharacters) {
  configHome();
  ASSERT_TRUE(writeSettingText(SettingKey::spinRate, "0.123456789012", "bank2"));
  EXPECT_EQ(readSettingText(SettingKey::spinRate, "bank2"), "0.1234567");
  ASSERT_TRUE(writeSettingInt(SettingKey::windowLeft, -9000));
  EXPECT_EQ(readSettingInt(SettingKey::windowLeft), -9000);
}

}  // namespace
