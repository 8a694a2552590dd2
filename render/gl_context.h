#pragma once
// The main window's OpenGL state: bitmap fonts at fixed list bases, the initial fixed-function
// state and projection, the shared quadric and the tag pick pixels. Palettes are computed
// for displays that need one (8-bit colour); TrueColor visuals need none.
#include <cstdint>
#include <vector>

#include "platform/bitmap_font.h"

struct GLUquadric;
namespace platform {
class MainWindow;
}

// The eleven fonts, in the order they are built. Lists of one font never overlap another's.
extern const platform::FontSpec kFontTable[11];

// Distance frame composition moves the scene away from the eye.
extern float cameraDistance;

// One GLU quadric (flat normals, texture coordinates on) for the clock drawing.
extern GLUquadric* sharedQuadric;

// Pick pixels: entry i holds 85 RGB triplets that carry i in bits 1 to 4 of each channel.
// Triplets at byte offsets 0 to 126 are plain; those at 129 to 252 are lifted by 0x40.
extern uint8_t tagBoxPixels[100][256];
void fillTagBoxPixels();

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

// Builds the eleven fonts into the current context; false if any font could not be built.
bool createFonts();

// Initial state for the window, once, right after its context exists.
void initScene(const platform::MainWindow& window);
