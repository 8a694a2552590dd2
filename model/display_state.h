#pragma once
// The one record of view values, option flags, fetch schedule flags and renderer requests
// that the main window, the control panel, the renderer and the fetch thread read and write
// directly. Flags are 32-bit integers holding 0 or 1.
//
// Thread use: the fetch thread writes refreshSetting, textureDirty, fetchRunning (to 0) and
// fetchDone (to 1) and touches nothing else here; those four are atomics of the same width.
// Everything else belongs to the UI thread.
#include <atomic>
#include <cstdint>

struct DisplayState {
  // View (carried by view presets).
  int32_t zoom = 80;
  float tilt = 210.0f;
  int32_t tiltBase = 0;
  float spinRate = 0.0f;
  float rotation = 0.0f;
  float gridLevel = 1.0f;
  float colorLevel = 0.0f;

  // Options: one check box each on the control panel; 0 until the first preset is applied.
  int32_t cycle = 0;
  int32_t showValue = 0;
  int32_t showChange = 0;
  int32_t showPercent = 0;
  int32_t largeTags = 0;
  int32_t noon = 0;
  int32_t night = 0;
  int32_t dark = 0;
  int32_t zones = 0;
  int32_t clocks = 0;
  int32_t news = 0;

  // Options beyond the panel's, each a key on the globe window and a key of [Items] (read at
  // start, written when changed; see display_options.h). 0 is the globe as it always looked.
  int32_t nightStyle = 0;  // 0 the fixed night band, 1 the sun's own night with twilight
  int32_t cityLights = 0;  // 1: the lights of the cities on the night side
  int32_t palette = 0;     // 0 red and green tags, 1 blue up and orange down, with triangles

  // Fetch schedule. The period is (121 - refreshSetting) minutes.
  std::atomic<int32_t> refreshSetting{110};
  int32_t fetchNow = 0;
  uint32_t lastFetchTick = 0;  // low 28 bits of the millisecond tick
  // Cleared by the fetch thread before it sets fetchDone, its last store.
  std::atomic<int32_t> fetchRunning{0};
  std::atomic<int32_t> fetchDone{0};
  int32_t closing = 0;

  // Interaction and renderer coordination.
  int32_t leftDragging = 0;
  int32_t rightDragging = 0;
  int32_t dragStartY = 0;
  float lastZoomDragY = 0.0f;
  int32_t hoveredItem = 0;
  int32_t tickerHeld = 0;     // 1 while the mouse rests over the ticker band: the line stands still
  int32_t viewportDirty = 0;  // only kViewportRelayout asks for a new viewport
  std::atomic<int32_t> textureDirty{0};
  int32_t frameBusy = 0;
};

// The request value of DisplayState::viewportDirty.
constexpr int32_t kViewportRelayout = 66;

// The program's one display state, for the life of the process. Both threads write it, each
// only the fields named at the top of this file.
extern DisplayState displayState;

// The schedule measures the time since the last fetch modulo 2^28 ms, so the elapsed count
// never exceeds 2^28 - 1 = 268,435,455 ms, and a period at or above that could never pass
// (2^28 - 2 only in a frame that lands on the very last millisecond before the count wraps).
// The longest period is therefore the longest whole-minute one below it, 4473 minutes (about
// 74.5 hours), which leaves 55,455 ms before the wrap for a frame to see that it has passed.
constexpr int32_t kMaxFetchPeriodMs = 4473 * 60000;

// The shortest period, whatever a script sets: one bad script must not make every globe
// hammer the quote and news servers.
constexpr int32_t kMinFetchPeriodMs = 60000;

// Milliseconds between fetch starts for a refreshSetting: (121 - refreshSetting) minutes,
// at most kMaxFetchPeriodMs and at least kMinFetchPeriodMs, so 120 and above (the script's
// "at once") mean every minute.
int32_t fetchPeriodMs(int32_t refreshSetting);
