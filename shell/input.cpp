#include "shell/input.h"

#include "model/display_state.h"
#include "panel/dialog_tables.h"

namespace {

int32_t atMost(int32_t value, int32_t limit) { return value > limit ? limit : value; }
int32_t atLeast(int32_t value, int32_t limit) { return value < limit ? limit : value; }

float tiltWithinLimits(float tilt) {
  if (tilt > 270.0f) return 270.0f;
  if (tilt < 90.0f) return 90.0f;
  return tilt;
}

// The drag's damping: a bigger globe turns and tilts less for the same cursor travel.
float dragDamping(int32_t zoom) { return 1.0f - static_cast<float>(zoom) / 700.0f; }

// Degrees per frame for a cursor at x: t counts tenths of the distance from the centre
// line (positive to its left); the rate grows with t squared, relative to the window's
// share of the screen, less a dead band of q on either side.
float dragSpinRate(uint16_t x, int32_t clientWidth, int32_t screenWidth, float damping) {
  const int32_t t = clientWidth / 20 - x / 10;
  const float ratio = static_cast<float>(clientWidth) / static_cast<float>(screenWidth) / 2.0f;
  float v = static_cast<float>(t * t) / (10.0f * ratio);
  if (t <= 0) v = -v;
  const float q = static_cast<float>(clientWidth) / (static_cast<float>(screenWidth) / 4.0f);
  if (v > -q && v < q) {
    v = 0.0f;
  } else {
    v = v > 0.0f ? v - q : v + q;
  }
  return v / 128.0f * damping;
}

}  // namespace

uint16_t clientCoordinate(int value) { return static_cast<uint16_t>(value); }

void leftButtonDown(DisplayState& state, uint16_t y) {
  state.leftDragging = 1;
  state.dragStartY = y;
}

void leftButtonUp(DisplayState& state) {
  state.leftDragging = 0;
  state.tiltBase = static_cast<int32_t>(state.tilt - 180.0f);
}

void leftDragMove(DisplayState& state, uint16_t x, uint16_t y, int32_t clientWidth,
                  int32_t screenWidth) {
  if (x == 0 || x >= 5000 || y == 0 || y >= 5000) return;
  const float damping = dragDamping(state.zoom);
  // A window or screen without width has no centre line to measure from.
  if (clientWidth > 0 && screenWidth > 0) {
    state.spinRate = dragSpinRate(x, clientWidth, screenWidth, damping);
  }
  const auto offset =
      static_cast<int32_t>(static_cast<float>(y - state.dragStartY) * damping / 8.0f);
  state.tilt = tiltWithinLimits(static_cast<float>(state.tiltBase + offset + 180));
}

void zoomDragMove(DisplayState& state, uint16_t y, int32_t clientHeight) {
  const auto yo = static_cast<float>(y - clientHeight / 2);
  if (yo > state.lastZoomDragY) {
    state.zoom = state.zoom - state.zoom / 10 - 1;
  } else {
    state.zoom = state.zoom + state.zoom / 10 + 1;
  }
  state.lastZoomDragY = yo;
  state.zoom = atMost(atLeast(state.zoom, kMinDragZoom), kMaxZoom);
}

void wheelTurn(DisplayState& state, int32_t distance) {
  if (distance > 0) {
    state.zoom = atMost(static_cast<int32_t>(state.zoom * 1.05), kMaxZoom);
  } else if (distance < 0) {
    state.zoom = atLeast(static_cast<int32_t>(state.zoom * 0.95), kMinStepZoom);
  }
}

namespace {

void viewKey(DisplayState& state, int code) {
  switch (code) {
    case 'F':
      state.spinRate = static_cast<float>(state.spinRate * 1.1);
      break;
    case 'S':
      state.spinRate = static_cast<float>(state.spinRate * 0.9);
      break;
    case 'H':
      state.spinRate = 0.0f;
      break;
    case 'L':
      state.spinRate = 0.1f;
      break;
    case 'R':
      state.spinRate = -0.1f;
      break;
    case 'Z':
      state.zoom = atMost(static_cast<int32_t>(state.zoom * 1.1), kMaxZoom);
      break;
    case 'X':
      state.zoom = atLeast(static_cast<int32_t>(state.zoom * 0.9), kMinStepZoom);
      break;
    case 'U':
      state.tilt = state.tilt + 1.0f > 270.0f ? 270.0f : state.tilt + 1.0f;
      break;
    case 'D':
      state.tilt = state.tilt - 1.0f < 90.0f ? 90.0f : state.tilt - 1.0f;
      break;
    default:
      break;
  }
}

int32_t panelCommandOfKey(int code) {
  if (code >= '1' && code <= '4') return panelid::presetA + (code - '1');
  return code == 'N' ? panelid::now : 0;
}

std::optional<DisplayOption> optionOfKey(int code) {
  switch (code) {
    case 'T':
      return DisplayOption::nightStyle;
    case 'C':
      return DisplayOption::cityLights;
    case 'P':
      return DisplayOption::palette;
    default:
      return std::nullopt;
  }
}

}  // namespace

KeyEffect keyDown(DisplayState& state, int code) {
  if (const int32_t command = panelCommandOfKey(code)) return {command, std::nullopt};
  if (const auto option = optionOfKey(code)) {
    toggleOption(state, *option);
    return {0, option};
  }
  viewKey(state, code);
  return {};
}

MoveAction moveAction(const DisplayState& state) {
  if (state.leftDragging == 0 && state.rightDragging == 0) return MoveAction::hoverPick;
  if (state.leftDragging == 1 && state.rightDragging != 1) return MoveAction::leftDrag;
  if (state.leftDragging == 1 && state.rightDragging == 1) return MoveAction::zoomDrag;
  return MoveAction::none;
}

int32_t pickedTag(int32_t index, int32_t itemCount) {
  return index >= 0 && index < itemCount ? index : -1;
}

DoubleClickTarget doubleClickTarget(int32_t tag, uint16_t y, int32_t clientHeight) {
  if (tag >= 0) return DoubleClickTarget::tagPage;
  if (inTickerBand(y, clientHeight)) return DoubleClickTarget::newsPage;
  return DoubleClickTarget::nothing;
}

bool inTickerBand(uint16_t y, int32_t clientHeight) { return y > clientHeight - clientHeight / 10; }

void pointerAt(DisplayState& state, uint16_t y, int32_t clientHeight) {
  state.tickerHeld = inTickerBand(y, clientHeight) ? 1 : 0;
}

void pointerLeft(DisplayState& state) { state.tickerHeld = 0; }

uint32_t fetchElapsed(uint32_t now, uint32_t lastTick) { return (now - lastTick) & kFetchTickMask; }

FetchDecision fetchSchedule(DisplayState& state, uint32_t before, uint32_t now) {
  const uint32_t elapsed = fetchElapsed(before & kFetchTickMask, state.lastFetchTick);
  const int32_t period = fetchPeriodMs(state.refreshSetting.load());
  // Compared as 64-bit numbers: a period of zero or less is always passed.
  if (!(static_cast<int64_t>(elapsed) > period || state.fetchNow == 1))
    return FetchDecision::notDue;
  state.fetchNow = 0;
  state.lastFetchTick = now & kFetchTickMask;
  if (state.fetchRunning.load() == 1) return FetchDecision::stillRunning;
  if (state.closing == 0) return FetchDecision::start;
  state.fetchRunning.store(1);
  return FetchDecision::closed;
}

void beginFetchRun(DisplayState& state) {
  state.fetchRunning.store(1);
  state.fetchDone.store(0);
}

void endFetchRun(DisplayState& state) {
  state.fetchRunning.store(0);
  state.fetchDone.store(1);
}
