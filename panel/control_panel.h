#pragma once
// The control panel's behaviour: what its commands, check boxes and sliders do to
// DisplayState. The window itself is reached through PanelControls, so the behaviour runs
// the same over the real dialog and over a test's fake.
#include <cstdint>

// The panel's widgets and the few effects of its controls outside DisplayState.
class PanelControls {
 public:
  virtual ~PanelControls() = default;
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
  virtual void openHelp() = 0;
  virtual void openCustom() = 0;
};

// The Color slider value for which the Earth texture was last rebuilt; 100, out of the
// slider's reach, until the first slider notification.
extern int32_t appliedColorLevel;

// Set while the help or the custom stock dialog is open; the panel then opens no second one.
extern int32_t helpDialogOpen;
extern int32_t customDialogOpen;

// Every check box from its flag; a flag other than 1 becomes 0. Setting the Clocks box
// raises viewportDirty.
void setBoxesFromFlags(PanelControls& panel);
// Both sliders from colorLevel and gridLevel, truncated toward zero.
void setSlidersFromLevels(PanelControls& panel);
// The panel's initialisation: boxes and sliders from DisplayState.
void initialisePanel(PanelControls& panel);

// A command to the panel (only the low 16 bits count).
void panelCommand(PanelControls& panel, int32_t command);
// A scroll notification from either slider: colorLevel, the texture rebuild when its whole
// value changed, and gridLevel.
void panelScroll(const PanelControls& panel);

// A level as a slider position: truncated toward zero, and out-of-range or non-finite
// levels at the nearer end, so that no level gives an undefined conversion.
int32_t truncateLevel(float level);
