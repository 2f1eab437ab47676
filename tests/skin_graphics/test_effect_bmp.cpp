#include "test_gtest.h"
#include "EffectBmp.h"
#include "FlatPicture.h"
#include <cmath>
#include <limits>

using namespace SkinFixture;

namespace {

// A buffer whose every pixel is grey level V.
TspEffectBmp Flat(int W, int H, int V)
{
    TspEffectBmp b(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) b.SetPixel(x, y, V | (V << 8) | (V << 16));
    return b;
}

int Grey(const TspEffectBmp& b, int X, int Y) { return b.GetPixel(X, Y) & 0xFF; }

TEST(EffectBmp, RowsArePaddedToFourBytes)
{
    for (int w : {1, 2, 3, 4, 5, 7}) {
        TspEffectBmp b(w, 3);
        EXPECT_EQ(b.RowStride() % 4, 0) << w;
        EXPECT_EQ(b.RowStride(), (w * 3 + 3) / 4 * 4) << w;
        EXPECT_EQ(b.Size(), b.RowStride() * 3);
    }
    // Sizes no screen needs are refused rather than allocated.
    TspEffectBmp huge(100000, 100000);
    EXPECT_EQ(huge.Width(), 0);
    EXPECT_EQ(huge.GetLine(0), nullptr);
    TspEffectBmp negative(-5, 4);
    EXPECT_EQ(negative.Width(), 0);
}

TEST(EffectBmp, RoundingIsHalfToEvenThenClamped)
{
    struct Case { double V; int Expected; } cases[] = {
        {11.5, 12}, {10.5, 10}, {76.5, 76}, {0.5, 0}, {1.5, 2}, {254.5, 254}, {-3, 0}, {300, 255},
        {std::numeric_limits<double>::quiet_NaN(), 0}, {1e300, 255},
    };
    for (const Case& c : cases) EXPECT_EQ(TspEffectBmp::RoundChannel(c.V), c.Expected) << c.V;
}

TEST(EffectBmp, MorphAtItsEndsAndHalfway)
{
    struct Case { int Own, Other; double K; int Expected; } cases[] = {
        {10, 13, 0.5, 12}, {10, 11, 0.5, 10}, {10, 200, 0, 10}, {10, 200, 1, 200}, {10, 200, -1, 10},
        {10, 200, 7, 200}, {10, 200, std::numeric_limits<double>::quiet_NaN(), 10}, {0, 255, 0.2, 51},
    };
    for (const Case& c : cases) {
        TspEffectBmp a = Flat(3, 2, c.Own), b = Flat(3, 2, c.Other);
        a.Morph(&b, c.K);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) ASSERT_EQ(Grey(a, x, y), c.Expected) << c.Own << "/" << c.Other << " at " << c.K;
    }
    TspEffectBmp a = Flat(3, 2, 10), other = Flat(3, 3, 200);
    a.Morph(&other, 1);
    EXPECT_EQ(Grey(a, 0, 0), 10);   // sizes differ: nothing
}

TEST(EffectBmp, MorphRectStaysInsideBothBuffers)
{
    TspEffectBmp a = Flat(4, 4, 0), b = Flat(2, 2, 100);
    a.MorphRect(&b, 1, TRect(1, 1, 100, 100), 0, 0);
    EXPECT_EQ(Grey(a, 0, 0), 0);
    EXPECT_EQ(Grey(a, 1, 1), 100);
    EXPECT_EQ(Grey(a, 2, 2), 100);
    EXPECT_EQ(Grey(a, 3, 3), 0);   // the other has no third row or column
    a.MorphRect(&b, 1, TRect(-50, -50, 50, 50), -7, 1000);   // nothing overlaps
}

// The transitions at factor 0 and 1: which columns are own (0) and which other (200).
TEST(EffectBmp, TransitionsAtTheirEnds)
{
    typedef void (TspEffectBmp::*Transition)(const TspEffectBmp*, double);
    struct Case { const char* Name; Transition T; double K; const char* Columns; } cases[] = {
        {"HGrad 1", &TspEffectBmp::MorphHGrad, 1, "OOOOOOOOOO"},
        {"Grad 1", &TspEffectBmp::MorphGrad, 1, "OOOOOOOOOO"},
        {"LeftGrad 1", &TspEffectBmp::MorphLeftGrad, 1, "O--------."},
        {"LeftGrad 0", &TspEffectBmp::MorphLeftGrad, 0, "O........."},
        {"LeftSlide 1", &TspEffectBmp::MorphLeftSlide, 1, "OOOOOOOOO."},
        {"LeftSlide 0", &TspEffectBmp::MorphLeftSlide, 0, "O........."},
        {"RightSlide 1", &TspEffectBmp::MorphRightSlide, 1, ".OOOOOOOOO"},
        {"RightSlide 0", &TspEffectBmp::MorphRightSlide, 0, ".........O"},
        {"Push 1", &TspEffectBmp::MorphPush, 1, "OOOOOOOOOO"},
        {"Push 0", &TspEffectBmp::MorphPush, 0, "O........."},
        {"RightGrad 0", &TspEffectBmp::MorphRightGrad, 0, ".........O"},
    };
    for (const Case& c : cases) {
        TspEffectBmp a = Flat(10, 3, 0), b = Flat(10, 3, 200);
        (a.*c.T)(&b, c.K);
        for (int x = 0; x < 10; ++x) {
            int v = Grey(a, x, 1);
            char got = v == 200 ? 'O' : v == 0 ? '.' : '-';
            EXPECT_EQ(got, c.Columns[x]) << c.Name << " column " << x << " value " << v;
        }
    }
}

TEST(EffectBmp, SlideAndPushTakeTheRightColumns)
{
    TspEffectBmp own(6, 1), other(6, 1);
    for (int x = 0; x < 6; ++x) {
        own.SetPixel(x, 0, 10 + x);
        other.SetPixel(x, 0, 100 + x);
    }
    TspEffectBmp push(own);
    push.MorphPush(&other, 0);   // other's last column, then own moved right by one
    const int pushed[] = {105, 10, 11, 12, 13, 14};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(Grey(push, x, 0), pushed[x]) << x;
    TspEffectBmp slide(own);
    slide.MorphLeftSlide(&other, 0.5);   // a = 3: other's columns 3..5 at 0..2
    const int slid[] = {103, 104, 105, 13, 14, 15};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(Grey(slide, x, 0), slid[x]) << x;
}

TEST(EffectBmp, VerticalGradientAtFullReplacesEverything)
{
    TspEffectBmp a = Flat(3, 9, 0), b = Flat(3, 9, 200);
    a.MorphGrad(&b, 1);   // taller than wide: the vertical gradient
    for (int y = 0; y < 9; ++y) EXPECT_EQ(Grey(a, 1, y), 200) << y;
}

TEST(EffectBmp, FiltersOfTheInactiveLook)
{
    struct Case { DWORD In; DWORD Gray; } gray[] = {
        {0xFF0000 /* red */, 76}, {0x00FF00, 150}, {0x0000FF, 28}, {0xFFFFFF, 255}, {0, 0},
    };
    for (const Case& c : gray) {
        TspEffectBmp b(1, 1);
        b.SetPixel(0, 0, c.In);   // raw: blue in the low byte, red in the high one
        b.GrayScale();
        EXPECT_EQ(b.GetPixel(0, 0), c.Gray | (c.Gray << 8) | (c.Gray << 16)) << std::hex << c.In;
    }
    TspEffectBmp b = Flat(2, 2, 100);
    b.ChangeBrightness(0.5);   // 50 + 127.5 = 177.5: the even 178
    EXPECT_EQ(Grey(b, 1, 1), 178);
    TspEffectBmp d = Flat(2, 2, 100);
    d.ChangeDarkness(0.3);
    EXPECT_EQ(Grey(d, 0, 0), 70);
    TspEffectBmp inv(5, 3);
    for (int i = 0; i < 15; ++i) inv.SetPixel(i % 5, i / 5, i * 0x030507);
    TspEffectBmp orig(inv);
    inv.Invert();
    EXPECT_EQ(inv.GetPixel(4, 2), 0xFFFFFFu ^ orig.GetPixel(4, 2));
    inv.Invert();
    for (int i = 0; i < 15; ++i) EXPECT_EQ(inv.GetPixel(i % 5, i / 5), orig.GetPixel(i % 5, i / 5));
}

TEST(EffectBmp, MonoNoiseMovesAllThreeChannelsAlike)
{
    TspEffectBmp b = Flat(20, 20, 128);
    b.AddMonoNoise(50);
    bool changed = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            DWORD p = b.GetPixel(x, y);
            int v = p & 0xFF;
            ASSERT_EQ(p, DWORD(v | (v << 8) | (v << 16)));
            ASSERT_GE(v, 128 - 25);
            ASSERT_LE(v, 128 + 24);
            changed |= v != 128;
        }
    EXPECT_TRUE(changed);
    b.AddMonoNoise(0);   // no modulo by zero
}

TEST(EffectBmp, SplitBlurWorksInPlaceAndKeepsEdges)
{
    TspEffectBmp one = Flat(1, 1, 77);
    one.SplitBlur(1);
    EXPECT_EQ(Grey(one, 0, 0), 77);
    // Two rows of one column: the first row reads the second; the last row reads
    // the first as already blurred and itself in place of the row below.
    TspEffectBmp col(1, 2);
    col.SetPixel(0, 0, 0x646464);   // 100
    col.SetPixel(0, 1, 0x141414);   // 20
    col.SplitBlur(1);
    EXPECT_EQ(Grey(col, 0, 0), 60);
    EXPECT_EQ(Grey(col, 0, 1), 40);
    col.SplitBlur(-3);   // nothing
    EXPECT_EQ(Grey(col, 0, 1), 40);
}

TEST(EffectBmp, QuarterTurnsAndRefusedTargets)
{
    TspEffectBmp src(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) src.SetPixel(x, y, 10 * y + x + 1);
    TspEffectBmp ccw(2, 3), cw(2, 3), wrong(3, 3);
    src.Rotate90_1(&ccw);
    src.Rotate90_2(&cw);
    src.Rotate90_1(&wrong);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(ccw.GetPixel(y, 2 - x), DWORD(10 * y + x + 1));
            EXPECT_EQ(cw.GetPixel(1 - y, x), DWORD(10 * y + x + 1));
        }
    EXPECT_EQ(wrong.GetPixel(0, 0), 0u);
}

TEST(EffectBmp, CopyRectMosaicAndResize)
{
    TspEffectBmp src(4, 4), dst = Flat(4, 4, 0);
    for (int i = 0; i < 16; ++i) src.SetPixel(i % 4, i / 4, i + 1);
    dst.CopyRect(&src, TRect(1, 1, 2, 9), 0, 0);   // right and bottom inside; bottom limited to 3
    EXPECT_EQ(dst.GetPixel(0, 0), 0u);
    EXPECT_EQ(dst.GetPixel(1, 1), 1u);
    EXPECT_EQ(dst.GetPixel(2, 3), 10u);
    EXPECT_EQ(dst.GetPixel(3, 3), 0u);
    TspEffectBmp m(src);
    m.Mosaic(3);
    EXPECT_EQ(m.GetPixel(2, 2), 1u);
    EXPECT_EQ(m.GetPixel(3, 0), 4u);
    EXPECT_EQ(m.GetPixel(3, 3), 16u);
    TspEffectBmp small(2, 1), big(4, 1);
    small.SetPixel(0, 0, 5);
    small.SetPixel(1, 0, 9);
    small.Resize(&big);
    const DWORD expected[] = {5, 5, 9, 9};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(big.GetPixel(x, 0), expected[x]) << x;
}

TEST(EffectBmp, CopiesABitmapAndDrawsItBack)
{
    auto pic = NewPicture(5, 3, 0x0000FF);   // red
    Paint(pic.get(), TRect(2, 0, 5, 3), 0xFF0000);   // blue
    TspEffectBmp e(pic.get());
    ASSERT_EQ(e.Width(), 5);
    ASSERT_EQ(e.Height(), 3);
    EXPECT_EQ(e.GetPixel(0, 0), 0xFF0000u);   // red: blue byte low, red byte high
    EXPECT_EQ(e.GetPixel(4, 2), 0x0000FFu);
    TBitmap ddb(5, 3);
    ddb.GetCanvas()->Draw(0, 0, pic.get());
    TspEffectBmp fromDdb(&ddb);
    EXPECT_EQ(fromDdb.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(fromDdb.GetPixel(4, 2), 0x0000FFu);
    e.Invert();
    auto out = NewPicture(8, 5, 0x808080);
    e.Draw(out->GetCanvas()->GetHandle(), 1, 1);
    EXPECT_EQ(Probe(out.get(), 0, 0), 0x808080);
    EXPECT_EQ(Probe(out.get(), 1, 1), 0xFFFF00);   // inverted red is cyan
    EXPECT_EQ(Probe(out.get(), 5, 3), 0x00FFFF);   // inverted blue is yellow
    EXPECT_EQ(Probe(out.get(), 6, 4), 0x808080);
}

}  // namespace
