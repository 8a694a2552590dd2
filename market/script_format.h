#pragma once
// Number texts the script makes for tags: the two five-character percentage forms, "%d" and
// "%f" of a register, and the futures symbols built from the date. Locale-independent.
#include <cstdint>
#include <string>

// "%2.2f", four blanks, "%" as the fifth character, cut to five: 1.234 -> "1.23%",
// 12.345 -> "12.3%", -1.5 -> "-1.5%", 0 -> "0.00%".
std::string percentTwoDecimals(float value);

// "%2.1f", four blanks, "%" as the fifth character, cut to five; then a "." fourth
// character becomes a blank, a blank fourth character "%", and a "%" there blanks the fifth:
// 1.23 -> "1.2% ", 12.34 -> "12.3%", 123.4 -> "123% ", -12.5 -> "-12% ", 0 -> "0.0% ".
std::string percentOneDecimal(float value);

// The value truncated toward zero, held at the int32 range's ends; NaN gives 0.
int32_t saturatingInt(float value);

// "%d" of the value truncated toward zero; values beyond the int32 range are held at its
// ends, and NaN gives "0".
std::string truncatedInteger(float value);

// "%f" of the value with a leading "0" dropped: 0.5 -> ".500000".
std::string fixedWithoutLeadingZero(float value);

// The futures month code ("FGHJKMNQUVXZ", January to December), the year's last two digits
// and the exchange: futuresSymbol(2010, 7, "CMX") is "N10.CMX".
std::string futuresSymbol(int year, int month, const char* exchange);

// The same for the month after (January of the next year after December).
std::string nextMonthFuturesSymbol(int year, int month, const char* exchange);
