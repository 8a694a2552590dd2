#pragma once
// What the control panel's behaviour works on: its widgets and its own state. The window
// itself is reached through PanelControls, so the behaviour runs the same over the real
// dialog and over a test's fake. The check box table and the setters that bring boxes and
// sliders in line with the view serve the panel's own commands and the mirroring of
// commands that came from elsewhere.
#include "command/commands.h"

// The panel's own state, kept with its window. UI thread only.
struct PanelState {
  // Set while the help or the custom stock dialog is open; the panel then opens no second one.
  bool helpDialogOpen = false;
  bool customDialogOpen = false;
};

// The panel's widgets.
class PanelControls {
 public:
  virtual ~PanelControls() = default;

  virtual bool checked(int id) const = 0;
  virtual void setChecked(int id, bool on) = 0;
  virtual int sliderPosition(int id) const = 0;
  // Range 0 to 99, ticks at 10 to 90, page size 10; positions beyond the range show the end.
  virtual void setSlider(int id, int position) = 0;
  // Presses the button of preset 0 to 3 and releases the other three.
  virtual void pressPreset(int preset) = 0;
  // Open the modal dialogs; each returns when its dialog closes.
  virtual void openHelp() = 0;
  virtual void openCustom() = 0;
};

// A check box of the panel and the option it shows.
struct CheckBox {
  int id;
  Option option;
};

// The eleven check boxes; null when `id` names none of them.
const CheckBox* findCheckBox(int id);

// Every check box from its option.
void setBoxesFromView(PanelControls& panel, const ViewState& view);
// Both sliders from colorLevel and gridLevel, truncated toward zero.
void setSlidersFromView(PanelControls& panel, const ViewState& view);
