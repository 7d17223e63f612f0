#pragma once

// Conversions between texts and values, with the rules of the platform's
// routines the stored data was written with: integers with blanks, signs and
// "$"/"0x" hexadecimal; reals with "." as separator; Booleans as "True" and
// "False" or numbers; dates as day counts since 1899-12-30.

#include <cstdint>
#include <string>
#include <string_view>

namespace torvik::dataset {

// The whole text as a 32-bit integer; false for anything else (also "1.5",
// the empty text and values outside the range).
bool tryTextToInt(std::string_view text, int32_t &value);

// A decimal number with "." and an optional exponent; surrounding blanks are
// allowed. The process locale plays no part.
bool tryTextToFloat(std::string_view text, double &value);

// "True"/"False" ignoring case, or a number (non-zero is true).
bool tryTextToBool(std::string_view text, bool &value);

// Raise EConvertError "'%s' is not a valid integer value" / "... boolean value".
int32_t textToInt(std::string_view text);
bool textToBool(std::string_view text);

// Shortest general form with up to 15 significant digits, an exponent when
// needed ("1E20", "1.5E-7"), always with "." whatever the process locale.
std::string floatToText(double value);

// Day counts (days since 1899-12-30, fraction = time of day) and the slot
// forms of the record.
constexpr int32_t kDayNumberOf18991230 = 693594; // 0001-01-01 is day 1
constexpr int64_t kMsPerDay = 86400000;

struct DayAndTime {
    int32_t dayNumber; // 0001-01-01 is day 1
    int32_t msOfDay;
};
DayAndTime splitDayCount(double dayCount);
double joinDayCount(int32_t dayNumber, int32_t msOfDay);

// The user's locale forms of dates and times, and their parsing. A parse
// failure answers false.
std::string dayCountToDateText(double dayCount);
std::string dayCountToTimeText(double dayCount);
std::string dayCountToDateTimeText(double dayCount);
bool tryDateTextToDayCount(std::string_view text, double &dayCount);
bool tryTimeTextToDayCount(std::string_view text, double &dayCount);
bool tryDateTimeTextToDayCount(std::string_view text, double &dayCount);

// The current local date and time as a day count.
double nowAsDayCount();

} // namespace torvik::dataset
