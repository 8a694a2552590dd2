#include "panel/panel_window.h"

#include <memory>

#include "model/window_handles.h"
#include "panel/control_panel.h"
#include "panel/custom_stock.h"
#include "panel/dialog_tables.h"
#include "panel/help_dialog.h"
#include "platform/dialog.h"

// The real panel: the dialog as PanelControls, its events handed to the panel logic.
class ControlPanel : public platform::DialogEvents, public PanelControls {
 public:
  explicit ControlPanel(Commands& commands) : commands_(commands), dialog_(kPanelDialog, *this) {
    initialisePanel(*this, commands_.view());
  }

  platform::Dialog& dialog() { return dialog_; }

  // DialogEvents
  void command(int id) override { panelCommand(*this, state_, commands_, id); }
  void scroll(int /*id*/) override { panelScroll(*this, commands_); }
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
  bool checked(int id) const override { return dialog_.checked(id); }
  void setChecked(int id, bool on) override { dialog_.setChecked(id, on); }
  int sliderPosition(int id) const override { return dialog_.sliderPosition(id); }
  void setSlider(int id, int position) override { dialog_.setSliderPosition(id, position); }
  void pressPreset(int preset) override { dialog_.pressRadio(panelid::presetButtons[preset & 3]); }
  void openHelp() override { runHelpDialog(commands_); }
  void openCustom() override { runCustomStockDialog(); }

 private:
  Commands& commands_;
  PanelState state_;
  platform::Dialog dialog_;
};

PanelWindow::PanelWindow(Commands& commands) : commands_(commands) {}

PanelWindow::~PanelWindow() { destroy(); }

void PanelWindow::create(const platform::WindowPlace& place) {
  if (panel_) return;
  panel_ = std::make_unique<ControlPanel>(commands_);
  panelWindow = &panel_->dialog();
  panel_->dialog().moveTo(place.x, place.y, place.frameCorner);
  panel_->dialog().show();
}

void PanelWindow::mirror(const CommandResult& result) {
  if (panel_) mirrorResult(*panel_, commands_.view(), result);
}

void PanelWindow::show() {
  if (panel_) panel_->dialog().show();
}

bool PanelWindow::clientRect(platform::Rect& rect) const {
  if (!panel_) return false;
  rect = panel_->dialog().clientRect();
  return true;
}

void PanelWindow::destroy() {
  if (!panel_) return;
  panelWindow = nullptr;
  panel_.reset();
}
