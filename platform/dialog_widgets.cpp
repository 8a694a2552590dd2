#include "platform/dialog_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/display_scale.h"

namespace platform {

namespace {

// Pixels below a slider's channel for its tick marks, at the interface scale.
int tickSpace() { return scaledPixels(6); }

}  // namespace

void GroupBox::draw() {
  const int half = labelsize() / 2;
  fl_draw_box(FL_ENGRAVED_FRAME, x(), y() + half, w(), h() - half, FL_BLACK);
  if (!label()) return;
  fl_font(labelfont(), labelsize());
  const int textW = static_cast<int>(fl_width(label())) + 4;
  const int textX = x() + (w() - textW) / 2;
  fl_color(color());
  fl_rectf(textX, y(), textW, labelsize() + 1);
  fl_color(labelcolor());
  fl_draw(label(), textX, y(), textW, labelsize() + 1, FL_ALIGN_CENTER);
}

TickSlider::TickSlider(int x, int y, int w, int h)
    : Fl_Slider(FL_HOR_NICE_SLIDER, x, y, w, h, nullptr) {
  bounds(0, kSliderMax);
  step(1);
  when(FL_WHEN_CHANGED);
}

void TickSlider::moveTo(int position) { value(std::clamp(position, 0, kSliderMax)); }

void TickSlider::draw() {
  fl_color(color());
  fl_rectf(x(), y(), w(), h());
  Fl_Slider::draw(x(), y(), w(), channelHeight());
  fl_color(FL_BLACK);
  const int thumb = thumbWidth();
  const int bottom = y() + h() - 1;
  // Ticks at 10 to 90 and, as the platform's trackbars draw them, at both ends.
  for (int tick = 0; tick <= kSliderMax; tick += 10) {
    const int tx = x() + thumb / 2 + (w() - thumb) * tick / kSliderMax;
    fl_line(tx, bottom - tickSpace() + 2, tx, bottom - 1);
  }
  const int last = x() + thumb / 2 + (w() - thumb);
  fl_line(last, bottom - tickSpace() + 2, last, bottom - 1);
}

int TickSlider::handle(int event) {
  if (event == FL_PUSH) paging_ = Fl::event_button() == FL_LEFT_MOUSE && pageClick();
  if (paging_ && (event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE)) return 1;
  if (event == FL_KEYBOARD && keyStep()) return 1;
  return Fl_Slider::handle(event, x(), y(), w(), channelHeight());
}

int TickSlider::channelHeight() const { return std::max(h() - tickSpace(), 4); }

// Fl_Slider's own thumb size for a nice horizontal slider of the channel's height.
int TickSlider::thumbWidth() const {
  const int s = static_cast<int>(slider_size() * static_cast<float>(w()) + 0.5f);
  const int least = channelHeight() / 2 + 1 + 4;
  return std::max(s, least);
}

void TickSlider::stepTo(double v) {
  Fl::focus(this);
  handle_drag(clamp(v));
}

bool TickSlider::pageClick() {
  if (!Fl::event_inside(x(), y(), w(), h())) return false;
  const int thumb = thumbWidth();
  const double fraction = (value() - minimum()) / (maximum() - minimum());
  const int thumbX = x() + static_cast<int>(fraction * (w() - thumb) + 0.5);
  const int mx = Fl::event_x();
  if (mx >= thumbX && mx < thumbX + thumb) return false;  // on the thumb: a drag
  handle_push();
  stepTo(value() + (mx < thumbX ? -kSliderPage : kSliderPage));
  handle_release();
  return true;
}

bool TickSlider::keyStep() {
  switch (Fl::event_key()) {
    case FL_Page_Up:
      stepTo(value() - kSliderPage);
      return true;
    case FL_Page_Down:
      stepTo(value() + kSliderPage);
      return true;
    case FL_Up:
      stepTo(value() - 1);
      return true;
    case FL_Down:
      stepTo(value() + 1);
      return true;
    case FL_Home:
      stepTo(0);
      return true;
    case FL_End:
      stepTo(kSliderMax);
      return true;
    default:
      return false;
  }
}

void BitmapButton::draw() {
  const Fl_Boxtype frame = value() ? (down_box() ? down_box() : fl_down(box())) : box();
  draw_box(frame, color());
  if (Fl_Image* face = image()) {
    const int X = x() + Fl::box_dx(frame);
    const int Y = y() + Fl::box_dy(frame);
    const int W = w() - Fl::box_dw(frame);
    const int H = h() - Fl::box_dh(frame);
    const int shift = value() ? 1 : 0;
    fl_push_clip(X, Y, W, H);
    face->draw(X + (W - face->w()) / 2 + shift, Y + (H - face->h()) / 2 + shift);
    fl_pop_clip();
  }
  if (Fl::focus() == this) draw_focus();
}

int DialogTextEditor::handle(int event) {
  const bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && enter) return 0;
  return Fl_Text_Editor::handle(event);
}

}  // namespace platform
