#include "panel/control_panel.h"

#include <gtest/gtest.h>

#include <memory>

#include "panel/dialog_tables.h"
#include "platform/keys.h"
#include "tests/panel/fake_panel.h"
#include "tests/panel/settings_home.h"

namespace {

class ControlPanelTest : public ::testing::Test {
 protected:
  // Options and requests in one line, for table comparisons.
  std::string flags() const {
    const ViewState& v = panel->view();
    const RendererRequests& r = panel->requests();
    const auto bit = [](bool on) { return on ? "1" : "0"; };
    return std::string("cycle=") + bit(v.cycle) + " value=" + bit(v.showValue) +
           " change=" + bit(v.showChange) + " percent=" + bit(v.showPercent) +
           " large=" + bit(v.largeTags) + " noon=" + bit(v.noon) + " night=" + bit(v.night) +
           " dark=" + bit(v.dark) + " zones=" + bit(v.zones) + " clocks=" + bit(v.clocks) +
           " news=" + bit(v.news) + " texture=" + bit(r.newTexture) +
           " relayout=" + bit(r.relayout) + " darkBackground=" + bit(r.darkBackground);
  }
  SettingsHome home;
  std::unique_ptr<FakePanel> panel = std::make_unique<FakePanel>();
};

TEST_F(ControlPanelTest, EachBoxSetsItsOptionAndItsRequest) {
  const struct {
    int id;
    const char* after;  // flags() after one click from all off
  } cases[] = {
      {panelid::cycle,
       "cycle=1 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 relayout=0 darkBackground=1"},
      {panelid::large,
       "cycle=0 value=0 change=0 percent=0 large=1 noon=0 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 relayout=0 darkBackground=1"},
      {panelid::noon,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=1 night=0 dark=0 zones=0 clocks=0 news=0 "
       "texture=0 relayout=0 darkBackground=1"},
      {panelid::night,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=1 dark=0 zones=0 clocks=0 news=0 "
       "texture=1 relayout=0 darkBackground=1"},
      {panelid::dark,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=1 zones=0 clocks=0 news=0 "
       "texture=0 relayout=0 darkBackground=1"},
      {panelid::zones,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=1 clocks=0 news=0 "
       "texture=0 relayout=0 darkBackground=1"},
      {panelid::clocks,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=1 news=0 "
       "texture=0 relayout=1 darkBackground=1"},
      // News leaves the Night box and the shading alone.
      {panelid::news,
       "cycle=0 value=0 change=0 percent=0 large=0 noon=0 night=0 dark=0 zones=0 clocks=0 news=1 "
       "texture=0 relayout=0 darkBackground=1"},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    panel->click(c.id);
    EXPECT_EQ(flags(), c.after) << c.id;
  }
  EXPECT_EQ(home.content(), "");  // boxes are stored only with a preset
}

TEST_F(ControlPanelTest, UncheckingTakesTheOptionBackAndDarkTurnsTheBackgroundWhite) {
  panel->click(panelid::night);
  panel->click(panelid::night);
  EXPECT_FALSE(panel->view().night);
  EXPECT_TRUE(panel->requests().newTexture);  // a rebuild either way
  panel->click(panelid::dark);
  panel->click(panelid::dark);
  EXPECT_FALSE(panel->view().dark);
  EXPECT_FALSE(panel->requests().darkBackground);
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
    EXPECT_EQ(panel->view().showValue, c.value);
    EXPECT_EQ(panel->view().showChange, c.change);
    EXPECT_EQ(panel->view().showPercent, c.percent);
    EXPECT_EQ(panel->checked(panelid::value), c.value);
    EXPECT_EQ(panel->checked(panelid::change), c.change);
    EXPECT_EQ(panel->checked(panelid::percent), c.percent);
  }
}

TEST_F(ControlPanelTest, ColorSliderRequestsARebuildOnlyWhenItsValueChanges) {
  const struct {
    int colour, grid;
    bool texture;  // the request after the notification (cleared before it)
  } steps[] = {
      {0, 1, true},    // the first notification always counts: none was asked for yet
      {0, 50, false},  // the Grid slider never asks for one
      {5, 50, true},  {6, 50, true},  // each value passed in a drag
      {5, 50, true},                  // and back
      {5, 99, false},
  };
  for (const auto& s : steps) {
    panel->display.requests.newTexture = false;
    panel->sliders[panelid::gridSlider] = s.grid;
    panel->drag(panelid::colorSlider, s.colour);
    EXPECT_EQ(panel->requests().newTexture, s.texture) << s.colour << "/" << s.grid;
    EXPECT_EQ(panel->view().colorLevel, static_cast<float>(s.colour));
    EXPECT_EQ(panel->view().gridLevel, static_cast<float>(s.grid));
  }
}

TEST_F(ControlPanelTest, CommandsAndKeys) {
  const struct {
    int id;
    float colour;  // colorLevel afterwards: unlisted commands re-read the sliders
    std::vector<std::string> opened;
  } cases[] = {
      {kCommandCancel, 0.0f, {}},  // a cancel: nothing, the panel stays
      {kCommandOk, 30.0f, {}},     // Enter re-reads the sliders
      {1009, 30.0f, {}},           // an id in the box range without a box
      {panelid::help, 0.0f, {"help"}},
      {panelid::custom, 0.0f, {"custom"}},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    panel->sliders = {{panelid::colorSlider, 30}, {panelid::gridSlider, 40}};
    panel->command(c.id);
    EXPECT_EQ(panel->view().colorLevel, c.colour) << c.id;
    EXPECT_EQ(panel->opened, c.opened) << c.id;
  }
}

// Keys the panel's controls leave: F1 as HELP (not while the help is open), Ctrl+Q to close.
TEST_F(ControlPanelTest, KeysOpenTheHelpAndClose) {
  const struct {
    int key;
    bool helpOpen;
    std::vector<std::string> opened;
    bool close;
  } cases[] = {
      {platform::kKeyF1, false, {"help"}, false},
      {platform::kKeyF1, true, {}, false},
      {platform::kControlKey + 'Q', false, {}, true},
      {'Q', false, {}, false},
  };
  for (const auto& c : cases) {
    panel = std::make_unique<FakePanel>();
    panel->own.helpDialogOpen = c.helpOpen;
    const CommandResult result = panelKey(*panel, panel->own, panel->commands, c.key);
    EXPECT_EQ(panel->opened, c.opened) << c.key;
    EXPECT_EQ(result.closeRequested, c.close) << c.key;
  }
}

TEST_F(ControlPanelTest, OpenDialogsAreNotOpenedTwice) {
  panel->own.helpDialogOpen = true;
  panel->own.customDialogOpen = true;
  panel->command(panelid::help);
  panel->command(panelid::custom);
  EXPECT_TRUE(panel->opened.empty());
}

TEST_F(ControlPanelTest, NowRequestsAFetchAtOnce) {
  panel->schedule.restartPeriod(123456);
  panel->command(panelid::now);
  EXPECT_TRUE(panel->schedule.requested());
  EXPECT_EQ(panel->schedule.lastStartTick(), 0u);
}

// What a key or the start-up did without the panel shows in it as its own controls would.
TEST_F(ControlPanelTest, MirrorsTheResultOfAnotherCommand) {
  home.write("[bank3]\nc5=off\nc4=off\nc10=on\nd4=37\nd5=150\n");
  initialisePanel(*panel, panel->view());
  EXPECT_FALSE(panel->checked(panelid::news));
  mirrorResult(*panel, panel->view(), panel->commands.applyPreset(2));
  EXPECT_EQ(panel->pressed, 2);
  EXPECT_TRUE(panel->checked(panelid::percent));
  EXPECT_FALSE(panel->checked(panelid::value));
  EXPECT_TRUE(panel->checked(panelid::news));
  EXPECT_EQ(panel->sliderPosition(panelid::colorSlider), 37);
  EXPECT_EQ(panel->sliderPosition(panelid::gridSlider), 99);  // 150 shows the slider's end
  mirrorResult(*panel, panel->view(), panel->commands.nudgeView(ViewNudge::zoomIn));
  EXPECT_EQ(panel->pressed, 2);
}

}  // namespace
