#include "Schedule.h"
#include "Settings.h"
#include "SysUtils.h"

namespace Schedule {

static bool TwoDigits(const std::string& v, size_t at, int& out)
{
    if (v.size() < at + 2 || !isdigit(static_cast<unsigned char>(v[at])) ||
        !isdigit(static_cast<unsigned char>(v[at + 1])))
        return false;
    out = (v[at] - '0') * 10 + (v[at + 1] - '0');
    return true;
}

int ParseClock(const std::string& value)
{
    int h, m;
    if (value.size() != 5 || value[2] != ':' || !TwoDigits(value, 0, h) || !TwoDigits(value, 3, m)) return -1;
    if (h > 23 || m > 59) return -1;
    return h * 60 + m;
}

bool InsideWindow(int from, int to, int now)
{
    if (from <= to) return from <= now && now <= to;
    return now >= from || now <= to;
}

static bool Flag(const std::string& v, bool& on)
{
    int n;
    if (!TryStrToInt(v, n)) return false;
    on = n != 0;
    return true;
}

TDecision Decide(const TSettings& s, const SYSTEMTIME& local, bool available, bool& invalid)
{
    invalid = false;
    bool aval, allAval, dayOn;
    if (!Flag(s.Aval, aval)) {
        invalid = true;
        return sdNothing;
    }
    if (!aval) return sdNothing;
    if (!Flag(s.AllAval, allAval)) {
        invalid = true;
        return sdNothing;
    }
    if (allAval) return available ? sdNothing : sdToggle;
    if (!Flag(s.DayOn, dayOn)) {
        invalid = true;
        return sdNothing;
    }
    if (!dayOn) return available ? sdToggle : sdNothing;
    int from = ParseClock(s.From), to = ParseClock(s.To);
    if (from < 0 || to < 0) {
        invalid = true;
        return sdNothing;
    }
    bool inside = InsideWindow(from, to, local.wHour * 60 + local.wMinute);
    return inside != available ? sdToggle : sdNothing;
}

TSettings Read(const SYSTEMTIME& local)
{
    TSettings s;
    s.Aval = Settings::Read("AVAL", "0", 1);
    s.AllAval = Settings::Read("ALLAVAL", "0", 254);
    s.DayOn = Settings::Read(IntToStr(local.wDayOfWeek), "0", 1);
    s.From = Settings::Read("OT", "0", 5);
    s.To = Settings::Read("DO", "0", 5);
    return s;
}

} // namespace Schedule
