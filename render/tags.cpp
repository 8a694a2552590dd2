#include "render/tags.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "model/display_state.h"
#include "model/item_table.h"
#include "platform/text.h"
#include "render/frame_layout.h"

// Pure steps. The numbers are the program's own: its pi of 3.14159, the box and font
// classes, and base colours that use only the top three bits of each channel so that the
// index fits below them.

int labelColumn(const TagLabelInputs& in, int32_t k) {
  if (in.cycle == 0) {
    if (in.hoveredItem == k) return kNameColumn;
    if (in.showValue == 1) return kValueColumn;
    if (in.showChange == 1) return kChangeColumn;
    if (in.showPercent == 1) return kPercentColumn;
    return kNameColumn;
  }
  switch (in.labelPhase) {
    case 0:
      return kValueColumn;
    case 1:
      return kChangeColumn;
    case 2:
      return kPercentColumn;
    case 3:
      return in.altTextEnabled == 1 ? kAltTextColumn : kNameColumn;
    default:
      return kNameColumn;
  }
}

TagLabel makeTagLabel(const char* text) {
  TagLabel label{};  // zero-filled, so characters 3 and 4 of a short text read as NUL
  platform::copyBounded(label.text, sizeof label.text, text);
  label.width = 40;
  if (label.text[4] == ' ') {
    label.width = 32;
    label.text[4] = '\0';
    if (label.text[3] == ' ') {
      label.width = 24;
      label.text[3] = '\0';
    }
  }
  return label;
}

namespace {

// Model units of one unit-sphere coordinate: ten thousand, then 0.41 of that, each step
// truncated, which puts the anchor 40 units above the 4060-unit surface.
int32_t anchorCoordinate(float unit) {
  const auto scaled = static_cast<int32_t>(unit * 10000.0f);
  return static_cast<int32_t>(scaled * 0.41);
}

}  // namespace

TagAnchor tagAnchor(float latitude, float longitude) {
  constexpr float p = 3.14159f;
  float a = p / 180.0f * -latitude;
  float b = p / 180.0f * (longitude - 9.62f);
  if (a < 0) a += 2 * p;
  if (b < 0) b += 2 * p;
  const auto x1 = static_cast<float>(std::sin(static_cast<double>(2 * p - b)) *
                                     std::cos(static_cast<double>(a)));
  const auto z1 = static_cast<float>(std::cos(static_cast<double>(2 * p - b)) *
                                     std::cos(static_cast<double>(a)));
  const auto y1 = static_cast<float>(std::sin(static_cast<double>(a)));
  return {anchorCoordinate(x1), anchorCoordinate(y1), anchorCoordinate(z1)};
}

namespace {

// [palette][fresh][down]. Faded colours are greyer and darker than bright ones, so that the
// two states stay apart in either palette.
constexpr TagColour kTagBases[2][2][2] = {
    {{{112, 193, 112}, {193, 112, 112}}, {{0, 255, 20}, {255, 20, 0}}},
    {{{128, 128, 160}, {160, 128, 96}}, {{0, 160, 224}, {224, 128, 0}}},
};

}  // namespace

TagColour tagColour(int32_t k, int32_t fresh, int32_t down, int32_t palette) {
  const TagColour base = kTagBases[palette == 1 ? 1 : 0][fresh != 0 ? 1 : 0][down != 0 ? 1 : 0];
  auto channel = [](uint8_t value, int32_t code) {
    return static_cast<uint8_t>((value & 224) + ((code & 15) << 1));
  };
  return {channel(base.red, k), channel(base.green, k >> 4), channel(base.blue, k >> 8)};
}

int32_t tagIndexFromPixel(uint8_t red, uint8_t green, uint8_t blue) {
  return ((red & 31) >> 1) + (((green & 31) >> 1) << 4) + (((blue & 31) >> 1) << 8);
}

int32_t tagTextY(int32_t anchorY, int32_t zoom) { return anchorY - (601 - zoom) / 20; }

TagSizeClass tagSizeClass(int32_t height, int32_t largeTags, int32_t labelWidth) {
  const TagSizeClass medium{labelWidth / 8 + 2, 2, 2000};
  if (height > 320) {
    return largeTags == 1 ? TagSizeClass{labelWidth / 4 + 1, 3, 1000} : medium;
  }
  return largeTags == 1 ? medium : TagSizeClass{5, 1, 3000};
}

std::optional<TagMark> tagMark(int32_t palette, int32_t down, int32_t fontBase) {
  if (palette != 1) return std::nullopt;
  // About half the height of the capitals of the font: 28, 18 and 11 pixels high.
  const int32_t height = fontBase == 1000 ? 11 : fontBase == 2000 ? 7 : 5;
  TagMark mark{2 * height - 1, height, fontBase == 3000 ? 2 : 4, {}};
  const int32_t rowBytes = (mark.width + 7) / 8;
  for (int32_t row = 0; row < height; ++row) {
    // Rows counted from the base of the triangle inward, which is the bottom for a rise.
    const int32_t inset = down != 0 ? height - 1 - row : row;
    for (int32_t column = inset; column < mark.width - inset; ++column) {
      mark.bits[static_cast<size_t>(row * rowBytes + column / 8)] |=
          static_cast<uint8_t>(0x80 >> (column % 8));
    }
  }
  return mark;
}

int32_t tagBoxOffset(int32_t fresh) { return fresh != 0 ? 0 : 132; }

void fillTagBoxPixels(TagBoxPixels& pixels) {
  for (int i = 0; i < 100; ++i) {
    auto& entry = pixels[static_cast<size_t>(i)];
    for (size_t offset = 0; offset <= 252; offset += 3) {
      const int lift = offset <= 126 ? 0 : 0x40;
      entry[offset] = static_cast<uint8_t>(((i & 15) << 1) | lift);
      entry[offset + 1] = static_cast<uint8_t>((((i >> 4) & 15) << 1) | lift);
      entry[offset + 2] = static_cast<uint8_t>((((i >> 8) & 15) << 1) | lift);
    }
    entry[255] = 0;
  }
}

// Drawing.

namespace {

// A coordinate text as the tag places it: not a number, or not a finite one, is 0.
float coordinate(const char* text) {
  const double value = platform::leadingDouble(text);
  return std::isfinite(value) ? static_cast<float>(value) : 0.0f;
}

// The state the tag images and bitmap text rely on, whatever the globe left behind:
// untextured, unlit, unblended fragments (they would change the pick colours), unpadded box
// rows, and 8 x 8 screen pixels per box pixel.
void beginTagState() {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT | GL_LIST_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelZoom(8.0f, 8.0f);
}

void endTagState() {
  glPopClientAttrib();
  glPopAttrib();
}

// The mark ends `gap` pixels left of the text's raster position, a third of its height above
// the baseline (about the middle of the digits), and leaves the position where it was; it
// takes the raster colour, the tag's, as the text does.
void drawTagMark(const std::optional<TagMark>& mark) {
  if (!mark) return;
  glBitmap(mark->width, mark->height, static_cast<GLfloat>(mark->width + mark->gap),
           static_cast<GLfloat>(-(mark->height / 3)), 0.0f, 0.0f, mark->bits.data());
}

// What every tag of one pass is drawn with.
struct TagPass {
  const TagBoxPixels& pixels;
  int32_t labelPhase;
  const DisplayState& display;
  const FrameLayout& layout;
};

// The tag of item k from `table`.
void drawTag(const TagPass& pass, const MarketItemTable& table, int32_t k) {
  if (k < 0 || k >= kItemSlots) return;
  const DisplayState& display = pass.display;
  const TagLabelInputs inputs{display.cycle,       pass.labelPhase,     display.showValue,
                              display.showChange,  display.showPercent, display.hoveredItem,
                              table.altTextEnabled};
  const TagLabel label = makeTagLabel(table.field(labelColumn(inputs, k), k));
  const TagAnchor anchor = tagAnchor(coordinate(table.field(kLatitudeColumn, k)),
                                     coordinate(table.field(kLongitudeColumn, k)));
  glRasterPos3i(anchor.x, anchor.y, anchor.z);
  const TagColour colour = tagColour(k, table.fresh[k], table.down[k], display.palette);
  glColor3ub(colour.red, colour.green, colour.blue);
  const TagSizeClass size =
      tagSizeClass(pass.layout.viewportHeight, display.largeTags, label.width);
  glDrawPixels(size.boxWidth, size.boxHeight, GL_RGB, GL_UNSIGNED_BYTE,
               pass.pixels[static_cast<size_t>(k)].data() + tagBoxOffset(table.fresh[k]));
  // The raster position takes the current colour: the text is drawn in the tag colour.
  glRasterPos3i(anchor.x, tagTextY(anchor.y, display.zoom), anchor.z);
  drawTagMark(tagMark(display.palette, table.down[k], size.fontBase));
  glListBase(static_cast<GLuint>(size.fontBase));
  glCallLists(static_cast<GLsizei>(std::strlen(label.text)), GL_UNSIGNED_BYTE, label.text);
}

}  // namespace

void drawTags(const TagBoxPixels& pixels, int32_t labelPhase, const DisplayState& display,
              const FrameLayout& layout, const MarketItemTable& table) {
  if (table.tableReady != 1) return;
  const TagPass pass{pixels, labelPhase, display, layout};
  const int32_t last = table.itemCount() - table.customAbsent - 1;
  beginTagState();
  for (int32_t k = 0; k <= last; ++k) drawTag(pass, table, k);
  endTagState();
}
