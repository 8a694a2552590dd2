#pragma once
// World clocks: four dial clocks in the overlay and seven small clocks on the equator.
//
// The times and hand angles are plain functions over plain numbers (tested without a
// display); the drawing functions below them only place the quadric shapes, which are
// display lists compiled once.
#include <array>
#include <cstdint>

#include "platform/clock.h"
#include "render/scene_clock.h"

struct FrameLayout;
struct GlyphAtlas;
struct GLUquadric;

// One reading of UTC with the summer-time flags as they were at that moment, and the city
// times derived from them. The globe clocks draw from the same reading as the dials.
struct CityTimes {
  int32_t utcHour = 0;
  int32_t utcMinute = 0;
  int32_t londonSummer = 0;   // 1 while European summer time is in force
  int32_t newYorkSummer = 0;  // 1 while United States daylight time is in force
  int32_t londonHour = 0;
  int32_t newYorkHour = 0;
  int32_t beijingHour = 0;
  int32_t cityMinute = 0;
};

// London UTC (+1 in summer), New York UTC - 5 (+1 in summer), Beijing UTC + 8, each brought
// back into 0 to 23 by one day.
CityTimes cityTimesAt(int32_t utcHour, int32_t utcMinute, int32_t londonSummer,
                      int32_t newYorkSummer);

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
  const char* label;  // exactly 8 characters, drawn as they are
  float x, y;         // centre in overlay units; positive x lies left of the window's centre
  int32_t hour;
  int32_t minute;
};
// Local upper left, London upper right, New York lower left, Beijing lower right.
std::array<DialClock, 4> dialClockTable(int32_t localHour, int32_t localMinute,
                                        const CityTimes& city);

// Label raster position relative to the dial's centre: below the upper dials, above the
// lower ones, so that both stay inside the window.
std::array<float, 2> dialLabelOffset(float centreY);

struct GlobeClock {
  float turnAngle;  // degrees about the polar axis; longitude 9.62 - turnAngle
  int32_t hour;
  int32_t minute;
};
// The seven zone clocks on the equator, London to the Pacific coast of the United States.
std::array<GlobeClock, 7> globeClockTable(const CityTimes& city);

// Every part of a globe clock lies within this many model units of its centre (the face and
// the hands reach about 510), with room to spare.
constexpr float kGlobeClockReach = 1000.0f;

// True when a sphere of `radius` about the origin of the frame `modelView` (column-major, a
// rotation and translation scaled alike on every axis) lies wholly behind the far plane at
// distance `farPlane` in front of the eye.
bool sphereBeyondFarPlane(const float modelView[16], float radius, float farPlane);

// The city times at the clock's UTC time with the summer-time flags of the frame's fetch
// results; the scene pass reads them every frame.
CityTimes readCityTimes(const SceneClock& clock, bool londonSummer, bool newYorkSummer);

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
void drawGlobeClocks(const ClockLists& lists, const CityTimes& city);
// In the overlay frame: the local time the scene pass read (its hour on the frame's twelve-
// hour dial) and the city times, labels in the font below the frame's ticker font, colours
// as `dark` says.
void drawDialClocks(const ClockLists& lists, const GlyphAtlas& atlas, const CityTimes& city,
                    const platform::DateTime& local, const FrameLayout& layout, bool dark);
