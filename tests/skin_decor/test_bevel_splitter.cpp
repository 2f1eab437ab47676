// The bevel's line colours from the skin and its divider mode; the splitter's
// thickness and three-part bar from the skin, and dragging it resizes its neighbour.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinPanel.h"
#include "SkinBevel.h"
#include "SkinSplitter.h"

using namespace Decor;

namespace {

const TColor cLight = 0x00F000, cDark = 0x0000F0;

TEST(Bevel, ColoursFromTheSkinOrTheSystemAndStyleSwapsThem)
{
    struct Case {
        bool Skinned;
        bool WithRecord;
        TBevelStyle Style;
        TColor Left, Right;   // colour 1 on the left edge, colour 2 on the right
    } cases[] = {
        {false, false, bsLowered, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT)},
        {true, false, bsLowered, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT)},   // no "bevel" element
        {true, true, bsLowered, cDark, cLight},
        {true, true, bsRaised, cLight, cDark},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Skinned << k.WithRecord << k.Style);
        Scene s;
        if (k.WithRecord) {
            auto r = std::make_unique<TspDataSkinBevel>("bevel");
            r->LightColor = cLight;
            r->DarkColor = cDark;
            s.Add(std::move(r));
        }
        auto* b = s.Place<TspSkinBevel>(10, 10, 60, 40);
        b->SetStyle(k.Style);
        if (k.Skinned) b->SetSkinData(s.Skin.get());
        EXPECT_EQ(b->GetSkinIndex() != -1, k.WithRecord);
        auto shot = Snapshot(s.Form.get());
        EXPECT_EQ(Probe(shot.get(), 10, 30), k.Left);
        EXPECT_EQ(Probe(shot.get(), 10 + 59, 30), k.Right);
        EXPECT_EQ(Probe(shot.get(), 40, 10), k.Left);     // top edge
        EXPECT_EQ(Probe(shot.get(), 40, 10 + 39), k.Right);
        EXPECT_EQ(Probe(shot.get(), 40, 30), 0xFFFFFF);  // a box is not filled
    }
}

TEST(Bevel, DividerIsTwoPixelsThickInsetByTwo)
{
    struct Case {
        TBevelShape Shape;
        bool Horizontal;
    } cases[] = {{bsTopLine, true}, {bsBottomLine, true}, {bsBox, false}, {bsLeftLine, false}, {bsFrame, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Shape);
        Scene s;
        auto r = std::make_unique<TspDataSkinBevel>("bevel");
        r->LightColor = cLight;
        r->DarkColor = cDark;
        s.Add(std::move(r));
        auto* b = s.Place<TspSkinBevel>(0, 0, 80, 40);
        b->SetShape(k.Shape);
        b->SetSkinData(s.Skin.get());
        b->SetDividerMode(true);
        auto shot = Snapshot(s.Form.get());
        if (k.Horizontal) {
            EXPECT_EQ(Probe(shot.get(), 40, 19), cDark);
            EXPECT_EQ(Probe(shot.get(), 40, 20), cLight);
            EXPECT_EQ(Probe(shot.get(), 40, 18), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 40, 21), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 1, 19), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 78, 20), cLight);   // the last pixel of the inset divider
            EXPECT_EQ(Probe(shot.get(), 79, 20), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 40, 0), 0xFFFFFF);   // no top line in divider mode
        } else {
            EXPECT_EQ(Probe(shot.get(), 39, 20), cDark);
            EXPECT_EQ(Probe(shot.get(), 40, 20), cLight);
            EXPECT_EQ(Probe(shot.get(), 38, 20), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 41, 20), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 39, 1), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 40, 38), cLight);
            EXPECT_EQ(Probe(shot.get(), 40, 39), 0xFFFFFF);
            EXPECT_EQ(Probe(shot.get(), 0, 20), 0xFFFFFF);
        }
    }
}

TEST(Bevel, SkinGoneGivesTheSystemColoursBack)
{
    Scene s;
    auto r = std::make_unique<TspDataSkinBevel>("bevel");
    r->LightColor = cLight;
    r->DarkColor = cDark;
    s.Add(std::move(r));
    auto* b = s.Place<TspSkinBevel>(0, 0, 60, 40);
    b->SetSkinData(s.Skin.get());
    EXPECT_EQ(b->DarkColor(), cDark);
    s.Skin.reset();
    EXPECT_EQ(b->GetSkinDataComponent(), nullptr);
    EXPECT_EQ(b->DarkColor(), clBtnShadow);
    b->ChangeSkinData();
    EXPECT_EQ(b->GetSkinIndex(), -1);
}

// A splitter element 40 x 6 at (0, 0): left end 10 pixels, middle 20, right end 10.
const TColor cLeftEnd = 0x0000C0, cMiddle = 0x00C000, cRightEnd = 0xC00000;

TspDataSkinSplitterControl* AddSplitter(Scene& S, const TRect& R)
{
    auto r = std::make_unique<TspDataSkinSplitterControl>("vsplitter");
    r->PictureIndex = 0;
    r->SkinRect = R;
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(30, 0);
    r->LeftBottomPoint = TPoint(0, 10);
    Paint(S.Picture(), R, cMiddle);
    return S.Add(std::move(r));
}

TEST(Splitter, ThicknessFollowsTheSkinOrDefaultSize)
{
    struct Case {
        TAlign Align;
        bool Skinned;
        int Expected;
    } cases[] = {{alLeft, true, 6}, {alLeft, false, 10}, {alTop, true, 8}, {alBottom, false, 10}, {alRight, true, 6}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Align << " " << k.Skinned);
        Scene s;
        AddSplitter(s, TRect(0, 0, 6, 8));
        auto* sp = s.Place<TspSkinSplitter>(0, 0, 3, 3);
        sp->SetAlign(k.Align);
        sp->SetSkinData(k.Skinned ? s.Skin.get() : nullptr);
        const int got = (k.Align == alTop || k.Align == alBottom) ? sp->GetHeight() : sp->GetWidth();
        EXPECT_EQ(got, k.Expected);
        EXPECT_EQ(sp->MinSize, k.Expected);
    }
}

TEST(Splitter, TopBarKeepsItsEndsAndTilesTheMiddle)
{
    Scene s;
    AddSplitter(s, TRect(0, 0, 40, 6));
    Paint(s.Picture(), TRect(0, 0, 10, 6), cLeftEnd);
    Paint(s.Picture(), TRect(30, 0, 40, 6), cRightEnd);
    auto* sp = s.Place<TspSkinSplitter>(0, 0, 300, 3);
    sp->SetAlign(alTop);
    sp->SetSkinData(s.Skin.get());
    ASSERT_EQ(sp->GetWidth(), 300);
    ASSERT_EQ(sp->GetHeight(), 6);
    auto shot = Snapshot(s.Form.get());
    for (int x : {0, 5, 9}) EXPECT_EQ(Probe(shot.get(), x, 3), cLeftEnd) << x;
    for (int x : {10, 150, 289}) EXPECT_EQ(Probe(shot.get(), x, 3), cMiddle) << x;
    for (int x : {290, 295, 299}) EXPECT_EQ(Probe(shot.get(), x, 3), cRightEnd) << x;
}

TEST(Splitter, DraggingResizesTheNeighbourItIsAlignedAgainst)
{
    struct Case {
        TAlign Align;
        int Drag;       // along the splitter's axis
        int Expected;   // the neighbour's new size
    } cases[] = {
        {alLeft, 40, 140}, {alLeft, -30, 70}, {alLeft, -95, 6},   // held at MinSize (the skin's thickness)
        {alTop, 25, 85},   {alRight, -20, 120}, {alBottom, 15, 45},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Align << " by " << k.Drag);
        Scene s(400, 300);
        AddSplitter(s, TRect(0, 0, 6, 6));
        const bool across = k.Align == alLeft || k.Align == alRight;
        auto* neighbour = s.Place<TspSkinPanel>(0, 0, 100, 60);
        neighbour->SetAlign(k.Align);
        auto* rest = s.Place<TspSkinPanel>(0, 0, 50, 50);
        rest->SetAlign(alClient);
        auto* sp = new TspSkinSplitter(s.Form.get());
        sp->SetAlign(k.Align);
        // Placed beyond the neighbour so that alignment puts it right next to it.
        if (k.Align == alLeft) sp->SetLeft(200);
        if (k.Align == alTop) sp->SetTop(200);
        sp->SetParent(s.Form.get());
        sp->SetSkinData(s.Skin.get());
        const int before = across ? rest->GetWidth() : rest->GetHeight();
        const int start = across ? neighbour->GetWidth() : neighbour->GetHeight();
        Press(sp, 2, 2);
        if (across)
            Move(sp, 2 + k.Drag, 2);
        else
            Move(sp, 2, 2 + k.Drag);
        Release(sp, 2, 2);
        const int now = across ? neighbour->GetWidth() : neighbour->GetHeight();
        EXPECT_EQ(now, k.Expected);
        // The client-aligned control gives up (or takes) exactly what the neighbour took.
        EXPECT_EQ((across ? rest->GetWidth() : rest->GetHeight()), before - (now - start));
    }
}

}  // namespace
