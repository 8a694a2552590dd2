#pragma once
// The main window's input: the left drag spins and tilts, the both-button drag zooms, the
// wheel steps, a pick marks or opens a tag, and keys ask for commands. Plain functions over
// the records they are given, so that tests can pass records of their own.
#include <cstdint>

#include "command/commands.h"
#include "model/display_state.h"

// A pointer position as the input measures it. While a button holds the pointer, positions
// left of or above the window arrive negative; they count as lying far beyond its right or
// bottom edge (65536 less their distance), so that a drag ignores them and a zoom drag out
// there zooms out, as a drag downward does. Positions are taken modulo 65536.
int32_t pointerCoordinate(int windowValue);

void leftButtonDown(DisplayState& state, int32_t y);
// Keeps the tilt the drag reached as the base of the next drag.
void leftButtonUp(DisplayState& state);

// A left drag move: the spin follows the cursor's distance from the vertical centre line,
// quadratically, with a dead band in the middle; the tilt follows the vertical offset from
// where the drag began. Damped by zoom. Ignored outside 0 < x, y < 5000.
void leftDragMove(DisplayState& state, int32_t x, int32_t y, int32_t clientWidth,
                  int32_t screenWidth);

// A both-button drag move: a step in by a tenth and one when the cursor went up (or stayed),
// out when it went down.
void zoomDragMove(DisplayState& state, int32_t y, int32_t clientHeight);

// A wheel turn by `notches`: away from the user (positive) zooms in by 5 %, toward the user
// out.
void wheelTurn(ViewState& view, int notches);

// Keys by upper-case code, each a command: 1 to 4 apply presets A to D, N refreshes now, T C P
// flip the night style, the city lights and the palette, F S H L R Z X U D nudge the view.
// Other keys do nothing.
CommandResult keyDown(Commands& commands, int code);

// The key that opens the clocks dialog; the main window opens it, since it is no command.
constexpr int kClocksDialogKey = 'K';

// What a mouse move does with the buttons as they are.
enum class MoveAction { hoverPick, leftDrag, zoomDrag, none };
MoveAction moveAction(const PointerState& pointer);

// The tag a picked index names: the index when it is below the item count, else -1.
int32_t pickedTag(int32_t index, int32_t itemCount);

// What a double-click opens: a tag's web page, the business news page (the bottom tenth of
// the client area, below the ticker's line, when no tag was hit), or nothing.
enum class DoubleClickTarget { tagPage, newsPage, nothing };
DoubleClickTarget doubleClickTarget(int32_t tag, int32_t y, int32_t clientHeight);

// The ticker's band: the bottom tenth of the client area (y below height - height / 10).
bool inTickerBand(int32_t y, int32_t clientHeight);

// Where the pointer rests: over the ticker's band the line stands still for the reader.
void pointerAt(PointerState& pointer, int32_t y, int32_t clientHeight);
// The pointer left the window: the line moves on.
void pointerLeft(PointerState& pointer);
