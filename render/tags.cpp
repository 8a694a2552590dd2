#include "render/tags.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/display_state.h"
#include "model/item_table.h"
#include "platform/text.h"
#include "render/frame_layout.h"
#include "render/glyph_atlas.h"

// Pure steps. The numbers are the program's own: its pi of 3.14159, the box and font
// classes, and base colours that use only the top three bits of each channel so that the
// index fits below them.

int labelColumn(const TagLabelInputs& in, int32_t k) {
  if (!in.cycle) {
    if (in.hoveredItem == k) return kNameColumn;
    if (in.showValue) return kValueColumn;
    if (in.showChange) return kChangeColumn;
    if (in.showPercent) return kPercentColumn;
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
      return in.altTextEnabled ? kAltTextColumn : kNameColumn;
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

TagColour tagColour(int32_t k, int32_t fresh, bool down, bool palette) {
  const TagColour base = kTagBases[palette ? 1 : 0][fresh != 0 ? 1 : 0][down ? 1 : 0];
  auto channel = [](uint8_t value, int32_t code) {
    return static_cast<uint8_t>((value & 224) + ((code & 15) << 1));
  };
  return {channel(base.red, k), channel(base.green, k >> 4), channel(base.blue, k >> 8)};
}

int32_t tagIndexFromPixel(uint8_t red, uint8_t green, uint8_t blue) {
  return ((red & 31) >> 1) + (((green & 31) >> 1) << 4) + (((blue & 31) >> 1) << 8);
}

int32_t tagTextY(int32_t anchorY, int32_t zoom) { return anchorY - (601 - zoom) / 20; }

TagSizeClass tagSizeClass(int32_t height, bool largeTags, int32_t labelWidth) {
  const TagSizeClass medium{labelWidth / 8 + 2, 2, 2000};
  if (height > 320) {
    return largeTags ? TagSizeClass{labelWidth / 4 + 1, 3, 1000} : medium;
  }
  return largeTags ? medium : TagSizeClass{5, 1, 3000};
}

int32_t tagBoxZoom(float tagScale) {
  return static_cast<int32_t>(std::lround(static_cast<float>(kTagBoxZoom) * tagScale));
}

std::optional<TagMark> tagMark(bool palette, bool down, int32_t fontBase, float tagScale) {
  if (!palette) return std::nullopt;
  const auto scaled = [tagScale](int32_t pixels) {
    return std::max(static_cast<int32_t>(std::lround(static_cast<float>(pixels) * tagScale)), 1);
  };
  // About half the height of the capitals of the font: 28, 18 and 11 pixels high.
  const int32_t height = scaled(fontBase == 1000 ? 11 : fontBase == 2000 ? 7 : 5);
  TagMark mark{2 * height - 1, height, scaled(fontBase == 3000 ? 2 : 4), {}};
  const int32_t rowBytes = (mark.width + 7) / 8;
  mark.bits.assign(static_cast<size_t>(rowBytes * height), 0);
  for (int32_t row = 0; row < height; ++row) {
    // Rows counted from the base of the triangle inward, which is the bottom for a rise.
    const int32_t inset = down ? height - 1 - row : row;
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

// The mark of palette 1 as quads of the atlas's solid texel, one per row of the triangle:
// placed as glBitmap would place it from the text's raster spot, ending `gap` pixels left of
// the text and a third of its height above the baseline (about the middle of the digits).
void appendMarkQuads(const GlyphAtlas& atlas, const TagMark& mark, const RasterSpot& text,
                     std::vector<PixelQuad>& quads) {
  const auto left = static_cast<int32_t>(
      std::floor(text.x + 0.0001f - static_cast<float>(mark.width + mark.gap)));
  const auto bottom =
      static_cast<int32_t>(std::floor(text.y + 0.0001f + static_cast<float>(mark.height / 3)));
  const PixelQuad solid = boxQuad(atlas, 0.0f, 0.0f, 0, 0, 1, text.colour);
  const int32_t rowBytes = (mark.width + 7) / 8;
  for (int32_t row = 0; row < mark.height; ++row) {
    int32_t first = -1, end = -1;
    for (int32_t column = 0; column < mark.width; ++column) {
      if ((mark.bits[static_cast<size_t>(row * rowBytes + column / 8)] & (0x80 >> (column % 8))) ==
          0) {
        continue;
      }
      if (first < 0) first = column;
      end = column + 1;
    }
    if (first < 0) continue;
    PixelQuad quad = solid;
    quad.x0 = left + first;
    quad.x1 = left + end;
    quad.y0 = bottom + row;
    quad.y1 = bottom + row + 1;
    quads.push_back(quad);
  }
}

// What every tag of one pass is drawn with.
struct TagPass {
  const GlyphAtlas& atlas;
  const TagBoxPixels& pixels;
  int32_t labelPhase;
  const DisplayState& display;
  const FrameLayout& layout;
};

QuadColour unitColour(uint8_t red, uint8_t green, uint8_t blue) {
  return {static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f,
          static_cast<float>(blue) / 255.0f};
}

// The box of item k at the anchor's raster spot: its pixels come from the half of the pick
// entry that `fresh` selects, and each half is one colour throughout, so the box is one quad.
void addTagBox(const TagPass& pass, const RasterSpot& anchor, int32_t k, int32_t fresh,
               const TagSizeClass& size, std::vector<PixelQuad>& quads) {
  if (!anchor.valid) return;
  const uint8_t* pixel = pass.pixels[static_cast<size_t>(k)].data() + tagBoxOffset(fresh);
  quads.push_back(boxQuad(pass.atlas, anchor.x, anchor.y, size.boxWidth, size.boxHeight,
                          tagBoxZoom(pass.layout.tagScale),
                          unitColour(pixel[0], pixel[1], pixel[2])));
}

// Places the tag of item k from `table`: its box and its label, in that order, join `quads`.
// The raster position does the placing, in the globe's frame, exactly as for a pixel
// rectangle and bitmap text, and its colour is the tag colour.
void placeTag(const TagPass& pass, const MarketItemTable& table, int32_t k,
              std::vector<PixelQuad>& quads) {
  if (k < 0 || k >= kItemSlots) return;
  const ViewState& view = pass.display.view;
  const TagLabelInputs inputs{view.cycle,          pass.labelPhase,
                              view.showValue,      view.showChange,
                              view.showPercent,    pass.display.pointer.hoveredItem,
                              table.altTextEnabled};
  const TagLabel label = makeTagLabel(table.field(labelColumn(inputs, k), k));
  const TagAnchor anchor = tagAnchor(coordinate(table.field(kLatitudeColumn, k)),
                                     coordinate(table.field(kLongitudeColumn, k)));
  const TagColour colour = tagColour(k, table.fresh[k], table.down[k], view.palette);
  glColor3ub(colour.red, colour.green, colour.blue);
  glRasterPos3i(anchor.x, anchor.y, anchor.z);
  const RasterSpot box = readRasterSpot();
  glRasterPos3i(anchor.x, tagTextY(anchor.y, view.zoom), anchor.z);
  RasterSpot text = readRasterSpot();
  const TagSizeClass size = tagSizeClass(pass.layout.layoutHeight, view.largeTags, label.width);
  addTagBox(pass, box, k, table.fresh[k], size, quads);
  if (!text.valid) return;
  const RasterSpot textStart = text;
  appendTextQuads(pass.atlas, text.x, text.y, size.fontBase, label.text, std::strlen(label.text),
                  text.colour, quads);
  // The mark takes the tag's colour, so that it picks as the tag does.
  if (const auto mark = tagMark(view.palette, table.down[k], size.fontBase, pass.layout.tagScale)) {
    appendMarkQuads(pass.atlas, *mark, textStart, quads);
  }
}

}  // namespace

void drawTags(const GlyphAtlas& atlas, const TagBoxPixels& pixels, int32_t labelPhase,
              const DisplayState& display, const FrameLayout& layout,
              const MarketItemTable& table) {
  if (!table.tableReady) return;
  const TagPass pass{atlas, pixels, labelPhase, display, layout};
  const int32_t last = table.itemCount() - table.customAbsent - 1;
  std::vector<PixelQuad> quads;
  quads.reserve(static_cast<size_t>(std::max(last + 1, 0)) * 6);
  for (int32_t k = 0; k <= last; ++k) placeTag(pass, table, k, quads);
  // One batch for all tags; later tags still cover earlier ones, as quads keep their order.
  drawPixelQuads(atlas, quads);
}
