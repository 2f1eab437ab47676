// The weekly availability schedule: whether the operator should change availability now.
#pragma once
#include <windows.h>
#include <string>

namespace Schedule {

enum TDecision { sdNothing, sdToggle };

// The schedule's settings as read for one tick.
struct TSettings {
    std::string Aval;      // AVAL, one character
    std::string AllAval;   // ALLAVAL
    std::string DayOn;     // the key of today's weekday, one character
    std::string From;      // OT, "HH:MM"
    std::string To;        // DO, "HH:MM"
};

// Minutes since midnight of an "HH:MM" value (characters 1-2 and 4-5), or -1
// when the value is not such a time.
int ParseClock(const std::string& value);

// Inside the daily window [from, to], both ends included. A window whose end lies
// before its start runs across midnight (from the start to the end of the day,
// and from midnight to the end).
bool InsideWindow(int fromMinutes, int toMinutes, int nowMinutes);

// What the schedule timer does for these settings at this local time, given the
// operator's availability. Malformed settings make the tick do nothing and set
// `invalid` (the caller logs it once).
TDecision Decide(const TSettings& s, const SYSTEMTIME& local, bool available, bool& invalid);

// Reads the settings for the tick (through the settings file, today's weekday key).
TSettings Read(const SYSTEMTIME& local);

} // namespace Schedule
