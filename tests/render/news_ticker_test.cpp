// The ticker's step: the 60-character window, the headline pause and the wrap.
#include "render/news_ticker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/ticker_text.h"
#include "render/renderer_state.h"

namespace {

std::string shown(const TickerStep& step) {
  return std::string(step.window.data(), step.window.size());
}

std::string padded(const std::string& text) { return text + std::string(60 - text.size(), ' '); }

TEST(TickerStep, ShortTextStandsStillWithBlanksAfterIt) {
  for (const std::string& text :
       {std::string(), std::string("Markets close higher"), std::string(58, 'x')}) {
    SCOPED_TRACE(text.size());
    int32_t pos = 0;
    for (int frame = 0; frame < 3; ++frame) {
      const TickerStep step = stepTicker(pos, 0, text);
      EXPECT_EQ(shown(step), padded(text));
      EXPECT_EQ(step.pos, 0);
      EXPECT_EQ(step.pause, 0);
      pos = step.pos;
    }
  }
}

struct WrapCase {
  int32_t length, pos, nextPos;
};

TEST(TickerStep, MovesOneCharacterAndWrapsPastLengthMinus59) {
  // clang-format off
  const WrapCase cases[] = {
      {59, 0, 0},    {60, 0, 1},    {60, 1, 0},     {100, 0, 1},
      {100, 40, 41}, {100, 41, 0},  {100, 500, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::string text(static_cast<size_t>(c.length), 'a');
    EXPECT_EQ(stepTicker(c.pos, 0, text).pos, c.nextPos) << c.length << " at " << c.pos;
  }
}

TEST(TickerStep, LastWindowEndsInBlanksNotPastTheText) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += static_cast<char>('A' + i % 26);
  const TickerStep step = stepTicker(41, 0, text);
  EXPECT_EQ(shown(step), text.substr(41) + " ");
  EXPECT_EQ(step.pos, 0);
}

TEST(TickerStep, HeadlineMarkIsSkippedAtOnceAndHoldsTheLine) {
  const std::string headline = "Rates unchanged";
  const std::string text = std::string(1, kHeadlineMark) + headline + std::string(200, ' ');
  TickerStep step = stepTicker(0, 0, text);
  EXPECT_EQ(shown(step), padded(headline));
  EXPECT_EQ(step.pos, 1);
  EXPECT_EQ(step.pause, kHeadlinePause - 1);
  for (int frame = 1; frame < kHeadlinePause; ++frame)
    step = stepTicker(step.pos, step.pause, text);
  EXPECT_EQ(step.pos, 1);  // 16000 frames on the headline's first character
  EXPECT_EQ(step.pause, 0);
  step = stepTicker(step.pos, step.pause, text);
  EXPECT_EQ(shown(step), padded(headline));
  EXPECT_EQ(step.pos, 2);
}

TEST(TickerStep, ClearedPauseLetsTheLineMoveOnTheNextFrame) {
  const std::string text = std::string(1, kHeadlineMark) + "Oil falls" + std::string(200, ' ');
  TickerStep step = stepTicker(0, 0, text);
  for (int frame = 0; frame < 100; ++frame) step = stepTicker(step.pos, step.pause, text);
  EXPECT_EQ(step.pos, 1);
  step = stepTicker(step.pos, 0, text);  // the scene pass's reset every fifth step
  EXPECT_EQ(step.pos, 2);
  EXPECT_EQ(shown(step).substr(0, 9), "Oil falls");
}

TEST(TickerStep, MarkPastTheTextDoesNotPause) {
  // A mark left in the buffer by an earlier text lies outside the view the step gets.
  const std::string text(30, 'b');
  const TickerStep step = stepTicker(45, 0, text);
  EXPECT_EQ(shown(step), std::string(60, ' '));
  EXPECT_EQ(step.pause, 0);
  EXPECT_EQ(step.pos, 0);
}

TEST(TickerColour, FollowsTheColorLevelClamped) {
  EXPECT_EQ(tickerColour(0), (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(tickerColour(50), (std::array<float, 3>{1.0f, 0.5f, 0.25f}));
  EXPECT_EQ(tickerColour(25), (std::array<float, 3>{0.5f, 0.25f, 0.125f}));
  EXPECT_EQ(tickerColour(150), (std::array<float, 3>{1.0f, 1.0f, 0.75f}));
  EXPECT_EQ(tickerColour(-10), (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
}

class AdvanceTicker : public ::testing::Test {
 protected:
  TickerWindow advance(bool held = false) { return advanceTicker(*renderer, text, held); }

  std::unique_ptr<RendererState> renderer = std::make_unique<RendererState>();
  std::string text;  // the frame's ticker text
};

TEST_F(AdvanceTicker, StaleHeadlineOfALongerTextNeverAppears) {
  text = std::string(1, kHeadlineMark) + "Old news that must not come back" + std::string(300, ' ');
  renderer->tickerPos = 3;
  text = "Fresh";
  const TickerWindow window = advance();
  // Only blanks may follow the new, shorter text.
  EXPECT_EQ(std::string(window.data(), window.size()), padded("sh"));
  EXPECT_EQ(renderer->tickerPos, 0);
  const TickerWindow next = advance();
  EXPECT_EQ(std::string(next.data(), next.size()), padded("Fresh"));
}

TEST_F(AdvanceTicker, StoresPositionAndPauseForTheNextFrame) {
  text = std::string(1, kHeadlineMark) + "Gold steady" + std::string(100, ' ');
  advance();
  EXPECT_EQ(renderer->tickerPos, 1);
  EXPECT_EQ(renderer->tickerPause, kHeadlinePause - 1);
  renderer->tickerPause = 0;
  const TickerWindow window = advance();
  EXPECT_EQ(std::string(window.data(), 11), "Gold steady");
  EXPECT_EQ(renderer->tickerPos, 2);
}

TEST_F(AdvanceTicker, HeldLineStandsStillAndStartsAgainFromHalfAStep) {
  text = std::string(300, 'x');
  renderer->frameStep = 1.5f;
  advance();  // half a step carried at first, plus 1.5: two steps, nothing left over
  EXPECT_EQ(renderer->tickerPos, 2);
  advance(true);
  advance(true);
  EXPECT_EQ(renderer->tickerPos, 2);
  advance();  // from half a step again, not from what was left before the hold
  EXPECT_EQ(renderer->tickerPos, 4);
}

}  // namespace
