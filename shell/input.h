#pragma once
// The main window's input as changes of DisplayState: the left drag spins and tilts, the
// both-button drag zooms, the wheel and keys step, a pick marks or opens a tag; and the
// paint handler's fetch schedule. Plain functions over the record they are given, so that
// tests can pass a record of their own; the main window passes displayState.
#include <cstdint>
#include <optional>

#include "model/display_options.h"

struct DisplayState;

// Zoom limits of the wheel and keys, and of the both-button drag.
constexpr int32_t kMinStepZoom = 25;
constexpr int32_t kMinDragZoom = 2;
constexpr int32_t kMaxZoom = 600;

// Cursor positions arrive as the window system's 16-bit client coordinates: a position left
// of or above the captured window wraps to a large value.
uint16_t clientCoordinate(int value);

void leftButtonDown(DisplayState& state, uint16_t y);
// Keeps the tilt the drag reached as the base of the next drag.
void leftButtonUp(DisplayState& state);

// A left drag move: the spin follows the cursor's distance from the vertical centre line,
// quadratically, with a dead band in the middle; the tilt follows the vertical offset from
// where the drag began. Damped by zoom. Ignored outside 0 < x, y < 5000.
void leftDragMove(DisplayState& state, uint16_t x, uint16_t y, int32_t clientWidth,
                  int32_t screenWidth);

// A both-button drag move: a step in by a tenth and one when the cursor went up (or stayed),
// out when it went down.
void zoomDragMove(DisplayState& state, uint16_t y, int32_t clientHeight);

// A wheel turn: positive distances zoom in by 5 %, negative ones out.
void wheelTurn(DisplayState& state, int32_t distance);

// What a key asks of the rest of the program beyond the display state it changed itself.
struct KeyEffect {
  int32_t panelCommand = 0;              // a command for the control panel, or 0
  std::optional<DisplayOption> toggled;  // an option that changed and is to be stored
};

// Keys by upper-case code: F S H L R (spin), Z X (zoom) and U D (tilt) change the state; T C P
// flip the night style, the city lights and the palette; 1 to 4 and N ask the panel for
// presets A to D and Now, as its buttons do. Others do nothing.
KeyEffect keyDown(DisplayState& state, int code);

// What a mouse move does with the buttons as they are.
enum class MoveAction { hoverPick, leftDrag, zoomDrag, none };
MoveAction moveAction(const DisplayState& state);

// The tag a picked index names: the index when it is below the item count, else -1.
int32_t pickedTag(int32_t index, int32_t itemCount);

// What a double-click opens: a tag's web page, the business news page (the bottom tenth of
// the client area, below the ticker's line, when no tag was hit), or nothing.
enum class DoubleClickTarget { tagPage, newsPage, nothing };
DoubleClickTarget doubleClickTarget(int32_t tag, uint16_t y, int32_t clientHeight);

// The ticker's band: the bottom tenth of the client area (y below height - height / 10).
bool inTickerBand(uint16_t y, int32_t clientHeight);

// Where the pointer rests: over the ticker's band the line stands still for the reader.
void pointerAt(DisplayState& state, uint16_t y, int32_t clientHeight);
// The pointer left the window: the line moves on.
void pointerLeft(DisplayState& state);

// ---- Fetch schedule ----

// The low 28 bits of the millisecond tick, the schedule's clock.
constexpr uint32_t kFetchTickMask = 0x0FFFFFFF;

// Milliseconds from `lastTick` to `now`, both 28-bit ticks, across the 28-bit wrap.
uint32_t fetchElapsed(uint32_t now, uint32_t lastTick);

enum class FetchDecision {
  notDue,        // nothing to do
  stillRunning,  // due, but a fetch is under way: the period starts over
  start,         // start a fetch thread now
  closed,        // due while closing: marked running for good, nothing starts
};

// One paint's schedule step. `before` is the tick read before the frame, `now` after it.
// When due (elapsed above the period, or fetchNow set) the request is used up and the
// period restarts; for `start` the caller sets fetchRunning and fetchDone and starts the
// thread (startFetchRun).
FetchDecision fetchSchedule(DisplayState& state, uint32_t before, uint32_t now);

// The flags of a starting run: fetchRunning = 1, fetchDone = 0.
void beginFetchRun(DisplayState& state);

// The fetch thread's last acts: fetchRunning = 0, then fetchDone = 1.
void endFetchRun(DisplayState& state);
