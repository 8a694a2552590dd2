#pragma once
// Market tags: one label per market item at its latitude and longitude, just above the
// globe's surface, over a small dark box. The colours of text and box carry the item's
// index in bits 1 to 4 of each channel, so that one pixel read back names the tag under
// the mouse (tagIndexFromPixel).
//
// The pure steps (label choice, shortening, anchor, colour, size class) are plain functions
// below; drawTags only feeds them and issues the GL calls.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct DisplayState;
struct FrameLayout;
struct GlyphAtlas;
struct MarketItemTable;

// Pick pixels: entry i holds 85 RGB triplets that carry i in bits 1 to 4 of each channel.
// Triplets at byte offsets 0 to 126 are plain; those at 129 to 252 are lifted by 0x40.
using TagBoxPixels = std::array<std::array<uint8_t, 256>, 100>;
void fillTagBoxPixels(TagBoxPixels& pixels);

// Each box pixel covers kTagBoxZoom x kTagBoxZoom screen pixels at a tag scale of 1.
constexpr int32_t kTagBoxZoom = 8;

// The screen pixels a box pixel covers across and down at a tag scale: kTagBoxZoom times
// the scale, rounded.
int32_t tagBoxZoom(float tagScale);

// Draws every item's tag of `table` when it is ready, in the globe's model frame (the scene
// pass's tag step): boxes from `pixels`, labels as the display state and the label cycle's
// phase say, sizes by the frame's layout height and tag scale, all as one batch of quads
// from `atlas`.
void drawTags(const GlyphAtlas& atlas, const TagBoxPixels& pixels, int32_t labelPhase,
              const DisplayState& display, const FrameLayout& layout, const MarketItemTable& table);

// ---- The steps of one tag, over plain data. ----

// What the label choice reads besides the item's texts.
struct TagLabelInputs {
  bool cycle;
  int32_t labelPhase;
  bool showValue;
  bool showChange;
  bool showPercent;
  int32_t hoveredItem;
  bool altTextEnabled;
};

// The column whose text item k shows: with cycle off the hovered item shows its name, else
// the first of value, change and percent whose flag is 1, else the name; while cycling, by
// phase: value, change, percent, alternative text (only when enabled, else the name), name.
int labelColumn(const TagLabelInputs& in, int32_t k);

struct TagLabel {
  char text[256];
  int32_t width;  // assumed pixel width at 8 pixels a character: 40, 32 or 24
};

// Copies the text and shortens it: a blank fifth character ends it at four characters
// (width 32), and then a blank fourth ends it at three (width 24).
TagLabel makeTagLabel(const char* text);

struct TagAnchor {
  int32_t x, y, z;
};

// The anchor in globe model units, about 4100 from the centre, for latitude and longitude
// in degrees; computed in float with the program's own pi and its two truncations.
TagAnchor tagAnchor(float latitude, float longitude);

struct TagColour {
  uint8_t red, green, blue;
};

// Bright or faded, up or down, with k in bits 1 to 4 of each channel: green and red with
// palette 0, blue and orange with palette 1 (which the commoner colour blindnesses tell apart).
TagColour tagColour(int32_t k, int32_t fresh, bool down, bool palette);

// The item index a read-back pixel names (at least 0; 512 or more for no tag at all).
int32_t tagIndexFromPixel(uint8_t red, uint8_t green, uint8_t blue);

// Text baseline height: the anchor's y lowered by (601 - zoom) / 20 model units.
int32_t tagTextY(int32_t anchorY, int32_t zoom);

struct TagSizeClass {
  int32_t boxWidth, boxHeight;  // in box pixels, each drawn 8 x 8 screen pixels
  int32_t fontBase;             // 1000, 2000 or 3000
};

// `height` is the frame's layout height (the viewport's at 96 dpi): above 320 the large
// class.
TagSizeClass tagSizeClass(int32_t height, bool largeTags, int32_t labelWidth);

// The direction mark that palette 1 adds left of a tag's text, so that the direction never
// rests on colour alone: a triangle pointing up for a rise and down for a fall, as a bitmap
// (rows bottom first, high bit leftmost, rows of whole bytes) sized for the tag's font.
struct TagMark {
  int32_t width, height;  // pixels; the width is 2 x height - 1
  int32_t gap;            // pixels between the mark and the text
  std::vector<uint8_t> bits;
};

// The mark of a tag, or none with palette 0; its height and gap grow with the tag scale.
std::optional<TagMark> tagMark(bool palette, bool down, int32_t fontBase, float tagScale = 1.0f);

// Byte offset into a tag box pixel entry: the plain half for a fresh tag, the lifted half
// (dark grey) for a faded one.
int32_t tagBoxOffset(int32_t fresh);
