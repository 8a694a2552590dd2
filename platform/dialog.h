#pragma once
// Dialogs from tables. A dialog is described as data, a list of controls with identifiers,
// kinds, captions and rectangles in dialog units, and built into a window of widgets here.
// Dialog units are a quarter of the dialog font's average character width across and an
// eighth of its height down, so a table keeps its proportions with whatever font the
// display matches for the face it names.
//
// The dialogs report what happens as commands: a click on a control gives its identifier,
// Enter gives the default button's identifier (1 when there is none) and Escape gives 2.
// Tab and the arrow keys move between the controls.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace platform {

enum class ControlKind {
  checkBox,  // toggles itself on each click
  pushButton,
  defaultButton,      // a push button that Enter presses
  bitmapButton,       // a push button whose face is an embedded PNG
  flatBitmapButton,   // the same with a flat border
  radioBitmapButton,  // push-like radio button with a PNG face; see ControlSpec::firstOfGroup
  slider,             // horizontal, 0 to 99, ticks every 10 below the channel, page size 10
  staticText,
  groupBox,  // a frame with its caption centred on the top edge
  blackFrame,
  edit,                // one line, scrolls sideways
  multilineEdit,       // border and scroll bars, lines not wrapped, Enter left to the dialog
  completingEdit,      // one line that completes names, with a menu of them (setChoices)
  completingListEdit,  // the same for a list of names separated by blanks
};

// The identifier of controls that send no commands.
constexpr int kNoId = -1;

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* text;              // the caption; bitmap buttons show their bitmap instead
  int x, y, width, height;       // dialog units
  const char* bitmap = nullptr;  // resource name of the face of a bitmap button
  bool firstOfGroup = false;     // radio buttons: starts a group that runs to the next non-radio
};

struct Colour {
  uint8_t red, green, blue;
};

struct DialogSpec {
  const char* name;  // what the code calls the dialog
  const char* caption;
  const char* fontFace;
  int fontPoints;
  int width, height;  // dialog units
  bool centred;       // centred in the screen's work area; otherwise placed by moveTo
  // The dialog, its texts, check boxes, frames, sliders and edits are drawn in this colour
  // with black text; push buttons keep the desktop's colours.
  Colour background;
  std::span<const ControlSpec> controls;
};

// Pixels per four dialog units across and per eight down.
struct BaseUnits {
  int x, y;
};

// The dialog font's base units: the average width of the 52 Latin letters, rounded as the
// dialog managers round it, and the font's line height.
BaseUnits dialogBaseUnits(const char* face, int points);

// Dialog units to pixels, rounded to nearest.
int dialogUnitsToPixelsX(int units, BaseUnits base);
int dialogUnitsToPixelsY(int units, BaseUnits base);

class DialogEvents {
 public:
  virtual ~DialogEvents() = default;
  virtual void command(int id) = 0;
  virtual void scroll(int /*id*/) {}  // a slider's position changed
  virtual void closeRequest() = 0;    // the caption's close box or the window manager
};

class Dialog {
 public:
  // Builds the window and its widgets, hidden. Bitmap faces that cannot be loaded stay
  // blank.
  Dialog(const DialogSpec& dialog, DialogEvents& events);
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  bool checked(int id) const;
  void setChecked(int id, bool on);
  // Presses the radio button `id` and releases the others of its group.
  void pressRadio(int id);
  bool radioPressed(int id) const;
  int sliderPosition(int id) const;
  // Moves a slider without a notification; positions beyond 0 to 99 show the nearer end.
  void setSliderPosition(int id, int position);
  std::string text(int id) const;
  // An edit's text; any other control's caption.
  void setText(int id, std::string_view text);
  // The names a completing edit completes and offers, sorted.
  void setChoices(int id, std::vector<std::string> names);
  // Gives the keyboard focus to a control (to the edit of a completing edit).
  void focus(int id);

  // Places the client area's top-left corner at a screen position, or with `frameCorner`
  // the frame's; the dialog is fitted into the work area, frame and title bar included.
  void moveTo(int x, int y, bool frameCorner = false);
  // Maps the window (keeping its place) and brings it to the top.
  void show();
  void hide();
  bool visible() const;
  // Mapped once but iconified by the window manager.
  bool minimised() const;
  // The client area in screen coordinates; while hidden, the one it had when last shown.
  Rect clientRect() const;
  // Shows the dialog and runs the loop until the dialog is hidden or the program's main
  // window goes away. Meanwhile the main window takes no input; other dialogs still do.
  void runModal();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Runs `call` once the loop runs again, after what is already queued. UI thread only.
void post(std::function<void()> call);

// Posts a close request to the program's main window (the top-level window that is not a
// dialog), as its own close box would.
void postCloseToMainWindow();

}  // namespace platform
