#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinTrackBar.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinTrackBar* T;
    int Changes = 0;
    explicit Scene(bool Show = false)
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        T = new TspSkinTrackBar(Form.get());
        T->SetParent(Form.get());
        T->OnChange = [this](TObject*) { ++Changes; };
        if (Show) Form->Show();
        T->HandleNeeded();
    }
    void Press(int X, int Y) { T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Move(int X, int Y) { T->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
    void Release(int X, int Y) { T->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
};

// A horizontal track-bar element on the normal look; the thumb is a 10 x 20 piece
// of the down look, its active look a piece of the disabled look.
TspDataSkinTrackBarControl* AddTrackBar(TspSkinData* D)
{
    auto r = std::make_unique<TspDataSkinTrackBarControl>("htrackbar");
    r->PictureIndex = 0;
    r->SkinRect = LookRect(0);
    r->LeftTopPoint = TPoint(10, 0);
    r->RightTopPoint = TPoint(50, 0);
    r->ClientRect = TRect(10, 0, 50, 20);
    r->TrackArea = TRect(10, 0, 50, 20);
    r->ButtonRect = TRect(20, 40, 30, 60);
    r->ActiveButtonRect = TRect(20, 60, 30, 80);
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

struct ThumbCase {
    int W, H;
    bool Vertical;
    int Min, Max, Value;
    TRect Expect;
};

TEST(SkinTrackBar, ThumbByValuePlain)
{
    // Plain 100 x 20: area 2..98, thumb 8 x 16, travel of its centre 6..94.
    const ThumbCase cases[] = {
        {100, 20, false, 0, 100, 50, TRect(46, 2, 54, 18)},
        {100, 20, false, 0, 100, 0, TRect(2, 2, 10, 18)},
        {100, 20, false, 0, 100, 100, TRect(90, 2, 98, 18)},
        {100, 20, false, 10, 10, 10, TRect(2, 2, 10, 18)},   // one value: at the start
        {100, 20, false, 0, 16, 1, TRect(8, 2, 16, 18)},      // 5.5 rounds to 6
        {20, 100, true, 0, 100, 0, TRect(2, 90, 18, 98)},     // minimum at the bottom
        {20, 100, true, 0, 100, 100, TRect(2, 2, 18, 10)},
        {20, 100, true, 3, 3, 3, TRect(2, 90, 18, 98)},
    };
    for (const auto& c : cases) {
        Scene s;
        s.T->SetVertical(c.Vertical);
        s.T->SetBounds(0, 0, c.W, c.H);
        s.T->SetMaxValue(c.Max);
        s.T->SetMinValue(c.Min);
        s.T->SetValue(c.Value);
        EXPECT_EQ(s.T->ThumbRect(), c.Expect) << c.Min << ".." << c.Max << " = " << c.Value;
    }
}

struct ValueCase {
    int Min, Max, Offset, Expect;
};

TEST(SkinTrackBar, ValueByOffset)
{
    // Travel 88 pixels (plain 100 x 20).
    const ValueCase cases[] = {
        {0, 100, 44, 50}, {0, 100, 0, 0}, {0, 100, 88, 100}, {0, 100, -20, 0}, {0, 100, 500, 100},
        {0, 100, 66, 75}, {-10, 10, 22, -5}, {5, 5, 40, 5},
    };
    for (const auto& c : cases) {
        Scene s;
        s.T->SetMaxValue(c.Max);
        s.T->SetMinValue(c.Min);
        s.T->ThumbRect();
        EXPECT_EQ(s.T->CalcValue(c.Offset), c.Expect) << c.Offset;
    }
}

TEST(SkinTrackBar, ATrackWithoutTravelNeverDivides)
{
    Scene s;
    s.T->SetBounds(0, 0, 8, 20);   // the thumb fills the whole track
    s.T->ThumbRect();
    EXPECT_EQ(s.T->CalcValue(5), 0);
    s.Press(4, 10);
    s.Move(40, 10);
    EXPECT_EQ(s.T->GetValue(), 0);
    s.Release(40, 10);
}

TEST(SkinTrackBar, SetValueClampsAndSignalsOnce)
{
    Scene s;
    s.T->SetValue(150);
    EXPECT_EQ(s.T->GetValue(), 100);
    EXPECT_EQ(s.Changes, 1);
    s.T->SetValue(100);
    EXPECT_EQ(s.Changes, 1);
    s.T->SetMaxValue(60);   // raised into the range without an event
    EXPECT_EQ(s.T->GetValue(), 60);
    EXPECT_EQ(s.Changes, 1);
}

TEST(SkinTrackBar, DragFollowsItsOwnGrabPoint)
{
    // Wherever on the thumb the drag starts, the thumb moves with the mouse.
    for (int grab : {47, 50, 53}) {
        Scene s;
        s.Press(grab, 10);
        EXPECT_TRUE(s.T->Dragging());
        s.Move(grab + 22, 10);
        EXPECT_EQ(s.T->GetValue(), 75) << grab;
        s.Move(grab + 500, 10);   // past the end
        EXPECT_EQ(s.T->GetValue(), 100) << grab;
        s.Move(grab - 500, 10);
        EXPECT_EQ(s.T->GetValue(), 0) << grab;
        s.Release(grab - 500, 10);
        EXPECT_FALSE(s.T->Dragging());
    }
}

TEST(SkinTrackBar, VerticalDragRaisesTheValueUpwards)
{
    Scene s;
    s.T->SetVertical(true);
    s.T->SetBounds(0, 0, 20, 100);
    const TRect th = s.T->ThumbRect();   // value 50
    s.Press(10, th.top + 2);
    s.Move(10, th.top + 2 - 22);
    EXPECT_EQ(s.T->GetValue(), 75);
    s.Release(10, th.top + 2 - 22);
}

TEST(SkinTrackBar, ClicksBesideTheThumb)
{
    struct C {
        bool Jump, Mouse;
        int Expect;
    };
    for (const C c : {C{false, true, 50}, C{true, true, 84}, C{true, false, 50}}) {
        Scene s;
        s.T->JumpWhenClick = c.Jump;
        s.T->MouseSupport = c.Mouse;
        s.Press(80, 10);
        s.Release(80, 10);
        EXPECT_EQ(s.T->GetValue(), c.Expect) << c.Jump << c.Mouse;
        if (c.Expect == 84) {   // the thumb's centre lands on the click
            const TRect th = s.T->ThumbRect();
            EXPECT_EQ((th.left + th.right) / 2, 80);
        }
    }
    Scene s;   // without mouse support the thumb does not move
    s.T->MouseSupport = false;
    s.Press(50, 10);
    s.Move(90, 10);
    s.Release(90, 10);
    EXPECT_EQ(s.T->GetValue(), 50);
}

TEST(SkinTrackBar, KeysAndWheelOnlyWhenFocusable)
{
    Scene s(true);
    s.T->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(s.T->Perform(CM_WANTSPECIALKEY, VK_RIGHT, 0), 0);
    EXPECT_EQ(s.T->GetValue(), 50);
    s.T->SetCanFocused(true);
    EXPECT_TRUE(s.T->GetTabStop());
    EXPECT_EQ(s.T->Perform(CM_WANTSPECIALKEY, VK_UP, 0), 1);
    s.T->SetFocus();
    ASSERT_TRUE(s.T->IsFocused());
    const struct {
        WORD Key;
        int Expect;
    } keys[] = {{VK_LEFT, 49}, {VK_DOWN, 48}, {VK_UP, 49}, {VK_RIGHT, 50}};
    for (const auto& k : keys) {
        s.T->Perform(WM_KEYDOWN, k.Key, 0);
        EXPECT_EQ(s.T->GetValue(), k.Expect) << k.Key;
    }
    s.T->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);   // horizontal: away lowers
    EXPECT_EQ(s.T->GetValue(), 49);
    s.T->SetVertical(true);
    s.T->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);   // vertical: away raises
    EXPECT_EQ(s.T->GetValue(), 50);
}

TEST(SkinTrackBar, PlainLookByState)
{
    Scene s;
    auto shot = Snapshot(s.T);
    EXPECT_EQ(Probe(shot.get(), 46, 10), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));   // thumb frame
    EXPECT_EQ(Probe(shot.get(), 50, 5), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Probe(shot.get(), 20, 9), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));    // groove top
    s.Press(50, 10);
    shot = Snapshot(s.T);
    EXPECT_EQ(Probe(shot.get(), 50, 5), static_cast<TColor>(RGB(133, 147, 181)));
    EXPECT_EQ(Probe(shot.get(), 46, 10), static_cast<TColor>(clNavy));
    SaveArtefact(shot.get(), "trackbar-dragged");
    s.Release(50, 10);
}

TEST(SkinTrackBar, SkinnedThumbOnTheStretchedTrack)
{
    Scene s;
    auto skin = NewSkin();
    AddTrackBar(skin.get());
    s.T->SetSkinData(skin.get());
    ASSERT_TRUE(s.T->Skinned());
    s.T->SetBounds(0, 0, 160, 20);
    EXPECT_EQ(s.T->TrackArea(), TRect(10, 0, 150, 20));
    s.T->SetValue(0);
    EXPECT_EQ(s.T->ThumbRect(), TRect(10, 0, 20, 20));
    s.T->SetValue(100);
    EXPECT_EQ(s.T->ThumbRect(), TRect(140, 0, 150, 20));
    auto shot = Snapshot(s.T);
    EXPECT_EQ(Probe(shot.get(), 145, 10), cDown);
    EXPECT_EQ(Probe(shot.get(), 80, 10), cNormal);
    s.Press(145, 10);   // dragging shows the active thumb
    shot = Snapshot(s.T);
    EXPECT_EQ(Probe(shot.get(), 145, 10), cDisabled);
    s.Move(80, 10);   // travel 15..145: 65 of 130
    EXPECT_EQ(s.T->GetValue(), 50);
    s.Release(80, 10);
    shot = Snapshot(s.T);
    EXPECT_EQ(Probe(shot.get(), 80, 10), cDown);
    s.T->SetSkinData(nullptr);
}

}  // namespace
