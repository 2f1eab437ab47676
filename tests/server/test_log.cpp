#include "test_gtest.h"
#include "Classes.h"
#include "Log.h"
#include "Streams.h"
#include "Thread.h"

namespace {

std::string ReadAll(const std::string& fn)
{
    TMemoryStream m;
    m.LoadFromFile(fn);
    return std::string(static_cast<char*>(m.Memory()), static_cast<size_t>(m.GetSize()));
}

TEST(Log, StampIsExplicitMonthDayYearAndTime)
{
    SYSTEMTIME t = {};
    t.wYear = 2007; t.wMonth = 3; t.wDay = 9; t.wHour = 7; t.wMinute = 5; t.wSecond = 1;
    EXPECT_EQ(CLog::Stamp(t), "03/09/07 07:05:01 ");
    EXPECT_EQ(CLog::Stamp(t).size(), 18u);
}

TEST(Log, PrefixesAreWindows1251Bytes)
{
    // "Ошибка" in Windows-1251.
    EXPECT_EQ(std::string(LogPrefix::FormShow), "FormShow:  \xCE\xF8\xE8\xE1\xEA\xE0 \xC8\xED\xE8\xF6\xE8\xE0\xEB\xE8\xE7\xE0\xF6\xE8\xE8 \xEF\xF0\xE8 \xEE\xF2\xEA\xF0\xFB\xF2\xE8\xE8 \xF4\xEE\xF0\xEC\xFB: ");
    std::string memo = LogPrefix::ParseForMemo;
    EXPECT_NE(memo.find("\n \r"), std::string::npos);
    EXPECT_NE(std::string(LogPrefix::UpdateAlarmScan).find("(FAnyAlarm): "), std::string::npos);
}

TEST(Log, LinesFromManyThreadsComeOutWhole)
{
    std::string fn = GetCurrentDir() + "\\errors_test.log";
    DeleteFile(fn);
    CLog log(fn);
    struct W : TThread {
        CLog* L; int Id;
        void Execute() override
        {
            for (int i = 0; i < 100; ++i) L->Write("T" + IntToStr(Id) + ": " + std::string(200, char('a' + Id)));
        }
    };
    std::vector<std::unique_ptr<W>> ws;
    for (int i = 0; i < 6; ++i) {
        ws.emplace_back(new W);
        ws.back()->L = &log;
        ws.back()->Id = i;
    }
    for (auto& w : ws) w->Resume();
    for (auto& w : ws) w->WaitFor();
    std::string all = ReadAll(fn);
    TStringList lines;
    lines.SetText(all);
    ASSERT_EQ(lines.Count(), 600);
    for (int i = 0; i < lines.Count(); ++i) {
        std::string l = lines[i];
        ASSERT_EQ(l.size(), 18u + 4 + 200) << l;
        char c = l[19];
        EXPECT_EQ(l.substr(22), std::string(200, char('a' + (c - '0'))));
    }
    // Removing the file between lines is harmless; the next line creates it again.
    DeleteFile(fn);
    log.Write("again\r\nspanning");
    EXPECT_EQ(ReadAll(fn).substr(18), "again\r\nspanning\n");
    DeleteFile(fn);
}

} // namespace
