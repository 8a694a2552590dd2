#pragma once
// Frame composition: one complete picture of the main window, presented with a buffer swap.
// The frame is a list of named steps: frame step, clear, viewport (when asked), globe
// projection, ticker font, camera, scene pass, overlay projection, ticker, dial clocks, picks,
// swap. The first steps fill the frame's FrameLayout, which the later ones read; the frame
// step (the time since the frame before, render/frame_step) is what every motion advances by.
// The window paces the frames; nothing here waits.
#include <cstdint>

namespace platform {
class MainWindow;
}
struct DisplayState;
struct FetchSnapshot;
struct RendererState;

// The ticker font base for a client height: 8900 from 1000 pixels up, one font (200) smaller
// for each further 140 pixels less. Heights of 20 or less select lists that do not exist.
int32_t tickerFontBaseFor(int32_t clientHeight);

// The sizes of a frame's texts for a client height on a display of `scale` (1 at 96 dpi):
// fonts are chosen by the height the window would have at 96 dpi and drawn `scale` times
// as large. The tags grow with the window as the ticker does: by the ticker font's height
// over its height at the default window height of 480, never below 1.
struct TextSizes {
  int32_t layoutHeight;    // clientHeight / scale
  int32_t tickerFontBase;  // tickerFontBaseFor(layoutHeight)
  float textScale;         // the ticker's and the dial labels' fonts: `scale`
  float tagScale;          // the tags' fonts, marks and boxes
};
TextSizes textSizesFor(int32_t clientHeight, float scale);

// Builds the fonts at the sizes a client height asks for (textSizesFor with the renderer's
// displayScale), unless they are built at those sizes already.
void sizeFonts(RendererState& renderer, int32_t clientHeight);

// A 24-hour clock hour on a twelve-hour dial: 13 to 23 become 1 to 11, 12 stays 12, and 0 to
// 11 are kept.
int32_t twelveHourClock(int32_t hour);

// Draws and presents one frame of the display state and the fetch results with the
// renderer's state, and answers the picks filed since the last one. The requests the frame
// carries out are cleared. The paint handler skips the call while the renderer's frameBusy
// is set.
void composeFrame(platform::MainWindow& window, RendererState& renderer, DisplayState& display,
                  const FetchSnapshot& results);
