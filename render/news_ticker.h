#pragma once
// The news ticker line along the bottom of the window.
//
// Each frame shows a 60-character window of the ticker text. The line moves in steps of
// 1/60 s, one character a step: a frame takes as many whole steps as its time holds (see
// render/frame_step), so the line keeps its speed at any frame rate. A headline mark (byte
// 26) under the window's start is skipped at once and holds the line still for up to 16000
// steps; the scene pass ends such a pause early every 7.5 seconds by clearing the
// renderer's tickerPause. Past the end of the text the line shows blanks, never what an
// earlier, longer text left in the buffer.
#include <array>
#include <cstdint>
#include <string_view>

#include "model/ticker_text.h"

struct RendererState;

constexpr int32_t kTickerWindow = 60;      // characters drawn per frame
constexpr int32_t kHeadlinePause = 16000;  // steps a headline holds the line at most

using TickerWindow = std::array<char, kTickerWindow>;

struct TickerStep {
  TickerWindow window;  // what this frame draws
  int32_t pos;          // tickerPos for the next frame
  int32_t pause;        // tickerPause for the next frame
};

// One frame of the ticker over `text`, the ticker text: the
// window to draw, then `steps` steps after it (each moves the line on by a character or
// counts the pause down by one). The line wraps to the start once the window's start passes
// the text's length - 59.
TickerStep stepTicker(int32_t pos, int32_t pause, std::string_view text, int32_t steps = 1);

// (colorLevel / 50, colorLevel / 100, colorLevel / 200), each kept within 0 to 1.
std::array<float, 3> tickerColour(float colorLevel);

// Takes the frame's steps (the renderer's frameStep, with tickerCarry) over the frame's ticker
// text (at most its first kTickerSize bytes count) and stores the new tickerPos and
// tickerPause in `renderer`; returns the window to draw. A held line takes no steps, and its
// time is not made up later.
TickerWindow advanceTicker(RendererState& renderer, std::string_view text, bool held = false);

// Draws the ticker line over `text` in the overlay frame, in the colour of the Color slider's
// level and the font at `fontBase`, and advances it unless it is held.
void drawTicker(RendererState& renderer, std::string_view text, float colorLevel, int32_t fontBase,
                bool held);
