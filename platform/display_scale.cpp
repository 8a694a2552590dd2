#include "platform/display_scale.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/text.h"

namespace platform {

namespace {

constexpr double kDesignDpi = 96.0;
constexpr double kLeastSetting = 0.5;
constexpr double kMostScale = 4.0;

// A positive, finite number at the start of `text`, with a decimal point or a comma.
std::optional<double> positiveNumber(std::string_view text) {
  std::string copy(trimBlanks(text));
  std::replace(copy.begin(), copy.end(), ',', '.');
  const double value = leadingDouble(copy);
  if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
  return value;
}

double interfaceFactor = 1.0;  // UI thread

}  // namespace

std::optional<double> xftDpi(std::string_view resources) {
  while (!resources.empty()) {
    const size_t end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || trimBlanks(line.substr(0, colon)) != "Xft.dpi") {
      continue;
    }
    return positiveNumber(line.substr(colon + 1));
  }
  return std::nullopt;
}

double scaleForDpi(double dpi) {
  if (!std::isfinite(dpi) || dpi <= 0.0) return 1.0;
  const double quarters = std::round(dpi / kDesignDpi * 4.0) / 4.0;
  return std::clamp(quarters, 1.0, kMostScale);
}

std::optional<double> scaleSetting(std::string_view text) {
  const auto value = positiveNumber(text);
  if (!value) return std::nullopt;
  return std::clamp(*value, kLeastSetting, kMostScale);
}

double detectedScale() {
  fl_open_display();
  if (const char* resources = XResourceManagerString(fl_display)) {
    if (const auto dpi = xftDpi(resources)) return scaleForDpi(*dpi);
  }
  const int millimetres = DisplayHeightMM(fl_display, fl_screen);
  if (millimetres <= 0) return 1.0;
  return scaleForDpi(DisplayHeight(fl_display, fl_screen) * 25.4 / millimetres);
}

void setInterfaceScale(double scale) {
  interfaceFactor = scale;
  // FLTK's own texts (message boxes, tooltips, button labels) grow along.
  if (scale != 1.0) FL_NORMAL_SIZE = static_cast<Fl_Fontsize>(scaledPixels(14));
}

double interfaceScale() { return interfaceFactor; }

int scaledPixels(int pixels) {
  return static_cast<int>(std::lround(static_cast<double>(pixels) * interfaceFactor));
}

}  // namespace platform
