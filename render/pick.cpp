#include "render/pick.h"

#include <GL/gl.h>

#include "platform/window.h"

namespace {

using PickSlot = PickRequests::Slot;

PickSlot& slotFor(PickRequests& picks, PickPurpose purpose) {
  return picks.slots[static_cast<int>(purpose)];
}

// One RGB pixel of the back buffer; GL rows count upward from the bottom of the window.
void readPixel(int x, int y, int clientHeight, PickAnswer& answer) {
  uint8_t rgb[3] = {0, 0, 0};
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, clientHeight - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glPopClientAttrib();
  answer.red = rgb[0];
  answer.green = rgb[1];
  answer.blue = rgb[2];
}

}  // namespace

void requestPick(PickRequests& picks, PickPurpose purpose, int x, int y) {
  PickSlot& slot = slotFor(picks, purpose);
  slot.requested = true;
  slot.answered = false;
  slot.answer = PickAnswer{x, y, false, 0, 0, 0};
}

void pickAfterCompose(PickRequests& picks, const platform::MainWindow& window) {
  const int width = window.clientWidth();
  const int height = window.clientHeight();
  for (PickSlot& slot : picks.slots) {
    if (!slot.requested) continue;
    slot.requested = false;
    slot.answered = true;
    PickAnswer& answer = slot.answer;
    // Outside the window's pixels a read-back would be undefined.
    answer.inside = answer.x >= 0 && answer.x < width && answer.y >= 0 && answer.y < height;
    if (answer.inside) readPixel(answer.x, answer.y, height, answer);
  }
}

bool takePickAnswer(PickRequests& picks, PickPurpose purpose, PickAnswer& answer) {
  PickSlot& slot = slotFor(picks, purpose);
  if (!slot.answered) return false;
  slot.answered = false;
  answer = slot.answer;
  return true;
}

void answerPicksWithoutPixels(PickRequests& picks) {
  for (PickSlot& slot : picks.slots) {
    if (!slot.requested) continue;
    slot.requested = false;
    slot.answered = true;
    slot.answer.inside = false;
  }
}
