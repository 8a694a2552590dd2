#pragma once
// Picking reads back the pixel under the cursor to find the tag there (tags carry their index
// in their colours). The read happens inside frame composition, from the back buffer after
// the frame is drawn and before it is presented: that buffer always holds exactly the
// picture that is about to be on screen, whereas after a swap the back buffer's contents are
// undefined. So the main window files a request, the next frame answers it, and the main
// window takes the answer after that frame. The requests and answers live in the renderer's
// state.
//
// User-interface thread only.
#include <cstdint>

namespace platform {
class MainWindow;
}

enum class PickPurpose { hover = 0, open = 1 };

struct PickAnswer {
  int x, y;     // the requested position
  bool inside;  // false when the position lay outside the window's pixels
  uint8_t red, green, blue;
};

// One request and its answer per purpose.
struct PickRequests {
  struct Slot {
    bool requested = false;
    bool answered = false;
    PickAnswer answer{};
  };
  Slot slots[2];
};

// Asks for the pixel at client position (x, y) (y downward); a newer request of the same
// purpose replaces an unanswered one.
void requestPick(PickRequests& picks, PickPurpose purpose, int x, int y);

// Answers the pending requests from the frame just drawn. Frame composition calls it right
// before the buffer swap.
void pickAfterCompose(PickRequests& picks, const platform::MainWindow& window);

// Takes the answer of a request of this purpose, if one has come; true when it had.
bool takePickAnswer(PickRequests& picks, PickPurpose purpose, PickAnswer& answer);

// Answers every pending request as lying outside the window: for a window that has no
// OpenGL context, whose frames can never answer.
void answerPicksWithoutPixels(PickRequests& picks);
