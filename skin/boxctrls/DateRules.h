// Dates as the GUI library keeps them (whole days since 30 December 1899, the
// time of day in the fraction) and their text in the locale's short format.
// The format, separator and names are read from the user locale once and can
// be replaced, so that the date controls follow one settings object.
#pragma once
#include <string>

typedef double TDateTime;

struct TspDateFormat {
    // Windows-style tokens: d, dd (day), M, MM (month), MMM, MMMM (month name),
    // yy, yyyy (year); "/" stands for DateSeparator, anything else is literal.
    std::string ShortDateFormat = "M/d/yyyy";
    char DateSeparator = '/';
    std::string ShortMonthNames[12], LongMonthNames[12];
    std::string ShortDayNames[7];   // Sunday first
    TspDateFormat();                // English names
    static TspDateFormat FromLocale();
};

namespace Spdates {

// The settings every date control uses (the locale's until replaced).
TspDateFormat& Settings();

bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);   // 0 outside 1..12
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
// EConvertError for a day that does not exist.
TDateTime EncodeDate(int Year, int Month, int Day);
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
int DayOfWeek(TDateTime Date);          // 0 = Sunday
TDateTime Now();

std::string FormatDate(const std::string& Fmt, TDateTime Date, const TspDateFormat& F = Settings());
std::string DateToStr(TDateTime Date, const TspDateFormat& F = Settings());
// The locale's parse of a numeric date: the parts in the format's order; a
// two-digit year falls into the current century.
bool TryStrToDate(const std::string& S, TDateTime& Date, const TspDateFormat& F = Settings());
TDateTime StrToDate(const std::string& S, const TspDateFormat& F = Settings());   // EConvertError

}  // namespace Spdates
