// The skin description's value syntax: number lists, flags, styles, alignments,
// enumeration words, integers and both list forms.
#include "test_gtest.h"
#include "SkinIniValues.h"

namespace {

struct RectCase { const char* Text; bool Fails; int L, T, R, B; };

TEST(ValueSyntax, RectangleTexts)
{
    const RectCase cases[] = {
        {"0,0,0,0", false, 0, 0, 0, 0},
        {"10, 20,30 ,40", false, 10, 20, 30, 40},
        {"0,0,120,24", false, 0, 0, 120, 24},
        {"-5,-6,7,8", false, -5, -6, 7, 8},         // written negatives read back
        {"1a2,3,4,5", false, 12, 3, 4, 5},          // letters dropped
        {"5-,1,2,3", false, 5, 1, 2, 3},            // a minus after the digits counts for nothing
        {"1,2,3,4,99", false, 1, 2, 3, 4},          // a fifth field is ignored
        {"", true, 0, 0, 0, 0},
        {"1,2,3", true, 0, 0, 0, 0},
        {"1,,3,4", true, 0, 0, 0, 0},
        {"a,b,c,d", true, 0, 0, 0, 0},
        {"99999999999,0,0,0", true, 0, 0, 0, 0},    // past 32 bits: refused, not wrapped
        {"2147483647,-2147483648,0,0", false, 2147483647, -2147483647 - 1, 0, 0},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.Text);
        if (c.Fails) {
            EXPECT_THROW(Sputils::GetRect(c.Text), EConvertError);
        } else {
            TRect r = Sputils::GetRect(c.Text);
            EXPECT_EQ(r, TRect(c.L, c.T, c.R, c.B));
        }
    }
}

TEST(ValueSyntax, PointTexts)
{
    EXPECT_EQ(Sputils::GetPoint(" 12 , 34 "), TPoint(12, 34));
    EXPECT_EQ(Sputils::GetPoint("-12,34"), TPoint(-12, 34));
    EXPECT_EQ(Sputils::GetPoint("1a2,3"), TPoint(12, 3));
    EXPECT_THROW(Sputils::GetPoint("5"), EConvertError);
    EXPECT_THROW(Sputils::GetPoint(""), EConvertError);
    try {
        Sputils::GetPoint("5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
}

TEST(ValueSyntax, WritersAndReadersAgreeOnNegatives)
{
    TMemIniFile ini;
    Sputils::WriteRect(&ini, "S", "r", TRect(-10, -20, 30, 40));
    Sputils::WritePoint(&ini, "S", "p", TPoint(-3, 4));
    EXPECT_EQ(ini.ReadString("S", "r", ""), "-10,-20,30,40");
    EXPECT_EQ(ini.ReadString("S", "p", ""), "-3,4");
    EXPECT_EQ(Sputils::ReadRect(&ini, "S", "r"), TRect(-10, -20, 30, 40));
    EXPECT_EQ(Sputils::ReadPoint(&ini, "S", "p"), TPoint(-3, 4));
    EXPECT_EQ(Sputils::SetRect(TRect(0, 0, 120, 24)), "0,0,120,24");
}

TEST(ValueSyntax, ReadRectDefaultsAndNegativeExtents)
{
    TMemIniFile ini;
    ini.SetText("[S]\nempty=\nzero=0,0,0,0\nback=50,60,10,20\n[E]\n");
    EXPECT_EQ(Sputils::ReadRect(&ini, "S", "missing"), TRect());
    EXPECT_EQ(Sputils::ReadRect(&ini, "E", "x"), TRect());
    EXPECT_EQ(Sputils::ReadRect(&ini, "S", "zero"), TRect());
    EXPECT_THROW(Sputils::ReadRect(&ini, "S", "empty"), EConvertError);
    // A rectangle whose right or bottom lies before its left or top keeps its
    // corner and gets no extent.
    EXPECT_EQ(Sputils::ReadRect(&ini, "S", "back"), TRect(50, 60, 50, 60));
    EXPECT_EQ(Sputils::ReadPoint(&ini, "S", "missing"), TPoint(0, 0));
}

struct TextCase { const char* Value; int Expected; };

TEST(ValueSyntax, BooleansAndIntegers)
{
    const TextCase bools[] = {{"1", 1}, {"01", 1}, {"2", 0}, {"true", 0}, {"0", 0}, {"", 0}};
    for (const TextCase& c : bools) {
        TMemIniFile ini;
        ini.WriteString("S", "b", c.Value);
        EXPECT_EQ(Sputils::ReadBoolean(&ini, "S", "b"), c.Expected == 1) << c.Value;
    }
    TMemIniFile none;
    EXPECT_FALSE(Sputils::ReadBoolean(&none, "S", "b"));

    const TextCase ints[] = {{"0x1F", 31}, {"$1F", 31}, {"1F", -7}, {"-12", -12}, {"0X10", 16}, {"", -7},
                             {"16711680", 16711680}, {"x", -7}};
    for (const TextCase& c : ints) {
        TMemIniFile ini;
        ini.WriteString("S", "i", c.Value);
        EXPECT_EQ(ini.ReadInteger("S", "i", -7), c.Expected) << c.Value;
    }
    TMemIniFile ini;
    Sputils::WriteBoolean(&ini, "S", "t", true);
    Sputils::WriteBoolean(&ini, "S", "f", false);
    EXPECT_EQ(ini.ReadString("S", "t", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "f", ""), "0");
}

TEST(ValueSyntax, FontStyles)
{
    const TextCase cases[] = {
        {"fsbold", fsBold},
        {"fsbolditalic", fsBold},                 // "fsitalic" does not occur in it
        {"fsitalic,fsbold", fsBold | fsItalic},
        {"FSBOLD", 0},
        {"", 0},
        {"fsunderline;fsstrikeout", fsUnderline | fsStrikeOut},
    };
    for (const TextCase& c : cases) {
        TMemIniFile ini;
        ini.WriteString("S", "f", c.Value);
        EXPECT_EQ(Sputils::ReadFontStyles(&ini, "S", "f"), static_cast<TFontStyles>(c.Expected)) << c.Value;
    }
    TMemIniFile ini;
    Sputils::WriteFontStyles(&ini, "S", "a", fsBold | fsUnderline);
    Sputils::WriteFontStyles(&ini, "S", "b", 0);
    Sputils::WriteFontStyles(&ini, "S", "c", fsStrikeOut | fsItalic | fsBold | fsUnderline);
    EXPECT_EQ(ini.ReadString("S", "a", "?"), "fsbold,fsunderline");
    EXPECT_EQ(ini.ReadString("S", "b", "?"), "");
    EXPECT_EQ(ini.ReadString("S", "c", "?"), "fsbold,fsitalic,fsunderline,fsstrikeout");
}

TEST(ValueSyntax, Alignment)
{
    const TextCase cases[] = {{"tacenter", taCenter}, {"taleftjustify", taLeftJustify},
                              {"tarightjustify", taRightJustify}, {"TACENTER", taRightJustify},
                              {"", taRightJustify}};
    for (const TextCase& c : cases) {
        TMemIniFile ini;
        ini.WriteString("S", "a", c.Value);
        EXPECT_EQ(Sputils::ReadAlignment(&ini, "S", "a"), c.Expected) << c.Value;
    }
    TMemIniFile ini;
    EXPECT_EQ(Sputils::ReadAlignment(&ini, "S", "a"), taCenter);
    const TAlignment all[] = {taLeftJustify, taRightJustify, taCenter};
    for (TAlignment a : all) {
        Sputils::WriteAlignment(&ini, "S", "a", a);
        EXPECT_EQ(Sputils::ReadAlignment(&ini, "S", "a"), a);
    }
    EXPECT_EQ(ini.ReadString("S", "a", ""), "tacenter");
}

struct WordCase { const char* Value; int Expected; };

TEST(ValueSyntax, EnumerationWords)
{
    auto check = [](const char* value, auto reader, int expected) {
        TMemIniFile ini;
        if (value) ini.WriteString("S", "k", value);
        EXPECT_EQ(static_cast<int>(reader(&ini, "S", "k")), expected) << (value ? value : "(absent)");
    };
    check(nullptr, Skindata::ReadMorphKind, mkDefault);
    check("mkpush", Skindata::ReadMorphKind, mkPush);
    check("mkPush", Skindata::ReadMorphKind, mkDefault);
    check(nullptr, Skindata::ReadInActiveEffect, ieBrightness);
    check("iegreyscale", Skindata::ReadInActiveEffect, ieGrayScale);
    check("ieinvert", Skindata::ReadInActiveEffect, ieInvert);
    check(nullptr, Skindata::ReadStdCommand, cmDefault);
    check("cmMinimize", Skindata::ReadStdCommand, cmMinimizeToTray);
    check("cmminimizetotray", Skindata::ReadStdCommand, cmMinimizeToTray);
    check("cmrollup", Skindata::ReadStdCommand, cmRollUp);
    check(nullptr, Skindata::ReadFramesPlacement, fpHorizontal);
    check("sideways", Skindata::ReadFramesPlacement, fpVertical);
    check(nullptr, Skindata::ReadRegulatorKind, rkRound);
    check("rkRound", Skindata::ReadRegulatorKind, rkVertical);
    check("rkhorizontal", Skindata::ReadRegulatorKind, rkHorizontal);
    check(nullptr, Skindata::ReadGaugeKind, gkHorizontal);
    check("gk", Skindata::ReadGaugeKind, gkVertical);

    // Every word written reads back as its value.
    TMemIniFile ini;
    for (int v = mkDefault; v <= mkPush; ++v) {
        Skindata::WriteMorphKind(&ini, "S", "m", static_cast<TMorphKind>(v));
        EXPECT_EQ(Skindata::ReadMorphKind(&ini, "S", "m"), v);
    }
    for (int v = ieBrightness; v <= ieInvert; ++v) {
        Skindata::WriteInActiveEffect(&ini, "S", "e", static_cast<TspInActiveEffect>(v));
        EXPECT_EQ(Skindata::ReadInActiveEffect(&ini, "S", "e"), v);
    }
    for (int v = cmClose; v <= cmMinimizeToTray; ++v) {
        Skindata::WriteStdCommand(&ini, "S", "c", static_cast<TStdCommand>(v));
        EXPECT_EQ(Skindata::ReadStdCommand(&ini, "S", "c"), v);
    }
    EXPECT_EQ(ini.ReadString("S", "c", ""), "cmminimizetotray");
}

TEST(ValueSyntax, LineListsAndCountedLists)
{
    TMemIniFile ini;
    ini.SetText("[S]\nsymbolslinecount=3\nsymbolsline0=ABC\nsymbolsline2=GHI\n"
                "[PICTURES]\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\n");
    TStringList lines;
    lines.Add("kept");
    Sputils::ReadStrings(&ini, "S", "symbols", &lines);
    ASSERT_EQ(lines.GetCount(), 4);   // appended, not cleared
    EXPECT_EQ(lines[1], "ABC");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "GHI");

    TStringList pics;
    Sputils::ReadStrings1(&ini, "PICTURES", "activepictures", &pics);
    ASSERT_EQ(pics.GetCount(), 2);
    EXPECT_EQ(pics[1], "b.bmp");

    TMemIniFile out;
    Sputils::WriteStrings1(&out, "PICTURES", "activepictures", &pics);
    Sputils::WriteStrings(&out, "S", "symbols", &lines);
    EXPECT_EQ(out.ReadString("PICTURES", "activepicturescount", ""), "2");
    EXPECT_EQ(out.ReadString("PICTURES", "0", ""), "a.bmp");
    EXPECT_EQ(out.ReadString("S", "symbolslinecount", ""), "4");
    EXPECT_EQ(out.ReadString("S", "symbolsline3", ""), "GHI");
}

TEST(ValueSyntax, HugeCountsAreBoundedByTheKeysPresent)
{
    TMemIniFile ini;
    ini.SetText("[S]\nsymbolslinecount=2000000000\nsymbolsline0=x\n"
                "[P]\nactivepicturescount=-5\n0=a\n[Q]\nlistcount=99999999\n");
    TStringList lines;
    Sputils::ReadStrings(&ini, "S", "symbols", &lines);
    EXPECT_LE(lines.GetCount(), 2);
    EXPECT_EQ(lines[0], "x");
    TStringList none;
    Sputils::ReadStrings1(&ini, "P", "activepictures", &none);
    EXPECT_EQ(none.GetCount(), 0);
    Sputils::ReadStrings1(&ini, "Q", "list", &none);
    EXPECT_LE(none.GetCount(), 1);
}

} // namespace
