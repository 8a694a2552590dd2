// What the clocks dialog stores, and what it refuses to.
#include "panel/clocks_dialog.h"

#include <gtest/gtest.h>

#include "panel/dialog_tables.h"

namespace {

bool knownForTest(std::string_view zone) {
  return zone == "Local" || zone == "Asia/Tokyo" || zone == "Asia/Kathmandu";
}

TEST(ClocksForm, RefusesWhatCannotBeShownAndNamesWhere) {
  // clang-format off
  const struct {
    const char* what;
    int row;  // the dial's row changed, or -1 for the globe's list
    const char* label;
    const char* zone;  // the row's zone, or the globe's list
    const char* problem;
    int control;
  } cases[] = {
      {"unknown zone", 1, "", "Asia/Tokio", "Unknown time zone: Asia/Tokio", clocksid::zones[1]},
      {"label without zone", 2, "Home", " ", "The New York row has a label but no time zone.",
       clocksid::zones[2]},
      {"long label", 0, "Kathmandu Valley", "Asia/Kathmandu",
       "A label has at most 10 characters: Kathmandu Valley", clocksid::labels[0]},
      {"thirteen on the globe", -1, "",
       "Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo "
       "Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo Asia/Tokyo",
       "At most 12 globe clocks, not 13.", clocksid::globe},
      {"Local on the globe", -1, "", "Asia/Tokyo Local", "Local has no place on the globe.",
       clocksid::globe},
      {"unknown on the globe", -1, "", "Asia/Tokyo Asia/Tokio",
       "Unknown time zone: Asia/Tokio", clocksid::globe},
  };
  // clang-format on
  for (const auto& c : cases) {
    ClocksForm form;
    if (c.row >= 0) {
      form.labels[static_cast<size_t>(c.row)] = c.label;
      form.zones[static_cast<size_t>(c.row)] = c.zone;
    } else {
      form.globe = c.zone;
    }
    const ClocksCheck check = checkClocksForm(form, knownForTest);
    EXPECT_EQ(check.problem, c.problem) << c.what;
    EXPECT_EQ(check.control, c.control) << c.what;
  }
}

TEST(ClocksForm, StoresTrimmedTextsWithTheCityForAnEmptyLabel) {
  ClocksForm form;
  form.labels = {" Home ", "", "", ""};
  form.zones = {"Local", " Asia/Kathmandu ", "", ""};
  form.globe = "  Asia/Tokyo   Asia/Kathmandu ";
  const ClocksCheck check = checkClocksForm(form, knownForTest);
  EXPECT_EQ(check.problem, "");
  EXPECT_EQ(check.choice.dials[0].label, "Home");
  EXPECT_EQ(check.choice.dials[1].label, "Kathmandu");
  EXPECT_EQ(check.choice.dials[1].zone, "Asia/Kathmandu");
  EXPECT_EQ(check.choice.dials[2].zone, "");
  EXPECT_EQ(check.choice.globeZones, (std::vector<std::string>{"Asia/Tokyo", "Asia/Kathmandu"}));
  // What the dialog shows again.
  const ClocksForm shown = clocksFormOf(check.choice);
  EXPECT_EQ(shown.labels[1], "Kathmandu");
  EXPECT_EQ(shown.globe, "Asia/Tokyo Asia/Kathmandu");
}

}  // namespace
