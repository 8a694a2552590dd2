#include "panel/program_close.h"

#include "platform/dialog.h"

void closeProgramIfAsked(const CommandResult& result) {
  if (result.closeRequested) platform::postCloseToMainWindow();
}
