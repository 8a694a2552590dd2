#include "market/script_format.h"

#include <cmath>

#include "platform/text.h"

namespace {

// The text with four blanks added, "%" at the fifth character, and nothing after it.
std::string fiveWithPercent(std::string text) {
  text += "    ";
  text[4] = '%';
  text.resize(5);
  return text;
}

}  // namespace

std::string percentTwoDecimals(float value) {
  return fiveWithPercent(platform::formatFixed(value, 2));
}

std::string percentOneDecimal(float value) {
  std::string text = fiveWithPercent(platform::formatFixed(value, 1));
  if (text[3] == '.') text[3] = ' ';
  if (text[3] == ' ') text[3] = '%';
  if (text[3] == '%') text[4] = ' ';
  return text;
}

int32_t saturatingInt(float value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(
      std::fmax(std::fmin(static_cast<double>(value), 2147483647.0), -2147483648.0));
}

std::string truncatedInteger(float value) { return platform::formatInt(saturatingInt(value)); }

std::string fixedWithoutLeadingZero(float value) {
  std::string text = platform::formatFixed(value, 6);
  if (!text.empty() && text[0] == '0') text.erase(0, 1);
  return text;
}

std::string futuresSymbol(int year, int month, const char* exchange) {
  static constexpr char kMonthCodes[] = "FGHJKMNQUVXZ";
  const int index = month >= 1 && month <= 12 ? month - 1 : 0;
  const int yy = ((year % 100) + 100) % 100;
  std::string text(1, kMonthCodes[index]);
  text += static_cast<char>('0' + yy / 10);
  text += static_cast<char>('0' + yy % 10);
  return text + "." + exchange;
}

std::string nextMonthFuturesSymbol(int year, int month, const char* exchange) {
  return month >= 12 ? futuresSymbol(year + 1, 1, exchange)
                     : futuresSymbol(year, month + 1, exchange);
}
