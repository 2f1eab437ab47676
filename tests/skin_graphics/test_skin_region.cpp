#include "test_gtest.h"
#include "FlatPicture.h"
#include "SkinRegion.h"
#include <algorithm>
#include <string>
#include <vector>

using namespace SkinFixture;

namespace {

const TColor cBlack = 0x000000, cWhite = 0xFFFFFF;

struct RgnBlock {
    DWORD Size = 0;
    std::unique_ptr<BYTE[]> Data;
    const RGNDATAHEADER& Header() const { return *reinterpret_cast<const RGNDATAHEADER*>(Data.get()); }
    const RECT* Rects() const { return reinterpret_cast<const RECT*>(Data.get() + 32); }
};

RgnBlock BlockOf(TBitmap* B, int X, int Y)
{
    RgnBlock r;
    r.Size = Sputils::CreateRgnFromBmp(B, X, Y, r.Data);
    return r;
}

std::unique_ptr<TBitmap> ThreeByTwo()
{
    auto m = NewPicture(3, 2, cBlack);
    m->GetCanvas()->SetPixel(1, 0, cWhite);
    return m;
}

TEST(SkinRegion, ThreeByTwoMaskGivesThreeRuns)
{
    struct Case { int X, Y; } cases[] = {{0, 0}, {10, 5}};
    for (const Case& c : cases) {
        auto m = ThreeByTwo();
        RgnBlock b = BlockOf(m.get(), c.X, c.Y);
        ASSERT_EQ(b.Size, 80u);
        EXPECT_EQ(b.Header().dwSize, 32u);
        EXPECT_EQ(b.Header().iType, 1u);
        ASSERT_EQ(b.Header().nCount, 3u);
        EXPECT_EQ(b.Header().nRgnSize, 0u);
        EXPECT_EQ(TRect(b.Header().rcBound), TRect(c.X, c.Y, c.X + 3, c.Y + 2));
        EXPECT_EQ(TRect(b.Rects()[0]), TRect(c.X + 0, c.Y + 0, c.X + 1, c.Y + 1));
        EXPECT_EQ(TRect(b.Rects()[1]), TRect(c.X + 2, c.Y + 0, c.X + 3, c.Y + 1));
        EXPECT_EQ(TRect(b.Rects()[2]), TRect(c.X + 0, c.Y + 1, c.X + 3, c.Y + 2));
    }
}

TEST(SkinRegion, OnlyPureBlackBelongsAndAWhiteMaskIsAnEmptyRegion)
{
    auto m = NewPicture(4, 1, cBlack);
    m->GetCanvas()->SetPixel(2, 0, 0x010000);   // blue 1: not black
    RgnBlock b = BlockOf(m.get(), 0, 0);
    ASSERT_EQ(b.Header().nCount, 2u);
    EXPECT_EQ(TRect(b.Rects()[1]), TRect(3, 0, 4, 1));

    auto white = NewPicture(5, 5, cWhite);
    RgnBlock w = BlockOf(white.get(), 0, 0);
    ASSERT_EQ(w.Size, 32u);
    EXPECT_EQ(w.Header().nCount, 0u);
    TRegionHandle rgn(ExtCreateRegion(nullptr, w.Size, reinterpret_cast<const RGNDATA*>(w.Data.get())));
    ASSERT_TRUE(rgn);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn.Get(), &box), NULLREGION);

    TBitmap empty;
    std::unique_ptr<BYTE[]> untouched;
    EXPECT_EQ(Sputils::CreateRgnFromBmp(&empty, 0, 0, untouched), 0u);
    EXPECT_FALSE(untouched);
}

TEST(SkinRegion, MonochromeMaskReadsLikeAColourOne)
{
    auto m = ThreeByTwo();
    m->SetPixelFormat(pf1bit);
    RgnBlock b = BlockOf(m.get(), 0, 0);
    ASSERT_EQ(b.Header().nCount, 3u);
    EXPECT_EQ(TRect(b.Rects()[1]), TRect(2, 0, 3, 1));
}

TEST(SkinRegion, ScreenCompatibleMaskReadsLikeADib)
{
    auto dib = ThreeByTwo();
    TBitmap ddb(3, 2);   // device-dependent, as pictures drawn on the screen's terms are
    ddb.GetCanvas()->Draw(0, 0, dib.get());
    RgnBlock b = BlockOf(&ddb, 0, 0);
    ASSERT_EQ(b.Header().nCount, 3u);
    EXPECT_EQ(TRect(b.Rects()[2]), TRect(0, 1, 3, 2));
}

// More runs than the fixed table of 10,000 entries that the region builder once
// had: the run block holds them all; a window region is made from up to
// MaxRegionRuns runs, and a mask of more gives none (the element shows whole).
TEST(SkinRegion, CheckerboardRunsUpToTheBoundOfAWindowRegion)
{
    struct Case { int W, H; bool Region; } cases[] = {{200, 100, true}, {200, 120, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.H);
        auto m = NewPicture(c.W, c.H, cWhite);
        for (int y = 0; y < c.H; ++y)
            for (int x = (y & 1); x < c.W; x += 2) m->GetCanvas()->SetPixel(x, y, cBlack);
        RgnBlock b = BlockOf(m.get(), 0, 0);
        const DWORD runs = c.W / 2 * c.H;
        ASSERT_EQ(b.Header().nCount, runs);
        ASSERT_EQ(b.Size, runs * 16 + 32);
        EXPECT_EQ(TRect(b.Rects()[runs - 1]), TRect(c.W - 1, c.H - 1, c.W, c.H));
        ASSERT_EQ(runs <= Sputils::MaxRegionRuns, c.Region);
        HRGN raw = nullptr;
        Sputils::CreateSkinSimplyRegion(raw, m.get());
        TRegionHandle rgn(raw);
        ASSERT_EQ(static_cast<bool>(rgn), c.Region);
        if (!c.Region) continue;
        for (int y = 0; y < c.H; y += 7)
            for (int x = 0; x < c.W; x += 3)
                ASSERT_EQ(PtInRegion(rgn.Get(), x, y) != 0, ((x + y) & 1) == 0) << x << "," << y;
    }
}

TEST(SkinRegion, EmptyMaskGivesNoRegion)
{
    TBitmap empty;
    HRGN rgn = reinterpret_cast<HRGN>(1);
    Sputils::CreateSkinSimplyRegion(rgn, &empty);
    EXPECT_EQ(rgn, nullptr);
}

// A 30 x 30 eight-point element whose mask is black but for its four corner
// pixels, resized to 50 x 40: every pixel but the four corners is inside.
TEST(SkinRegion, ResizedEightPointRegionKeepsTheCornersCut)
{
    auto m = NewPicture(30, 30, cBlack);
    for (TPoint p : {TPoint(0, 0), TPoint(29, 0), TPoint(0, 29), TPoint(29, 29)})
        m->GetCanvas()->SetPixel(p.x, p.y, cWhite);
    const int W = 50, H = 40;
    HRGN raw = nullptr;
    Sputils::CreateSkinRegion(raw, TPoint(10, 10), TPoint(20, 10), TPoint(10, 20), TPoint(20, 20),
                              TRect(10, 10, 20, 20), TPoint(10, 10), TPoint(40, 10), TPoint(10, 30), TPoint(40, 30),
                              TRect(10, 10, 40, 30), m.get(), W, H);
    TRegionHandle rgn(raw);
    ASSERT_TRUE(rgn);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool corner = (x == 0 || x == W - 1) && (y == 0 || y == H - 1);
            ASSERT_EQ(PtInRegion(rgn.Get(), x, y) != 0, !corner) << x << "," << y;
        }
    EXPECT_FALSE(PtInRegion(rgn.Get(), W, 5));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 5, H));
}

TEST(SkinRegion, NoLeftBandStillGetsTopBottomAndRight)
{
    auto m = NewPicture(20, 20, cBlack);
    m->GetCanvas()->SetPixel(19, 0, cWhite);
    m->GetCanvas()->SetPixel(19, 19, cWhite);
    HRGN raw = nullptr;
    Sputils::CreateSkinRegion(raw, TPoint(0, 5), TPoint(15, 5), TPoint(0, 15), TPoint(15, 15), TRect(0, 5, 15, 15),
                              TPoint(0, 5), TPoint(25, 5), TPoint(0, 21), TPoint(25, 21), TRect(0, 5, 25, 21), m.get(),
                              30, 26);
    TRegionHandle rgn(raw);
    ASSERT_TRUE(rgn);
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, 0));     // top strip
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, 25));    // bottom strip
    EXPECT_TRUE(PtInRegion(rgn.Get(), 29, 10));   // right strip
    EXPECT_TRUE(PtInRegion(rgn.Get(), 12, 12));   // client
    EXPECT_FALSE(PtInRegion(rgn.Get(), 29, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 29, 25));
}

TEST(SkinRegion, TargetSmallerThanTheFixedPartsHasNoRegion)
{
    auto m = NewPicture(30, 30, cBlack);
    HRGN rgn = reinterpret_cast<HRGN>(1);
    Sputils::CreateSkinRegion(rgn, TPoint(10, 10), TPoint(20, 10), TPoint(10, 20), TPoint(20, 20),
                              TRect(10, 10, 20, 20), TPoint(10, 10), TPoint(5, 10), TPoint(10, 20), TPoint(5, 20),
                              TRect(10, 10, 5, 20), m.get(), 15, 30);
    EXPECT_EQ(rgn, nullptr);
}

// Mask geometry from a damaged skin: strips stay within the mask and the element.
TEST(SkinRegion, DamagedMaskGeometryStaysBounded)
{
    auto m = NewPicture(30, 30, cBlack);
    const int v[] = {0, 1, -1, 10, 29, 30, 31, -100000, 100000, 0x7FFFFFF0};
    int n = 0;
    for (int a : v)
        for (int b : v) {
            TBitmap t, l, r, bo;
            Sputils::CreateSkinMask(TPoint(a, b), TPoint(b, a), TPoint(a, a), TPoint(b, b), TRect(a, b, b, a),
                                    TPoint(a, b), TPoint(b, a), TPoint(a, a), TPoint(b, b), TRect(b, a, a, b), m.get(),
                                    &t, &l, &r, &bo, 60, 60);
            for (TBitmap* s : {&t, &l, &r, &bo}) {
                EXPECT_LE(s->GetWidth(), 60);
                EXPECT_LE(s->GetHeight(), 60);
            }
            HRGN raw = nullptr;
            Sputils::CreateSkinRegion(raw, TPoint(a, b), TPoint(b, a), TPoint(a, a), TPoint(b, b), TRect(a, b, b, a),
                                      TPoint(a, a), TPoint(b, a), TPoint(a, b), TPoint(b, b), TRect(a, a, b, b), m.get(),
                                      60, 60);
            TRegionHandle rgn(raw);
            ++n;
        }
    EXPECT_EQ(n, 100);
    // Without a height the side strips are still bounded, and a span of a billion
    // columns costs only the tiles inside the element.
    TBitmap t, l, r, bo;
    Sputils::CreateSkinMask(TPoint(10, 10), TPoint(11, 10), TPoint(10, 11), TPoint(11, 11), TRect(10, 10, 20, 20),
                            TPoint(-1000000000, 10), TPoint(1000000000, 10), TPoint(10, 11), TPoint(11, 11),
                            TRect(10, -2000000000, 20, 2000000000), m.get(), &t, &l, &r, &bo, 60, 0);
    EXPECT_EQ(t.GetWidth(), 60);
    EXPECT_LE(l.GetHeight(), 32767);
}

}  // namespace

namespace {

// The region of a whole run block in one ExtCreateRegion call: what the region
// built in steps must equal.
TRegionHandle OneCallRegion(TBitmap* B)
{
    RgnBlock b = BlockOf(B, 0, 0);
    return TRegionHandle(ExtCreateRegion(nullptr, b.Size, reinterpret_cast<const RGNDATA*>(b.Data.get())));
}

std::unique_ptr<TBitmap> NoiseMask(int W, int H, unsigned Seed)
{
    auto m = NewPicture(W, H, cWhite);
    unsigned x = Seed;
    for (int y = 0; y < H; ++y)
        for (int i = 0; i < W; ++i) {
            x = x * 1103515245u + 12345u;
            if ((x >> 16) & 1) m->GetCanvas()->SetPixel(i, y, cBlack);
        }
    return m;
}

}  // namespace

// Built in pieces of a bounded number of runs and united, the region is the
// very one a single call makes, for masks of few and of many runs.
TEST(SkinRegion, RegionInBoundedStepsEqualsTheOneCallRegion)
{
    struct Case {
        const char* What;
        std::unique_ptr<TBitmap> Mask;
    };
    Case cases[] = {
        {"three by two", ThreeByTwo()},
        {"all black", NewPicture(120, 90, cBlack)},
        {"all white", NewPicture(30, 20, cWhite)},
        {"noise", NoiseMask(150, 110, 7)},   // about 4,000 runs of all lengths
        {"noise, rows of odd widths", NoiseMask(97, 301, 11)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.What);
        TRegionHandle one = OneCallRegion(c.Mask.get());
        ASSERT_TRUE(one);
        TRegionHandle steps(Sputils::CreateMaskRegion(c.Mask.get(), 0, 0));
        ASSERT_TRUE(steps);
        EXPECT_TRUE(EqualRgn(one.Get(), steps.Get()));
        // Moved, it is the same region moved.
        TRegionHandle moved(Sputils::CreateMaskRegion(c.Mask.get(), 13, 4));
        OffsetRgn(one.Get(), 13, 4);
        EXPECT_TRUE(EqualRgn(one.Get(), moved.Get()));
    }
}

// A fixed-size element takes only as much of its mask as it covers: the region
// is the mask's region cut to the element, and a mask larger than the element
// costs no more to scan than the element.
TEST(SkinRegion, SimplyRegionScansNoMoreOfTheMaskThanTheElement)
{
    auto mask = NoiseMask(260, 120, 3);   // about 7,800 runs
    struct Case { int W, H; } cases[] = {{40, 30}, {260, 10}, {5, 120}, {400, 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H));
        HRGN raw = nullptr;
        Sputils::CreateSkinSimplyRegion(raw, mask.get(), c.W, c.H);
        TRegionHandle part(raw);
        ASSERT_TRUE(part);
        TRegionHandle expected = OneCallRegion(mask.get());
        TRegionHandle box(CreateRectRgn(0, 0, c.W, c.H));
        CombineRgn(expected.Get(), expected.Get(), box.Get(), RGN_AND);
        EXPECT_TRUE(EqualRgn(expected.Get(), part.Get()));
        RECT r;
        GetRgnBox(part.Get(), &r);
        EXPECT_LE(r.right, std::min(c.W, 260));
        EXPECT_LE(r.bottom, std::min(c.H, 120));
    }
}
