#include "shell/input.h"

#include <gtest/gtest.h>

#include "model/display_state.h"
#include "panel/dialog_tables.h"
#include "platform/open_url.h"
#include "tests/panel/fake_panel.h"
#include "tests/panel/settings_home.h"

namespace {

TEST(LeftDrag, SpinFollowsTheCentreLineDistanceAndTiltTheOffset) {
  DisplayState s;
  s.zoom = 80;
  s.tiltBase = 30;
  leftButtonDown(s, 200);
  EXPECT_EQ(s.leftDragging, 1);
  leftDragMove(s, 100, 300, 640, 1280);
  // t = 22, ratio 0.25, v = 193.6, q = 2: (193.6 - 2) / 128 x (1 - 80 / 700).
  EXPECT_NEAR(s.spinRate, 1.3258f, 0.0001f);
  EXPECT_FLOAT_EQ(s.tilt, 221.0f);
  leftButtonUp(s);
  EXPECT_EQ(s.leftDragging, 0);
  EXPECT_EQ(s.tiltBase, 41);
}

TEST(LeftDrag, SpinRateAcrossTheWindow) {
  const struct {
    uint16_t x;
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
    s.zoom = 0;
    s.spinRate = 9.0f;
    leftButtonDown(s, 10);
    leftDragMove(s, c.x, 10, 640, 1280);
    EXPECT_NEAR(s.spinRate, c.spinRate, 1e-6f) << "x = " << c.x;
  }
}

TEST(LeftDrag, FirstMoveAfterPresetAJumpsToTheDragOffsetAndIsLimited) {
  const struct {
    uint16_t startY, y;
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
    s.zoom = c.zoom;
    s.tilt = 200.0f;
    s.tiltBase = 0;
    leftButtonDown(s, c.startY);
    leftDragMove(s, 320, c.y, 640, 1280);
    EXPECT_FLOAT_EQ(s.tilt, c.tilt) << c.startY << " -> " << c.y;
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
    s.spinRate = 0.5f;
    s.tilt = 200.0f;
    leftButtonDown(s, 20);
    // Left of or above the captured window the 16-bit coordinate wraps to a large value.
    leftDragMove(s, clientCoordinate(c.x), clientCoordinate(c.y), 640, 1280);
    EXPECT_EQ(s.tilt != 200.0f, c.used) << c.x << ", " << c.y;
    EXPECT_EQ(s.spinRate != 0.5f, c.used) << c.x << ", " << c.y;
  }
  EXPECT_EQ(clientCoordinate(-1), 65535);
}

TEST(ZoomDrag, StepsByATenthAndOneWithinTwoAndSixHundred) {
  const struct {
    int32_t zoom;
    float lastY;
    uint16_t y;
    int32_t expected;
  } cases[] = {
      {80, 0.0f, 250, 71},    // yo = 10 > 0: moved down, out
      {80, 10.0f, 250, 89},   // not moved: in
      {80, 20.0f, 250, 89},   // moved up: in
      {2, 0.0f, 100, 3},      // from the drag's own minimum, at least one more
      {2, -200.0f, 100, 2},   // 2 - 0 - 1 = 1, raised to 2
      {590, 0.0f, 100, 600},  // 590 + 59 + 1, limited to 600
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.zoom = c.zoom;
    s.lastZoomDragY = c.lastY;
    zoomDragMove(s, c.y, 480);
    EXPECT_EQ(s.zoom, c.expected) << c.zoom << " at " << c.y;
    EXPECT_FLOAT_EQ(s.lastZoomDragY, static_cast<float>(c.y - 240));
  }
}

TEST(WheelAndKeys, ZoomStepsAndLimits) {
  const struct {
    int32_t zoom;
    int action;  // a key code, or 1 / -1 for a wheel notch up / down, 0 for a still wheel
    int32_t expected;
  } cases[] = {
      {80, 1, 84},   {26, -1, 25}, {19, 1, 19},     {599, 1, 600}, {80, 0, 80},   {27, 'X', 25},
      {80, 'X', 72}, {9, 'Z', 9},  {580, 'Z', 600}, {80, 'Z', 88}, {100, -1, 95}, {10, -1, 25},
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.zoom = c.zoom;
    if (c.action >= -1 && c.action <= 1) {
      wheelTurn(s, c.action * 120);
    } else {
      keyDown(s, c.action);
    }
    EXPECT_EQ(s.zoom, c.expected) << c.zoom << " action " << c.action;
  }
}

TEST(WheelAndKeys, SpinAndTiltKeys) {
  const struct {
    int key;
    float spinRate, tilt;
    float expectedSpin, expectedTilt;
  } cases[] = {
      {'F', 1.0f, 200.0f, 1.1f, 200.0f},  {'S', 1.0f, 200.0f, 0.9f, 200.0f},
      {'H', 1.0f, 200.0f, 0.0f, 200.0f},  {'L', 1.0f, 200.0f, 0.1f, 200.0f},
      {'R', 1.0f, 200.0f, -0.1f, 200.0f}, {'U', 1.0f, 200.0f, 1.0f, 201.0f},
      {'U', 1.0f, 269.5f, 1.0f, 270.0f},  {'D', 1.0f, 200.0f, 1.0f, 199.0f},
      {'D', 1.0f, 90.0f, 1.0f, 90.0f},    {'Q', 1.0f, 200.0f, 1.0f, 200.0f},
      {'f', 1.0f, 200.0f, 1.0f, 200.0f},  // letters arrive upper-case; others are ignored
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.spinRate = c.spinRate;
    s.tilt = c.tilt;
    s.zoom = 80;
    keyDown(s, c.key);
    EXPECT_FLOAT_EQ(s.spinRate, c.expectedSpin) << static_cast<char>(c.key);
    EXPECT_FLOAT_EQ(s.tilt, c.expectedTilt) << static_cast<char>(c.key);
    EXPECT_EQ(s.zoom, 80);
  }
}

// The panel's keys reach the panel as its buttons' commands: 1 to 4 select and load a preset
// and press its button, N asks for a fetch. The option keys flip their flag and nothing else.
TEST(WheelAndKeys, PanelAndOptionKeys) {
  const SettingsHome home;
  const struct {
    int key;
    int32_t command;
    const char* section;  // the panel's preset afterwards
    std::optional<DisplayOption> toggled;
  } cases[] = {
      {'1', panelid::presetA, "bank1", {}},
      {'2', panelid::presetA + 1, "bank2", {}},
      {'3', panelid::presetA + 2, "bank3", {}},
      {'4', panelid::presetD, "bank4", {}},
      {'N', panelid::now, "bank1", {}},
      {'T', 0, "bank1", DisplayOption::nightStyle},
      {'C', 0, "bank1", DisplayOption::cityLights},
      {'P', 0, "bank1", DisplayOption::palette},
      {'5', 0, "bank1", {}},
      {'0', 0, "bank1", {}},
      {'t', 0, "bank1", {}},
  };
  for (const auto& c : cases) {
    FakePanel panel;
    panel.shown.zoom = 80;
    panel.shown.lastFetchTick = 5;
    const KeyEffect effect = keyDown(panel.shown, c.key);
    EXPECT_EQ(effect.panelCommand, c.command) << static_cast<char>(c.key);
    EXPECT_EQ(effect.toggled, c.toggled) << static_cast<char>(c.key);
    if (effect.panelCommand != 0) panelCommand(panel, effect.panelCommand);
    const bool preset = c.command >= panelid::presetA && c.command <= panelid::presetD;
    EXPECT_EQ(panel.pressed, preset ? c.command : -1) << static_cast<char>(c.key);
    EXPECT_STREQ(panel.own.presetSection, c.section);
    EXPECT_EQ(panel.shown.zoom, preset ? 58 : 80) << static_cast<char>(c.key);
    EXPECT_EQ(panel.shown.fetchNow, c.key == 'N' ? 1 : 0);
    EXPECT_EQ(panel.shown.lastFetchTick, c.key == 'N' ? 0u : 5u);
    const int32_t flags = panel.shown.nightStyle + panel.shown.cityLights + panel.shown.palette;
    EXPECT_EQ(flags, c.toggled ? 1 : 0) << static_cast<char>(c.key);
    if (c.toggled) {
      EXPECT_EQ(optionFlag(panel.shown, *c.toggled), 1);
    }
  }
}

TEST(MouseMove, ActionByButtons) {
  const struct {
    int32_t left, right;
    MoveAction expected;
  } cases[] = {
      {0, 0, MoveAction::hoverPick},
      {1, 0, MoveAction::leftDrag},
      {1, 1, MoveAction::zoomDrag},
      {0, 1, MoveAction::none},
  };
  for (const auto& c : cases) {
    DisplayState s;
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
    uint16_t y;
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
  DisplayState state;
  pointerAt(state, 433, 480);
  EXPECT_EQ(state.tickerHeld, 1);
  pointerAt(state, 432, 480);
  EXPECT_EQ(state.tickerHeld, 0);
  pointerAt(state, 479, 480);
  pointerLeft(state);
  EXPECT_EQ(state.tickerHeld, 0);
}

TEST(Pick, OpenerRefusesWhatIsNotAWebAddress) {
  for (const char* text : {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm",
                           "-e http://example.org", "--help", "xterm"}) {
    EXPECT_FALSE(platform::isOpenableUrl(text)) << text;
    EXPECT_FALSE(platform::openUrl(text)) << text;
  }
}

TEST(FetchSchedule, PeriodFromTheRefreshSetting) {
  const struct {
    int32_t refreshSetting;
    uint32_t elapsed;
    FetchDecision expected;
  } cases[] = {
      {110, 660000, FetchDecision::notDue},  // 11 minutes: due only once passed
      {110, 660001, FetchDecision::start},
      {111, 600001, FetchDecision::start},
      {111, 600000, FetchDecision::notDue},
      {120, 60001, FetchDecision::start},   // one minute, the shortest period
      {121, 60000, FetchDecision::notDue},  // "at once" is every minute too
      {121, 60001, FetchDecision::start},
      {INT32_MAX, 1, FetchDecision::notDue},
      // The longest period still passes before the 28-bit elapsed count wraps.
      {-35671, 268380000, FetchDecision::notDue},
      {-35671, 268380001, FetchDecision::start},
  };
  for (const auto& c : cases) {
    DisplayState s;
    s.refreshSetting = c.refreshSetting;
    s.lastFetchTick = 1000;
    EXPECT_EQ(fetchSchedule(s, 1000 + c.elapsed, 1000 + c.elapsed + 7), c.expected)
        << c.refreshSetting << " after " << c.elapsed;
    if (c.expected == FetchDecision::start) {
      EXPECT_EQ(s.lastFetchTick, 1000 + c.elapsed + 7);  // the tick after the frame
    } else {
      EXPECT_EQ(s.lastFetchTick, 1000u);
    }
  }
}

TEST(FetchSchedule, TwentyEightBitTickWraps) {
  EXPECT_EQ(fetchElapsed(5, 0x0FFFFFF0), 21u);
  EXPECT_EQ(fetchElapsed(0x0FFFFFF0, 5), 0x0FFFFFEBu);
  DisplayState s;
  s.lastFetchTick = 0x0FFFF000;
  // 0x10000500 masks to 0x500: 0x1500 ms (5376) after the last start, not due.
  EXPECT_EQ(fetchSchedule(s, 0x10000500, 0x10000500), FetchDecision::notDue);
  // 660,001 ms later across the wrap of both the 28-bit and the 32-bit tick.
  s.lastFetchTick = 0x0FFFFFFF;
  EXPECT_EQ(fetchSchedule(s, 0xFFFFFFFFu + 660002u, 0x12345678), FetchDecision::start);
  EXPECT_EQ(s.lastFetchTick, 0x02345678u);
}

TEST(FetchSchedule, RequestsRunsAndClose) {
  DisplayState s;
  s.lastFetchTick = 0;
  s.fetchNow = 1;
  EXPECT_EQ(fetchSchedule(s, 100, 104), FetchDecision::start);
  EXPECT_EQ(s.fetchNow, 0);
  beginFetchRun(s);
  EXPECT_EQ(s.fetchRunning.load(), 1);
  EXPECT_EQ(s.fetchDone.load(), 0);
  // Now pressed during the run: the request is used up, the period restarts.
  s.fetchNow = 1;
  EXPECT_EQ(fetchSchedule(s, 5000, 5001), FetchDecision::stillRunning);
  EXPECT_EQ(s.fetchNow, 0);
  EXPECT_EQ(s.lastFetchTick, 5001u);
  EXPECT_EQ(fetchSchedule(s, 6000, 6000), FetchDecision::notDue);
  endFetchRun(s);
  EXPECT_EQ(s.fetchRunning.load(), 0);
  EXPECT_EQ(s.fetchDone.load(), 1);
  // Closing: the next due paint marks a run for good and nothing starts after it.
  s.closing = 1;
  s.fetchNow = 1;
  EXPECT_EQ(fetchSchedule(s, 7000, 7000), FetchDecision::closed);
  EXPECT_EQ(s.fetchRunning.load(), 1);
  s.fetchNow = 1;
  EXPECT_EQ(fetchSchedule(s, 8000, 8000), FetchDecision::stillRunning);
  EXPECT_EQ(fetchSchedule(s, 8000 + 700000, 8000 + 700000), FetchDecision::stillRunning);
}

}  // namespace
