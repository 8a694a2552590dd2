#include "platform/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_scale.h"
#include "platform/side_windows.h"

namespace platform {

namespace {

// The box's measures in pixels at 96 dpi; the box is built at the interface scale.
constexpr int kMargin = 10;
constexpr int kIconSize = 50;
constexpr int kMaxTextWidth = 500;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 23;
constexpr int kIconFontSize = 34;

// Text from the network is shown as it is: no '@' symbols, no '&' shortcuts.
class PlainText : public Fl_Widget {
 public:
  PlainText(int x, int y, int w, int h, std::string text, Fl_Align align)
      : Fl_Widget(x, y, w, h), text_(std::move(text)), align_(align) {}

  void draw() override {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    fl_color(FL_FOREGROUND_COLOR);
    fl_draw(text_.c_str(), x(), y(), w(), h(), align_, nullptr, 0);
  }

 private:
  std::string text_;
  Fl_Align align_;
};

struct TextSize {
  int width;
  int height;
  bool wrapped;
};

// A text wider than kMaxTextWidth is wrapped at that width.
TextSize measureText(const std::string& text) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int w = 0;
  int h = 0;
  fl_measure(text.c_str(), w, h, 0);
  if (w <= scaledPixels(kMaxTextWidth)) return {w, h, false};
  w = scaledPixels(kMaxTextWidth);
  h = 0;
  fl_measure(text.c_str(), w, h, 0);
  return {w, h, true};  // a word longer than the width keeps its length
}

class BoxWindow;

// UI thread only.
std::vector<BoxWindow*>& openBoxes() {
  static std::vector<BoxWindow*> boxes;
  return boxes;
}

class BoxWindow : public Fl_Window {
 public:
  // An information box with an OK button, or a question with OK and Cancel, Cancel being the
  // default (Enter, Escape, the close box). `dismissed` is told whether OK was pressed.
  BoxWindow(const std::string& text, const std::string& title, bool question,
            std::function<void(bool ok)> dismissed)
      : Fl_Window(1, 1), text_(text), title_(title), dismissed_(std::move(dismissed)) {
    copy_label(title.c_str());
    const TextSize size = measureText(text);
    const int margin = scaledPixels(kMargin);
    const int iconSize = scaledPixels(kIconSize);
    const int buttonWidth = scaledPixels(kButtonWidth);
    const int buttonHeight = scaledPixels(kButtonHeight);
    const int textHeight = std::max(size.height, iconSize);
    const int buttons = question ? 2 : 1;
    const int width = std::max(4 * margin + iconSize + size.width,
                               (buttons + 1) * margin + buttons * buttonWidth);
    const int buttonTop = 2 * margin + textHeight;
    begin();
    auto* icon =
        new Fl_Box(FL_THIN_UP_BOX, margin, margin, iconSize, iconSize, question ? "?" : "i");
    icon->color(FL_WHITE);
    icon->labelfont(FL_TIMES_BOLD);
    icon->labelsize(scaledPixels(kIconFontSize));
    icon->labelcolor(FL_BLUE);
    const Fl_Align align = FL_ALIGN_LEFT | FL_ALIGN_INSIDE | (size.wrapped ? FL_ALIGN_WRAP : 0);
    new PlainText(2 * margin + iconSize, margin, size.width, textHeight, text, align);
    // The default button comes first: it has the focus.
    auto* first = new Fl_Return_Button(width - margin - buttonWidth, buttonTop, buttonWidth,
                                       buttonHeight, question ? "Cancel" : "OK");
    const long defaultIsOk = question ? 0 : 1;
    first->callback([](Fl_Widget* w, long ok) { dismissBox(w, ok != 0); }, defaultIsOk);
    if (question) {
      auto* ok = new Fl_Button(width - 2 * (margin + buttonWidth), buttonTop, buttonWidth,
                               buttonHeight, "OK");
      ok->callback([](Fl_Widget* w, void*) { dismissBox(w, true); });
    }
    end();
    resize(0, 0, width, buttonTop + buttonHeight + margin);
    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_work_area(sx, sy, sw, sh, 0);
    position(sx + (sw - w()) / 2, sy + (sh - h()) / 2);
    // The close box and Escape (which FLTK turns into the window's callback) are the default.
    callback([](Fl_Widget* w, long ok) { static_cast<BoxWindow*>(w)->dismiss(ok != 0); },
             defaultIsOk);
    openBoxes().push_back(this);
    addSideWindow(this);
  }

  static void dismissBox(Fl_Widget* button, bool ok) {
    static_cast<BoxWindow*>(button->window())->dismiss(ok);
  }

  void dismiss(bool ok) {
    auto& boxes = openBoxes();
    boxes.erase(std::remove(boxes.begin(), boxes.end(), this), boxes.end());
    removeSideWindow(this);
    hide();
    const std::function<void(bool)> dismissed = std::move(dismissed_);
    dismissed_ = nullptr;
    Fl::delete_widget(this);  // not at once: this may run inside one of its callbacks
    if (dismissed) dismissed(ok);
  }

  bool shows(std::string_view text, std::string_view title) const {
    return text == text_ && title == title_;
  }

 private:
  std::string text_;
  std::string title_;
  std::function<void(bool)> dismissed_;
};

}  // namespace

void messageBox(std::string_view text, std::string_view title) {
  const std::string t(title);
  const std::string m(text);
  fl_message_title(t.c_str());
  fl_close = "OK";  // the program's boxes all have one OK button
  fl_message("%s", m.c_str());
}

void openMessageBox(std::string_view text, std::string_view title,
                    std::function<void()> dismissed) {
  auto* box = new BoxWindow(std::string(text), std::string(title), false,
                            [dismissed = std::move(dismissed)](bool) {
                              if (dismissed) dismissed();
                            });
  box->show();
}

bool askOkCancel(std::string_view text, std::string_view title) {
  std::optional<bool> answer;
  auto* box = new BoxWindow(std::string(text), std::string(title), true,
                            [&answer](bool ok) { answer = ok; });
  box->set_modal();
  box->show();
  while (!answer) Fl::wait();
  return *answer;
}

void closeMessageBoxes() {
  const std::vector<BoxWindow*> boxes = openBoxes();
  for (BoxWindow* box : boxes) box->dismiss(false);
  Fl::flush();  // the boxes leave the screen now, not at the next loop pass
}

void closeMessageBox(std::string_view text, std::string_view title) {
  const std::vector<BoxWindow*> boxes = openBoxes();
  for (BoxWindow* box : boxes) {
    if (box->shows(text, title)) box->dismiss(false);
  }
}

}  // namespace platform
