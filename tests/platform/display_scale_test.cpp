#include "platform/display_scale.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(DisplayScale, XftDpiFromTheResourceDatabase) {
  const struct {
    const char* resources;
    std::optional<double> dpi;
  } cases[] = {
      {"Xft.dpi:\t192\n", 192.0},
      {"*customization:\t-color\nXft.antialias:\t1\nXft.dpi:\t144.5\nXft.hinting:\t1\n", 144.5},
      {"Xft.dpi: 120", 120.0},  // no line end after the last line
      {"Xft.dpi:\n", std::nullopt},
      {"Xft.dpi:\tlarge\n", std::nullopt},
      {"Xft.dpi:\t-96\n", std::nullopt},
      {"Xft.dpix:\t192\nXft.antialias:\t1\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::xftDpi(c.resources), c.dpi) << c.resources;
}

TEST(DisplayScale, QuarterStepsFromNinetySixDpi) {
  const struct {
    double dpi, scale;
  } cases[] = {{96, 1.0},  {100, 1.0}, {106, 1.0}, {108, 1.25}, {120, 1.25}, {144, 1.5},
               {192, 2.0}, {288, 3.0}, {72, 1.0},  {0, 1.0},    {-5, 1.0},   {1000, 4.0}};
  for (const auto& c : cases) EXPECT_EQ(platform::scaleForDpi(c.dpi), c.scale) << c.dpi;
}

TEST(DisplayScale, SettingOverridesWithinItsRange) {
  const struct {
    const char* text;
    std::optional<double> scale;
  } cases[] = {
      {"2", 2.0},          {"1.5", 1.5},         {" 1,25 ", 1.25},      {"0.75", 0.75},
      {"0.2", 0.5},        {"9", 4.0},           {"", std::nullopt},    {"auto", std::nullopt},
      {"0", std::nullopt}, {"-2", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::scaleSetting(c.text), c.scale) << c.text;
}

}  // namespace
