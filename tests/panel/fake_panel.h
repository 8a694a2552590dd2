#pragma once
// A control panel without widgets: check boxes, sliders and the preset group as plain
// values, and the dialogs it opens as a list. It acts through commands over records of its
// own, at their start-up values.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/fetch_schedule.h"
#include "panel/control_panel.h"

class FakePanel : public PanelControls {
 public:
  DisplayState display;
  FetchSchedule schedule;
  Commands commands{display, schedule};
  PanelState own;
  std::map<int, bool> boxes;
  std::map<int, int> sliders;
  int pressed = -1;  // the preset whose button is pressed
  std::vector<std::string> opened;

  const ViewState& view() const { return display.view; }
  const RendererRequests& requests() const { return display.requests; }

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
  void pressPreset(int preset) override { pressed = preset; }
  void openHelp() override { opened.push_back("help"); }
  void openCustom() override { opened.push_back("custom"); }

  // A control's command, as the dialog sends it.
  void command(int id) { panelCommand(*this, own, commands, id); }
  // A click on a check box: the box toggles itself, then its command arrives.
  void click(int id) {
    boxes[id] = !checked(id);
    command(id);
  }
  // A drag of a slider to a position, with the scroll notification it sends.
  void drag(int id, int position) {
    setSlider(id, position);
    panelScroll(*this, commands);
  }
};
