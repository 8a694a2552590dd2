#include "platform/dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/completing_input.h"
#include "platform/dialog_widgets.h"
#include "platform/display_scale.h"
#include "platform/resources.h"
#include "platform/side_windows.h"
#include "platform/window_placement.h"

// The program's table, generated from resources/ at build time (global, not in platform::).

namespace platform {

namespace {

// a * b / c without overflow, rounded to nearest with halves away from zero; -1 for c = 0.
int scaleRounded(int a, int b, int c) {
  if (c == 0) return -1;
  const long long p = static_cast<long long>(a) * b;
  const long long half = (c > 0 ? c : -c) / 2;
  const long long q = ((p < 0) != (c < 0)) ? (p - half) / c : (p + half) / c;
  return static_cast<int>(q);
}

// FLTK font indices by face name; each face is registered once in a free slot.
Fl_Font fontFor(const char* face) {
  static std::map<std::string, Fl_Font> fonts;
  const auto found = fonts.find(face);
  if (found != fonts.end()) return found->second;
  static std::deque<std::string> names;      // FLTK keeps the pointer: elements never move
  names.push_back(std::string(" ") + face);  // leading blank: the regular style
  const auto index = static_cast<Fl_Font>(FL_FREE_FONT + static_cast<int>(fonts.size()));
  Fl::set_font(index, names.back().c_str());
  fonts.emplace(face, index);
  return index;
}

// Point size to pixels at the 96 dots per inch that dialog tables are laid out for, times
// the interface scale of a high-resolution screen.
int pixelSize(int points) {
  return static_cast<int>(std::lround(points * 96.0 * interfaceScale() / 72.0));
}

Fl_Color flColour(Colour c) { return fl_rgb_color(c.red, c.green, c.blue); }

// --- The modal state -------------------------------------------------------------------

int modalDepth = 0;

// The program's main window: the first shown top-level window that is not a side window.
Fl_Window* mainWindowOfProgram() {
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
    if (!isSideWindow(w) && !w->parent() && !w->modal()) return w;
  }
  return nullptr;
}

bool isInputEvent(int event) {
  switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOVE:
    case FL_MOUSEWHEEL:
    case FL_KEYDOWN:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_CLOSE:
      return true;
    default:
      return false;
  }
}

// While a modal dialog runs, the main window (its owner) takes no input, as a disabled
// owner would; the control panel, the dialogs and the message boxes keep theirs.
int dispatch(int event, Fl_Window* window) {
  if (modalDepth > 0 && window && !isSideWindow(window) && !window->modal() &&
      isInputEvent(event)) {
    return 0;
  }
  return Fl::handle_(event, window);
}

}  // namespace

BaseUnits dialogBaseUnits(const char* face, int points) {
  fl_open_display();
  fl_font(fontFor(face), pixelSize(points));
  const double letters = fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int width = static_cast<int>(std::lround(letters));
  return {(width / 26 + 1) / 2, fl_height()};
}

int dialogUnitsToPixelsX(int units, BaseUnits base) { return scaleRounded(units, base.x, 4); }
int dialogUnitsToPixelsY(int units, BaseUnits base) { return scaleRounded(units, base.y, 8); }

// --- Dialog -------------------------------------------------------------------------------

class DialogWindow : public Fl_Double_Window {
 public:
  DialogWindow(int w, int h, const char* caption, DialogEvents& events, int defaultId)
      : Fl_Double_Window(w, h, caption), events_(events), defaultId_(defaultId) {
    callback(
        [](Fl_Widget*, void* self) { static_cast<DialogWindow*>(self)->events_.closeRequest(); },
        this);
  }
  int handle(int event) override {
    if (event == FL_SHORTCUT) {
      // Enter is the default command wherever the focus is (FLTK's groups would move the
      // focus with it); a default button is pressed by the same command.
      const int key = Fl::event_key();
      if (key == FL_Enter || key == FL_KP_Enter) {
        events_.command(defaultId_);
        return 1;
      }
    }
    const int handled = Fl_Double_Window::handle(event);
    if (handled || event != FL_SHORTCUT || Fl::event_key() != FL_Escape) return handled;
    events_.command(2);
    return 1;
  }

 private:
  DialogEvents& events_;
  int defaultId_;
};

struct Dialog::Impl {
  DialogEvents* events = nullptr;
  std::unique_ptr<DialogWindow> window;
  std::map<int, Fl_Widget*> byId;
  std::map<const Fl_Widget*, int> idOf;
  std::vector<std::unique_ptr<Fl_Image>> images;
  std::vector<std::unique_ptr<Fl_Text_Buffer>> buffers;
  std::map<int, std::vector<int>> radioGroups;  // any member's id -> the group's ids
  Rect lastClient{0, 0, 0, 0};
  bool placed = false;  // moveTo was called
  bool mapped = false;  // shown at least once
  WindowPlace want;
  BaseUnits base{};

  int px(int units) const { return dialogUnitsToPixelsX(units, base); }
  int py(int units) const { return dialogUnitsToPixelsY(units, base); }

  Fl_Widget* widget(int id) const {
    const auto found = byId.find(id);
    return found == byId.end() ? nullptr : found->second;
  }

  // The widget that holds a control's text: the edit of a completing edit.
  Fl_Widget* textWidget(int id) const {
    Fl_Widget* w = widget(id);
    if (auto* completing = dynamic_cast<CompletingInput*>(w)) return &completing->input();
    return w;
  }

  WindowPlace wanted() const {
    WindowPlace place = want;
    place.width = window->w();
    place.height = window->h();
    return place;
  }

  Fl_Widget* build(const ControlSpec& c, const DialogSpec& dialog);
  void buildAll(const DialogSpec& dialog);
  void setFace(Fl_Button& button, const char* resource);
  void style(Fl_Widget& w, ControlKind kind, const DialogSpec& dialog);
};

void Dialog::Impl::setFace(Fl_Button& button, const char* resource) {
  const auto bytes = findResource(resource ? resource : "");
  if (!bytes.data()) return;
  std::unique_ptr<Fl_Image> image =
      std::make_unique<Fl_PNG_Image>(resource, bytes.data(), static_cast<int>(bytes.size()));
  if (image->fail() != 0) return;
  if (interfaceScale() != 1.0) {
    // The faces grow with the buttons they sit on.
    Fl_RGB_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
    image.reset(image->copy(scaledPixels(image->w()), scaledPixels(image->h())));
  }
  button.image(image.get());
  images.push_back(std::move(image));
}

void Dialog::Impl::style(Fl_Widget& w, ControlKind kind, const DialogSpec& dialog) {
  const Fl_Font font = fontFor(dialog.fontFace);
  w.labelfont(font);
  w.labelsize(pixelSize(dialog.fontPoints));
  const bool button = kind == ControlKind::pushButton || kind == ControlKind::defaultButton ||
                      kind == ControlKind::bitmapButton || kind == ControlKind::flatBitmapButton ||
                      kind == ControlKind::radioBitmapButton;
  if (!button) {
    w.color(flColour(dialog.background));
    w.labelcolor(FL_BLACK);
  }
}

Fl_Widget* Dialog::Impl::build(const ControlSpec& c, const DialogSpec& dialog) {
  const int x = px(c.x);
  const int y = py(c.y);
  const int w = std::max(px(c.width), 1);
  const int h = std::max(py(c.height), 1);
  Fl_Widget* made = nullptr;
  switch (c.kind) {
    case ControlKind::checkBox: {
      auto* b = new Fl_Check_Button(x, y, w, h, c.text);
      b->when(FL_WHEN_RELEASE_ALWAYS);
      b->down_box(FL_DOWN_BOX);
      made = b;
      break;
    }
    case ControlKind::pushButton:
      made = new Fl_Button(x, y, w, h, c.text);
      break;
    case ControlKind::defaultButton:
      made = new Fl_Return_Button(x, y, w, h, c.text);
      break;
    case ControlKind::bitmapButton:
    case ControlKind::flatBitmapButton:
    case ControlKind::radioBitmapButton: {
      auto* b = new BitmapButton(x, y, w, h);
      b->tooltip(c.text);
      if (c.kind == ControlKind::flatBitmapButton) {
        b->box(FL_BORDER_BOX);
        b->down_box(FL_THIN_DOWN_BOX);
      }
      if (c.kind == ControlKind::radioBitmapButton) {
        b->type(FL_RADIO_BUTTON);
        b->when(FL_WHEN_RELEASE_ALWAYS);  // pressing the pressed one is a command too
      }
      setFace(*b, c.bitmap);
      made = b;
      break;
    }
    case ControlKind::slider:
      made = new TickSlider(x, y, w, h);
      break;
    case ControlKind::staticText: {
      auto* b = new Fl_Box(FL_NO_BOX, x, y, w, h, c.text);
      b->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
      made = b;
      break;
    }
    case ControlKind::groupBox:
      made = new GroupBox(FL_NO_BOX, x, y, w, h, c.text);
      break;
    case ControlKind::blackFrame:
      made = new Fl_Box(FL_BORDER_FRAME, x, y, w, h, nullptr);
      break;
    case ControlKind::edit: {
      auto* input = new Fl_Input(x, y, w, h);
      input->textfont(fontFor(dialog.fontFace));
      input->textsize(pixelSize(dialog.fontPoints));
      made = input;
      break;
    }
    case ControlKind::completingEdit:
    case ControlKind::completingListEdit: {
      auto* edit = new CompletingInput(x, y, w, h, c.kind == ControlKind::completingListEdit);
      edit->textStyle(fontFor(dialog.fontFace), pixelSize(dialog.fontPoints));
      edit->input().selection_color(FL_DARK_BLUE);
      edit->input().color(flColour(dialog.background));
      made = edit;
      break;
    }
    case ControlKind::multilineEdit: {
      auto* editor = new DialogTextEditor(x, y, w, h);
      buffers.push_back(std::make_unique<Fl_Text_Buffer>());
      editor->buffer(buffers.back().get());
      editor->textfont(fontFor(dialog.fontFace));
      editor->textsize(pixelSize(dialog.fontPoints));
      editor->scrollbar_align(FL_ALIGN_RIGHT | FL_ALIGN_BOTTOM);
      made = editor;
      break;
    }
  }
  style(*made, c.kind, dialog);
  if (c.kind == ControlKind::blackFrame) made->color(FL_BLACK);
  if (c.kind == ControlKind::multilineEdit || c.kind == ControlKind::edit) {
    made->selection_color(FL_DARK_BLUE);
  }
  return made;
}

void Dialog::Impl::buildAll(const DialogSpec& dialog) {
  const auto& controls = dialog.controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlSpec& c = controls[i];
    Fl_Group* group = nullptr;
    size_t end = i + 1;
    if (c.kind == ControlKind::radioBitmapButton && c.firstOfGroup) {
      // The radio buttons of one group share an FLTK group, so that pressing one releases
      // only its own companions.
      while (end < controls.size() && controls[end].kind == ControlKind::radioBitmapButton &&
             !controls[end].firstOfGroup) {
        ++end;
      }
      int left = px(c.x), top = py(c.y), right = left, bottom = top;
      std::vector<int> ids;
      for (size_t k = i; k < end; ++k) {
        left = std::min(left, px(controls[k].x));
        top = std::min(top, py(controls[k].y));
        right = std::max(right, px(controls[k].x) + px(controls[k].width));
        bottom = std::max(bottom, py(controls[k].y) + py(controls[k].height));
        ids.push_back(controls[k].id);
      }
      for (int id : ids) radioGroups[id] = ids;
      group = new Fl_Group(left, top, right - left, bottom - top);
    } else {
      end = i + 1;
    }
    for (size_t k = i; k < end; ++k) {
      Fl_Widget* w = build(controls[k], dialog);
      const int id = controls[k].id;
      if (id != kNoId) byId[id] = w;
      if (id == kNoId) continue;
      w->callback(
          [](Fl_Widget* widget, void* data) {
            auto* self = static_cast<Impl*>(data);
            const int wid = self->idOf[widget];
            if (dynamic_cast<Fl_Slider*>(widget)) {
              self->events->scroll(wid);
            } else {
              self->events->command(wid);
            }
          },
          this);
      idOf[w] = id;
    }
    if (group) group->end();
    i = end - 1;
  }
}

Dialog::Dialog(const DialogSpec& dialog, DialogEvents& events) : impl_(std::make_unique<Impl>()) {
  if (!Fl::event_dispatch()) Fl::event_dispatch(dispatch);
  impl_->events = &events;
  impl_->base = dialogBaseUnits(dialog.fontFace, dialog.fontPoints);
  int defaultId = 1;
  for (const auto& c : dialog.controls) {
    if (c.kind == ControlKind::defaultButton) defaultId = c.id;
  }
  impl_->window = std::make_unique<DialogWindow>(impl_->px(dialog.width), impl_->py(dialog.height),
                                                 dialog.caption, events, defaultId);
  impl_->window->color(flColour(dialog.background));
  impl_->window->begin();
  impl_->buildAll(dialog);
  impl_->window->end();
  impl_->window->set_non_modal();  // stays above the main window that owns it
  if (dialog.centred) {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_work_area(x, y, w, h, 0);
    impl_->window->position(x + (w - impl_->window->w()) / 2, y + (h - impl_->window->h()) / 2);
  }
  addSideWindow(impl_->window.get());
}

Dialog::~Dialog() {
  removeSideWindow(impl_->window.get());
  impl_->window->hide();
  impl_->window.reset();  // the widgets go with their window, before the images they show
}

bool Dialog::checked(int id) const {
  auto* b = dynamic_cast<Fl_Button*>(impl_->widget(id));
  return b && b->value() != 0;
}

void Dialog::setChecked(int id, bool on) {
  if (auto* b = dynamic_cast<Fl_Button*>(impl_->widget(id))) b->value(on ? 1 : 0);
}

void Dialog::pressRadio(int id) {
  const auto group = impl_->radioGroups.find(id);
  if (group == impl_->radioGroups.end()) return;
  for (int member : group->second) setChecked(member, member == id);
}

bool Dialog::radioPressed(int id) const { return checked(id); }

int Dialog::sliderPosition(int id) const {
  auto* s = dynamic_cast<Fl_Slider*>(impl_->widget(id));
  return s ? static_cast<int>(s->value()) : 0;
}

void Dialog::setSliderPosition(int id, int position) {
  if (auto* s = dynamic_cast<TickSlider*>(impl_->widget(id))) s->moveTo(position);
}

std::string Dialog::text(int id) const {
  Fl_Widget* w = impl_->textWidget(id);
  if (auto* input = dynamic_cast<Fl_Input*>(w))
    return std::string(input->value(), static_cast<size_t>(input->size()));
  if (auto* editor = dynamic_cast<Fl_Text_Editor*>(w)) {
    char* all = editor->buffer()->text();
    std::string copy = all ? all : "";
    free(all);
    return copy;
  }
  return {};
}

void Dialog::setText(int id, std::string_view text) {
  Fl_Widget* w = impl_->textWidget(id);
  const std::string copy(text);
  if (auto* input = dynamic_cast<Fl_Input*>(w)) {
    input->value(copy.data(), static_cast<int>(copy.size()));
  } else if (auto* editor = dynamic_cast<Fl_Text_Editor*>(w)) {
    editor->buffer()->text(copy.c_str());
  } else if (w) {
    w->copy_label(copy.c_str());
    if (Fl_Window* window = w->window()) window->redraw();
  }
}

void Dialog::setChoices(int id, std::vector<std::string> names) {
  if (auto* edit = dynamic_cast<CompletingInput*>(impl_->widget(id))) edit->names(std::move(names));
}

void Dialog::focus(int id) {
  if (Fl_Widget* w = impl_->textWidget(id)) w->take_focus();
}

void Dialog::moveTo(int x, int y, bool frameCorner) {
  impl_->want = {x, y, 0, 0, frameCorner};
  impl_->placed = true;
  if (!impl_->window->shown()) return;
  settleAfterShow(*impl_->window, fitToWorkArea(impl_->wanted(), FrameExtents{}, workArea()));
}

void Dialog::show() {
  const bool wasShown = impl_->window->shown();
  // A window shown again returns to where it was hidden.
  if (!wasShown && impl_->mapped) {
    impl_->want = {impl_->lastClient.left, impl_->lastClient.top, 0, 0, false};
    impl_->placed = true;
  }
  // FLTK keeps a new window clear of the screen's edges, and a window manager puts its
  // frame around the client area: the window goes where it was asked for, fitted into
  // the work area with its frame.
  std::optional<Rect> target;
  if (!wasShown && impl_->placed) target = placeBeforeShow(*impl_->window, impl_->wanted());
  impl_->window->show();
  if (wasShown) return;
  if (target) {
    settleAfterShow(*impl_->window, *target);
  } else {
    Fl::check();
  }
  impl_->mapped = true;
  impl_->lastClient = platform::clientRect(*impl_->window);
}

void Dialog::hide() {
  if (impl_->window->shown()) impl_->lastClient = platform::clientRect(*impl_->window);
  impl_->window->hide();
}

bool Dialog::visible() const { return impl_->window->shown() && impl_->window->visible(); }

bool Dialog::minimised() const { return impl_->window->shown() && !impl_->window->visible(); }

Rect Dialog::clientRect() const {
  if (impl_->window->shown()) return platform::clientRect(*impl_->window);
  if (impl_->mapped) return impl_->lastClient;
  const Fl_Window& w = *impl_->window;
  return Rect{w.x(), w.y(), w.x() + w.w(), w.y() + w.h()};
}

void Dialog::runModal() {
  Fl_Window* owner = mainWindowOfProgram();
  ++modalDepth;
  show();
  auto ownerShown = [owner] {
    if (!owner) return true;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
      if (w == owner) return true;
    }
    return false;
  };
  while (impl_->window->shown() && ownerShown()) {
    if (Fl::wait() < 0) break;
  }
  hide();
  --modalDepth;
}

void post(std::function<void()> call) {
  auto* pending = new std::function<void()>(std::move(call));
  Fl::add_timeout(
      0.0,
      [](void* data) {
        std::unique_ptr<std::function<void()>> run(static_cast<std::function<void()>*>(data));
        (*run)();
      },
      pending);
}

void postCloseToMainWindow() {
  post([] {
    if (Fl_Window* main = mainWindowOfProgram()) main->do_callback();
  });
}

}  // namespace platform
