#include "test_gtest.h"
#include "SysUtils.h"

namespace {

TEST(SysUtils, NumberConversions)
{
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    for (auto bad : {"", "12a", "a", "99999999999", "1.5"}) EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(StrToIntDef("x", 9), 9);
    EXPECT_DOUBLE_EQ(StrToFloat("12.50"), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("0,25"), 0.25);
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
    EXPECT_EQ(FloatToStr(12.5), "12.5");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(IntToStr(-3), "-3");
}

TEST(SysUtils, FileNameParts)
{
    struct { const char* in; const char* path; const char* name; const char* ext; } cases[] = {
        {"C:\\prog\\setup.ini", "C:\\prog\\", "setup.ini", ".ini"},
        {"C:setup", "C:", "setup", ""},
        {"a/b.c/d", "a/b.c/", "d", ""},
        {"noext.", "", "noext.", "."},
    };
    for (auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.in), c.path) << c.in;
        EXPECT_EQ(ExtractFileName(c.in), c.name) << c.in;
        EXPECT_EQ(ExtractFileExt(c.in), c.ext) << c.in;
    }
    EXPECT_EQ(ChangeFileExt("C:\\x\\a.skn", ".ini"), "C:\\x\\a.ini");
    EXPECT_EQ(ExtractFileDir("C:\\x\\a.skn"), "C:\\x");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x"), "C:\\x\\");
}

TEST(SysUtils, PosAndCopyAreOneBased)
{
    EXPECT_EQ(Pos("GET /", "GET /video HTTP 1.0"), 1);
    EXPECT_EQ(Pos("HTTP", "GET /video HTTP 1.0"), 12);
    EXPECT_EQ(Pos("x", "abc"), 0);
    struct { const char* s; int index, count; const char* want; } cases[] = {
        {"message?message=hi ", 17, 2, "hi"}, {"abc", 0, 2, "ab"}, {"abc", 3, 9, "c"},
        {"abc", 4, 1, ""}, {"abc", 1, 0, ""}, {"abc", 2, -1, ""},
    };
    for (auto& c : cases) EXPECT_EQ(Copy(c.s, c.index, c.count), c.want) << c.s << " " << c.index;
}

} // namespace
