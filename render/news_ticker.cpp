#include "render/news_ticker.h"

#include <GL/gl.h>

#include <algorithm>

#include "model/ticker_text.h"
#include "render/glyph_atlas.h"
#include "render/renderer_state.h"

namespace {

// A byte of the text, or a blank anywhere outside it.
char byteAt(std::string_view text, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(text.size())) return ' ';
  return text[static_cast<size_t>(index)];
}

// A headline mark at the window's start is passed over and holds the line.
void skipHeadlineMark(TickerStep& step, std::string_view text) {
  if (byteAt(text, step.pos) != kHeadlineMark) return;
  step.pause = kHeadlinePause;
  step.pos = step.pos + 1;
}

// One step: the line moves on by a character, or the pause counts down.
void moveOn(TickerStep& step, std::string_view text) {
  if (step.pause != 0) {
    step.pause = step.pause - 1;
    return;
  }
  // 64-bit, so that no stored position can overflow the step.
  const int64_t next = int64_t{step.pos} + 1;
  const int64_t last = static_cast<int64_t>(text.size()) - (kTickerWindow - 1);
  step.pos = next > last ? 0 : static_cast<int32_t>(next);
}

}  // namespace

TickerStep stepTicker(int32_t pos, int32_t pause, std::string_view text, int32_t steps) {
  TickerStep step{{}, pos, pause};
  skipHeadlineMark(step, text);
  for (int32_t i = 0; i < kTickerWindow; ++i) step.window[i] = byteAt(text, int64_t{step.pos} + i);
  for (int32_t taken = 0; taken < steps; ++taken) {
    if (taken > 0) skipHeadlineMark(step, text);
    moveOn(step, text);
  }
  return step;
}

std::array<float, 3> tickerColour(float colorLevel) {
  const auto unit = [](float value) { return std::clamp(value, 0.0f, 1.0f); };
  return {unit(colorLevel / 50.0f), unit(colorLevel / 100.0f), unit(colorLevel / 200.0f)};
}

TickerWindow advanceTicker(RendererState& renderer, std::string_view text, bool held) {
  if (held) renderer.tickerCarry = kCarryStart;
  const int32_t steps = held ? 0 : takeWholeSteps(renderer.tickerCarry, renderer.frameStep);
  const TickerStep step =
      stepTicker(renderer.tickerPos, renderer.tickerPause, text.substr(0, kTickerSize), steps);
  renderer.tickerPos = step.pos;
  renderer.tickerPause = step.pause;
  return step.window;
}

void drawTicker(RendererState& renderer, std::string_view text, float colorLevel, int32_t fontBase,
                bool held) {
  const std::array<float, 3> colour = tickerColour(colorLevel);
  const TickerWindow window = advanceTicker(renderer, text, held);
  glColor3f(colour[0], colour[1], colour[2]);
  glRasterPos2f(0.18f, -0.168f);
  drawAtlasText(renderer.glyphAtlas, fontBase, window.data(), window.size());
}
