#pragma once
// The widgets the dialog builder makes beyond FLTK's own: a group box with its caption on
// the frame, a 0 to 99 slider with ticks and page steps, a bitmap button whose face is
// clipped to its inside, and a text editor that leaves Enter to its dialog.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Text_Editor.H>

namespace platform {

constexpr int kSliderMax = 99;
constexpr int kSliderPage = 10;

class GroupBox : public Fl_Box {
 public:
  using Fl_Box::Fl_Box;
  void draw() override;
};

// A horizontal slider of 0 to 99 with tick marks under its channel and a page size of 10,
// for clicks on the channel beside the thumb and for Page Up / Page Down. Up and Down step
// by one like Left and Right.
class TickSlider : public Fl_Slider {
 public:
  TickSlider(int x, int y, int w, int h);
  // Moves the thumb without a notification; positions beyond the range show the end.
  void moveTo(int position);
  void draw() override;
  int handle(int event) override;

 private:
  bool paging_ = false;  // the press was a page click: its drag and release move nothing

  int channelHeight() const;
  int thumbWidth() const;
  void stepTo(double v);
  bool pageClick();
  bool keyStep();
};

// A push button whose face is a picture, centred and clipped to the inside of its border,
// and pushed in by a pixel while the button is down (a pressed radio button stays down).
class BitmapButton : public Fl_Button {
 public:
  BitmapButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) {}
  void draw() override;
};

// The help text edit: Enter belongs to the dialog (its default command), not to the text.
class DialogTextEditor : public Fl_Text_Editor {
 public:
  DialogTextEditor(int x, int y, int w, int h) : Fl_Text_Editor(x, y, w, h) {}
  int handle(int event) override;
};

}  // namespace platform
