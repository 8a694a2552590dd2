#include "panel/control_panel.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "panel/dialog_tables.h"
#include "tests/panel/fake_panel.h"

namespace {

class ControlPanelTest : public ::testing::Test {
 protected:
  // Flags, requests and boxes in one line, for table comparisons.
  std::string flags() const {
    const DisplayState& s = panel->shown;
    return "cycle=" + std::to_string(s.cycle) + " value=" + std::to_string(s.showValue) +
           " change=" + std::to_string(s.showChange) + " percent=" + std::to_string(s.showPercent) +
           " large=" + std::to_string(s.largeTags) + " noon=" + std::to_string(s.noon) +
           " night=" + std::to_string(s.night) + " dark=" + std::to_string(s.dark) +
           " zones=" + std::to_string(s.zones) + " clocks=" + std::to_string(s.clocks) +
           " news=" + std::to_string(s.news) + " texture=" + std::to_string(s.textureDirty.load()) +
           " viewport=" + std::to_string(s.viewportDirty);
  }
  std::unique_ptr<FakePanel> panel = std::make_unique<FakePanel>();
};

TEST_F(ControlPanelTest, EachBoxSetsItsFlagAndItsRequest) {
  const struct {
    int id;
    const char* after;  // flags() after one click from all off
    const char* effect;
  } cases[] = {
      {panelid::cycle,
       "cycle=1 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 viewport=0",
       ""},
      {panelid::large,
       "cycle=0 value=0 change=0 percent=0 large=1 noon=0 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 viewport=0",
       ""},
      {panelid::noon,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=1 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 viewport=0",
       ""},
      {panelid::night,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=1 dark=0 zones=0 clocks=0 news=0 "
       "texture=1 viewport=0",
       ""},
      {panelid::dark,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=1 zones=0 clocks=0 news=0 "
       "texture=0 viewport=0",
       "clear dark"},
      {panelid::zones,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=1 clocks=0 news=0 "
       "texture=0 viewport=0",
       ""},
      {panelid::clocks,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=1 news=0 "
       "texture=0 viewport=66",
       ""},
      // News leaves the Night box and the shading alone.
      {panelid::news,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=0 news=1 "
       "texture=0 viewport=0",
       ""},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    panel->click(c.id);
    EXPECT_EQ(flags(), c.after) << c.id;
    EXPECT_EQ(panel->effects.empty() ? "" : panel->effects.back(), std::string(c.effect)) << c.id;
  }
}

TEST_F(ControlPanelTest, UncheckingTakesTheFlagBackAndDarkTurnsTheBackgroundWhite) {
  panel->click(panelid::night);
  panel->click(panelid::night);
  EXPECT_EQ(panel->shown.night, 0);
  EXPECT_EQ(panel->shown.textureDirty.load(), 1);  // a rebuild either way
  panel->click(panelid::dark);
  panel->click(panelid::dark);
  EXPECT_EQ(panel->shown.dark, 0);
  EXPECT_EQ(panel->effects, (std::vector<std::string>{"clear dark", "clear white"}));
}

TEST_F(ControlPanelTest, ValueChangeAndPercentExcludeEachOther) {
  const struct {
    std::vector<int> clicks;
    bool value, change, percent;
  } cases[] = {
      {{panelid::value}, true, false, false},
      {{panelid::value, panelid::percent}, false, false, true},
      {{panelid::percent, panelid::change}, false, true, false},
      {{panelid::value, panelid::value}, false, false, false},  // all three may be off
      {{panelid::change, panelid::value, panelid::change}, false, true, false},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    for (int id : c.clicks) panel->click(id);
    EXPECT_EQ(panel->shown.showValue, c.value ? 1 : 0);
    EXPECT_EQ(panel->shown.showChange, c.change ? 1 : 0);
    EXPECT_EQ(panel->shown.showPercent, c.percent ? 1 : 0);
    EXPECT_EQ(panel->checked(panelid::value), c.value);
    EXPECT_EQ(panel->checked(panelid::change), c.change);
    EXPECT_EQ(panel->checked(panelid::percent), c.percent);
  }
}

TEST_F(ControlPanelTest, ColorSliderRequestsARebuildOnlyWhenItsValueChanges) {
  const struct {
    int colour, grid;
    int texture;  // textureDirty after the notification (cleared before it)
    int applied;
  } steps[] = {
      {0, 1, 1, 0},   // the first notification always counts: appliedColorLevel starts at 100
      {0, 50, 0, 0},  // the Grid slider never asks for one
      {5, 50, 1, 5}, {6, 50, 1, 6},  // each value passed in a drag
      {5, 50, 1, 5},                 // and back
      {5, 99, 0, 5},
  };
  for (const auto& s : steps) {
    panel->shown.textureDirty = 0;
    panel->sliders[panelid::gridSlider] = s.grid;
    panel->drag(panelid::colorSlider, s.colour);
    EXPECT_EQ(panel->shown.textureDirty.load(), s.texture) << s.colour << "/" << s.grid;
    EXPECT_EQ(panel->own.appliedColorLevel, s.applied);
    EXPECT_EQ(panel->shown.colorLevel, static_cast<float>(s.colour));
    EXPECT_EQ(panel->shown.gridLevel, static_cast<float>(s.grid));
  }
}

TEST_F(ControlPanelTest, CommandsAndKeys) {
  const struct {
    int32_t command;
    float colour;  // colorLevel afterwards: unlisted commands re-read the sliders
    std::vector<std::string> effects;
  } cases[] = {
      {kCommandCancel, 0.0f, {}},           // Escape: nothing, the panel stays
      {kCommandOk, 30.0f, {}},              // Enter re-reads the sliders
      {(7 << 16) | kCommandOk, 30.0f, {}},  // notification codes do not count
      {1009, 30.0f, {}},                    // an id in the box range without a box
      {panelid::help, 0.0f, {"help"}},
      {panelid::custom, 0.0f, {"custom"}},
      {(1 << 16) | panelid::help, 0.0f, {"help"}},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    panel->sliders = {{panelid::colorSlider, 30}, {panelid::gridSlider, 40}};
    panelCommand(*panel, c.command);
    EXPECT_EQ(panel->shown.colorLevel, c.colour) << c.command;
    EXPECT_EQ(panel->effects, c.effects) << c.command;
  }
}

TEST_F(ControlPanelTest, OpenDialogsAreNotOpenedTwice) {
  panel->own.helpDialogOpen = 1;
  panel->own.customDialogOpen = 1;
  panelCommand(*panel, panelid::help);
  panelCommand(*panel, panelid::custom);
  EXPECT_TRUE(panel->effects.empty());
}

TEST_F(ControlPanelTest, NowRequestsAFetchAtOnce) {
  panel->shown.lastFetchTick = 123456;
  panelCommand(*panel, panelid::now);
  EXPECT_EQ(panel->shown.fetchNow, 1);
  EXPECT_EQ(panel->shown.lastFetchTick, 0u);
}

TEST_F(ControlPanelTest, InitialisationMakesEveryFlagZeroOrOne) {
  panel->shown.cycle = 1;
  panel->shown.night = 7;
  panel->shown.news = -1;
  panel->shown.colorLevel = 37.9f;
  panel->shown.gridLevel = 150.0f;
  initialisePanel(*panel);
  EXPECT_EQ(panel->shown.cycle, 1);
  EXPECT_EQ(panel->shown.night, 0);
  EXPECT_EQ(panel->shown.news, 0);
  EXPECT_TRUE(panel->checked(panelid::cycle));
  EXPECT_FALSE(panel->checked(panelid::night));
  EXPECT_EQ(panel->shown.viewportDirty, kViewportRelayout);  // set with the Clocks box
  EXPECT_EQ(panel->sliderPosition(panelid::colorSlider), 37);
  EXPECT_EQ(panel->sliderPosition(panelid::gridSlider), 99);
}

TEST(TruncateLevel, CutsTowardZeroAndKeepsOutOfRangeLevelsDefined) {
  const struct {
    float level;
    int32_t position;
  } cases[] = {{42.9f, 42},
               {-0.5f, 0},
               {-3.7f, -3},
               {150.0f, 150},
               {3e10f, 2147483647},
               {-3e10f, -2147483647 - 1},
               {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(truncateLevel(c.level), c.position) << c.level;
}

}  // namespace
