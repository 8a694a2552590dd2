#include "shell/fetch_boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// The boxes on a pretend screen, and the program's close.
struct Screen {
  struct Box {
    std::string text;
    std::string title;
    std::function<void()> dismissed;
  };
  std::vector<Box> boxes;
  int opened = 0;
  int programCloses = 0;

  // As the user's OK does, or a close by text and title.
  void dismiss(const std::string& text, const std::string& title) {
    const auto box = std::find_if(boxes.begin(), boxes.end(),
                                  [&](const Box& b) { return b.text == text && b.title == title; });
    if (box == boxes.end()) return;
    const std::function<void()> dismissed = box->dismissed;
    boxes.erase(box);
    dismissed();
  }

  std::string shown() const {
    std::string out;
    for (const Box& box : boxes) out += (out.empty() ? "" : " ") + box.title + ":" + box.text;
    return out;
  }
};

// Steps: "trouble X" and "script X" (boxes titled T and S), "user T:X" (the user's OK),
// "success" (a run succeeded), "close" (the script's close).
TEST(FetchBoxes, OneBoxATextTroubleGoesOnSuccessCloseWaitsForTheScriptsBox) {
  const struct {
    const char* steps;
    const char* shown;
    int opened;
    int programCloses;
  } cases[] = {
      {"trouble A, trouble A, trouble A", "T:A", 1, 0},
      {"trouble A, script A", "T:A S:A", 2, 0},
      {"trouble A, user T:A, trouble A", "T:A", 2, 0},
      {"trouble A, trouble B, script M, success", "S:M", 3, 0},
      {"trouble A, success, trouble A", "T:A", 2, 0},
      {"success", "", 0, 0},
      {"script D, close", "S:D", 1, 0},
      {"script D, close, success", "S:D", 1, 0},
      {"script D, close, user S:D", "", 1, 1},
      {"trouble A, close", "T:A", 1, 1},
      {"close, script D, user S:D", "", 1, 1},
  };
  for (const auto& c : cases) {
    Screen screen;
    const auto boxes = std::make_shared<FetchBoxes>(FetchBoxHooks{
        .open =
            [&screen](std::string_view text, std::string_view title, std::function<void()> gone) {
              ++screen.opened;
              screen.boxes.push_back({std::string(text), std::string(title), std::move(gone)});
            },
        .close =
            [&screen](std::string_view text, std::string_view title) {
              screen.dismiss(std::string(text), std::string(title));
            },
        .closeProgram = [&screen] { ++screen.programCloses; },
    });
    std::stringstream steps(c.steps);
    for (std::string step; std::getline(steps >> std::ws, step, ',');) {
      const std::string arg = step.substr(step.find(' ') + 1);
      if (step.starts_with("trouble")) boxes->show(FetchBoxKind::trouble, arg, "T");
      if (step.starts_with("script")) boxes->show(FetchBoxKind::script, arg, "S");
      if (step.starts_with("user")) screen.dismiss(arg.substr(2), arg.substr(0, 1));
      if (step == "success") boxes->runSucceeded();
      if (step == "close") boxes->closeRequested();
    }
    EXPECT_EQ(screen.shown(), c.shown) << c.steps;
    EXPECT_EQ(screen.opened, c.opened) << c.steps;
    EXPECT_EQ(screen.programCloses, c.programCloses) << c.steps;
    EXPECT_EQ(boxes->openCount(), screen.boxes.size()) << c.steps;
  }
}

}  // namespace
