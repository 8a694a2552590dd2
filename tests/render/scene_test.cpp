#include "render/scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/display_state.h"
#include "render/renderer_state.h"

namespace {

platform::DateTime at(uint16_t hour, uint16_t minute) {
  platform::DateTime t{};
  t.year = 2026;
  t.month = 12;
  t.day = 7;
  t.hour = hour;
  t.minute = minute;
  return t;
}

class SceneTest : public ::testing::Test {
 protected:
  void stepLabel(uint32_t tick, bool altText) { stepLabelCycle(*renderer, tick, altText); }
  void keep(const platform::DateTime& local, const platform::DateTime& utc) {
    keepTime(*renderer, display, local, utc, 1.0f);
  }

  std::unique_ptr<RendererState> renderer = std::make_unique<RendererState>();
  DisplayState display;
};

TEST_F(SceneTest, GlobeScaleFollowsZoom) {
  EXPECT_FLOAT_EQ(globeScale(80), 0.00000051f);
  EXPECT_FLOAT_EQ(globeScale(0), 0.00000003f);
  EXPECT_FLOAT_EQ(globeScale(600), 0.00000363f);
}

TEST_F(SceneTest, SunAngleByUtcTime) {
  const struct {
    int hour, minute, angle;
  } cases[] = {
      {23, 59, 188}, {0, 0, 189}, {0, 3, 189},   {0, 4, 190}, {11, 59, 8},
      {12, 0, 9},    {12, 3, 9},  {11, 27, 360}, {11, 28, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sunAngleAt(c.hour, c.minute), c.angle) << c.hour << ":" << c.minute;
}

TEST_F(SceneTest, RotationFoldsIntoZeroTo360) {
  const struct {
    float in, out;
  } cases[] = {{361.0f, 1.0f},   {-0.5f, 359.5f}, {360.0f, 360.0f}, {0.0f, 0.0f},
               {200.0f, 200.0f}, {725.0f, 5.0f},  {-370.0f, 350.0f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(wrapRotation(c.in), c.out) << c.in;
}

TEST_F(SceneTest, LabelPhaseCyclesEveryOneAndAHalfSeconds) {
  for (bool altText : {false, true}) {
    renderer = std::make_unique<RendererState>();
    renderer->phaseTickDue = 1000;
    std::vector<int> phases;
    uint32_t tick = 1000;
    stepLabel(tick, altText);  // due, not yet past
    phases.push_back(renderer->labelPhase);
    for (int step = 0; step < 6; ++step) {
      tick += 1501;
      stepLabel(tick, altText);
      phases.push_back(renderer->labelPhase);
    }
    const std::vector<int> expected =
        altText ? std::vector<int>{0, 1, 2, 3, 4, 0, 1} : std::vector<int>{0, 1, 2, 3, 0, 1, 2};
    EXPECT_EQ(phases, expected) << altText;
  }
}

TEST_F(SceneTest, SlowFrameDelaysTheStepWithoutSkipping) {
  renderer->phaseTickDue = 100;
  stepLabel(10000, false);  // nearly ten seconds late: one step only
  EXPECT_EQ(renderer->labelPhase, 1);
  EXPECT_EQ(renderer->phaseTickDue, 11500u);
  stepLabel(11000, false);
  EXPECT_EQ(renderer->labelPhase, 1);
}

TEST_F(SceneTest, EveryFifthStepLetsTheTickerMove) {
  renderer->tickerPause = 7;
  uint32_t tick = 0;
  for (int step = 1; step <= 4; ++step) {
    tick += 1501;
    stepLabel(tick, false);
    EXPECT_EQ(renderer->tickerPause, 7) << step;
  }
  stepLabel(tick + 1501, false);
  EXPECT_EQ(renderer->phaseTickCount, 0);
  EXPECT_EQ(renderer->tickerPause, 0);
}

TEST_F(SceneTest, LabelStepKeepsItsPaceAcrossTheTickWrap) {
  renderer->phaseTickDue = 0xffffff00u;
  stepLabel(0xffffff01u, false);
  EXPECT_EQ(renderer->labelPhase, 1);
  EXPECT_EQ(renderer->phaseTickDue, 0xffffff01u + 1500u);  // wrapped to 1245
  stepLabel(0xffffff80u, false);                           // before the wrap: not yet due
  stepLabel(1000, false);
  EXPECT_EQ(renderer->labelPhase, 1);
  stepLabel(1246, false);
  EXPECT_EQ(renderer->labelPhase, 2);
}

TEST_F(SceneTest, FirstTimeKeepingRequestsARebuildThenOnlyOnChange) {
  keep(at(9, 0), at(0, 0));
  EXPECT_EQ(renderer->sunAngle, 189);
  EXPECT_TRUE(display.requests.newTexture);
  EXPECT_EQ(renderer->localTime.hour, 9);
  EXPECT_EQ(renderer->utcTime.hour, 0);
  display.requests.newTexture = false;
  keep(at(9, 3), at(0, 3));
  EXPECT_FALSE(display.requests.newTexture);
  keep(at(9, 4), at(0, 4));
  EXPECT_TRUE(display.requests.newTexture);
  EXPECT_EQ(renderer->lastSunAngle, 190);
}

TEST_F(SceneTest, NoonFacesTheSunOtherwiseTheGlobeSpins) {
  display.view.spinRate = 0.25f;
  display.view.rotation = 100.0f;
  keep(at(0, 0), at(12, 0));
  EXPECT_FLOAT_EQ(display.view.rotation, 100.25f);
  display.view.noon = true;
  keep(at(0, 0), at(12, 0));
  EXPECT_FLOAT_EQ(display.view.rotation, 351.0f);  // longitude 0.62 faces the viewer
  keep(at(0, 0), at(0, 0));
  EXPECT_FLOAT_EQ(display.view.rotation, 171.0f);  // longitude 180.62
}

}  // namespace
