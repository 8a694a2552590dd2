#pragma once
// The program's commands: everything a user asks for with a key, a button or a box of the
// control panel, and what the start-up asks for, carried out on the display record, the
// settings file and the fetch schedule without any widget. Keys, the panel and the start-up
// all call these; the panel then only mirrors the result in its widgets, and the renderer
// reads the view and its requests at the next frame. UI thread only.
#include <cstdint>
#include <functional>
#include <optional>

#include "model/clock_choice.h"
#include "model/display_options.h"
#include "model/display_state.h"

class FetchSchedule;

// The options a command switches: the panel's eleven, then the three of the globe's keys.
enum class Option {
  cycle,
  showValue,
  showChange,
  showPercent,
  largeTags,
  noon,
  night,
  dark,
  zones,
  clocks,
  news,
  nightStyle,
  cityLights,
  palette,
};

// The steps of the view keys F S H L R Z X U D.
enum class ViewNudge {
  spinFaster,  // spin rate x 1.1
  spinSlower,  // x 0.9
  spinStop,    // 0
  spinLeft,    // 0.1 degrees a frame
  spinRight,   // -0.1
  zoomIn,      // x 1.1, at most kMaxZoom
  zoomOut,     // x 0.9, at least kMinStepZoom
  tiltUp,      // + 1 degree, at most 270
  tiltDown,    // - 1 degree, at least 90
};

// What a command changed, for whoever shows the view in widgets.
struct CommandResult {
  bool optionsChanged = false;        // panel options: their boxes are to show them again
  bool levelsChanged = false;         // colour or grid level, other than from the sliders
  std::optional<int> presetSelected;  // the preset (0 to 3) that is now the current one
  bool stored = true;                 // false when a settings write failed
  bool closeRequested = false;        // the program is to close
};

// What the commands need beyond the records: empty links do nothing.
struct CommandLinks {
  // Throws away the cached script (the fetch run's cache file).
  std::function<void()> forgetScript;
};

class Commands {
 public:
  Commands(DisplayState& display, FetchSchedule& schedule, CommandLinks links = {});

  // Makes preset 0 to 3 (A to D) the current one and loads it into the view, with one read
  // of its settings section: a relayout, a new texture and the background as Dark says.
  CommandResult applyPreset(int preset);
  // Stores the view into the current preset.
  CommandResult savePreset();
  // Sets an option. Showing one of Value, Change and Percent clears the other two; Night,
  // night style and city lights ask for a new texture, Dark sets the background, Clocks asks
  // for a relayout. The three options of the globe's keys are stored in [Items] at once;
  // the panel's are stored only with a preset.
  CommandResult setOption(Option option, bool on);
  CommandResult toggleOption(Option option);
  // The sliders' positions: the colour level asks for a new texture whenever its whole value
  // differs from the one the texture was last asked for (none at first).
  CommandResult setLevels(int colourPosition, int gridPosition);
  // A fetch at the next paint, unless one is under way.
  CommandResult refreshNow();
  CommandResult nudgeView(ViewNudge nudge);
  // Throws away the cached script and asks for the program to close.
  CommandResult reset();
  // Stores the user's clocks (the dials' labels and zones, the globe's zones) in [Items] at
  // once; the next frame loads them.
  CommandResult setClocks(const ClockChoice& choice);

  int currentPreset() const { return preset_; }
  const ViewState& view() const { return display_.view; }

 private:
  DisplayState& display_;
  FetchSchedule& schedule_;
  CommandLinks links_;
  int preset_ = 0;  // A, until a preset button says otherwise
  // The colour position for which a texture was last asked; 100, out of the slider's reach,
  // until the first slider notification.
  int32_t appliedColorLevel_ = 100;
};

// The flag of an option in a view.
bool& optionFlag(ViewState& view, Option option);
bool optionOn(const ViewState& view, Option option);
