#include "shell/fetch_boxes.h"

#include <algorithm>

std::vector<FetchBoxes::Box>::iterator FetchBoxes::find(std::string_view text,
                                                        std::string_view title) {
  return std::find_if(open_.begin(), open_.end(),
                      [&](const Box& box) { return box.text == text && box.title == title; });
}

void FetchBoxes::show(FetchBoxKind kind, std::string_view text, std::string_view title) {
  if (find(text, title) != open_.end() || !hooks_.open) return;
  open_.push_back({kind, std::string(text), std::string(title)});
  hooks_.open(text, title,
              [weak = weak_from_this(), text = std::string(text), title = std::string(title)] {
                if (const auto boxes = weak.lock()) boxes->dismissed(text, title);
              });
}

void FetchBoxes::runSucceeded() {
  std::vector<Box> trouble;
  for (const Box& box : open_) {
    if (box.kind == FetchBoxKind::trouble) trouble.push_back(box);
  }
  for (const Box& box : trouble) {
    if (hooks_.close) hooks_.close(box.text, box.title);  // its dismissal forgets it
    const auto left = find(box.text, box.title);
    if (left != open_.end()) open_.erase(left);
  }
}

void FetchBoxes::closeRequested() {
  closeWanted_ = true;
  closeWhenNoScriptBox();
}

void FetchBoxes::dismissed(const std::string& text, const std::string& title) {
  const auto box = find(text, title);
  if (box == open_.end()) return;
  open_.erase(box);
  closeWhenNoScriptBox();
}

void FetchBoxes::closeWhenNoScriptBox() {
  if (!closeWanted_) return;
  const bool scriptBoxOpen = std::any_of(
      open_.begin(), open_.end(), [](const Box& box) { return box.kind == FetchBoxKind::script; });
  if (scriptBoxOpen) return;
  closeWanted_ = false;
  if (hooks_.closeProgram) hooks_.closeProgram();
}
