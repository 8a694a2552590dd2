#include "platform/completing_input.h"

#include <FL/Fl.H>

#include "platform/text.h"

namespace platform {

std::optional<std::string> completionOf(const std::vector<std::string>& names,
                                        std::string_view typed) {
  if (typed.empty()) return std::nullopt;
  for (const std::string& name : names) {
    if (name.size() > typed.size() &&
        equalsIgnoreCase(std::string_view(name).substr(0, typed.size()), typed)) {
      return name;
    }
  }
  return std::nullopt;
}

std::size_t lastNameStart(std::string_view text) {
  const std::size_t blank = text.find_last_of(" \t");
  return blank == std::string_view::npos ? 0 : blank + 1;
}

CompletingInput::CompletingInput(int x, int y, int w, int h, bool list)
    : Fl_Group(x, y, w, h), list_(list) {
  input_ = new Edit(x, y, w - h, h, *this);
  menu_ = new Fl_Menu_Button(x + w - h, y, h, h);
  menu_->callback([](Fl_Widget*, void* self) { static_cast<CompletingInput*>(self)->picked(); },
                  this);
  menu_->visible_focus(0);  // Tab passes it by: the Down key opens the menu from the edit
  end();
  resizable(input_);
}

void CompletingInput::names(std::vector<std::string> names) {
  names_ = std::move(names);
  menu_->clear();
  for (const std::string& name : names_) menu_->add(name.c_str());
}

void CompletingInput::textStyle(Fl_Font font, Fl_Fontsize size) {
  input_->textfont(font);
  input_->textsize(size);
  menu_->textfont(font);
  menu_->textsize(size);
}

int CompletingInput::Edit::handle(int event) {
  if (event != FL_KEYBOARD) return Fl_Input::handle(event);
  if (Fl::event_key() == FL_Down) {
    owner_.menu_->popup();
    return 1;
  }
  // Only a printable character typed at the end asks for a completion; Backspace and Delete
  // take one back.
  const char* typed = Fl::event_text();
  const bool printable = Fl::event_length() > 0 && static_cast<unsigned char>(typed[0]) >= ' ' &&
                         typed[0] != 127 && !(Fl::event_state() & (FL_CTRL | FL_ALT | FL_META));
  const int handled = Fl_Input::handle(event);
  if (handled && printable) owner_.complete();
  return handled;
}

void CompletingInput::complete() {
  const std::string text(input_->value(), static_cast<std::size_t>(input_->size()));
  if (input_->position() != input_->size() || input_->mark() != input_->size()) return;
  const std::size_t start = list_ ? lastNameStart(text) : 0;
  const auto name = completionOf(names_, std::string_view(text).substr(start));
  if (!name) return;
  const std::string completed = text.substr(0, start) + *name;
  input_->value(completed.c_str(), static_cast<int>(completed.size()));
  input_->position(static_cast<int>(text.size()), static_cast<int>(completed.size()));
}

void CompletingInput::picked() {
  char path[256];
  if (menu_->mvalue() == nullptr || menu_->item_pathname(path, sizeof path) != 0) return;
  std::string text(input_->value(), static_cast<std::size_t>(input_->size()));
  if (list_) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    if (!text.empty()) text += ' ';
    text += path;
  } else {
    text = path;
  }
  input_->value(text.c_str(), static_cast<int>(text.size()));
  input_->position(static_cast<int>(text.size()));
  input_->take_focus();
}

}  // namespace platform
