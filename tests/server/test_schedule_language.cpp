#include "test_gtest.h"
#include "Language.h"
#include "Schedule.h"
#include "Settings.h"
#include "SysUtils.h"

namespace {

SYSTEMTIME At(int h, int m)
{
    SYSTEMTIME t = {};
    t.wYear = 2026; t.wMonth = 12; t.wDay = 10; t.wDayOfWeek = 4; t.wHour = h; t.wMinute = m;
    return t;
}

TEST(Schedule, DecisionTable)
{
    using namespace Schedule;
    struct Case { const char* aval; const char* all; const char* day; const char* from; const char* to; int h, m;
                  bool available; TDecision want; bool invalid; } cases[] = {
        {"0", "0", "1", "09:00", "17:00", 12, 0, false, sdNothing, false},      // schedule off
        {"1", "1", "0", "", "", 3, 0, false, sdToggle, false},                  // always available
        {"1", "1", "0", "", "", 3, 0, true, sdNothing, false},
        {"1", "0", "0", "09:00", "17:00", 12, 0, true, sdToggle, false},        // day off
        {"1", "0", "1", "09:00", "17:00", 9, 0, false, sdToggle, false},        // start of the window
        {"1", "0", "1", "09:00", "17:00", 8, 59, false, sdNothing, false},
        {"1", "0", "1", "09:00", "17:00", 17, 0, true, sdNothing, false},       // end minute still inside
        {"1", "0", "1", "09:00", "17:00", 17, 1, true, sdToggle, false},
        {"1", "0", "1", "09:10", "09:50", 9, 30, false, sdToggle, false},       // within one hour
        {"1", "0", "1", "09:10", "09:50", 9, 55, true, sdToggle, false},
        {"1", "0", "1", "09:10", "09:50", 9, 5, true, sdToggle, false},
        {"1", "0", "1", "22:00", "06:00", 23, 30, false, sdToggle, false},      // across midnight
        {"1", "0", "1", "22:00", "06:00", 5, 0, false, sdToggle, false},
        {"1", "0", "1", "22:00", "06:00", 12, 0, true, sdToggle, false},
        {"1", "0", "1", "", "", 12, 0, true, sdNothing, true},                  // empty times
        {"1", "0", "1", "9:00", "17:00", 12, 0, true, sdNothing, true},
        {"1", "0", "1", "09:00", "25:00", 12, 0, true, sdNothing, true},
        {"x", "0", "1", "09:00", "17:00", 12, 0, true, sdNothing, true},
    };
    for (auto& c : cases) {
        bool invalid;
        TDecision d = Decide({c.aval, c.all, c.day, c.from, c.to}, At(c.h, c.m), c.available, invalid);
        EXPECT_EQ(d, c.want) << c.from << "-" << c.to << " at " << c.h << ":" << c.m;
        EXPECT_EQ(invalid, c.invalid) << c.from << "-" << c.to;
    }
}

TEST(Schedule, ReadsTodaysKeyAndFiveCharacterTimes)
{
    std::string folder = GetCurrentDir() + "\\schedule_case\\";
    ForceDirectories(folder);
    Settings::SetProgramFolder(folder);
    DeleteFile(Settings::SetupPath());
    Settings::Write("AVAL", "1");
    Settings::Write("4", "1");
    Settings::Write("OT", "09:30xyz");
    Schedule::TSettings s = Schedule::Read(At(10, 0));
    EXPECT_EQ(s.DayOn, "1");
    EXPECT_EQ(s.From, "09:30");
    EXPECT_EQ(s.To, "0");
    EXPECT_EQ(s.AllAval, "0");
    DeleteFile(Settings::SetupPath());
}

TEST(Language, ReadsCaptionsOrWritesThemExceptReadOnlyOnes)
{
    std::string folder = GetCurrentDir() + "\\language_case\\";
    ForceDirectories(folder + "Languages");
    Settings::SetProgramFolder(folder);
    DeleteFile(Settings::SetupPath());
    Settings::Write("LanguageFileName", "test.lng");
    DeleteFile(Language::FilePath());
    std::string send = "Send", unavailable = "Unavailable";
    std::vector<Language::TCaption> caps = {
        {"ActionSendText", [&] { return send; }, [&](const std::string& v) { send = v; }},
        {"ActionUnavailable", [&] { return unavailable; }, [&](const std::string& v) { unavailable = v; }, false},
    };
    // Absent file: the designed captions stay.
    Language::Apply("Form1", caps);
    EXPECT_EQ(send, "Send");
    // Writing mode writes every caption but the read-only ones.
    Settings::Write("LanguageFileNameR", "1");
    Language::Apply("Form1", caps);
    char buf[64];
    GetPrivateProfileStringA("Form1", "ActionSendText", "", buf, sizeof(buf), Language::FilePath().c_str());
    EXPECT_STREQ(buf, "Send");
    GetPrivateProfileStringA("Form1", "ActionUnavailable", "absent", buf, sizeof(buf), Language::FilePath().c_str());
    EXPECT_STREQ(buf, "absent");
    // Reading mode takes the file's captions.
    Settings::Write("LanguageFileNameR", "0");
    WritePrivateProfileStringA("Form1", "ActionSendText", "Senden", Language::FilePath().c_str());
    WritePrivateProfileStringA("Form1", "ActionUnavailable", "Abwesend", Language::FilePath().c_str());
    Language::Apply("Form1", caps);
    EXPECT_EQ(send, "Senden");
    EXPECT_EQ(unavailable, "Abwesend");
    DeleteFile(Language::FilePath());
    DeleteFile(Settings::SetupPath());
}

} // namespace
