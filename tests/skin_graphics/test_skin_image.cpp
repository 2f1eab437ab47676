#include "test_gtest.h"
#include "FlatPicture.h"
#include "SkinImage.h"
#include <cstdlib>
#include <string>

using namespace SkinFixture;

namespace {

const TColor cOutside = 0xFF00FF;   // around the skin rectangle: must never show
const TColor cLeft = 0x0000FF, cRight = 0x00FFFF, cMidA = 0x00FF00, cMidB = 0xFF0000;
const TColor cPrior = 0x808080;

// A three-part element 10 + 20 + 10 at (3, 2) in a larger picture; the middle's
// first 15 columns are one colour and its last 5 another, so a cut tile shows.
struct ThreePart {
    std::unique_ptr<TBitmap> Pic = NewPicture(50, 12, cOutside);
    TRect R{3, 2, 43, 10};
    ThreePart()
    {
        Paint(Pic.get(), TRect(3, 2, 13, 10), cLeft);
        Paint(Pic.get(), TRect(13, 2, 28, 10), cMidA);
        Paint(Pic.get(), TRect(28, 2, 33, 10), cMidB);
        Paint(Pic.get(), TRect(33, 2, 43, 10), cRight);
    }
};

TColor MiddleAt(int Offset) { return Offset % 20 < 15 ? cMidA : cMidB; }

// What CreateHSkinImage must give at column x: the right part is drawn after the left.
TColor ExpectedH(int W, int x)
{
    if (x >= W - 10) return cRight;
    if (x < 10) return cLeft;
    return MiddleAt(x - 10);
}

TEST(SkinImage, TileSpanCutsTheLastTileAndDropsEmptyOnes)
{
    struct Case { int From, To, Seg; std::vector<std::pair<int, int>> Tiles; } cases[] = {
        {10, 65, 20, {{10, 20}, {30, 20}, {50, 15}}},
        {10, 70, 20, {{10, 20}, {30, 20}, {50, 20}}},   // the fourth tile is cut to nothing
        {10, 30, 20, {{10, 20}}},
        {10, 10, 20, {}},
        {10, 5, 20, {}},
        {0, 25, 10, {{0, 10}, {10, 10}, {20, 5}}},
        {0, 25, 0, {}},
        {0, 25, -3, {}},
    };
    for (const Case& c : cases) {
        auto tiles = Sputils::TileSpan(c.From, c.To, c.Seg);
        ASSERT_EQ(tiles.size(), c.Tiles.size()) << c.From << ".." << c.To << " by " << c.Seg;
        for (size_t i = 0; i < tiles.size(); ++i) {
            EXPECT_EQ(tiles[i].Start, c.Tiles[i].first);
            EXPECT_EQ(tiles[i].Length, c.Tiles[i].second);
        }
    }
}

TEST(SkinImage, HorizontalThreePartAtSeveralWidths)
{
    ThreePart f;
    for (int W : {75, 80, 40, 20, 41, 139, 10, 1}) {
        TBitmap dest(1, 1, pf24bit);
        Sputils::CreateHSkinImage(10, 10, &dest, f.Pic.get(), f.R, W, 999);
        ASSERT_EQ(dest.GetWidth(), W);
        ASSERT_EQ(dest.GetHeight(), 8);
        for (int x = 0; x < W; ++x)
            for (int y : {0, 7})
                ASSERT_EQ(Probe(&dest, x, y), ExpectedH(W, x)) << "width " << W << " column " << x;
    }
}

TEST(SkinImage, VerticalThreePartIsTheRowTwin)
{
    // The same pieces turned on their side.
    auto pic = NewPicture(12, 50, cOutside);
    Paint(pic.get(), TRect(2, 3, 10, 13), cLeft);
    Paint(pic.get(), TRect(2, 13, 10, 28), cMidA);
    Paint(pic.get(), TRect(2, 28, 10, 33), cMidB);
    Paint(pic.get(), TRect(2, 33, 10, 43), cRight);
    for (int H : {75, 80, 40, 20}) {
        TBitmap dest(1, 1, pf24bit);
        Sputils::CreateVSkinImage(10, 10, &dest, pic.get(), TRect(2, 3, 10, 43), 999, H);
        ASSERT_EQ(dest.GetWidth(), 8);
        ASSERT_EQ(dest.GetHeight(), H);
        for (int y = 0; y < H; ++y) ASSERT_EQ(Probe(&dest, 4, y), ExpectedH(H, y)) << "height " << H << " row " << y;
    }
}

TEST(SkinImage, OpenAndPlainMiddleVariants)
{
    ThreePart f;
    TBitmap dest(1, 1, pf24bit);
    // CreateHSkinImage2: left part, then the middle up to the right edge.
    Sputils::CreateHSkinImage2(10, 10, &dest, f.Pic.get(), f.R, 75, 0);
    for (int x = 0; x < 75; ++x) ASSERT_EQ(Probe(&dest, x, 3), x < 10 ? cLeft : MiddleAt(x - 10)) << x;
    // CreateHSkinImage3 with left size 4 and a middle of 10: tiles 0-10, 10-20, 20-25.
    auto pic = NewPicture(14, 4, cOutside);
    Paint(pic.get(), TRect(0, 0, 4, 4), cLeft);
    Paint(pic.get(), TRect(4, 0, 11, 4), cMidA);
    Paint(pic.get(), TRect(11, 0, 14, 4), cMidB);
    Sputils::CreateHSkinImage3(4, 0, &dest, pic.get(), TRect(0, 0, 14, 4), 25, 0);
    ASSERT_EQ(dest.GetWidth(), 25);
    for (int x = 0; x < 25; ++x) ASSERT_EQ(Probe(&dest, x, 1), x % 10 < 7 ? cMidA : cMidB) << x;
}

TEST(SkinImage, ZeroWidthMiddleDrawsNothingAndReadsNothingBeside)
{
    // Left 10 and right 10 of a 20-wide rectangle: no middle at all. The span
    // between the parts keeps what the bitmap held.
    auto pic = NewPicture(20, 4, cLeft);
    Paint(pic.get(), TRect(10, 0, 20, 4), cRight);
    auto dest = NewPicture(50, 4, cPrior);
    Sputils::CreateHSkinImage(10, 10, dest.get(), pic.get(), TRect(0, 0, 20, 4), 50, 0);
    EXPECT_EQ(Probe(dest.get(), 5, 1), cLeft);
    EXPECT_EQ(Probe(dest.get(), 25, 1), cPrior);
    EXPECT_EQ(Probe(dest.get(), 45, 1), cRight);
}

// An eight-point element of 30 x 30 at (5, 5) in a 40 x 40 picture: corners,
// edges and client are 10 x 10 each; the top edge and the client have a second
// colour in their last 3 columns (and the client in its last 3 rows) so that
// tiles show; the left edge has a second colour in its last 4 rows.
struct EightPoint {
    std::unique_ptr<TBitmap> Pic = NewPicture(40, 40, cOutside);
    TRect R{5, 5, 35, 35};
    TPoint Lt{10, 10}, Rt{20, 10}, Lb{10, 20}, Rb{20, 20};
    TRect Cl{10, 10, 20, 20};
    TColor Zone[3][3] = {{0x000011, 0x000022, 0x000033}, {0x000044, 0x000055, 0x000066},
                         {0x000077, 0x000088, 0x000099}};
    const TColor cTop2 = 0x002200, cClient2 = 0x005500, cLeft2 = 0x004400;
    EightPoint()
    {
        for (int zy = 0; zy < 3; ++zy)
            for (int zx = 0; zx < 3; ++zx)
                Paint(Pic.get(), TRect(5 + zx * 10, 5 + zy * 10, 15 + zx * 10, 15 + zy * 10), Zone[zy][zx]);
        Paint(Pic.get(), TRect(22, 5, 25, 15), cTop2);
        Paint(Pic.get(), TRect(22, 15, 25, 25), cClient2);
        Paint(Pic.get(), TRect(15, 22, 25, 25), cClient2);
        Paint(Pic.get(), TRect(5, 21, 15, 25), cLeft2);
    }
    // The element's points in a W x H image; Target is set by each test.
    Sputils::TSkinImageArgs Args(int W, int H, bool Client = true) const
    {
        Sputils::TSkinImageArgs a;
        a.Skin = {Lt, Rt, Lb, Rb, Cl};
        a.Source = Pic.get();
        a.SourceRect = R;
        a.Width = W;
        a.Height = H;
        a.DrawClient = Client;
        return a;
    }
    // The colour the eight-point image must have at (x, y) of a W x H target.
    TColor Expected(int W, int H, int x, int y, bool client) const
    {
        int zx = x < 10 ? 0 : x < W - 10 ? 1 : 2;
        int zy = y < 10 ? 0 : y < H - 10 ? 1 : 2;
        int ox = (x - 10) % 10, oy = (y - 10) % 10;
        if (zy == 0 && zx == 1) return ox >= 7 ? cTop2 : Zone[0][1];
        if (zy == 1 && zx == 0) return oy >= 6 ? cLeft2 : Zone[1][0];
        if (zy == 1 && zx == 1) return client ? (ox >= 7 || oy >= 7 ? cClient2 : Zone[1][1]) : cPrior;
        return Zone[zy][zx];
    }
};

TEST(SkinImage, EightPointAtSeveralSizes)
{
    EightPoint f;
    struct Size { int dw, dh; } sizes[] = {{0, 0}, {15, 5}, {25, 13}, {1, 40}, {47, 0}};
    for (const Size& s : sizes) {
        for (bool client : {true, false}) {
            const int W = 30 + s.dw, H = 30 + s.dh;
            auto dest = NewPicture(W, H, cPrior);
            Sputils::TSkinImageArgs a = f.Args(W, H, client);
            a.Target = a.Skin.Grown(s.dw, s.dh);
            ASSERT_EQ(a.Target.RightTop, TPoint(f.Rt.x + s.dw, f.Rt.y));
            ASSERT_EQ(a.Target.LeftBottom, TPoint(f.Lb.x, f.Lb.y + s.dh));
            ASSERT_EQ(a.Target.RightBottom, TPoint(f.Rb.x + s.dw, f.Rb.y + s.dh));
            ASSERT_EQ(a.Target.Client, TRect(10, 10, 20 + s.dw, 20 + s.dh));
            Sputils::CreateSkinImage(dest.get(), a);
            ASSERT_EQ(dest->GetWidth(), W);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(Probe(dest.get(), x, y), f.Expected(W, H, x, y, client))
                        << W << "x" << H << " at " << x << "," << y << (client ? " client" : "");
        }
    }
}

TEST(SkinImage, EightPointWithRightBottomOnLeftTopOnlySizes)
{
    EightPoint f;
    auto dest = NewPicture(30, 30, cPrior);
    Sputils::TSkinImageArgs a = f.Args(30, 30);
    a.Skin.RightBottom = f.Lt;
    a.Target = a.Skin;
    Sputils::CreateSkinImage(dest.get(), a);
    EXPECT_EQ(dest->GetWidth(), 30);
    EXPECT_EQ(Probe(dest.get(), 0, 0), cPrior);
    EXPECT_EQ(Probe(dest.get(), 15, 15), cPrior);
    // An empty source picture likewise.
    TBitmap empty;
    a = f.Args(30, 30);
    a.Target = a.Skin;
    a.Source = &empty;
    Sputils::CreateSkinImage(dest.get(), a);
    EXPECT_EQ(Probe(dest.get(), 0, 0), cPrior);
}

TEST(SkinImage, OpenRightEightPointHasNoRightBand)
{
    EightPoint f;
    const int W = 50, H = 30;
    auto dest = NewPicture(W, H, cPrior);
    Sputils::TSkinImageArgs a = f.Args(W, H);
    a.Target = {f.Lt, TPoint(40, 10), f.Lb, TPoint(40, 20), TRect(10, 10, 40, 20)};
    Sputils::CreateSkinImage2(dest.get(), a);
    for (int x = 10; x < W; ++x) {
        EXPECT_EQ(Probe(dest.get(), x, 2), (x - 10) % 10 >= 7 ? f.cTop2 : f.Zone[0][1]) << x;
        EXPECT_EQ(Probe(dest.get(), x, 25), f.Zone[2][1]) << x;
        EXPECT_EQ(Probe(dest.get(), x, 12), (x - 10) % 10 >= 7 ? f.cClient2 : f.Zone[1][1]) << x;
    }
    EXPECT_EQ(Probe(dest.get(), 2, 2), f.Zone[0][0]);
}

TEST(SkinImage, StretchedEdgesAreCopiedOnceScaled)
{
    EightPoint f;
    const int W = 50, H = 30;   // the top edge segment (10 wide) is stretched to 30
    auto dest = NewPicture(W, H, cPrior);
    Sputils::TSkinImageArgs a = f.Args(W, H);
    a.Target = {f.Lt, TPoint(40, 10), f.Lb, TPoint(40, 20), TRect(10, 10, 40, 20)};
    a.Stretch.Top = true;
    Sputils::CreateSkinImageBS(dest.get(), a);
    // 7 + 3 columns scaled by 3: 21 of the first colour, then 9 of the second.
    for (int x = 10; x < 40; ++x) EXPECT_EQ(Probe(dest.get(), x, 3), x < 31 ? f.Zone[0][1] : f.cTop2) << x;
    // The bottom edge is not stretched: repeated.
    EXPECT_EQ(Probe(dest.get(), 35, 25), f.Zone[2][1]);
    EXPECT_EQ(Probe(dest.get(), 45, 25), f.Zone[2][2]);
}

TEST(SkinImage, BorderImagesCutTheFrameIntoFourStrips)
{
    EightPoint f;
    const int W = 50, H = 40;
    TBitmap l(1, 1, pf24bit), t(1, 1, pf24bit), r(1, 1, pf24bit), b(1, 1, pf24bit);
    Sputils::TSkinImageArgs a = f.Args(W, H);
    a.Target = {f.Lt, TPoint(40, 10), TPoint(10, 30), TPoint(40, 30), TRect(10, 10, 40, 30)};
    Sputils::CreateSkinBorderImages({&l, &t, &r, &b}, a);
    EXPECT_EQ(t.GetWidth(), 50);
    EXPECT_EQ(t.GetHeight(), 10);
    EXPECT_EQ(b.GetWidth(), 50);
    EXPECT_EQ(b.GetHeight(), 10);
    EXPECT_EQ(l.GetWidth(), 10);
    EXPECT_EQ(l.GetHeight(), 20);
    EXPECT_EQ(r.GetWidth(), 10);
    EXPECT_EQ(r.GetHeight(), 20);
    EXPECT_EQ(Probe(&t, 2, 2), f.Zone[0][0]);
    EXPECT_EQ(Probe(&t, 12, 2), f.Zone[0][1]);
    EXPECT_EQ(Probe(&t, 38, 2), f.cTop2);
    EXPECT_EQ(Probe(&t, 45, 2), f.Zone[0][2]);
    EXPECT_EQ(Probe(&b, 2, 2), f.Zone[2][0]);
    EXPECT_EQ(Probe(&b, 25, 2), f.Zone[2][1]);
    EXPECT_EQ(Probe(&b, 45, 9), f.Zone[2][2]);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(Probe(&l, 3, y), y % 10 >= 6 ? f.cLeft2 : f.Zone[1][0]) << y;
        EXPECT_EQ(Probe(&r, 3, y), f.Zone[1][2]) << y;
    }
    // A strip whose condition fails keeps what it was.
    TBitmap keep(7, 3, pf24bit);
    a = f.Args(W, H);
    a.Skin.RightTop = f.Lt;
    a.Target = a.Skin;
    Sputils::CreateSkinBorderImages({&l, &keep, &r, &b}, a);
    EXPECT_EQ(keep.GetWidth(), 7);
    EXPECT_EQ(keep.GetHeight(), 3);
}

// Geometry from a damaged skin: points out of order, far outside the picture,
// negative and huge. Nothing may crash, and nothing outside the picture is read
// (the probes never see a colour that is not in the picture).
TEST(SkinImage, DamagedGeometryNeverReadsOutsideThePicture)
{
    EightPoint f;
    srand(1234);
    auto any = []() {
        static const int v[] = {0, 1, -1, 5, 10, 15, 20, 29, 30, 31, 100, -100, 100000, -100000, 0x7FFFFFF0};
        return v[rand() % (sizeof v / sizeof v[0])];
    };
    for (int i = 0; i < 300; ++i) {
        TPoint p[8];
        for (TPoint& q : p) q = TPoint(any(), any());
        TRect c1(any(), any(), any(), any()), c2(any(), any(), any(), any());
        TRect src(any(), any(), any(), any());
        TBitmap dest(1, 1, pf24bit), l, t, r, b;
        int W = abs(any()) % 64, H = abs(any()) % 64;
        Sputils::TSkinImageArgs a;
        a.Skin = {p[0], p[1], p[2], p[3], c1};
        a.Target = {p[4], p[5], p[6], p[7], c2};
        a.Source = f.Pic.get();
        a.SourceRect = src;
        a.Width = W;
        a.Height = H;
        Sputils::CreateSkinImage(&dest, a);
        a.Stretch = {true, true, true, true};
        Sputils::CreateSkinImageBS(&dest, a);
        a.Stretch = {(i & 1) != 0, (i & 2) != 0, (i & 4) != 0, (i & 8) != 0};
        Sputils::CreateSkinBorderImages({&l, &t, &r, &b}, a);
        Sputils::CreateHSkinImage(any(), any(), &dest, f.Pic.get(), src, W, H);
        Sputils::CreateVSkinImage(any(), any(), &dest, f.Pic.get(), src, W, H);
        for (TBitmap* bm : {&l, &t, &r, &b}) {
            EXPECT_LE(bm->GetWidth(), 64);
            EXPECT_LE(bm->GetHeight(), 64);
        }
    }
}

}  // namespace
