// The zone tables' places.
#include "model/zone_places.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoneCoordinates, ReadDegreesMinutesAndSeconds) {
  // clang-format off
  const struct {
    const char* field;
    bool valid;
    float latitude, longitude;
  } cases[] = {
      {"+2743+08519", true, 27.0f + 43 / 60.0f, 85.0f + 19 / 60.0f},
      {"-3352+15113", true, -(33.0f + 52 / 60.0f), 151.0f + 13 / 60.0f},
      {"+404251-0740023", true, 40.0f + 42 / 60.0f + 51 / 3600.0f,
       -(74.0f + 23 / 3600.0f)},
      {"", false, 0, 0},
      {"2743+08519", false, 0, 0},     // no sign
      {"+27+085", false, 0, 0},
      {"+2760+08519", false, 0, 0},    // 60 minutes
      {"+9100+00000", false, 0, 0},    // beyond the pole
      {"+2743+0851x", false, 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto at = parseZoneCoordinates(c.field);
    ASSERT_EQ(at.has_value(), c.valid) << c.field;
    if (!at) continue;
    EXPECT_FLOAT_EQ(at->latitude, c.latitude) << c.field;
    EXPECT_FLOAT_EQ(at->longitude, c.longitude) << c.field;
  }
}

TEST(ZonePlaces, FirstTableWinsAndEveryZoneIsFoundByName) {
  const auto primary = parseZoneTable(
      "# comment\tline\n"
      "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales (most areas)\r\n"
      "DE,DK,NO\t+5230+01322\tEurope/Berlin\n"
      "XX\tnot-a-place\tBad/Line\n"
      "XX\t+0000+00000\t../etc/passwd\n"
      "short line\n");
  ASSERT_EQ(primary.size(), 2u);
  const auto secondary = parseZoneTable(
      "NO\t+5955+01045\tEurope/Oslo\n"
      "DE\t+0000+00000\tEurope/Berlin\n");
  const ZonePlaces places(primary, secondary);
  ASSERT_EQ(places.all().size(), 3u);
  EXPECT_EQ(places.all()[0].name, "Australia/Sydney");  // sorted by name
  EXPECT_FLOAT_EQ(places.find("Europe/Berlin")->latitude, 52.5f);
  EXPECT_FLOAT_EQ(places.find("Europe/Oslo")->longitude, 10.75f);
  EXPECT_EQ(places.find("Europe/Paris"), nullptr);
}

}  // namespace
