#pragma once
// What the globe looks like: the view values and the options. The view presets carry the
// values and the panel's eleven options; the three options of the globe's own keys are kept
// in section [Items] instead (display_options.h). The command layer (command/) changes them
// on behalf of keys, the panel and the start-up; the input's drags and the renderer's clock
// change the values too. UI thread only.
#include <cstdint>

struct ViewState {
  // View values.
  int32_t zoom = 80;
  float tilt = 210.0f;
  int32_t tiltBase = 0;
  float spinRate = 0.0f;
  float rotation = 0.0f;
  float gridLevel = 1.0f;
  float colorLevel = 0.0f;

  // Options: one check box each on the control panel; off until the first preset is applied.
  bool cycle = false;
  bool showValue = false;
  bool showChange = false;
  bool showPercent = false;
  bool largeTags = false;
  bool noon = false;
  bool night = false;
  bool dark = false;
  bool zones = false;
  bool clocks = false;
  bool news = false;

  // Options beyond the panel's, each a key on the globe window. Off is the globe as it always
  // looked.
  bool nightStyle = false;  // off: the fixed night band; on: the sun's own night with twilight
  bool cityLights = false;  // the lights of the cities on the night side
  bool palette = false;     // off: red and green tags; on: blue up and orange down, with marks
};

// Zoom limits of the wheel and keys, and of the both-button drag.
constexpr int32_t kMinStepZoom = 25;
constexpr int32_t kMinDragZoom = 2;
constexpr int32_t kMaxZoom = 600;
// Tilt limits of the drag and the keys, in degrees.
constexpr float kMinTilt = 90.0f;
constexpr float kMaxTilt = 270.0f;
