#pragma once
// The two OpenGL steps the control panel takes itself, on the UI thread where the main
// window's context is current: the clear colour of the Dark option, and the release of the
// shared quadric when the panel goes.

// Dark gives red 0, green 0, blue 0.02, alpha 1; light gives white.
void setClearColour(bool dark);

// Deletes sharedQuadric and clears it; nothing when there is none.
void releaseSharedQuadric();
