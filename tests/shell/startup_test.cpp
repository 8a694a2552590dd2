#include "shell/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "model/fetch_schedule.h"
#include "panel/help_dialog.h"
#include "tests/panel/settings_home.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Startup, PlacementIsClampedInOrder) {
  const struct {
    Placement stored;
    Placement expected;
  } cases[] = {
      {{200, 2, 640, 480}, {200, 2, 640, 480}},
      {{200, 2, 5000, 480}, {200, 2, 400, 480}},
      {{200, 2, 100, 480}, {200, 2, 160, 480}},
      {{-9000, 2, 640, 480}, {0, 2, 640, 480}},
      {{9000, -8097, 640, 4097}, {0, 0, 640, 400}},
      {{-8096, 8096, 4096, 4096}, {-8096, 8096, 4096, 4096}},
      {{0, 0, -5, 119}, {0, 0, 160, 120}},
      // A minimised window's far-off place is brought back.
      {{-32000, -32000, 160, 27}, {0, 0, 160, 120}},
  };
  for (const auto& c : cases) {
    const Placement got = clampPlacement(c.stored);
    EXPECT_EQ(got.x, c.expected.x);
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.width, c.expected.width);
    EXPECT_EQ(got.height, c.expected.height);
  }
}

// Stored places are client areas; where none is stored the frame's corner goes to the
// default place. Defaults grow with the display's scale.
TEST(Startup, PlacementReadAsStoredOrByDefault) {
  const struct {
    const char* items;
    double scale;
    Placement expected;
  } cases[] = {
      {"", 1.0, {200, 2, 640, 480, true}},
      {"", 2.0, {400, 4, 1280, 960, true}},
      {"mainx=10\nmainy=20\n", 1.5, {10, 20, 960, 720, false}},
      {"mainx=10\nmainx1=700\nmainy1=500\n", 2.0, {10, 4, 700, 500, true}},
      {"mainx=-1\nmainy=-18\nmainx1=642\nmainy1=505\n", 2.0, {-1, -18, 642, 505, false}},
      {"mainx1=3000\n", 2.0, {400, 4, 3000, 960, true}},
      {"", 4.0, {800, 8, 2560, 1920, true}},
  };
  for (const auto& c : cases) {
    SettingsHome home;
    home.write(std::string("[Items]\n") + c.items);
    const Placement got = readPlacement(c.scale);
    EXPECT_EQ(got.x, c.expected.x) << c.items << c.scale;
    EXPECT_EQ(got.y, c.expected.y) << c.items << c.scale;
    EXPECT_EQ(got.width, c.expected.width) << c.items << c.scale;
    EXPECT_EQ(got.height, c.expected.height) << c.items << c.scale;
    EXPECT_EQ(got.frameCorner, c.expected.frameCorner) << c.items << c.scale;
  }
  SettingsHome home;
  home.write("[Items]\nxmainx=420\nxmainy=-20\n");
  const platform::WindowPlace panel = readPanelPlace();
  EXPECT_EQ(panel.x, 420);
  EXPECT_EQ(panel.y, -20);
  EXPECT_FALSE(panel.frameCorner);
  home.write("[Items]\nxmainy=5\n");
  EXPECT_TRUE(readPanelPlace().frameCorner);
}

TEST(Startup, AnyArgumentEndsTheProgramAtOnce) {
  char name[] = "orbiquant";
  char empty[] = "";
  char* argv[] = {name, empty, nullptr};
  EXPECT_EQ(runProgram(2, argv, {}), 0);
}

TEST(Startup, ResetDeletesTheCacheInTheCurrentDirectory) {
  TempDir dir;
  char saved[4096];
  ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  std::ofstream("orbq.txt") << "script";
  const std::string cache = dir.file("orbq.txt");
  // Only the file goes here: the close request needs a loop and a main window, and without
  // a main window nothing is closed.
  DisplayState display;
  FetchSchedule schedule;
  Commands commands(display, schedule, programCommandLinks());
  resetAndClose(commands);
  EXPECT_FALSE(std::filesystem::exists(cache));
  resetAndClose(commands);  // a missing file is no error
  ASSERT_EQ(chdir(saved), 0);
}

}  // namespace
