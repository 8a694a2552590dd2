#pragma once
// What the panel's modal dialogs share: the dialog runs until it hides itself, and Ctrl+Q in
// it asks to close the program as the globe's Ctrl+Q does.
#include "command/commands.h"
#include "platform/dialog.h"

class ModalDialog : public platform::DialogEvents {
 public:
  ModalDialog(const platform::DialogSpec& spec, Commands& commands);

  void run();
  void key(int code) override;

 protected:
  Commands& commands_;
  platform::Dialog dialog_;
};

// A dialog with OK and Cancel: OK calls accept(), which hides the dialog once what was typed
// is taken; Cancel, the close box, Escape and Ctrl+W hide it and change nothing.
class OkCancelDialog : public ModalDialog {
 public:
  using ModalDialog::ModalDialog;

  void command(int id) override;
  void closeRequest() override;

 protected:
  virtual void accept() = 0;
};
