#include "test_gtest.h"
#include "FlatPicture.h"
#include "SkinDrawHelpers.h"
#include "SkinPlatform.h"
#include "SysUtils.h"
#include <cstdio>

using namespace SkinFixture;

namespace {

const TColor cBack = 0xFFFFFF, cInk = 0x000000;

TEST(SkinHelpers, RectangleArithmetic)
{
    EXPECT_TRUE(Sputils::IsNullPoint(TPoint(0, 5)));
    EXPECT_FALSE(Sputils::IsNullPoint(TPoint(3, 5)));
    struct NullCase { TRect R; bool Null; } nulls[] = {
        {TRect(0, 0, 0, 0), true}, {TRect(0, 0, 5, 0), true}, {TRect(5, 0, 4, 9), true}, {TRect(1, 1, 2, 2), false},
    };
    for (const NullCase& c : nulls) EXPECT_EQ(Sputils::IsNullRect(c.R), c.Null);
    const TRect r(10, 20, 30, 40);
    EXPECT_TRUE(Sputils::PointInRect(r, TPoint(30, 40)));   // every edge included
    EXPECT_TRUE(Sputils::PointInRect(r, TPoint(10, 20)));
    EXPECT_FALSE(Sputils::PointInRect(r, TPoint(31, 40)));
    EXPECT_FALSE(Sputils::RectInRect(r, r));   // its bottom-right corner is outside
    EXPECT_TRUE(Sputils::RectInRect(TRect(11, 21, 29, 39), r));
    TRect c(0, 0, 5, 4);
    Sputils::RectToCenter(c, TRect(10, 10, 20, 21));
    EXPECT_EQ(c, TRect(12, 13, 17, 17));
    EXPECT_EQ(Sputils::RectWidth(r), 20);
    EXPECT_EQ(Sputils::RectHeight(r), 20);
    EXPECT_EQ(Sputils::Max(-1, 3), 3);
    EXPECT_EQ(Sputils::Min(-1, 3), -1);
    EXPECT_EQ(Sputils::NullRect(), TRect(0, 0, 0, 0));
    EXPECT_TRUE(Sputils::EqRects(r, TRect(10, 20, 30, 40)));
}

TEST(SkinHelpers, DatesAndJpegNames)
{
    struct Days { int Year, Month, Days; } days[] = {
        {2000, 2, 29}, {1900, 2, 28}, {2024, 2, 29}, {2023, 2, 28}, {2023, 1, 31}, {2023, 4, 30}, {2023, 12, 31},
        {2023, 0, 0}, {2023, 13, 0},
    };
    for (const Days& d : days) EXPECT_EQ(Sputils::DaysPerMonth(d.Year, d.Month), d.Days) << d.Year << "-" << d.Month;
    struct Date { double Value; int Y, M, D; } dates[] = {
        {36526, 2000, 1, 1}, {36526.75, 2000, 1, 1}, {0, 1899, 12, 30}, {-1, 1899, 12, 29}, {45351, 2024, 2, 29},
    };
    for (const Date& d : dates) {
        EXPECT_EQ(Sputils::ExtractYear(d.Value), d.Y) << d.Value;
        EXPECT_EQ(Sputils::ExtractMonth(d.Value), d.M) << d.Value;
        EXPECT_EQ(Sputils::ExtractDay(d.Value), d.D) << d.Value;
    }
    struct Name { const char* Name; bool Jpeg; } names[] = {
        {"a.JPG", false}, {"b.jpeg.bmp", true}, {"c.jpg", true}, {"d.bmp", false}, {"", false},
    };
    for (const Name& n : names) EXPECT_EQ(Sputils::IsJpegFile(n.Name), n.Jpeg) << n.Name;
}

// Layered windows exist from 5.0 on, and the engine uses them wherever they exist
// (the check no longer turns them off on every later version).
TEST(SkinHelpers, LayeredEffectsFollowTheVersion)
{
    struct Case { int Major, Minor; bool On; } cases[] = {
        {4, 0, false}, {4, 90, false}, {5, 0, true}, {5, 1, true}, {5, 2, true}, {6, 0, true}, {6, 2, true}, {10, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sputils::LayeredEffectsForVersion(c.Major, c.Minor), c.On) << c.Major << "." << c.Minor;
    int major = 0, minor = 0;
    Sputils::GetWindowsVersion(major, minor);
    EXPECT_GE(major, 5);
    EXPECT_TRUE(Sputils::CheckW2KWXP());   // on this platform the effects run
    EXPECT_EQ(Sputils::CheckWXP(), major == 5 && minor == 1);
}

TEST(SkinHelpers, AlphaGoesToALayeredWindowOnly)
{
    HWND layered = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND plain = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(layered, nullptr);
    ASSERT_NE(plain, nullptr);
    Sputils::SetAlphaBlendTransparent(layered, 150);
    Sputils::SetAlphaBlendTransparent(plain, 150);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 1;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    EXPECT_FALSE(GetLayeredWindowAttributes(plain, &key, &alpha, &flags));
    Sputils::SetAlphaBlendTransparent(layered, 999);   // clamped to opaque
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    DestroyWindow(layered);
    DestroyWindow(plain);
}

TEST(SkinHelpers, MonitorAreaFallsBackToThePrimary)
{
    if (Sputils::IsMultiMonitor()) GTEST_SKIP() << "more than one monitor";
    TRect whole = Sputils::GetMonitorWorkArea(nullptr, false);
    EXPECT_EQ(whole, TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    TRect work = Sputils::GetMonitorWorkArea(nullptr, true);
    EXPECT_EQ(work, Sputils::GetPrimaryMonitorWorkArea(true));
    EXPECT_FALSE(Sputils::IsNullRect(work));
}

int InkIn(TBitmap* B, const TRect& R)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) n += Probe(B, x, y) == cInk;
    return n;
}

TEST(SkinHelpers, ArrowsAreCentredTriangles)
{
    // Each arrow in an 11 x 11 square (centre (5, 5)): 4 lines of 7, 5, 3 and 1 pixels.
    struct Case { TspArrowDirection Kind; TRect Tip; TRect Base; } cases[] = {
        {adLeft, TRect(3, 5, 4, 6), TRect(6, 2, 7, 9)},
        {adRight, TRect(7, 5, 8, 6), TRect(4, 2, 5, 9)},
        {adUp, TRect(5, 3, 6, 4), TRect(2, 6, 9, 7)},
        {adDown, TRect(5, 7, 6, 8), TRect(2, 4, 9, 5)},
    };
    for (const Case& c : cases) {
        auto b = NewPicture(11, 11, cBack);
        Sputils::DrawArrowImage(b->GetCanvas(), TRect(0, 0, 11, 11), cInk, c.Kind);
        EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 11, 11)), 16) << c.Kind;
        EXPECT_EQ(InkIn(b.get(), c.Tip), 1) << c.Kind;
        EXPECT_EQ(InkIn(b.get(), c.Base), 7) << c.Kind;
    }
    auto b = NewPicture(11, 11, cBack);
    Sputils::DrawArrowImage(b->GetCanvas(), TRect(0, 0, 11, 11), cInk, adNone);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 11, 11)), 0);
    Sputils::DrawTrackArrowImage(b->GetCanvas(), TRect(0, 0, 11, 11), cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 11, 11)), 9);
    EXPECT_EQ(InkIn(b.get(), TRect(3, 5, 8, 6)), 5);
    EXPECT_EQ(Probe(b.get(), 5, 7), cInk);
}

TEST(SkinHelpers, CaptionGlyphsLandInTheirBoxes)
{
    auto b = NewPicture(40, 40, cBack);
    Sputils::DrawRadioImage(b->GetCanvas(), 2, 2, cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 20, 20)), 36);
    b = NewPicture(40, 40, cBack);
    Sputils::DrawMTImage(b->GetCanvas(), 0, 0, cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 40, 40)), 25);
    b = NewPicture(40, 40, cBack);
    Sputils::DrawMinimizeImage(b->GetCanvas(), 10, 10, cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 0, 40, 40)), 16);
    EXPECT_EQ(InkIn(b.get(), TRect(11, 18, 19, 20)), 16);
    b = NewPicture(40, 40, cBack);
    Sputils::DrawCheckImage(b->GetCanvas(), 10, 10, cInk);
    EXPECT_EQ(Probe(b.get(), 10, 15), cInk);
    EXPECT_EQ(Probe(b.get(), 12, 17), cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(10, 8, 18, 18)), InkIn(b.get(), TRect(0, 0, 40, 40)));
    b = NewPicture(40, 40, cBack);
    Sputils::DrawRollUpImage(b->GetCanvas(), 0, 0, cInk);
    EXPECT_EQ(InkIn(b.get(), TRect(0, 2, 40, 3)), 0);   // the first line is empty: it ends where it starts
    EXPECT_EQ(InkIn(b.get(), TRect(0, 6, 40, 7)), 8);
}

TEST(SkinHelpers, GlyphCellIsDrawnTransparent)
{
    // Three 4 x 4 cells: red, green, blue, each with a white bottom-left pixel.
    auto strip = NewPicture(12, 4, 0x0000FF);
    Paint(strip.get(), TRect(4, 0, 8, 4), 0x00FF00);
    Paint(strip.get(), TRect(8, 0, 12, 4), 0xFF0000);
    for (int x : {0, 4, 8}) strip->GetCanvas()->SetPixel(x, 3, cBack);
    auto b = NewPicture(10, 10, 0x123456);
    Sputils::DrawGlyph(b->GetCanvas(), 2, 2, strip.get(), 3, 2);
    EXPECT_EQ(Probe(b.get(), 3, 3), 0x00FF00);
    EXPECT_EQ(Probe(b.get(), 2, 5), 0x123456);   // the cell's bottom-left colour shows nothing
    EXPECT_EQ(Probe(b.get(), 6, 3), 0x123456);
    // Cell numbers and counts outside the strip draw nothing.
    struct Bad { int Count, Number; } bad[] = {{3, 0}, {3, 4}, {3, -1}, {0, 1}, {-1, 1}, {13, 1}};
    for (const Bad& c : bad) {
        auto t = NewPicture(10, 10, 0x123456);
        Sputils::DrawGlyph(t->GetCanvas(), 0, 0, strip.get(), c.Count, c.Number);
        EXPECT_EQ(Probe(t.get(), 0, 0), 0x123456) << c.Count << "/" << c.Number;
    }
}

TEST(SkinHelpers, TextShortenedWithEllipsis)
{
    auto b = NewPicture(200, 20, cBack);
    TCanvas* c = b->GetCanvas();
    std::string s = "Broadcast";
    Sputils::CorrectTextbyWidth(c, s, 1000);
    EXPECT_EQ(s, "Broadcast");
    s = "Broadcast";
    Sputils::CorrectTextbyWidth(c, s, 0);
    EXPECT_EQ(s, "...");
    s = "Broadcast";
    const int w = c->TextWidth("Broad...");
    Sputils::CorrectTextbyWidth(c, s, w);
    EXPECT_EQ(s, "Broad...");
}

TEST(SkinHelpers, StringsOnStreams)
{
    TMemoryStream m;
    Sputils::WriteStringToStream("skin", &m);
    Sputils::WriteStringToStream("", &m);
    EXPECT_EQ(m.GetSize(), 12);
    m.SetPosition(0);
    EXPECT_EQ(Sputils::ReadStringFromStream(&m), "skin");
    EXPECT_EQ(Sputils::ReadStringFromStream(&m), "");
    // A length that claims more than the stream holds is an error, not an allocation.
    TMemoryStream bad;
    const BYTE huge[6] = {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
    bad.WriteBuffer(huge, 6);
    bad.SetPosition(0);
    EXPECT_THROW(Sputils::ReadStringFromStream(&bad), EReadError);
}

TEST(SkinHelpers, JpegPicturesLoadIntoBitmaps)
{
    auto pic = NewPicture(16, 8, 0x2040C0);
    TJPEGImage j;
    j.Assign(pic.get());
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "skin_helpers_test.jpg";
    {
        TFileStream fs(file, fmCreate);
        j.SaveToStream(&fs);
    }
    TBitmap b;
    Sputils::LoadFromJpegFile(&b, file);
    DeleteFileA(file.c_str());
    ASSERT_EQ(b.GetWidth(), 16);
    ASSERT_EQ(b.GetHeight(), 8);
    TColor p = Probe(&b, 8, 4);
    EXPECT_NEAR(p & 0xFF, 0xC0, 8);
    EXPECT_NEAR((p >> 8) & 0xFF, 0x40, 8);
    EXPECT_NEAR((p >> 16) & 0xFF, 0x20, 8);
    EXPECT_THROW(Sputils::LoadFromJpegFile(&b, file), EFOpenError);
}

}  // namespace
