#pragma once
// A control panel without widgets: check boxes, sliders and the preset group as plain
// values, and the effects outside DisplayState as a list of what was asked for.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/display_state.h"
#include "panel/control_panel.h"

// The panel acts on a display state and a panel state of its own, at their start-up values.
class FakePanel : public PanelControls {
 public:
  DisplayState shown;
  PanelState own;
  std::map<int, bool> boxes;
  std::map<int, int> sliders;
  int pressed = -1;
  std::vector<std::string> effects;

  DisplayState& display() override { return shown; }
  PanelState& state() override { return own; }
  bool checked(int id) const override {
    const auto found = boxes.find(id);
    return found != boxes.end() && found->second;
  }
  void setChecked(int id, bool on) override { boxes[id] = on; }
  int sliderPosition(int id) const override {
    const auto found = sliders.find(id);
    return found == sliders.end() ? 0 : found->second;
  }
  void setSlider(int id, int position) override { sliders[id] = std::clamp(position, 0, 99); }
  void pressPreset(int id) override { pressed = id; }
  void setClearColour(bool dark) override {
    effects.push_back(dark ? "clear dark" : "clear white");
  }
  void postMainWindowSize() override { effects.push_back("size"); }
  void openHelp() override { effects.push_back("help"); }
  void openCustom() override { effects.push_back("custom"); }

  // A click on a check box: the box toggles itself, then its command arrives.
  void click(int id) {
    boxes[id] = !checked(id);
    panelCommand(*this, id);
  }
  // A drag of a slider to a position, with the scroll notification it sends.
  void drag(int id, int position) {
    setSlider(id, position);
    panelScroll(*this);
  }
};
