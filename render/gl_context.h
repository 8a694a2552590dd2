#pragma once
// The main window's OpenGL state: bitmap fonts at fixed list bases, the initial fixed-function
// state and projection, the shared quadric and the tag pick pixels. Palettes are computed
// for displays that need one (8-bit colour); TrueColor visuals need none.
#include <cstdint>
#include <vector>

#include "platform/bitmap_font.h"

namespace platform {
class MainWindow;
}
struct DisplayState;
struct GlyphAtlas;
struct RendererState;

// The eleven fonts, in the order they are built. Lists of one font never overlap another's.
extern const platform::FontSpec kFontTable[11];

struct PixelFormatInfo {
  int colorBits;
  int redBits, redShift;
  int greenBits, greenShift;
  int blueBits, blueShift;
  bool needsPalette;
};

struct PaletteEntry {
  uint8_t red, green, blue, flags;
  bool operator==(const PaletteEntry&) const = default;
};

// The logical palette for a pixel format: empty when the format needs none, else 2^colorBits
// ramp entries (at most 2^16), with the twelve system colours in place on a 3-3-2 format.
std::vector<PaletteEntry> computePalette(const PixelFormatInfo& format);

// Builds the eleven fonts into the current context, and their glyphs into `atlas` when one is
// given (the frames draw text and tag boxes from it); false if any font could not be built.
bool createFonts(GlyphAtlas* atlas = nullptr);

// Initial state for the window, once, right after its context exists: the GL state, the
// projection, the shared quadric, the Earth texture (night band as `display` says), the globe
// tables and the pick pixels in `renderer`, and the ticker's first text.
void initScene(const platform::MainWindow& window, RendererState& renderer,
               const DisplayState& display);

// Deletes the shared quadric and clears it; nothing when there is none.
void releaseSharedQuadric(RendererState& renderer);
