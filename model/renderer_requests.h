#pragma once
// What the next frame is asked to do besides drawing the view: the commands, the main
// window and the renderer's own clock raise these; the frame reads them and clears what it
// has done. UI thread only.

struct RendererRequests {
  // Re-read the client size and set up the viewport again.
  bool relayout = false;
  // Rebuild the Earth texture (night, lights, colour level, the sun's move, a page arrived).
  bool newTexture = false;
  // The colour the frame clears to: dark (red 0, green 0, blue 0.02) or white. Dark from the
  // start; the Dark option changes it.
  bool darkBackground = true;
  // Load the clocks' zones again: the user's choice of clocks changed.
  bool newClocks = false;
};
