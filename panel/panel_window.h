#pragma once
// The control panel's window, "Display": a modeless dialog built from the STATUS table that
// stands beside the globe for the life of the program. Its close box only hides it.
#include "platform/window.h"

// Creates the panel once (nothing if it exists), initialises its controls from DisplayState,
// places its outer corner at (left, top) and shows it.
void createPanel(int left, int top);

// Queues a command for the panel, handled when the loop next runs.
void postPanelCommand(int command);

// Shows a hidden panel at its old place and brings it to the top.
void showPanel();

// The panel's rectangle with its frame; false while there is no panel.
bool panelOuterRect(platform::Rect& rect);

// Destroys the panel with its bitmaps and clears panelWindow.
void destroyPanel();
