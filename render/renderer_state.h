#pragma once
// What the renderer keeps from one frame to the next: the GL resources made once for the
// window, the viewport, the globe's motion and the sun, the times the clocks show, the label
// cycle, the ticker's place and the picks the main window asked for. The main window makes
// one when it is created and hands it to every frame; tests make their own. UI thread only.
//
// Frame composition and the scene pass hand each step the parts of the record it works on.
#include <cstdint>

#include "platform/clock.h"
#include "render/clock_zones.h"
#include "render/clocks.h"
#include "render/earth_texture.h"
#include "render/frame_step.h"
#include "render/gl_context.h"
#include "render/globe_layer.h"
#include "render/globe_mesh.h"
#include "render/glyph_atlas.h"
#include "render/pick.h"
#include "render/scene_clock.h"
#include "render/tags.h"

struct GLUquadric;

struct RendererState {
  SceneClock clock;

  // GL resources, made when the scene is prepared (initScene).
  GLUquadric* sharedQuadric = nullptr;  // flat normals, texture coordinates on: the clocks
  ClockLists clockLists;                // compiled from the shared quadric
  TagBoxPixels tagBoxPixels{};
  GlyphAtlas glyphAtlas;  // the fonts' glyphs, for text and tag boxes (createFonts)
  // How much larger texts are drawn on this display (1 at 96 dpi), and the sizes the fonts
  // were last built at (sizeFonts), if they were.
  float displayScale = 1.0f;
  FontScales fontScales;
  bool fontsBuilt = false;
  EarthTexture earthTexture;
  SphereTables sphere{};
  GlobeLists globeLists;
  GlobeLayer globeLayer;        // the still globe's pixels, put back while nothing shapes them anew
  float cameraDistance = 0.0f;  // how far frame composition moves the scene from the eye

  // The client size at the last viewport set-up; 0 until the first frame sets one up.
  float viewportWidth = 0.0f;
  int32_t viewportHeight = 0;

  // Motion: frames of 1/60 s since the frame before, taken at the start of each frame.
  FrameClock frameClock;
  float frameStep = 1.0f;

  // Globe motion.
  float shownTilt = 180.0f;  // eases toward DisplayState::tilt by a third of the gap per frame
  float spinAngle = 0.0f;    // turn about the polar axis applied to the globe
  int32_t sunAngle = 0;      // UTC minutes of the day / 4 + 189, in 1 to 360
  int32_t lastSunAngle = 0;  // sunAngle at which the texture was last requested

  // The times the scene pass read last, and the clocks' times read with them.
  platform::DateTime localTime{};
  platform::DateTime utcTime{};
  ClockTimes clockTimes;
  // Where the clocks take their time; read from the settings at the first frame and again
  // when a frame is asked for new clocks.
  ClockZones clockZones;
  bool clockZonesRead = false;

  // Tag label cycle: phase 0 to 3 (0 to 4 with alternative texts), stepped every 1.5 s.
  int32_t labelPhase = 0;
  uint32_t phaseTickDue = 0;  // tick at which the next step is due
  int32_t phaseTickCount = 0;

  // News ticker.
  int32_t tickerPos = 0;    // index of the first character shown
  int32_t tickerPause = 0;  // steps of 1/60 s to wait before the ticker moves again
  // The fraction of a ticker step that the frames so far have not taken.
  float tickerCarry = kCarryStart;

  PickRequests picks;

  // Set while a frame is composed; the paint handler starts no second one meanwhile.
  bool frameBusy = false;
};
