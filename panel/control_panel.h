#pragma once
// The control panel's behaviour: which command each of its controls asks for, and how the
// result of any command, the panel's own or another's, shows in its widgets.
#include "command/commands.h"
#include "panel/panel_controls.h"

// A control's command (a click on a box or button, or Enter).
void panelCommand(PanelControls& panel, PanelState& state, Commands& commands, int id);
// A key the panel's controls left (platform/keys.h): F1 opens the help as HELP does, Ctrl+Q
// asks for the program to close.
CommandResult panelKey(PanelControls& panel, PanelState& state, Commands& commands, int code);
// A scroll notification from either slider: both levels from the sliders.
void panelScroll(PanelControls& panel, Commands& commands);
// Brings the widgets in line with a command's result: the preset's button, the boxes and the
// sliders, as far as the command changed them.
void mirrorResult(PanelControls& panel, const ViewState& view, const CommandResult& result);
// The panel's initialisation: boxes and sliders from the view.
void initialisePanel(PanelControls& panel, const ViewState& view);
