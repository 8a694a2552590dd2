#pragma once
// What the control panel's behaviour works on: its widgets, its own state and the display
// state. The window itself is reached through PanelControls, so the behaviour runs the same
// over the real dialog and over a test's fake. The check box table and the setters that
// bring boxes and sliders in line with the display state serve both the panel's commands and
// the view presets.
#include <cstdint>

#include "model/display_state.h"

// The panel's own state, kept with its window. UI thread only.
struct PanelState {
  // The Color slider value for which the Earth texture was last rebuilt; 100, out of the
  // slider's reach, until the first slider notification.
  int32_t appliedColorLevel = 100;
  // Set while the help or the custom stock dialog is open; the panel then opens no second one.
  int32_t helpDialogOpen = 0;
  int32_t customDialogOpen = 0;
  // The section of the preset that the next load or save uses ("bank1" to "bank4").
  const char* presetSection = "bank1";
};

// The panel's widgets and the few effects of its controls outside DisplayState.
class PanelControls {
 public:
  virtual ~PanelControls() = default;
  // The display state the controls change, and the panel's own state.
  virtual DisplayState& display() = 0;
  virtual PanelState& state() = 0;

  virtual bool checked(int id) const = 0;
  virtual void setChecked(int id, bool on) = 0;
  virtual int sliderPosition(int id) const = 0;
  // Range 0 to 99, ticks at 10 to 90, page size 10; positions beyond the range show the end.
  virtual void setSlider(int id, int position) = 0;
  // Presses one of the preset buttons 300 to 303 and releases the other three.
  virtual void pressPreset(int id) = 0;
  // The OpenGL clear colour, at once: dark gives red 0, green 0, blue 0.02; else white.
  virtual void setClearColour(bool dark) = 0;
  // A size notification to the main window, delivered when the loop next runs.
  virtual void postMainWindowSize() = 0;
  // Open the modal dialogs; each returns when its dialog closes.
  virtual void openHelp() = 0;
  virtual void openCustom() = 0;
};

// A check box of the panel and the DisplayState flag it shows.
struct CheckBox {
  int id;
  int32_t DisplayState::*flag;
};

// The eleven check boxes; null when `id` names none of them.
const CheckBox* findCheckBox(int id);

// Every check box from its flag; a flag other than 1 becomes 0. Setting the Clocks box
// raises viewportDirty.
void setBoxesFromFlags(PanelControls& panel);
// Both sliders from colorLevel and gridLevel, truncated toward zero.
void setSlidersFromLevels(PanelControls& panel);
// The panel's initialisation: boxes and sliders from DisplayState.
void initialisePanel(PanelControls& panel);

// A level as a slider position: truncated toward zero, and out-of-range or non-finite
// levels at the nearer end, so that no level gives an undefined conversion.
int32_t truncateLevel(float level);
