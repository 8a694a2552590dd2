#include "panel/panel_window.h"

#include <memory>

#include "model/display_state.h"
#include "model/window_handles.h"
#include "panel/control_panel.h"
#include "panel/custom_stock.h"
#include "panel/dialog_tables.h"
#include "panel/help_dialog.h"
#include "platform/dialog.h"
#include "render/panel_gl.h"

// The real panel: the STATUS dialog as PanelControls, its events handed to the panel logic.
class ControlPanel : public platform::DialogEvents, public PanelControls {
 public:
  ControlPanel() : dialog_(kStatusTemplate, *this) { initialisePanel(*this); }

  platform::Dialog& dialog() { return dialog_; }

  // DialogEvents
  void command(int id) override { panelCommand(*this, id); }
  void scroll(int /*id*/) override { panelScroll(*this); }
  // The close box hides the panel (a minimised one is shown instead); a right-button
  // release over the globe brings it back.
  void closeRequest() override {
    if (dialog_.minimised()) {
      dialog_.show();
    } else {
      dialog_.hide();
    }
  }

  // PanelControls
  DisplayState& display() override { return displayState; }
  PanelState& state() override { return state_; }
  bool checked(int id) const override { return dialog_.checked(id); }
  void setChecked(int id, bool on) override { dialog_.setChecked(id, on); }
  int sliderPosition(int id) const override { return dialog_.sliderPosition(id); }
  void setSlider(int id, int position) override { dialog_.setSliderPosition(id, position); }
  void pressPreset(int id) override { dialog_.pressRadio(id); }
  void setClearColour(bool dark) override { ::setClearColour(dark); }
  void postMainWindowSize() override {
    // What the main window's size handler does when the notification arrives.
    platform::post([] { displayState.viewportDirty = kViewportRelayout; });
  }
  void openHelp() override { runHelpDialog(); }
  void openCustom() override { runCustomStockDialog(); }

 private:
  PanelState state_;
  platform::Dialog dialog_;
};

PanelWindow::PanelWindow() = default;

PanelWindow::~PanelWindow() { destroy(); }

void PanelWindow::create(int left, int top) {
  if (panel_) return;
  panel_ = std::make_unique<ControlPanel>();
  panelWindow = &panel_->dialog();
  panel_->dialog().moveTo(left, top);
  panel_->dialog().show();
}

void PanelWindow::postCommand(int command) {
  platform::post([this, command] {
    if (panel_) panelCommand(*panel_, command);
  });
}

void PanelWindow::command(int command) {
  if (panel_) panelCommand(*panel_, command);
}

void PanelWindow::show() {
  if (panel_) panel_->dialog().show();
}

bool PanelWindow::outerRect(platform::Rect& rect) const {
  if (!panel_) return false;
  rect = panel_->dialog().outerRect();
  return true;
}

void PanelWindow::destroy() {
  if (!panel_) return;
  panelWindow = nullptr;
  panel_.reset();
}
