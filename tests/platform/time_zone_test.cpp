// Zone names before they reach the file system, and completion from the database's names.
#include "platform/time_zone.h"

#include <gtest/gtest.h>

#include "platform/completing_input.h"

namespace {

TEST(ZoneNames, OnlyTheShapeOfAZoneNameIsLoaded) {
  // clang-format off
  const struct {
    const char* name;
    bool plausible;
  } cases[] = {
      {"Asia/Kathmandu", true}, {"America/Argentina/Buenos_Aires", true}, {"Etc/GMT-5", true},
      {"UTC", true}, {"", false}, {"/etc/passwd", false}, {"../../etc/passwd", false},
      {"Asia/../../../dev/zero", false}, {"Asia//Tokyo", false}, {"Asia/Tokyo/", false},
      {"Asia/Tokyo ", false}, {"-Asia", false}, {"Asia/Tokyo\\n", false},
      {"Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},  // 65
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(platform::plausibleZoneName(c.name), c.plausible) << c.name;
    if (!c.plausible) {
      EXPECT_FALSE(platform::loadTimeZone(c.name).has_value()) << c.name;
    }
  }
  EXPECT_FALSE(platform::loadTimeZone("Mars/Olympus").has_value());
  EXPECT_EQ(platform::unixSeconds({2026, 3, 5, 20, 13, 45, 20, 0}), 1774014320);
}

TEST(ZoneNames, CompletionTakesTheFirstLongerNameOfAnyCase) {
  const std::vector<std::string> names = {"Asia/Kabul", "Asia/Kathmandu", "Asia/Kolkata", "Local"};
  // clang-format off
  const struct {
    const char* typed;
    const char* completed;  // null: none
  } cases[] = {
      {"asia/ka", "Asia/Kabul"}, {"Asia/Kat", "Asia/Kathmandu"}, {"l", "Local"},
      {"Asia/Kabul", nullptr}, {"Asia/X", nullptr}, {"", nullptr},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto completed = platform::completionOf(names, c.typed);
    EXPECT_EQ(completed.value_or("none"), c.completed ? c.completed : "none") << c.typed;
  }
  EXPECT_EQ(platform::lastNameStart("Asia/Tokyo Europe/Pa"), 11u);
  EXPECT_EQ(platform::lastNameStart("Asia/To"), 0u);
}

}  // namespace
