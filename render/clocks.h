#pragma once
// World clocks: four dial clocks in the overlay and small clocks on the globe, seven on the
// equator or those the user chose at their zones' places (render/clock_zones.h).
//
// The times and hand angles are plain functions over plain numbers (tested without a
// display); the drawing functions below them only place the quadric shapes, which are
// display lists compiled once.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "render/clock_zones.h"
#include "render/scene_clock.h"

struct FrameLayout;
struct GlyphAtlas;
struct GLUquadric;

// Hand angles in degrees about the clock's x axis. The minute hand starts a quarter turn
// round (90) because the hands are drawn along z and turned up by the clock's own frame.
struct HandAngles {
  float second;
  int32_t minute;
  int32_t hour;
};
// minute x 6 + 90; the hour hand hour x 30 + minuteAngle / 12 + 83 with integer division,
// so it moves in whole degrees. The hour is taken as given: 13 is one whole turn past 1.
HandAngles handAngles(float second, int32_t hour, int32_t minute);
// The same for a 12-hour dial: hours above 11 are reduced by 12 first.
HandAngles dialHandAngles(float second, int32_t hour, int32_t minute);

using Colour = std::array<float, 3>;
// Label colour of the dial clocks: dark green on the dark background, light grey otherwise.
Colour dialLabelColour(bool dark);
// Tick colour: cyan on the dark background, black otherwise.
Colour dialTickColour(bool dark);

struct DialClock {
  std::string_view label;  // drawn as it is; the program's own labels have 8 characters
  float x, y;              // centre in overlay units; positive x lies left of the window's centre
  int32_t hour;
  int32_t minute;
};
// The four corners: upper left, upper right, lower left, lower right. A machine-local dial
// shows `localHour` (already on the twelve-hour dial) and `localMinute`; the others the
// frame's clock times.
std::array<DialClock, 4> dialClockTable(const ClockZones& zones, const ClockTimes& times,
                                        int32_t localHour, int32_t localMinute);

// Label raster position relative to the dial's centre: below the upper dials, above the
// lower ones, so that both stay inside the window.
std::array<float, 2> dialLabelOffset(float centreY);

struct GlobeClock {
  float turnAngle;  // degrees about the polar axis; longitude 9.62 - turnAngle
  float latitude;   // degrees north
  int32_t hour;
  int32_t minute;
};
// The globe clocks with the frame's clock times.
std::vector<GlobeClock> globeClockTable(const ClockZones& zones, const ClockTimes& times);

// Every part of a globe clock lies within this many model units of its centre (the face and
// the hands reach about 510), with room to spare.
constexpr float kGlobeClockReach = 1000.0f;

// True when a sphere of `radius` about the origin of the frame `modelView` (column-major, a
// rotation and translation scaled alike on every axis) lies wholly behind the far plane at
// distance `farPlane` in front of the eye.
bool sphereBeyondFarPlane(const float modelView[16], float radius, float farPlane);

// The clock times at the renderer's UTC time, with the fetch results' summer-time flags for
// the clocks whose zone the database lacks; the scene pass reads them every frame.
ClockTimes readClockTimes(const ClockZones& zones, const SceneClock& clock, SummerFlags flags);

// The clocks' quadric shapes as display lists, compiled once from the shared quadric.
constexpr uint32_t kClockShapes = 8;
struct ClockLists {
  uint32_t first = 0;  // first of kClockShapes consecutive lists; 0 while there are none
};
// Compiles the lists from `quadric` (flat normals, texture coordinates on); nothing without a
// quadric or when they exist already.
void compileClockLists(GLUquadric* quadric, ClockLists& lists);

// The drawing below does nothing without the lists.

// In the globe's model frame.
void drawGlobeClocks(const ClockLists& lists, const ClockZones& zones, const ClockTimes& times);
// In the overlay frame: the local time the scene pass read (its hour on the frame's twelve-
// hour dial) for machine-local dials and the clock times for the others, labels in the font
// below the frame's ticker font, colours as `dark` says.
void drawDialClocks(const ClockLists& lists, const GlyphAtlas& atlas, const ClockZones& zones,
                    const ClockTimes& times, const platform::DateTime& local,
                    const FrameLayout& layout, bool dark);
