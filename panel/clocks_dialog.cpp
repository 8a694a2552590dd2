#include "panel/clocks_dialog.h"

#include <algorithm>
#include <vector>

#include "model/zone_places.h"
#include "panel/dialog_tables.h"
#include "panel/modal_dialog.h"
#include "platform/text.h"
#include "platform/time_zone.h"

namespace {

// The program's dial each row takes the place of, as the dialog names them.
constexpr const char* kRowNames[4] = {"Local", "London", "New York", "Beijing"};

std::string trimmed(std::string_view text) { return std::string(platform::trimBlanks(text)); }

// The first problem of one dial's row, filling `dial` as it goes.
std::string checkDial(const ClocksForm& form, size_t row,
                      const std::function<bool(std::string_view)>& known, DialChoice& dial,
                      int& control) {
  const std::string label = trimmed(form.labels[row]);
  dial.zone = trimmed(form.zones[row]);
  control = clocksid::zones[row];
  if (dial.zone.empty()) {
    if (label.empty()) return {};
    return std::string("The ") + kRowNames[row] + " row has a label but no time zone.";
  }
  if (!known(dial.zone)) return "Unknown time zone: " + dial.zone;
  control = clocksid::labels[row];
  if (firstCharacters(label, kDialLabelLimit) != label) {
    return "A label has at most " + std::to_string(kDialLabelLimit) + " characters: " + label;
  }
  dial.label = label.empty() ? cityLabel(dial.zone) : label;
  return {};
}

std::string checkGlobe(const ClocksForm& form, const std::function<bool(std::string_view)>& known,
                       std::vector<std::string>& zones) {
  zones = splitZoneList(form.globe);
  if (zones.size() > kGlobeClockLimit) {
    return "At most " + std::to_string(kGlobeClockLimit) + " globe clocks, not " +
           std::to_string(zones.size()) + ".";
  }
  for (const std::string& zone : zones) {
    if (isLocalZone(zone)) return "Local has no place on the globe.";
    if (!known(zone)) return "Unknown time zone: " + zone;
  }
  return {};
}

bool knownZone(std::string_view zone) {
  return isLocalZone(zone) || platform::loadTimeZone(zone).has_value();
}

class ClocksDialog : public OkCancelDialog {
 public:
  explicit ClocksDialog(Commands& commands) : OkCancelDialog(kClocksDialog, commands) {
    const ZonePlaces places = readZonePlaces();
    std::vector<std::string> names;
    for (const ZonePlace& place : places.all()) names.push_back(place.name);
    dialog_.setChoices(clocksid::globe, names);
    names.insert(std::lower_bound(names.begin(), names.end(), kLocalZone), std::string(kLocalZone));
    // The settings file is what counts: it holds what the clocks show.
    const ClocksForm form = clocksFormOf(readClockChoice());
    for (size_t row = 0; row < 4; ++row) {
      dialog_.setChoices(clocksid::zones[row], names);
      dialog_.setText(clocksid::labels[row], form.labels[row]);
      dialog_.setText(clocksid::zones[row], form.zones[row]);
    }
    dialog_.setText(clocksid::globe, form.globe);
  }

 private:
  void accept() override {
    ClocksForm form;
    for (size_t row = 0; row < 4; ++row) {
      form.labels[row] = dialog_.text(clocksid::labels[row]);
      form.zones[row] = dialog_.text(clocksid::zones[row]);
    }
    form.globe = dialog_.text(clocksid::globe);
    const ClocksCheck check = checkClocksForm(form, knownZone);
    if (!check.problem.empty()) {
      dialog_.setText(clocksid::problem, check.problem);
      dialog_.focus(check.control);
      return;
    }
    if (!commands_.setClocks(check.choice).stored) {
      dialog_.setText(clocksid::problem, "The settings file could not be written.");
      return;
    }
    dialog_.hide();
  }
};

}  // namespace

ClocksForm clocksFormOf(const ClockChoice& choice) {
  ClocksForm form;
  for (size_t row = 0; row < 4; ++row) {
    form.labels[row] = choice.dials[row].label;
    form.zones[row] = choice.dials[row].zone;
  }
  form.globe = joinZoneList(choice.globeZones);
  return form;
}

ClocksCheck checkClocksForm(const ClocksForm& form,
                            const std::function<bool(std::string_view)>& known) {
  ClocksCheck check;
  for (size_t row = 0; row < 4 && check.problem.empty(); ++row) {
    check.problem = checkDial(form, row, known, check.choice.dials[row], check.control);
  }
  if (check.problem.empty()) {
    check.problem = checkGlobe(form, known, check.choice.globeZones);
    check.control = clocksid::globe;
  }
  return check;
}

void runClocksDialog(Commands& commands) {
  ClocksDialog dialog(commands);
  dialog.run();
}
