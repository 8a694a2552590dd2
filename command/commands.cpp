#include "command/commands.h"

#include <iterator>
#include <utility>

#include "command/view_presets.h"
#include "model/fetch_schedule.h"

namespace {

constexpr bool ViewState::*kOptionFlags[] = {
    &ViewState::cycle,      &ViewState::showValue, &ViewState::showChange, &ViewState::showPercent,
    &ViewState::largeTags,  &ViewState::noon,      &ViewState::night,      &ViewState::dark,
    &ViewState::zones,      &ViewState::clocks,    &ViewState::news,       &ViewState::nightStyle,
    &ViewState::cityLights, &ViewState::palette,
};
static_assert(std::size(kOptionFlags) == static_cast<size_t>(Option::palette) + 1,
              "one flag per Option, in its order");

// The options of the globe's keys, which the settings keep in [Items].
std::optional<DisplayOption> storedOption(Option option) {
  switch (option) {
    case Option::nightStyle:
      return DisplayOption::nightStyle;
    case Option::cityLights:
      return DisplayOption::cityLights;
    case Option::palette:
      return DisplayOption::palette;
    default:
      return std::nullopt;
  }
}

bool isQuoteField(Option option) {
  return option == Option::showValue || option == Option::showChange ||
         option == Option::showPercent;
}

int32_t atMost(int32_t value, int32_t limit) { return value > limit ? limit : value; }
int32_t atLeast(int32_t value, int32_t limit) { return value < limit ? limit : value; }

}  // namespace

bool& optionFlag(ViewState& view, Option option) {
  return view.*kOptionFlags[static_cast<size_t>(option)];
}

bool optionOn(const ViewState& view, Option option) {
  return view.*kOptionFlags[static_cast<size_t>(option)];
}

Commands::Commands(DisplayState& display, FetchSchedule& schedule, CommandLinks links)
    : display_(display), schedule_(schedule), links_(std::move(links)) {}

CommandResult Commands::applyPreset(int preset) {
  preset_ = preset & 3;
  loadPreset(display_.view, preset_);
  RendererRequests& requests = display_.requests;
  requests.darkBackground = display_.view.dark;
  requests.relayout = true;
  requests.newTexture = true;
  CommandResult result;
  result.optionsChanged = true;
  result.levelsChanged = true;
  result.presetSelected = preset_;
  return result;
}

CommandResult Commands::savePreset() {
  CommandResult result;
  result.stored = ::savePreset(display_.view, preset_);
  return result;
}

CommandResult Commands::setOption(Option option, bool on) {
  ViewState& view = display_.view;
  RendererRequests& requests = display_.requests;
  optionFlag(view, option) = on;
  CommandResult result;
  result.optionsChanged = true;
  if (isQuoteField(option)) {
    for (const Option field : {Option::showValue, Option::showChange, Option::showPercent}) {
      if (field != option) optionFlag(view, field) = false;
    }
  }
  switch (option) {
    case Option::night:
      requests.newTexture = true;
      break;
    case Option::dark:
      requests.darkBackground = on;
      break;
    case Option::clocks:
      requests.relayout = true;
      break;
    default:
      break;
  }
  if (const auto stored = storedOption(option)) {
    if (optionChangesTexture(*stored)) requests.newTexture = true;
    result.stored = writeDisplayOption(view, *stored);
  }
  return result;
}

CommandResult Commands::toggleOption(Option option) {
  return setOption(option, !optionFlag(display_.view, option));
}

CommandResult Commands::setLevels(int colourPosition, int gridPosition) {
  ViewState& view = display_.view;
  view.colorLevel = static_cast<float>(colourPosition);
  if (view.colorLevel != static_cast<float>(appliedColorLevel_)) {
    display_.requests.newTexture = true;
    appliedColorLevel_ = truncateLevel(view.colorLevel);
  }
  view.gridLevel = static_cast<float>(gridPosition);
  return {};
}

CommandResult Commands::refreshNow() {
  schedule_.requestNow();
  return {};
}

CommandResult Commands::nudgeView(ViewNudge nudge) {
  ViewState& view = display_.view;
  switch (nudge) {
    case ViewNudge::spinFaster:
      view.spinRate = static_cast<float>(view.spinRate * 1.1);
      break;
    case ViewNudge::spinSlower:
      view.spinRate = static_cast<float>(view.spinRate * 0.9);
      break;
    case ViewNudge::spinStop:
      view.spinRate = 0.0f;
      break;
    case ViewNudge::spinLeft:
      view.spinRate = 0.1f;
      break;
    case ViewNudge::spinRight:
      view.spinRate = -0.1f;
      break;
    case ViewNudge::zoomIn:
      view.zoom = atMost(static_cast<int32_t>(view.zoom * 1.1), kMaxZoom);
      break;
    case ViewNudge::zoomOut:
      view.zoom = atLeast(static_cast<int32_t>(view.zoom * 0.9), kMinStepZoom);
      break;
    case ViewNudge::tiltUp:
      view.tilt = view.tilt + 1.0f > kMaxTilt ? kMaxTilt : view.tilt + 1.0f;
      break;
    case ViewNudge::tiltDown:
      view.tilt = view.tilt - 1.0f < kMinTilt ? kMinTilt : view.tilt - 1.0f;
      break;
  }
  return {};
}

CommandResult Commands::reset() {
  if (links_.forgetScript) links_.forgetScript();
  CommandResult result;
  result.closeRequested = true;
  return result;
}

CommandResult Commands::setClocks(const ClockChoice& choice) {
  CommandResult result;
  result.stored = storeClockChoice(choice);
  // Also after a failed write: what the file still holds is what the clocks show.
  display_.requests.newClocks = true;
  return result;
}
