// Motion by elapsed time: the frame step, and the spin, tilt and ticker steps that use it.
#include "render/frame_step.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/display_state.h"
#include "model/ticker_text.h"
#include "render/news_ticker.h"
#include "render/renderer_state.h"
#include "render/scene.h"

namespace {

TEST(FrameStep, ElapsedTimeInFramesOfASixtiethCappedAndSnapped) {
  FrameClock clock;
  EXPECT_FLOAT_EQ(takeFrameStep(clock, 5000000), 1.0f);  // the first frame
  const struct {
    uint64_t afterUs;
    float frames;
  } cases[] = {
      {16667, 1.0f},  {8333, 0.49998f}, {16000, 0.96f},    {33600, 2.0f},
      {34500, 2.07f}, {0, 0.0f},        {10000000, 10.0f},  // a suspend: capped
  };
  uint64_t now = 5000000;
  for (const auto& c : cases) {
    now += c.afterUs;
    EXPECT_NEAR(takeFrameStep(clock, now), c.frames, 1e-5) << c.afterUs;
  }
  EXPECT_FLOAT_EQ(takeFrameStep(clock, now - 1), 0.0f);  // time never runs backward here
  stopFrameClock(clock);
  EXPECT_FLOAT_EQ(takeFrameStep(clock, now + 60000000), 1.0f);
}

class Motion : public ::testing::Test {
 protected:
  std::unique_ptr<RendererState> renderer = std::make_unique<RendererState>();
  DisplayState display;
};

// Two seconds of frames at each rate: the spin turns, the ticker moves and the tilt eases as
// far as 120 frames of 1/60 s do.
TEST_F(Motion, SameSpeedOnScreenAtAnyFrameRate) {
  const std::string ticker(5000, 'n');
  for (const int rate : {20, 30, 60, 120}) {
    SCOPED_TRACE(rate);
    renderer = std::make_unique<RendererState>();
    display.view.spinRate = 0.25f;
    display.view.rotation = 10.0f;
    display.view.tilt = 210.0f;
    takeFrameStep(renderer->frameClock, 0);
    float tiltAfterATenth = 0.0f;
    for (int frame = 1; frame <= 2 * rate; ++frame) {
      const uint64_t now = static_cast<uint64_t>(frame) * 1000000 / static_cast<uint64_t>(rate);
      renderer->frameStep = takeFrameStep(renderer->frameClock, now);
      stepGlobeMotion(*renderer, display);
      advanceTicker(*renderer, ticker);
      keepTime(*renderer, display, {}, {}, renderer->frameStep);
      if (frame * 10 == rate) tiltAfterATenth = renderer->shownTilt;
    }
    EXPECT_NEAR(display.view.rotation, 40.0f, 1e-3);
    EXPECT_NEAR(renderer->spinAngle, 40.0f, 1e-3);
    EXPECT_EQ(renderer->tickerPos, 120);
    EXPECT_NEAR(tiltAfterATenth, 210.0f - 30.0f * 64.0f / 729.0f, 1e-3);  // (2/3)^6 left
  }
}

TEST(TiltEasing, SettlesOnTheSameFloatWithWholeFrames) {
  for (const float frames : {1.0f, 2.0f, 3.0f}) {
    float shown = 180.0f;
    for (int frame = 0; frame < 200; ++frame) shown = easeTilt(shown, 210.0f, frames);
    EXPECT_EQ(shown, 209.999985f) << frames;
  }
  EXPECT_EQ(easeTilt(180.0f, 210.0f, 0.0f), 180.0f);
}

TEST(TickerSteps, ManyStepsInOneFrameEndWhereOneStepPerFrameDoes) {
  const std::string text = "ab" + std::string(1, kHeadlineMark) + "cd" +
                           std::string(1, kHeadlineMark) + std::string(1, kHeadlineMark) +
                           std::string(80, 'e');
  for (const int32_t steps : {0, 2, 4, 7, 30}) {
    for (const int32_t start : {0, 1, 3}) {
      TickerStep single{{}, start, 0};
      for (int32_t i = 0; i < steps; ++i) single = stepTicker(single.pos, single.pause, text);
      const TickerStep batched = stepTicker(start, 0, text, steps);
      EXPECT_EQ(batched.pos, single.pos) << steps << " from " << start;
      EXPECT_EQ(batched.pause, single.pause) << steps << " from " << start;
    }
  }
}

TEST_F(Motion, UnseenTimeKeepingLeavesTheNextFrameRight) {
  renderer->clock.utc = [] { return platform::DateTime{2026, 12, 1, 7, 12, 0, 0, 0}; };
  renderer->clock.local = renderer->clock.utc;
  takeFrameStep(renderer->frameClock, 0);
  display.view.noon = true;
  display.view.spinRate = 0.5f;
  display.view.tilt = 230.0f;
  keepTimeUnseen(*renderer, display);
  EXPECT_FLOAT_EQ(display.view.rotation, 351.0f);  // the noon meridian, with the sun of 12:00
  EXPECT_FLOAT_EQ(renderer->spinAngle, 351.5f);
  EXPECT_FLOAT_EQ(renderer->shownTilt, 230.0f);
  EXPECT_TRUE(display.requests.newTexture);
  EXPECT_FLOAT_EQ(takeFrameStep(renderer->frameClock, 3600000000), 1.0f);
  display.view.noon = false;
  keepTimeUnseen(*renderer, display);
  EXPECT_FLOAT_EQ(display.view.rotation, 351.0f);  // the spin waits for frames
}

}  // namespace
