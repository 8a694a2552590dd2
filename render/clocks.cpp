#include "render/clocks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "platform/clock.h"
#include "platform/time_zone.h"
#include "render/frame_layout.h"
#include "render/glyph_atlas.h"

HandAngles handAngles(float second, int32_t hour, int32_t minute) {
  const int32_t minuteAngle = minute * 6 + 90;
  return {second * 6.0f, minuteAngle, hour * 30 + minuteAngle / 12 + 83};
}

HandAngles dialHandAngles(float second, int32_t hour, int32_t minute) {
  return handAngles(second, hour > 11 ? hour - 12 : hour, minute);
}

Colour dialLabelColour(bool dark) {
  return dark ? Colour{0.02f, 0.31f, 0.21f} : Colour{0.81f, 0.79f, 0.79f};
}

Colour dialTickColour(bool dark) {
  return dark ? Colour{0.01f, 0.99f, 0.99f} : Colour{0.0f, 0.0f, 0.0f};
}

std::array<DialClock, 4> dialClockTable(const ClockZones& zones, const ClockTimes& times,
                                        int32_t localHour, int32_t localMinute) {
  constexpr float kCorners[4][2] = {
      {0.19f, 0.12f}, {-0.19f, 0.12f}, {0.19f, -0.12f}, {-0.19f, -0.12f}};
  std::array<DialClock, 4> dials{};
  for (size_t i = 0; i < dials.size(); ++i) {
    const DialSlot& slot = zones.dials[i];
    const bool local = slot.source.machineLocal;
    dials[i] = {slot.label, kCorners[i][0], kCorners[i][1], local ? localHour : times.dials[i].hour,
                local ? localMinute : times.dials[i].minute};
  }
  return dials;
}

std::array<float, 2> dialLabelOffset(float centreY) {
  if (centreY > 0.0f) return {0.026f, -0.045f};
  return {0.026f, 0.04f};
}

std::vector<GlobeClock> globeClockTable(const ClockZones& zones, const ClockTimes& times) {
  std::vector<GlobeClock> clocks;
  clocks.reserve(times.globeCount);
  for (size_t i = 0; i < times.globeCount && i < zones.globe.size(); ++i) {
    const GlobeSlot& slot = zones.globe[i];
    clocks.push_back({slot.turnAngle, slot.latitude, times.globe[i].hour, times.globe[i].minute});
  }
  return clocks;
}

bool sphereBeyondFarPlane(const float modelView[16], float radius, float farPlane) {
  // The frame is a rotation scaled alike on every axis: the length of the first column is
  // the scale, and the translation column is the centre in eye space, looking down -z.
  const float scale = std::sqrt(modelView[0] * modelView[0] + modelView[1] * modelView[1] +
                                modelView[2] * modelView[2]);
  return modelView[14] + radius * scale < -farPlane;
}

ClockTimes readClockTimes(const ClockZones& zones, const SceneClock& clock, SummerFlags flags) {
  // The renderer's one time source, so that a fixed clock moves every clock together.
  return clockTimesAt(zones, platform::unixSeconds(clock.utc()), flags);
}

namespace {

void setColour(const Colour& colour) { glColor3f(colour[0], colour[1], colour[2]); }

// The clocks are flat colour: no texture from the globe, no lighting, no depth test (the far
// plane already hides what lies behind the globe).
void plainColourState() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
}

// The quadric shapes of the clocks, each compiled once into a display list: the same vertices
// the quadric would send every frame. Indexed by ClockShape.
enum ClockShape : int {
  kDialTick,
  kDialMinuteHand,
  kDialHourHand,
  kDialSecondMark,
  kGlobeFace,
  kGlobeTick,
  kGlobeMinuteHand,
  kGlobeHourHand,
};

void drawShape(const ClockLists& lists, ClockShape shape) {
  glCallList(static_cast<GLuint>(lists.first + static_cast<uint32_t>(shape)));
}

// Twelve hour ticks round the clock's x axis at `radius`; the twelfth turn brings the frame
// back to where it started.
void drawTicks(const ClockLists& lists, ClockShape tick, double radius) {
  for (int i = 0; i < 12; ++i) {
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    glTranslated(0.0, 0.0, radius);
    drawShape(lists, tick);
    glTranslated(0.0, 0.0, -radius);
  }
}

// A dial hand: a flat cone along the hand's direction, starting just behind the centre.
void drawDialHand(const ClockLists& lists, ClockShape hand, int32_t angle) {
  glRotatef(static_cast<float>(-angle), 1.0f, 0.0f, 0.0f);
  glTranslated(0.0, 0.0, -0.002);
  drawShape(lists, hand);
  glTranslated(0.0, 0.0, 0.002);
  glRotatef(static_cast<float>(angle), 1.0f, 0.0f, 0.0f);
}

void drawDialLabel(const GlyphAtlas& atlas, std::string_view label, float centreY,
                   int32_t fontBase) {
  const auto offset = dialLabelOffset(centreY);
  glRasterPos3f(offset[0], offset[1], 0.0f);
  drawAtlasText(atlas, fontBase, label.data(), label.size());
}

// What every dial of one frame is drawn with.
struct DialStyle {
  const ClockLists& lists;
  const GlyphAtlas& atlas;
  int32_t labelFontBase;
  bool dark;
};

// One dial of radius 0.03 overlay units centred at (x, y), with its label.
void drawDialClock(const DialStyle& style, float second, const DialClock& clock) {
  const HandAngles angles = dialHandAngles(second, clock.hour, clock.minute);
  plainColourState();
  glPushMatrix();
  glTranslatef(clock.x, clock.y, 0.0f);
  setColour(dialLabelColour(style.dark));
  drawDialLabel(style.atlas, clock.label, clock.y, style.labelFontBase);
  setColour(dialTickColour(style.dark));
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
  drawTicks(style.lists, kDialTick, 0.03);
  glColor3f(0.91f, 0.31f, 0.0f);
  drawDialHand(style.lists, kDialMinuteHand, angles.minute);
  drawDialHand(style.lists, kDialHourHand, angles.hour);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-angles.second, 1.0f, 0.0f, 0.0f);
  glTranslated(0.0, 0.0, 0.029);
  drawShape(style.lists, kDialSecondMark);
  glPopMatrix();
}

// A clock on the far side of the globe lies wholly behind the far plane: it would send all its
// shapes through the pipeline only to have them clipped away, so it is skipped.
bool clockHidden() {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  return sphereBeyondFarPlane(m, kGlobeClockReach, static_cast<float>(kGlobeFarPlane));
}

// One clock of radius 500 model units standing at the turn angle and latitude.
void drawGlobeClock(const ClockLists& lists, const GlobeClock& clock) {
  const HandAngles angles = handAngles(0.0f, clock.hour, clock.minute);
  plainColourState();
  glColor3f(0.02f, 0.61f, 0.41f);
  glPushMatrix();
  glRotatef(clock.turnAngle, 0.0f, 1.0f, 0.0f);
  // North lies toward -y in the globe's frame (a point at latitude p has y = -sin p).
  if (clock.latitude != 0.0f) glRotatef(clock.latitude, 1.0f, 0.0f, 0.0f);
  // Just above the surface (radius 4060), so the face is not lost in the globe.
  glTranslated(0.0, 0.0, 4100.0);
  if (clockHidden()) {
    glPopMatrix();
    return;
  }
  drawShape(lists, kGlobeFace);
  glTranslated(0.0, 0.0, 1.0);
  glColor3f(0.01f, 0.99f, 0.99f);
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
  drawTicks(lists, kGlobeTick, 450.0);
  glColor3f(0.91f, 0.31f, 0.0f);
  glRotatef(static_cast<float>(angles.minute), 1.0f, 0.0f, 0.0f);
  drawShape(lists, kGlobeMinuteHand);
  glRotatef(static_cast<float>(-angles.minute), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(angles.hour), 1.0f, 0.0f, 0.0f);
  drawShape(lists, kGlobeHourHand);
  glPopMatrix();
}

}  // namespace

void compileClockLists(GLUquadric* quadric, ClockLists& lists) {
  if (quadric == nullptr || lists.first != 0) return;
  const GLuint first = glGenLists(kClockShapes);
  if (first == 0) return;
  const auto compile = [&](ClockShape shape, auto&& draw) {
    glNewList(first + static_cast<GLuint>(shape), GL_COMPILE);
    draw();
    glEndList();
  };
  compile(kDialTick, [&] { gluCylinder(quadric, 0.002, 0.002, 0.002, 2, 2); });
  compile(kDialMinuteHand, [&] { gluCylinder(quadric, 0.004, 0.0, 0.03, 2, 2); });
  compile(kDialHourHand, [&] { gluCylinder(quadric, 0.004, 0.0, 0.02, 2, 2); });
  compile(kDialSecondMark, [&] { gluCylinder(quadric, 0.0005, 0.0005, 0.003, 2, 2); });
  compile(kGlobeFace, [&] { gluDisk(quadric, 0.0, 500.0, 20, 10); });
  compile(kGlobeTick, [&] { gluCylinder(quadric, 52.0, 52.0, 87.0, 2, 2); });
  compile(kGlobeMinuteHand, [&] { gluCylinder(quadric, 50.0, 50.0, 500.0, 2, 2); });
  compile(kGlobeHourHand, [&] { gluCylinder(quadric, 50.0, 50.0, 320.0, 2, 2); });
  lists.first = first;
}

void drawDialClocks(const ClockLists& lists, const GlyphAtlas& atlas, const ClockZones& zones,
                    const ClockTimes& times, const platform::DateTime& local,
                    const FrameLayout& layout, bool dark) {
  if (lists.first == 0) return;
  // The labels' font is one size below the ticker's.
  const DialStyle style{lists, atlas, layout.tickerFontBase - 200, dark};
  const float second = static_cast<float>(local.second);
  for (const DialClock& clock : dialClockTable(zones, times, layout.localClockHour, local.minute)) {
    drawDialClock(style, second, clock);
  }
}

void drawGlobeClocks(const ClockLists& lists, const ClockZones& zones, const ClockTimes& times) {
  if (lists.first == 0) return;
  for (const GlobeClock& clock : globeClockTable(zones, times)) drawGlobeClock(lists, clock);
}
