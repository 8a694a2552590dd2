#pragma once
// The OpenGL step the control panel takes itself, on the UI thread where the main window's
// context is current: the clear colour of the Dark option.

// Dark gives red 0, green 0, blue 0.02, alpha 1; light gives white.
void setClearColour(bool dark);
