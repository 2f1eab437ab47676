#include "DateRules.h"
#include "SysUtils.h"
#include <windows.h>
#include <cmath>
#include <vector>

namespace {

const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string LocaleText(LCTYPE Type, const char* Fallback)
{
    char buf[128] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, buf, sizeof buf) > 1) return buf;
    return Fallback;
}

// Days from 1 January 1970 for a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

const long long kEpochShift = 25569;   // 1 January 1970 counted from 30 December 1899

// The format's tokens in order: 'd', 'M' or 'y' with their run length, or a literal.
struct Token {
    char Kind;   // 'd', 'M', 'y', or 0 for a literal
    int Len;
    std::string Literal;
};

std::vector<Token> Tokenize(const std::string& Fmt, char Sep)
{
    std::vector<Token> out;
    for (size_t i = 0; i < Fmt.size();) {
        char c = Fmt[i];
        if (c == '\'') {   // quoted literal
            size_t j = Fmt.find('\'', i + 1);
            if (j == std::string::npos) j = Fmt.size();
            out.push_back({0, 0, Fmt.substr(i + 1, j - i - 1)});
            i = j + 1;
            continue;
        }
        const char k = (c == 'm') ? 'M' : (c == 'D') ? 'd' : (c == 'Y') ? 'y' : c;
        if (k == 'd' || k == 'M' || k == 'y') {
            size_t j = i;
            while (j < Fmt.size() && (Fmt[j] == c)) ++j;
            out.push_back({k, static_cast<int>(j - i), {}});
            i = j;
            continue;
        }
        out.push_back({0, 0, std::string(1, c == '/' ? Sep : c)});
        ++i;
    }
    return out;
}

std::string Pad(int V, int W)
{
    std::string s = std::to_string(V);
    while (static_cast<int>(s.size()) < W) s.insert(s.begin(), '0');
    return s;
}

}  // namespace

TspDateFormat::TspDateFormat()
{
    for (int i = 0; i < 12; ++i) {
        ShortMonthNames[i] = kShortMonths[i];
        LongMonthNames[i] = kLongMonths[i];
    }
    for (int i = 0; i < 7; ++i) ShortDayNames[i] = kShortDays[i];
}

TspDateFormat TspDateFormat::FromLocale()
{
    TspDateFormat f;
    f.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
    const std::string sep = LocaleText(LOCALE_SDATE, "/");
    f.DateSeparator = sep.empty() ? '/' : sep[0];
    for (int i = 0; i < 12; ++i) {
        f.ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, kShortMonths[i]);
        f.LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, kLongMonths[i]);
    }
    // The locale counts its day names from Monday.
    for (int i = 0; i < 7; ++i) f.ShortDayNames[(i + 1) % 7] = LocaleText(LOCALE_SABBREVDAYNAME1 + i, kShortDays[(i + 1) % 7]);
    return f;
}

namespace Spdates {

TspDateFormat& Settings()
{
    static TspDateFormat s = TspDateFormat::FromLocale();
    return s;
}

bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int Year, int Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return (Month == 2 && IsLeapYear(Year)) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month)) return false;
    Date = static_cast<double>(DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) +
                               kEpochShift);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime d = 0;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day)
{
    const long long days = static_cast<long long>(std::floor(Date)) - kEpochShift;
    CivilFromDays(days, Year, Month, Day);
}

int DayOfWeek(TDateTime Date)
{
    // 30 December 1899 was a Saturday.
    const long long d = static_cast<long long>(std::floor(Date));
    return static_cast<int>(((d + 6) % 7 + 7) % 7);
}

TDateTime Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    TDateTime d = EncodeDate(st.wYear, st.wMonth, st.wDay);
    return d + (st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds) / 86400000.0;
}

std::string FormatDate(const std::string& Fmt, TDateTime Date, const TspDateFormat& F)
{
    int y, m, d;
    DecodeDate(Date, y, m, d);
    std::string out;
    for (const Token& t : Tokenize(Fmt, F.DateSeparator)) {
        switch (t.Kind) {
        case 'd':
            if (t.Len >= 3) out += F.ShortDayNames[DayOfWeek(Date)];
            else out += Pad(d, t.Len);
            break;
        case 'M':
            if (t.Len >= 4) out += F.LongMonthNames[m - 1];
            else if (t.Len == 3) out += F.ShortMonthNames[m - 1];
            else out += Pad(m, t.Len);
            break;
        case 'y': out += t.Len <= 2 ? Pad(y % 100, 2) : Pad(y, 4); break;
        default: out += t.Literal; break;
        }
    }
    return out;
}

std::string DateToStr(TDateTime Date, const TspDateFormat& F) { return FormatDate(F.ShortDateFormat, Date, F); }

bool TryStrToDate(const std::string& S, TDateTime& Date, const TspDateFormat& F)
{
    // The order of day, month and year as the format has them.
    std::string order;
    for (const Token& t : Tokenize(F.ShortDateFormat, F.DateSeparator))
        if (t.Kind && order.find(t.Kind) == std::string::npos) order += t.Kind;
    if (order.size() != 3) return false;
    int v[3] = {0, 0, 0};
    int lens[3] = {0, 0, 0};
    size_t part = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == F.DateSeparator) {
            if (++part > 2) return false;
        } else if (c >= '0' && c <= '9') {
            if (++lens[part] > 4) return false;
            v[part] = v[part] * 10 + (c - '0');
        } else if (c != ' ') {
            return false;
        }
    }
    if (part != 2 || !lens[0] || !lens[1] || !lens[2]) return false;
    int y = 0, m = 0, d = 0, ylen = 0;
    for (int i = 0; i < 3; ++i) {
        if (order[i] == 'd') d = v[i];
        else if (order[i] == 'M') m = v[i];
        else y = v[i], ylen = lens[i];
    }
    if (ylen <= 2) {
        SYSTEMTIME st;
        GetLocalTime(&st);
        y += st.wYear / 100 * 100;
    }
    return TryEncodeDate(y, m, d, Date);
}

TDateTime StrToDate(const std::string& S, const TspDateFormat& F)
{
    TDateTime d = 0;
    if (!TryStrToDate(S, d, F)) throw EConvertError("'" + S + "' is not a valid date");
    return d;
}

}  // namespace Spdates
