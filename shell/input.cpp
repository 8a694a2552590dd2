#include "shell/input.h"

#include <optional>

#include "platform/keys.h"

namespace {

int32_t atMost(int32_t value, int32_t limit) { return value > limit ? limit : value; }
int32_t atLeast(int32_t value, int32_t limit) { return value < limit ? limit : value; }

float tiltWithinLimits(float tilt) {
  if (tilt > kMaxTilt) return kMaxTilt;
  if (tilt < kMinTilt) return kMinTilt;
  return tilt;
}

// The drag's damping: a bigger globe turns and tilts less for the same cursor travel.
float dragDamping(int32_t zoom) { return 1.0f - static_cast<float>(zoom) / 700.0f; }

// Degrees per frame for a cursor at x: t counts tenths of the distance from the centre
// line (positive to its left); the rate grows with t squared, relative to the window's
// share of the screen, less a dead band of q on either side.
float dragSpinRate(int32_t x, int32_t clientWidth, int32_t screenWidth, float damping) {
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

std::optional<Option> optionOfKey(int code) {
  switch (code) {
    case 'T':
      return Option::nightStyle;
    case 'C':
      return Option::cityLights;
    case 'P':
      return Option::palette;
    default:
      return std::nullopt;
  }
}

std::optional<ViewNudge> nudgeOfKey(int code) {
  switch (code) {
    case 'F':
      return ViewNudge::spinFaster;
    case '+':
      return ViewNudge::zoomIn;
    case '-':
      return ViewNudge::zoomOut;
    case platform::kKeyLeft:
      return ViewNudge::spinLeft;
    case platform::kKeyRight:
      return ViewNudge::spinRight;
    case platform::kKeyUp:
      return ViewNudge::tiltUp;
    case platform::kKeyDown:
      return ViewNudge::tiltDown;
    case 'S':
      return ViewNudge::spinSlower;
    case 'H':
      return ViewNudge::spinStop;
    case 'L':
      return ViewNudge::spinLeft;
    case 'R':
      return ViewNudge::spinRight;
    case 'Z':
      return ViewNudge::zoomIn;
    case 'X':
      return ViewNudge::zoomOut;
    case 'U':
      return ViewNudge::tiltUp;
    case 'D':
      return ViewNudge::tiltDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

int32_t pointerCoordinate(int windowValue) {
  constexpr int kRange = 65536;
  return ((windowValue % kRange) + kRange) % kRange;
}

void leftButtonDown(DisplayState& state, int32_t y) {
  state.pointer.leftDragging = true;
  state.pointer.dragStartY = y;
}

void leftButtonUp(DisplayState& state) {
  state.pointer.leftDragging = false;
  state.view.tiltBase = static_cast<int32_t>(state.view.tilt - 180.0f);
}

void leftDragMove(DisplayState& state, int32_t x, int32_t y, int32_t clientWidth,
                  int32_t screenWidth) {
  if (x <= 0 || x >= 5000 || y <= 0 || y >= 5000) return;
  ViewState& view = state.view;
  const float damping = dragDamping(view.zoom);
  // A window or screen without width has no centre line to measure from.
  if (clientWidth > 0 && screenWidth > 0) {
    view.spinRate = dragSpinRate(x, clientWidth, screenWidth, damping);
  }
  const auto offset =
      static_cast<int32_t>(static_cast<float>(y - state.pointer.dragStartY) * damping / 8.0f);
  view.tilt = tiltWithinLimits(static_cast<float>(view.tiltBase + offset + 180));
}

void zoomDragMove(DisplayState& state, int32_t y, int32_t clientHeight) {
  ViewState& view = state.view;
  const auto yo = static_cast<float>(y - clientHeight / 2);
  if (yo > state.pointer.lastZoomDragY) {
    view.zoom = view.zoom - view.zoom / 10 - 1;
  } else {
    view.zoom = view.zoom + view.zoom / 10 + 1;
  }
  state.pointer.lastZoomDragY = yo;
  view.zoom = atMost(atLeast(view.zoom, kMinDragZoom), kMaxZoom);
}

void wheelTurn(ViewState& view, int notches) {
  if (notches > 0) {
    view.zoom = atMost(static_cast<int32_t>(view.zoom * 1.05), kMaxZoom);
  } else if (notches < 0) {
    view.zoom = atLeast(static_cast<int32_t>(view.zoom * 0.95), kMinStepZoom);
  }
}

CommandResult keyDown(Commands& commands, int code) {
  if (code == platform::kControlKey + 'Q') return commands.quit();
  if (code == platform::kControlKey + 'W') return {};  // it closes dialogs, not the globe
  // Any other key does with Ctrl held what it does alone, as it always has.
  code &= ~platform::kControlKey;
  if (code == platform::kKeyF1) return commands.openHelp();
  if (code == platform::kKeyF11) return commands.toggleFullScreen();
  if (code == platform::kKeyEscape) return commands.leaveFullScreen();
  if (code >= '1' && code <= '4') return commands.applyPreset(code - '1');
  if (code == 'N') return commands.refreshNow();
  if (const auto option = optionOfKey(code)) return commands.toggleOption(*option);
  if (const auto nudge = nudgeOfKey(code)) return commands.nudgeView(*nudge);
  return {};
}

MoveAction moveAction(const PointerState& pointer) {
  if (!pointer.leftDragging && !pointer.rightDragging) return MoveAction::hoverPick;
  if (pointer.leftDragging && !pointer.rightDragging) return MoveAction::leftDrag;
  if (pointer.leftDragging && pointer.rightDragging) return MoveAction::zoomDrag;
  return MoveAction::none;
}

int32_t pickedTag(int32_t index, int32_t itemCount) {
  return index >= 0 && index < itemCount ? index : -1;
}

DoubleClickTarget doubleClickTarget(int32_t tag, int32_t y, int32_t clientHeight) {
  if (tag >= 0) return DoubleClickTarget::tagPage;
  if (inTickerBand(y, clientHeight)) return DoubleClickTarget::newsPage;
  return DoubleClickTarget::nothing;
}

bool inTickerBand(int32_t y, int32_t clientHeight) { return y > clientHeight - clientHeight / 10; }

void pointerAt(PointerState& pointer, int32_t y, int32_t clientHeight) {
  pointer.tickerHeld = inTickerBand(y, clientHeight);
}

void pointerLeft(PointerState& pointer) { pointer.tickerHeld = false; }
