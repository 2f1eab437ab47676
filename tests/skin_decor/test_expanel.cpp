// The extended panel: rolling up and back both ways with its children hidden and
// restored, the held rolled dimension, the caption buttons under the mouse, and
// its looks on a fixture skin.
#include "test_gtest.h"
#include "DecorScene.h"
#include "SkinPanel.h"
#include "SkinExPanel.h"

using namespace Decor;

namespace {

struct PanelScene : Scene {
    TspSkinExPanel* P;
    TspSkinPanel* Shown;
    TspSkinPanel* Hidden;
    int Rolls = 0, Closes = 0;
    PanelScene() : Scene(400, 300, 200, 200)
    {
        P = Place<TspSkinExPanel>(10, 10, 150, 100);
        P->SetCaption("Panel");
        P->OnChangeRollState = [this](TObject*) { ++Rolls; };
        P->OnClose = [this](TObject*) { ++Closes; };
        Shown = Place<TspSkinPanel>(5, 30, 40, 20, P);
        Hidden = Place<TspSkinPanel>(50, 30, 40, 20, P);
        Hidden->SetVisible(false);
    }
    TPoint Centre(int I) const
    {
        const TRect r = P->Button(I).R;
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

TEST(ExPanel, RollsBothWaysAndRestoresItsSizeAndChildren)
{
    struct Case {
        TspExPanelRollKind Kind;
    } cases[] = {{rkRollVertical}, {rkRollHorizontal}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Kind);
        PanelScene s;
        s.P->SetRollKind(k.Kind);
        const bool vertical = k.Kind == rkRollVertical;
        s.P->SetRollState(true);
        EXPECT_EQ(vertical ? s.P->GetHeight() : s.P->GetWidth(), 21);
        EXPECT_EQ(vertical ? s.P->GetWidth() : s.P->GetHeight(), vertical ? 150 : 100);
        EXPECT_EQ(vertical ? s.P->GetRealHeight() : s.P->GetRealWidth(), vertical ? 100 : 150);
        EXPECT_FALSE(s.Shown->GetVisible());
        EXPECT_FALSE(s.Hidden->GetVisible());
        // The rolled dimension is held; the other one follows.
        s.P->SetBounds(10, 10, 200, 300);
        EXPECT_EQ(s.P->GetWidth(), vertical ? 200 : 21);
        EXPECT_EQ(s.P->GetHeight(), vertical ? 21 : 300);
        s.P->SetRollState(false);
        EXPECT_EQ(vertical ? s.P->GetHeight() : s.P->GetWidth(), vertical ? 100 : 150);
        EXPECT_EQ(s.P->GetRealHeight(), 0);
        EXPECT_EQ(s.P->GetRealWidth(), 0);
        EXPECT_TRUE(s.Shown->GetVisible());
        EXPECT_FALSE(s.Hidden->GetVisible());
        EXPECT_EQ(s.Rolls, 2);
    }
}

TEST(ExPanel, AChildFreedWhileRolledIsNotTouchedOnUnroll)
{
    PanelScene s;
    s.P->SetRollState(true);
    delete s.Shown;
    s.P->SetRollState(false);
    EXPECT_EQ(s.P->GetHeight(), 100);
    EXPECT_FALSE(s.Hidden->GetVisible());
}

TEST(ExPanel, RollButtonRollsOnlyWhenReleasedOverIt)
{
    PanelScene s;
    auto shot = Snapshot(s.Form.get());   // lays the buttons out
    const TPoint roll = s.Centre(1);
    ASSERT_FALSE(s.P->Button(1).R.IsEmpty());
    // Pressed, moved off and released: nothing happens and the button looks normal again.
    Press(s.P, roll.x, roll.y);
    EXPECT_TRUE(s.P->Button(1).Down);
    Move(s.P, 20, 60);
    Release(s.P, 20, 60);
    EXPECT_FALSE(s.P->GetRollState());
    EXPECT_FALSE(s.P->Button(1).Down);
    EXPECT_FALSE(s.P->Button(1).MouseIn);
    EXPECT_EQ(s.Rolls, 0);
    // Pressed and released on it: rolls, and again: unrolls.
    Click(s.P, roll.x, roll.y);
    EXPECT_TRUE(s.P->GetRollState());
    EXPECT_EQ(s.P->GetHeight(), 21);
    Snapshot(s.Form.get());
    Click(s.P, s.Centre(1).x, s.Centre(1).y);
    EXPECT_FALSE(s.P->GetRollState());
    EXPECT_EQ(s.P->GetHeight(), 100);
    EXPECT_EQ(s.Rolls, 2);
}

TEST(ExPanel, CloseButtonHidesThePanelOnce)
{
    PanelScene s;
    Snapshot(s.Form.get());
    const TPoint close = s.Centre(0);
    Click(s.P, close.x, close.y);
    EXPECT_FALSE(s.P->GetVisible());
    EXPECT_EQ(s.Closes, 1);
}

TEST(ExPanel, UnskinnedButtonPlacesAndCaptionRoom)
{
    struct Case {
        bool Close, Roll;
        int RollRight;   // -1: no roll button
        int Off;
    } cases[] = {{true, true, 150 - 2 - 15, 30}, {false, true, 150 - 2, 15}, {true, false, -1, 15}, {false, false, -1, 0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Close << k.Roll);
        PanelScene s;
        s.P->SetShowCloseButton(k.Close);
        s.P->SetShowRollButton(k.Roll);
        EXPECT_EQ(s.P->LayoutButtons(), k.Off);
        if (k.RollRight >= 0) {
            EXPECT_EQ(s.P->Button(1).R.right, k.RollRight);
            EXPECT_EQ(s.P->Button(1).R.Width(), 15);
        } else {
            EXPECT_TRUE(s.P->Button(1).R.IsEmpty());
        }
    }
    // Too low a caption bar for buttons: none is drawn.
    PanelScene s;
    s.P->SetDefaultCaptionHeight(6);
    EXPECT_EQ(s.P->LayoutButtons(), 0);
    EXPECT_TRUE(s.P->Button(0).R.IsEmpty());
}

// The fixture element: 100 x 60 at (0, 0) in cBody with a caption band (0..20) in
// cBand; the vertically rolled bar (0, 60, 100, 80) in cBar; the horizontal strip
// (100, 100, 120, 200) in cStrip; buttons 12 x 12: close (100, 0), roll (100, 12),
// restore (100, 24), close active (112, 0).
const TColor cBody = 0x404040, cBand = 0x808080, cBar = 0x00A0A0, cStrip = 0xA000A0;
const TColor cClose = 0x0000E0, cCloseActive = 0x00E000, cRoll = 0xE00000, cRestore = 0xE0E000;

void AddExPanel(Scene& S)
{
    TBitmap* pic = S.Picture();
    Paint(pic, TRect(0, 0, 100, 60), cBody);
    Paint(pic, TRect(0, 0, 100, 20), cBand);
    Paint(pic, TRect(0, 60, 100, 80), cBar);
    Paint(pic, TRect(100, 100, 120, 200), cStrip);
    Paint(pic, Bounds(100, 0, 12, 12), cClose);
    Paint(pic, Bounds(112, 0, 12, 12), cCloseActive);
    Paint(pic, Bounds(100, 12, 12, 12), cRoll);
    Paint(pic, Bounds(100, 24, 12, 12), cRestore);
    auto r = std::make_unique<TspDataSkinExPanelControl>("expanel");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 100, 60);
    r->LeftTopPoint = TPoint(10, 20);
    r->RightTopPoint = TPoint(90, 20);
    r->LeftBottomPoint = TPoint(10, 50);
    r->RightBottomPoint = TPoint(90, 50);
    r->ClientRect = TRect(10, 20, 90, 50);
    r->CaptionRect = TRect(4, 2, 98, 18);
    r->RollVSkinRect = TRect(0, 60, 100, 80);
    r->RollLeftOffset = 10;
    r->RollRightOffset = 10;
    r->RollVCaptionRect = TRect(4, 2, 98, 18);
    r->RollHSkinRect = TRect(100, 100, 120, 200);
    r->RollTopOffset = 10;
    r->RollBottomOffset = 10;
    r->RollHCaptionRect = TRect(2, 4, 18, 96);
    r->CloseButtonRect = Bounds(100, 0, 12, 12);
    r->CloseButtonActiveRect = Bounds(112, 0, 12, 12);
    r->VRollButtonRect = r->HRollButtonRect = Bounds(100, 12, 12, 12);
    r->VRestoreButtonRect = r->HRestoreButtonRect = Bounds(100, 24, 12, 12);
    S.Add(std::move(r));
}

TEST(ExPanel, SkinnedLooksRolledAndNot)
{
    PanelScene s;
    AddExPanel(s);
    s.P->SetSkinData(s.Skin.get());
    ASSERT_TRUE(s.P->Skinned());
    auto shot = Snapshot(s.P);
    // Close right-aligned in the caption (right edge at 98 + 150 - 100), roll 2 pixels before it.
    EXPECT_EQ(s.P->Button(0).R, Bounds(136, 2, 12, 12));
    EXPECT_EQ(s.P->Button(1).R, Bounds(122, 2, 12, 12));
    EXPECT_EQ(Probe(shot.get(), 142, 8), cClose);
    EXPECT_EQ(Probe(shot.get(), 128, 8), cRoll);
    EXPECT_EQ(Probe(shot.get(), 75, 70), cBody);
    // Hovered, the close button shows its active look.
    Move(s.P, 142, 8);
    shot = Snapshot(s.P);
    EXPECT_EQ(Probe(shot.get(), 142, 8), cCloseActive);
    Move(s.P, 60, 60);

    s.P->SetRollState(true);
    EXPECT_EQ(s.P->GetHeight(), 20);
    shot = Snapshot(s.P);
    EXPECT_EQ(Probe(shot.get(), 75, 19), cBar);
    EXPECT_EQ(Probe(shot.get(), 128, 8), cRestore);
    s.P->SetRollState(false);
    EXPECT_EQ(s.P->GetHeight(), 100);

    s.P->SetRollKind(rkRollHorizontal);
    s.P->SetRollState(true);
    EXPECT_EQ(s.P->GetWidth(), 20);
    shot = Snapshot(s.P);
    EXPECT_EQ(Probe(shot.get(), 10, 95), cStrip);
    EXPECT_EQ(s.P->Button(0).R, Bounds(2, 4, 12, 12));
    EXPECT_EQ(s.P->Button(1).R, Bounds(2, 18, 12, 12));
    EXPECT_EQ(Probe(shot.get(), 8, 24), cRestore);
}

}  // namespace

namespace {

int Dark(TBitmap* B, const TRect& R)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(B, x, y) == 0) ++n;
    return n;
}

TEST(ExPanel, SidewaysCaptionReadsUpwardsBelowTheButtons)
{
    PanelScene s;
    s.P->SetCaption("IIIIIIIIII");
    s.P->SetRollKind(rkRollHorizontal);
    s.P->SetRollState(true);
    auto shot = Snapshot(s.P);
    const int below = s.P->Button(1).R.bottom + 2;
    EXPECT_EQ(s.P->Button(1).R.bottom, 3 + 15 + 15);
    // Upright "I"s turned on their side: a column of strokes, tall and narrow.
    EXPECT_GT(Dark(shot.get(), TRect(2, below, 19, 98)), 20);
    int top = 100, bottom = 0, left = 21, right = 0;
    for (int y = below; y < 100; ++y)
        for (int x = 0; x < 21; ++x)
            if (Probe(shot.get(), x, y) == 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(bottom - top, 3 * (right - left));
    EXPECT_GE(bottom, 90);                          // starts at the bottom
    EXPECT_LE(std::abs((left + right) / 2 - 10), 3);   // centred across the strip
}

}  // namespace

namespace {

TEST(ExPanel, ASizeReadBeforeRollStateIsTheOneToUnrollTo)
{
    PanelScene s;
    s.P->SetBounds(10, 10, 150, 21);   // stored rolled
    s.P->SetRealHeight(80);
    s.P->SetRollState(true);
    EXPECT_EQ(s.P->GetHeight(), 21);
    EXPECT_EQ(s.P->GetRealHeight(), 80);
    s.P->SetRollState(false);
    EXPECT_EQ(s.P->GetHeight(), 80);
    EXPECT_EQ(s.P->GetRealHeight(), 0);
}

}  // namespace
