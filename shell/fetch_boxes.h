#pragma once
// The fetch runs' message boxes, as the UI thread keeps them. A run never waits for a box: it
// asks for one and goes on, so that a box left open holds up no refresh. While a box of the
// same text and title is open, no second one opens. A box of a run's own trouble (no script,
// an invalid one) goes by itself when a later run succeeds; a box the script asked for stays
// until the user dismisses it. A close that the script asks for waits until the user has
// dismissed the script's box: the box is read before the program ends.
//
// UI thread only. The windows come in through hooks, so that tests need no display.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class FetchBoxKind { trouble, script };

struct FetchBoxHooks {
  // Opens a box that blocks nothing; `dismissed` runs when it goes, by the user or by `close`.
  std::function<void(std::string_view text, std::string_view title,
                     std::function<void()> dismissed)>
      open;
  // Dismisses the open boxes of this text and title.
  std::function<void(std::string_view text, std::string_view title)> close;
  // Ends the program as the main window's close box does.
  std::function<void()> closeProgram;
};

// Made with std::make_shared: a box's dismissal finds it through a weak pointer.
class FetchBoxes : public std::enable_shared_from_this<FetchBoxes> {
 public:
  explicit FetchBoxes(FetchBoxHooks hooks) : hooks_(std::move(hooks)) {}

  void show(FetchBoxKind kind, std::string_view text, std::string_view title);
  // A run succeeded: the trouble boxes go.
  void runSucceeded();
  // The script ends the program: now when none of its boxes is open, else when the last goes.
  void closeRequested();
  size_t openCount() const { return open_.size(); }

 private:
  struct Box {
    FetchBoxKind kind;
    std::string text;
    std::string title;
  };

  std::vector<Box>::iterator find(std::string_view text, std::string_view title);
  void dismissed(const std::string& text, const std::string& title);
  void closeWhenNoScriptBox();

  FetchBoxHooks hooks_;
  std::vector<Box> open_;
  bool closeWanted_ = false;
};
