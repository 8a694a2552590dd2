#include "shell/input.h"

#include <gtest/gtest.h>

#include "model/fetch_schedule.h"
#include "platform/keys.h"
#include "platform/open_url.h"
#include "tests/panel/settings_home.h"

namespace {

TEST(LeftDrag, SpinFollowsTheCentreLineDistanceAndTiltTheOffset) {
  DisplayState s;
  s.view.zoom = 80;
  s.view.tiltBase = 30;
  leftButtonDown(s, 200);
  EXPECT_TRUE(s.pointer.leftDragging);
  leftDragMove(s, 100, 300, 640, 1280);
  // t = 22, ratio 0.25, v = 193.6, q = 2: (193.6 - 2) / 128 x (1 - 80 / 700).
  EXPECT_NEAR(s.view.spinRate, 1.3258f, 0.0001f);
  EXPECT_FLOAT_EQ(s.view.tilt, 221.0f);
  leftButtonUp(s);
  EXPECT_FALSE(s.pointer.leftDragging);
  EXPECT_EQ(s.view.tiltBase, 41);
}

TEST(LeftDrag, SpinRateAcrossTheWindow) {
  const struct {
    int32_t x;
    float spinRate;  // width 640 on a 1280 screen, zoom 0 (no damping)
  } cases[] = {
      {320, 0.0f},                              // on the centre line: dead band
      {315, 0.0f},                              // t = 1: v = 0.4, inside the band of 2
      {300, 0.0f},                              // t = 2: v = 1.6, still inside
      {330, 0.0f},                              // t = -1
      {280, (16.0f / 2.5f - 2.0f) / 128.0f},    // t = 4: v = 6.4, moved toward 0 by 2
      {400, -(64.0f / 2.5f - 2.0f) / 128.0f},   // t = -8: right of centre turns the other way
      {639, -(961.0f / 2.5f - 2.0f) / 128.0f},  // t = -31
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.view.zoom = 0;
    s.view.spinRate = 9.0f;
    leftButtonDown(s, 10);
    leftDragMove(s, c.x, 10, 640, 1280);
    EXPECT_NEAR(s.view.spinRate, c.spinRate, 1e-6f) << "x = " << c.x;
  }
}

TEST(LeftDrag, FirstMoveAfterPresetAJumpsToTheDragOffsetAndIsLimited) {
  const struct {
    int32_t startY, y;
    int32_t zoom;
    float tilt;
  } cases[] = {
      {100, 100, 58, 180.0f},  // preset A: tilt 200 but base 0, so the globe jumps to 180
      {100, 180, 0, 190.0f},   // 80 pixels down, undamped: 10 degrees
      {100, 107, 0, 180.0f},   // under 8 pixels: truncated away
      {100, 4000, 0, 270.0f},  // limited above
      {4000, 10, 0, 90.0f},    // limited below
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.view.zoom = c.zoom;
    s.view.tilt = 200.0f;
    s.view.tiltBase = 0;
    leftButtonDown(s, c.startY);
    leftDragMove(s, 320, c.y, 640, 1280);
    EXPECT_FLOAT_EQ(s.view.tilt, c.tilt) << c.startY << " -> " << c.y;
  }
}

TEST(LeftDrag, PositionsOutsideTheCoordinateWindowAreIgnored) {
  const struct {
    int x, y;
    bool used;
  } cases[] = {
      {50, 50, true},    {4999, 4999, true}, {0, 50, false},  {50, 0, false},
      {5000, 50, false}, {50, 5000, false},  {-3, 50, false}, {50, -1, false},
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.view.spinRate = 0.5f;
    s.view.tilt = 200.0f;
    leftButtonDown(s, 20);
    // Left of or above the captured window a position counts as far beyond its other edge.
    leftDragMove(s, pointerCoordinate(c.x), pointerCoordinate(c.y), 640, 1280);
    EXPECT_EQ(s.view.tilt != 200.0f, c.used) << c.x << ", " << c.y;
    EXPECT_EQ(s.view.spinRate != 0.5f, c.used) << c.x << ", " << c.y;
  }
  EXPECT_EQ(pointerCoordinate(-1), 65535);
  EXPECT_EQ(pointerCoordinate(65537), 1);
}

TEST(ZoomDrag, StepsByATenthAndOneWithinTwoAndSixHundred) {
  const struct {
    int32_t zoom;
    float lastY;
    int32_t y;
    int32_t expected;
  } cases[] = {
      {80, 0.0f, 250, 71},                     // yo = 10 > 0: moved down, out
      {80, 10.0f, 250, 89},                    // not moved: in
      {80, 20.0f, 250, 89},                    // moved up: in
      {2, 0.0f, 100, 3},                       // from the drag's own minimum, at least one more
      {2, -200.0f, 100, 2},                    // 2 - 0 - 1 = 1, raised to 2
      {590, 0.0f, 100, 600},                   // 590 + 59 + 1, limited to 600
      {80, 10.0f, pointerCoordinate(-5), 71},  // above the window: as far down, out
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.view.zoom = c.zoom;
    s.pointer.lastZoomDragY = c.lastY;
    zoomDragMove(s, c.y, 480);
    EXPECT_EQ(s.view.zoom, c.expected) << c.zoom << " at " << c.y;
    EXPECT_FLOAT_EQ(s.pointer.lastZoomDragY, static_cast<float>(c.y - 240));
  }
}

// Keys act through the commands, over records of the test's own.
class KeysTest : public ::testing::Test {
 protected:
  SettingsHome home;
  DisplayState display;
  FetchSchedule schedule;
  Commands commands{display, schedule};
};

TEST_F(KeysTest, ZoomStepsAndLimits) {
  const struct {
    int32_t zoom;
    int action;  // a key code, or 1 / -1 for a wheel notch up / down, 0 for a still wheel
    int32_t expected;
  } cases[] = {
      {80, 1, 84},   {26, -1, 25},  {19, 1, 19},   {599, 1, 600},   {80, 0, 80},
      {27, 'X', 25}, {80, 'X', 72}, {9, 'Z', 9},   {580, 'Z', 600}, {80, 'Z', 88},
      {100, -1, 95}, {10, -1, 25},  {80, '+', 88}, {27, '-', 25},  // + and - (also the number
                                                                   // pad's) as Z and X
  };
  for (const auto& c : cases) {
    display.view.zoom = c.zoom;
    if (c.action >= -1 && c.action <= 1) {
      wheelTurn(display.view, c.action);
    } else {
      keyDown(commands, c.action);
    }
    EXPECT_EQ(display.view.zoom, c.expected) << c.zoom << " action " << c.action;
  }
}

TEST_F(KeysTest, SpinAndTiltKeys) {
  const struct {
    int key;
    float spinRate, tilt;
    float expectedSpin, expectedTilt;
  } cases[] = {
      {'F', 1.0f, 200.0f, 1.1f, 200.0f},
      {'S', 1.0f, 200.0f, 0.9f, 200.0f},
      {'H', 1.0f, 200.0f, 0.0f, 200.0f},
      {'L', 1.0f, 200.0f, 0.1f, 200.0f},
      {'R', 1.0f, 200.0f, -0.1f, 200.0f},
      {'U', 1.0f, 200.0f, 1.0f, 201.0f},
      {'U', 1.0f, 269.5f, 1.0f, 270.0f},
      {'D', 1.0f, 200.0f, 1.0f, 199.0f},
      {'D', 1.0f, 90.0f, 1.0f, 90.0f},
      {'Q', 1.0f, 200.0f, 1.0f, 200.0f},
      {'f', 1.0f, 200.0f, 1.0f, 200.0f},  // letters arrive upper-case; others are ignored
      // The arrows as L R U D; Ctrl with a letter as the letter alone.
      {platform::kKeyLeft, 1.0f, 200.0f, 0.1f, 200.0f},
      {platform::kKeyRight, 1.0f, 200.0f, -0.1f, 200.0f},
      {platform::kKeyUp, 1.0f, 269.5f, 1.0f, 270.0f},
      {platform::kKeyDown, 1.0f, 200.0f, 1.0f, 199.0f},
      {platform::kControlKey + 'F', 1.0f, 200.0f, 1.1f, 200.0f},
  };
  for (const auto& c : cases) {
    display.view.spinRate = c.spinRate;
    display.view.tilt = c.tilt;
    display.view.zoom = 80;
    keyDown(commands, c.key);
    EXPECT_FLOAT_EQ(display.view.spinRate, c.expectedSpin) << static_cast<char>(c.key);
    EXPECT_FLOAT_EQ(display.view.tilt, c.expectedTilt) << static_cast<char>(c.key);
    EXPECT_EQ(display.view.zoom, 80);
  }
  EXPECT_EQ(home.content(), "");
}

// With no panel at all: 1 to 4 apply a preset (the settings file only read), N asks for a
// fetch, and T C P flip their option and store it, and nothing else.
TEST_F(KeysTest, PresetRefreshAndOptionKeysNeedNoPanel) {
  const std::string stored = "[bank2]\nd1=300\nc6=off\n[bank4]\nd1=120\n";
  const struct {
    int key;
    int32_t zoom;  // afterwards, from 80
    std::optional<int> preset;
    const char* file;  // the settings file afterwards
  } cases[] = {
      {'1', 58, 0, ""},
      {'2', 300, 1, ""},
      {'4', 120, 3, ""},
      {'N', 80, {}, ""},
      {'T', 80, {}, "\n[Items]\nnightstyle=1\n"},
      {'C', 80, {}, "\n[Items]\ncitylights=1\n"},
      {'P', 80, {}, "\n[Items]\npalette=1\n"},
      {'5', 80, {}, ""},
      {'t', 80, {}, ""},
  };
  for (const auto& c : cases) {
    home.write(stored);
    DisplayState fresh;
    FetchSchedule idle;
    Commands keys(fresh, idle);
    fresh.view.zoom = 80;
    const CommandResult result = keyDown(keys, c.key);
    const char key = static_cast<char>(c.key);
    EXPECT_EQ(fresh.view.zoom, c.zoom) << key;
    EXPECT_EQ(result.presetSelected, c.preset) << key;
    EXPECT_EQ(fresh.requests.darkBackground, c.key != '2') << key;
    EXPECT_EQ(idle.requested(), c.key == 'N') << key;
    EXPECT_EQ(home.content(), stored + c.file) << key;
    EXPECT_EQ(fresh.view.nightStyle + fresh.view.cityLights + fresh.view.palette,
              std::string("TCP").find(key) != std::string::npos ? 1 : 0)
        << key;
  }
}

// What keys ask of the windows: nothing of them changes the view.
TEST_F(KeysTest, WindowKeys) {
  const struct {
    int key;
    bool close, help;
    FullScreenRequest fullScreen;
  } cases[] = {
      {platform::kControlKey + 'Q', true, false, FullScreenRequest::none},
      {'Q', false, false, FullScreenRequest::none},
      {platform::kControlKey + 'W', false, false, FullScreenRequest::none},
      {platform::kKeyF1, false, true, FullScreenRequest::none},
      {platform::kKeyF11, false, false, FullScreenRequest::toggle},
      {platform::kKeyEscape, false, false, FullScreenRequest::leave},
  };
  for (const auto& c : cases) {
    display.view.zoom = 80;
    const CommandResult result = keyDown(commands, c.key);
    EXPECT_EQ(result.closeRequested, c.close) << c.key;
    EXPECT_EQ(result.helpRequested, c.help) << c.key;
    EXPECT_EQ(result.fullScreen, c.fullScreen) << c.key;
    EXPECT_EQ(display.view.zoom, 80) << c.key;
  }
}

TEST(MouseMove, ActionByButtons) {
  const struct {
    bool left, right;
    MoveAction expected;
  } cases[] = {
      {false, false, MoveAction::hoverPick},
      {true, false, MoveAction::leftDrag},
      {true, true, MoveAction::zoomDrag},
      {false, true, MoveAction::none},
  };
  for (const auto& c : cases) {
    PointerState s;
    s.leftDragging = c.left;
    s.rightDragging = c.right;
    EXPECT_EQ(moveAction(s), c.expected) << c.left << c.right;
  }
}

TEST(Pick, IndexNamesATagOnlyBelowTheItemCount) {
  EXPECT_EQ(pickedTag(3, 4), 3);
  EXPECT_EQ(pickedTag(4, 4), -1);
  EXPECT_EQ(pickedTag(0, 0), -1);
  EXPECT_EQ(pickedTag(-1, 10), -1);
  EXPECT_EQ(pickedTag(4095, 100), -1);
}

TEST(Pick, DoubleClickOpensTheTagOrTheNewsInTheBottomTenth) {
  const struct {
    int32_t tag;
    int32_t y;
    DoubleClickTarget expected;
  } cases[] = {
      {5, 10, DoubleClickTarget::tagPage},    {5, 470, DoubleClickTarget::tagPage},
      {-1, 433, DoubleClickTarget::newsPage},  // 480 - 48 = 432: strictly below it
      {-1, 432, DoubleClickTarget::nothing},  {-1, 10, DoubleClickTarget::nothing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(doubleClickTarget(c.tag, c.y, 480), c.expected) << c.tag << " at " << c.y;
  }
}

TEST(Pick, PointerOverTheTickerBandHoldsTheLineUntilItLeaves) {
  PointerState state;
  pointerAt(state, 433, 480);
  EXPECT_TRUE(state.tickerHeld);
  pointerAt(state, 432, 480);
  EXPECT_FALSE(state.tickerHeld);
  pointerAt(state, 479, 480);
  pointerLeft(state);
  EXPECT_FALSE(state.tickerHeld);
}

TEST(Pick, OpenerRefusesWhatIsNotAWebAddress) {
  for (const char* text : {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm",
                           "-e http://example.org", "--help", "xterm"}) {
    EXPECT_FALSE(platform::isOpenableUrl(text)) << text;
    EXPECT_FALSE(platform::openUrl(text)) << text;
  }
}

}  // namespace
