#include "panel/modal_dialog.h"

#include "panel/dialog_tables.h"
#include "panel/program_close.h"
#include "platform/keys.h"

ModalDialog::ModalDialog(const platform::DialogSpec& spec, Commands& commands)
    : commands_(commands), dialog_(spec, *this) {}

void ModalDialog::run() { dialog_.runModal(); }

void ModalDialog::key(int code) {
  if (code == platform::kControlKey + 'Q') closeProgramIfAsked(commands_.quit());
}

void OkCancelDialog::command(int id) {
  if (id == kCommandOk) {
    accept();
  } else if (id == kCommandCancel) {
    dialog_.hide();
  }
}

void OkCancelDialog::closeRequest() { dialog_.hide(); }
