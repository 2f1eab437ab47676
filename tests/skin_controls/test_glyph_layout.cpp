#include "test_gtest.h"
#include "ControlFixture.h"
#include "GlyphLayout.h"

using namespace CtlFixture;

namespace {

TEST(GlyphLayout, PositionsForEveryLayoutCentredAndWithMargin)
{
    const TRect r(0, 0, 100, 40);   // centre (50, 20)
    struct Case {
        int Layout, Margin;
        int TX, TY, GX, GY;
    } cases[] = {
        // glyph 16 x 16, caption 30 x 10, spacing 4: half width 25, half height 15
        {blGlyphLeft, -1, 45, 15, 25, 12},
        {blGlyphRight, -1, 25, 15, 59, 12},
        {blGlyphTop, -1, 35, 25, 42, 5},
        {blGlyphBottom, -1, 35, 5, 42, 19},
        {blGlyphLeft, 3, 23, 15, 3, 12},
        {blGlyphRight, 0, 50, 15, 84, 12},
        {blGlyphTop, 2, 35, 22, 42, 2},
        {blGlyphBottom, 2, 35, 8, 42, 22},
    };
    for (const auto& c : cases) {
        int tx = -1, ty = -1, gx = -1, gy = -1;
        Skinctrls::CalcGlyphTextLayout(c.Layout, r, 16, 16, 30, 10, 4, c.Margin, tx, ty, gx, gy);
        EXPECT_EQ(tx, c.TX) << c.Layout << " " << c.Margin;
        EXPECT_EQ(ty, c.TY) << c.Layout << " " << c.Margin;
        EXPECT_EQ(gx, c.GX) << c.Layout << " " << c.Margin;
        EXPECT_EQ(gy, c.GY) << c.Layout << " " << c.Margin;
    }
    int tx = 7, ty = 7, gx = 7, gy = 7;
    Skinctrls::CalcGlyphTextLayout(9, r, 16, 16, 30, 10, 4, -1, tx, ty, gx, gy);
    EXPECT_EQ(tx + ty + gx + gy, 28);   // an unknown layout leaves the outputs
}

TEST(GlyphLayout, SpacingShiftsACaptionWithoutGlyph)
{
    const TRect r(0, 0, 100, 20);
    for (int s : {1, 4}) {
        int tx = 0, ty = 0, gx = 0, gy = 0;
        Skinctrls::CalcGlyphTextLayout(blGlyphLeft, r, 0, 0, 30, 10, s, -1, tx, ty, gx, gy);
        EXPECT_EQ(tx, 50 - 15 + s / 2) << s;
    }
}

TEST(GlyphLayout, CellsAndPressedOffsetAreDrawnWhereLaidOut)
{
    // 4 cells of 16 x 16 in a 64 x 16 strip; the bottom-left pixel colour is transparent.
    TBitmap glyph(64, 16, pf24bit);
    const TColor cells[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00};
    for (int i = 0; i < 4; ++i) Paint(&glyph, TRect(i * 16, 0, i * 16 + 16, 16), cells[i]);
    Paint(&glyph, TRect(0, 15, 64, 16), 0x010101);
    for (bool down : {false, true}) {
        auto target = NewPicture(40, 40, 0x777777);
        Skinctrls::DrawGlyphAndText(target->GetCanvas(), TRect(0, 0, 40, 40), 0, 0, blGlyphLeft, "", &glyph, 4, 3,
                                    down);
        // Margin 0 at the left, centred vertically: the cell starts at (0, 12).
        const int o = down ? 1 : 0;
        EXPECT_EQ(Probe(target.get(), 0 + o, 12 + o), cells[2]) << down;
        EXPECT_EQ(Probe(target.get(), 15 + o, 26 + o), cells[2]) << down;
        EXPECT_EQ(Probe(target.get(), 17 + o, 12 + o), 0x777777) << down;
        EXPECT_EQ(Probe(target.get(), 5 + o, 27 + o), 0x777777) << down;   // transparent bottom row
    }
    // Cell numbers out of range are brought into it; no division by zero cells.
    auto target = NewPicture(40, 40, 0x777777);
    Skinctrls::DrawGlyphAndText(target->GetCanvas(), TRect(0, 0, 40, 40), 0, 0, blGlyphLeft, "", &glyph, 0, 9, false);
    Skinctrls::DrawImageAndText(target->GetCanvas(), TRect(0, 0, 40, 40), 0, 0, blGlyphLeft, "x", -1, nullptr, false,
                                true);
}

}  // namespace
