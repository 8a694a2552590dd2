#pragma once
// The main window's OpenGL state: bitmap fonts at fixed list bases, the initial fixed-function
// state and projection, the shared quadric and the tag pick pixels.
#include <array>

#include "platform/bitmap_font.h"

namespace platform {
class MainWindow;
}
struct ViewState;
struct GlyphAtlas;
struct RendererState;

// The eleven fonts, in the order they are built, at the sizes of a 96-dpi screen. Lists of
// one font never overlap another's.
extern const platform::FontSpec kFontTable[11];

// How much larger than in the table the fonts are built: the tag fonts (bases 1000 to 3000)
// by `tags`, the ticker and clock label fonts by `text`.
struct FontScales {
  float text = 1.0f;
  float tags = 1.0f;
  bool operator==(const FontScales&) const = default;
};

// The font table at `scales`: each height times its factor, rounded, at least one pixel.
std::array<platform::FontSpec, 11> scaledFontTable(FontScales scales);

// Builds the eleven fonts at `scales` into the current context, and their glyphs into
// `atlas` when one is given (the frames draw text and tag boxes from it); false if any font
// could not be built.
bool createFonts(GlyphAtlas* atlas = nullptr, FontScales scales = {});

// Initial state for the window, once, right after its context exists: the GL state, the
// projection, the shared quadric, the Earth texture (night band as `view` says), the globe
// tables and the pick pixels in `renderer`.
void initScene(const platform::MainWindow& window, RendererState& renderer, const ViewState& view);

// Deletes the shared quadric and clears it; nothing when there is none.
void releaseSharedQuadric(RendererState& renderer);
