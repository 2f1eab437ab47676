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

} // namespace
