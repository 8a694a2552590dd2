#pragma once
// An edit that completes what is typed from a list of names, with a button beside it that
// offers the names in a menu (a name's parts before each '/' become submenus: "Asia/Tokyo"
// is Tokyo under Asia). A completion stands selected after the typed characters, so that
// typing on replaces it, Backspace takes it back, and Tab or End keeps it.
//
// In list mode the edit holds several names separated by blanks: completion works on the
// last one, and a name picked from the menu is added at the end.
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The first of `names` (sorted) that begins with `typed`, letter case aside, and is longer;
// nothing for an empty `typed`.
std::optional<std::string> completionOf(const std::vector<std::string>& names,
                                        std::string_view typed);

// Where the last name of a list separated by blanks begins.
std::size_t lastNameStart(std::string_view text);

class CompletingInput : public Fl_Group {
 public:
  CompletingInput(int x, int y, int w, int h, bool list);

  // The names to complete from and to offer, sorted.
  void names(std::vector<std::string> names);
  // The font of the edit's text and of the menu.
  void textStyle(Fl_Font font, Fl_Fontsize size);
  Fl_Input& input() { return *input_; }

 private:
  class Edit : public Fl_Input {
   public:
    Edit(int x, int y, int w, int h, CompletingInput& owner)
        : Fl_Input(x, y, w, h), owner_(owner) {}
    int handle(int event) override;

   private:
    CompletingInput& owner_;
  };

  void complete();
  void picked();

  bool list_;
  std::vector<std::string> names_;
  Edit* input_;
  Fl_Menu_Button* menu_;
};

}  // namespace platform
