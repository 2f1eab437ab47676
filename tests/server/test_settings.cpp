#include "test_gtest.h"
#include "Classes.h"
#include "Settings.h"
#include "Thread.h"

namespace {

struct SettingsFolder : ::testing::Test {
    void SetUp() override
    {
        Folder = GetCurrentDir() + "\\settings_case\\";
        ForceDirectories(Folder);
        Settings::SetProgramFolder(Folder);
        DeleteFile(Settings::SetupPath());
    }
    void TearDown() override { DeleteFile(Settings::SetupPath()); }
    std::string Folder;
};

TEST_F(SettingsFolder, FirstRunWritesExactlyTheListedKeysInOrder)
{
    Settings::WriteFirstRun();
    TStringList lines;
    lines.LoadFromFile(Settings::SetupPath());
    std::string f = Folder;
    std::vector<std::string> want = {
        "[SETTINGS]", "AUTOVIDEO_STATE=0", "AUTOONLINE_STATE=0", "AUTOOFFLINE_STATE=0", "AUTOVIDEO=", "AUTOONLINE=",
        "AUTOOFFLINE=", "SOUND=1", "CONNECT=" + f + "Sounds\\connect.wav", "DISCONNECT=" + f + "Sounds\\disconnect.wav",
        "ALARM=" + f + "Sounds\\alarm.wav", "AVAL=0", "OT=", "DO=", "ALLAVAL=0", "0=0", "1=0", "2=0", "3=0", "4=0",
        "5=0", "6=0", "PASS=", "SKIN=" + f + "SKINS\\Korvel2.skn"};
    ASSERT_EQ(lines.Count(), static_cast<int>(want.size()));
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(lines[i], want[i]) << i;
    // A second first run leaves an existing file alone.
    Settings::Write("PASS", "x");
    Settings::WriteFirstRun();
    EXPECT_EQ(Settings::Read("PASS", ""), "x");
}

TEST_F(SettingsFolder, DefaultsWhenAbsentAndValuesCutToReaderLength)
{
    EXPECT_EQ(Settings::Read("PRICE", "1", 19), "1");
    EXPECT_EQ(Settings::ReadInt("RES", "0"), 0);
    Settings::Write("OT", "09:30:00");
    EXPECT_EQ(Settings::Read("OT", "0", 5), "09:30");
    Settings::Write("RES", "big");
    EXPECT_THROW(Settings::ReadInt("RES", "0"), EConvertError);
    Settings::WriteBool("SOUND", false);
    EXPECT_EQ(Settings::Read("SOUND", "1"), "0");
}

TEST_F(SettingsFolder, ReadersNeverSeeAHalfWrittenFile)
{
    struct Writer : TThread {
        void Execute() override
        {
            for (int i = 0; i < 300; ++i) Settings::Write("K" + IntToStr(i % 10), std::string(40, 'a' + i % 26));
        }
    } w;
    Settings::Write("PASS", "stable");
    w.Resume();
    int bad = 0;
    while (!w.Finished()) if (Settings::Read("PASS", "") != "stable") ++bad;
    w.WaitFor();
    EXPECT_EQ(bad, 0);
}

} // namespace
