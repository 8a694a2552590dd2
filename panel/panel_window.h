#pragma once
// The control panel's window, "Display": a modeless dialog that stands beside the globe for
// the life of the program. Its close box only hides it.
#include <memory>

#include "command/commands.h"
#include "platform/window.h"

class ControlPanel;

// The panel and its window, owned by the program's entry so that it outlives the main
// window. UI thread only; panelWindow names its dialog while it exists.
class PanelWindow {
 public:
  // The panel's controls ask `commands` for what they do.
  explicit PanelWindow(Commands& commands);
  ~PanelWindow();
  PanelWindow(const PanelWindow&) = delete;
  PanelWindow& operator=(const PanelWindow&) = delete;

  // Creates the panel once (nothing if it exists), initialises its controls from the view,
  // places it as `place` says (its own size counts) and shows it.
  void create(const platform::WindowPlace& place);

  // Shows a command's result in the widgets; nothing while there is no panel.
  void mirror(const CommandResult& result);

  // Shows a hidden panel at its old place and brings it to the top.
  void show();

  // The panel's client area in screen coordinates; false while there is no panel.
  bool clientRect(platform::Rect& rect) const;

  // Destroys the panel with its bitmaps and clears panelWindow.
  void destroy();

 private:
  Commands& commands_;
  std::unique_ptr<ControlPanel> panel_;
};
