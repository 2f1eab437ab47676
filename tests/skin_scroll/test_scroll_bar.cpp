#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinScrollBar.h"

using namespace CtlFixture;

namespace {

struct Scene {
    std::unique_ptr<TForm> Form;
    TspSkinScrollBar* S = nullptr;
    int Changes = 0, LastChanges = 0, PageUps = 0, PageDowns = 0;
    explicit Scene(bool Show = false)
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 260, 260);
        S = new TspSkinScrollBar(Form.get());
        S->SetParent(Form.get());
        S->SetBounds(0, 0, 200, 19);
        S->OnChange = [this](TObject*) { ++Changes; };
        S->OnLastChange = [this](TObject*) { ++LastChanges; };
        S->OnPageUp = [this](TObject*) { ++PageUps; };
        S->OnPageDown = [this](TObject*) { ++PageDowns; };
        if (Show) Form->Show();
        S->HandleNeeded();   // the repeat runs on the bar's own window timer
    }
    void Press(int X, int Y) { S->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Move(int X, int Y) { S->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(X, Y)); }
    void Release(int X, int Y) { S->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    void Tick() { S->Perform(WM_TIMER, 1, 0); }
};

// ---- values

struct RangeCase {
    const char* What;
    int Min, Max, Pos, Page;   // SetRange
    int Ask;                   // then SetPosition
    int Expect;
};

TEST(SkinScrollBar, PositionIsClampedToTheLastPage)
{
    const RangeCase cases[] = {
        {"inside", 0, 99, 50, 10, 50, 50},
        {"past the last page", 0, 99, 50, 10, 95, 90},
        {"below min", 0, 99, 50, 10, -5, 0},
        {"no page: up to max", 0, 99, 50, 0, 150, 99},
        {"min not zero, last page", 100, 199, 150, 10, 195, 190},
        {"min not zero, below", 100, 199, 150, 10, 20, 100},
        {"negative range", -50, -1, -20, 5, 0, -5},
        {"page larger than the range", 0, 9, 0, 20, 5, 0},
    };
    for (const auto& c : cases) {
        Scene s;
        s.S->SetRange(c.Min, c.Max, c.Pos, c.Page);
        s.S->SetPosition(c.Ask);
        EXPECT_EQ(s.S->GetPosition(), c.Expect) << c.What;
    }
}

TEST(SkinScrollBar, SetRangeClampsTheGivenPositionAndRaisesNoEvent)
{
    Scene s;
    s.S->SetRange(10, 59, 100, 10);
    EXPECT_EQ(s.S->GetPosition(), 50);
    EXPECT_EQ(s.Changes, 0);
    s.S->SimplySetPosition(20);
    EXPECT_EQ(s.S->GetPosition(), 20);
    EXPECT_EQ(s.Changes, 0);
    s.S->SetPosition(21);
    EXPECT_EQ(s.Changes, 1);
    s.S->SetPosition(21);   // no change, no event
    EXPECT_EQ(s.Changes, 1);
}

struct MaxCase {
    const char* What;
    int Min, Max, Pos, Page, NewMax, Expect;
};

TEST(SkinScrollBar, SetMaxKeepsThePositionOnTheLastPageForAnyMin)
{
    const MaxCase cases[] = {
        {"zero min, shrink", 0, 99, 90, 10, 49, 40},
        {"zero min, grow", 0, 99, 90, 10, 199, 90},
        // Position 140 with Min 100: the last page of 100..149 starts at 140, and it stays.
        {"min 100, still fits", 100, 199, 140, 10, 149, 140},
        {"min 100, shrink", 100, 199, 180, 10, 149, 140},
        {"min 100, below min", 100, 199, 150, 10, 105, 100},
        {"no page", 0, 99, 80, 0, 50, 50},
    };
    for (const auto& c : cases) {
        Scene s;
        s.S->SetRange(c.Min, c.Max, c.Pos, c.Page);
        s.S->SetMax(c.NewMax);
        EXPECT_EQ(s.S->GetPosition(), c.Expect) << c.What;
        EXPECT_EQ(s.Changes, 0) << c.What;
    }
}

struct PageCase {
    const char* What;
    int Min, Max, Pos, NewPage, Expect;
};

TEST(SkinScrollBar, SetPageSizeAcceptsOnlyAPageThatFits)
{
    const PageCase cases[] = {
        {"fits", 0, 99, 50, 50, 50},
        {"too large", 0, 99, 50, 51, 0},
        // Position relative to Min: 150 is 50 into 100..199.
        {"min 100, fits", 100, 199, 150, 50, 50},
        {"min 100, too large", 100, 199, 150, 51, 0},
        {"negative", 0, 99, 0, -3, 0},
    };
    for (const auto& c : cases) {
        Scene s;
        s.S->SetRange(c.Min, c.Max, c.Pos, 0);
        s.S->SetPageSize(c.NewPage);
        EXPECT_EQ(s.S->GetPageSize(), c.Expect) << c.What;
    }
}

TEST(SkinScrollBar, SetMinRaisesThePosition)
{
    Scene s;
    s.S->SetRange(0, 99, 5, 0);
    s.S->SetMin(10);
    EXPECT_EQ(s.S->GetPosition(), 10);
    EXPECT_EQ(s.Changes, 0);
}

// ---- layout

TEST(SkinScrollBar, DefaultHorizontalLayoutWithAPage)
{
    Scene s;
    EXPECT_EQ(s.S->GetWidth(), 200);
    EXPECT_EQ(s.S->GetHeight(), 19);
    s.S->SetRange(0, 99, 0, 10);
    s.S->CalcRects();
    EXPECT_EQ(s.S->TrackRect(), TRect(17, 1, 183, 18));
    EXPECT_EQ(s.S->ButtonRect(2), TRect(1, 1, 17, 18));
    EXPECT_EQ(s.S->ButtonRect(1), TRect(183, 1, 199, 18));
    // 17 long: 166 * 10 / 100 rounded
    EXPECT_EQ(s.S->ButtonRect(0).left, 17);
    EXPECT_EQ(s.S->ButtonRect(0).right, 33);
    s.S->SetPosition(90);
    s.S->CalcRects();
    EXPECT_EQ(s.S->ButtonRect(0).right, 183);   // touches the track end
}

TEST(SkinScrollBar, ThumbFollowsThePositionForAnyMin)
{
    Scene a, b;
    a.S->SetRange(0, 100, 50, 0);
    b.S->SetRange(1000, 1100, 1050, 0);
    a.S->CalcRects();
    b.S->CalcRects();
    EXPECT_EQ(a.S->ButtonRect(0), b.S->ButtonRect(0));
    // 16 long, centre halfway between 25 and 175
    EXPECT_EQ(a.S->ButtonRect(0), TRect(92, 1, 108, 18));
}

TEST(SkinScrollBar, BothLeavesTheCornerFree)
{
    Scene s;
    s.S->SetBothMarkerWidth(19);
    s.S->SetBoth(true);
    s.S->CalcRects();
    EXPECT_EQ(s.S->ButtonRect(1).right, 180);
    EXPECT_EQ(s.S->GetSkinDataName(), "bothhscrollbar");
    s.S->SetBothMarkerWidth(-4);   // refused
    EXPECT_EQ(s.S->GetBothMarkerWidth(), 19);
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 190, 9), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    s.S->SetBoth(false);
    EXPECT_EQ(s.S->GetSkinDataName(), "hscrollbar");
}

TEST(SkinScrollBar, VerticalDefaultLayout)
{
    Scene s;
    s.S->SetKind(sbVertical);
    s.S->SetBounds(0, 0, 19, 200);
    s.S->SetRange(0, 100, 0, 0);
    s.S->CalcRects();
    EXPECT_EQ(s.S->ButtonRect(2), TRect(1, 1, 18, 17));
    EXPECT_EQ(s.S->ButtonRect(1), TRect(1, 183, 18, 199));
    EXPECT_EQ(s.S->ButtonRect(0), TRect(1, 17, 18, 33));
}

// ---- mouse

TEST(SkinScrollBar, HoldingTheUpButtonRepeatsAfterTheFirstDelay)
{
    Scene s;
    s.S->SetRange(0, 100, 10, 0);
    s.Press(190, 9);
    EXPECT_EQ(s.S->GetPosition(), 11);   // one step at once
    EXPECT_EQ(s.S->RepeatInterval(), 500u);
    s.Tick();   // the first tick only switches to the fast pace
    EXPECT_EQ(s.S->GetPosition(), 11);
    EXPECT_EQ(s.S->RepeatInterval(), 50u);
    s.Tick();
    s.Tick();
    EXPECT_EQ(s.S->GetPosition(), 13);
    s.Move(100, 9);   // off the button: paused
    EXPECT_EQ(s.S->RepeatInterval(), 0u);
    EXPECT_FALSE(s.S->ButtonHot(1));
    s.Move(190, 9);   // back: resumes
    EXPECT_EQ(s.S->RepeatInterval(), 50u);
    s.Tick();
    EXPECT_EQ(s.S->GetPosition(), 14);
    s.Release(190, 9);
    EXPECT_EQ(s.S->RepeatInterval(), 0u);
    EXPECT_EQ(s.LastChanges, 0);   // an arrow release is not the end of a drag
    EXPECT_FALSE(s.S->ButtonPressed(1));
}

TEST(SkinScrollBar, DownButtonStepsTowardsMin)
{
    Scene s;
    s.S->SetRange(0, 100, 10, 0);
    s.S->SetSmallChange(3);
    s.Press(8, 9);
    s.Release(8, 9);
    EXPECT_EQ(s.S->GetPosition(), 7);
}

TEST(SkinScrollBar, AnUpButtonHandlerReplacesTheStep)
{
    Scene s;
    int ups = 0;
    s.S->OnUpButtonClick = [&](TObject*) { ++ups; };
    s.S->SetRange(0, 100, 10, 0);
    s.Press(190, 9);
    s.Tick();
    s.Tick();
    s.Release(190, 9);
    EXPECT_EQ(s.S->GetPosition(), 10);
    EXPECT_EQ(ups, 2);
}

TEST(SkinScrollBar, PressInTheTrackPagesUntilTheThumbReachesTheMouse)
{
    Scene s;
    s.S->SetRange(0, 100, 100, 0);
    s.S->SetLargeChange(10);
    // the thumb sits at the end (167..183); press near the start
    s.Press(40, 9);
    EXPECT_EQ(s.S->GetPosition(), 90);
    EXPECT_EQ(s.PageUps, 1);
    EXPECT_EQ(s.S->RepeatInterval(), 500u);
    s.Tick();
    EXPECT_EQ(s.S->GetPosition(), 90);
    for (int i = 0; i < 20; ++i) s.Tick();
    // stops once the thumb covers x 40: the thumb of position 10 spans 32..48
    EXPECT_EQ(s.S->GetPosition(), 10);
    EXPECT_EQ(s.S->RepeatInterval(), 0u);
    s.Release(40, 9);
    EXPECT_EQ(s.PageDowns, 0);
    s.Press(150, 9);   // beyond the thumb
    EXPECT_EQ(s.S->GetPosition(), 20);
    EXPECT_EQ(s.PageDowns, 1);
    s.Release(150, 9);
    EXPECT_EQ(s.S->RepeatInterval(), 0u);
}

TEST(SkinScrollBar, LeavingTheBarStopsPagingTowardsTheEnd)
{
    Scene s;
    s.S->SetRange(0, 100, 0, 0);
    s.S->SetLargeChange(10);
    s.Press(150, 9);
    EXPECT_EQ(s.S->GetPosition(), 10);
    EXPECT_EQ(s.S->RepeatInterval(), 500u);
    s.S->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s.S->RepeatInterval(), 0u);
    s.Tick();
    EXPECT_EQ(s.S->GetPosition(), 10);
    s.Release(150, 9);
}

TEST(SkinScrollBar, DraggingTheThumbChangesAndEndsOnce)
{
    Scene s;
    s.S->SetRange(0, 150, 0, 0);
    s.S->CalcRects();
    const TRect th = s.S->ButtonRect(0);   // 17..33, travel 25..175 (150 pixels)
    const int y = 9, x0 = (th.left + th.right) / 2;
    s.Press(x0, y);
    EXPECT_TRUE(s.S->Dragging());
    s.Move(x0 + 30, y);
    EXPECT_EQ(s.S->GetPosition(), 30);
    s.Move(x0 + 75, y);
    EXPECT_EQ(s.S->GetPosition(), 75);
    s.Move(x0 + 500, y);   // past the end
    EXPECT_EQ(s.S->GetPosition(), 150);
    s.Move(x0 - 500, y);
    EXPECT_EQ(s.S->GetPosition(), 0);
    EXPECT_EQ(s.Changes, 4);
    EXPECT_EQ(s.LastChanges, 0);
    s.Release(x0 - 500, y);
    EXPECT_EQ(s.LastChanges, 1);
    EXPECT_FALSE(s.S->Dragging());
}

TEST(SkinScrollBar, DraggingWithAPageReachesTheLastPage)
{
    Scene s;
    s.S->SetRange(0, 99, 0, 10);
    s.S->CalcRects();
    const TRect th = s.S->ButtonRect(0);
    const int x0 = (th.left + th.right) / 2;
    s.Press(x0, 9);
    s.Move(x0 + 1000, 9);
    EXPECT_EQ(s.S->GetPosition(), 90);
    s.Move(x0, 9);
    EXPECT_EQ(s.S->GetPosition(), 0);
    s.Release(x0, 9);
}

// ---- keys, wheel, focus

TEST(SkinScrollBar, KeysAndWheelOnlyWhenFocusable)
{
    Scene s(true);
    s.S->SetRange(0, 100, 50, 0);
    s.S->Perform(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(s.S->Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 0);
    s.S->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(s.S->GetPosition(), 50);

    s.S->SetCanFocused(true);
    EXPECT_TRUE(s.S->GetTabStop());
    EXPECT_EQ(s.S->Perform(CM_WANTSPECIALKEY, VK_DOWN, 0), 1);
    s.S->SetFocus();
    ASSERT_TRUE(s.S->IsFocused());
    s.S->Perform(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(s.S->GetPosition(), 49);
    s.S->Perform(WM_KEYDOWN, VK_DOWN, 0);
    s.S->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(s.S->GetPosition(), 51);
    s.S->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);   // away from the user
    EXPECT_EQ(s.S->GetPosition(), 50);
    s.S->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(s.S->GetPosition(), 51);
}

TEST(SkinScrollBar, APressOnABarThatCannotTakeTheFocusIsDropped)
{
    Scene s;   // never shown: the bar cannot be focused
    s.S->SetCanFocused(true);
    s.S->SetRange(0, 100, 50, 0);
    s.Press(190, 9);
    s.Release(190, 9);
    EXPECT_EQ(s.S->GetPosition(), 50);
}

TEST(SkinScrollBar, APressFocusesAFocusableBar)
{
    Scene s(true);
    s.S->SetCanFocused(true);
    s.S->SetRange(0, 100, 50, 0);
    ::SetFocus(s.Form->GetHandle());
    ASSERT_FALSE(s.S->IsFocused());
    s.Press(190, 9);
    s.Release(190, 9);
    EXPECT_TRUE(s.S->IsFocused());
    EXPECT_EQ(s.S->GetPosition(), 51);
}

// ---- looks

const TColor cTrack = 0x404040, cBtn = 0x0000C0, cActive = 0x00C000, cDown = 0xC00000;
const TColor cThumb = 0xC0C000, cActiveThumb = 0xC000C0, cDownThumb = 0x00C0C0, cGlyph = 0xFFFFFF;

// A 100 x 19 horizontal scroll-bar element: buttons of 17 at both ends, the
// track between; looks of the buttons and thumbs below it.
TspDataSkinScrollBarControl* AddScrollBar(TspSkinData* D, const std::string& Name = "hscrollbar")
{
    auto pic = NewPicture(120, 80, cTrack);
    Paint(pic.get(), TRect(0, 0, 17, 19), cBtn);
    Paint(pic.get(), TRect(83, 0, 100, 19), cBtn);
    Paint(pic.get(), TRect(0, 20, 17, 39), cActive);
    Paint(pic.get(), TRect(17, 20, 34, 39), cDown);
    Paint(pic.get(), TRect(0, 40, 20, 59), cThumb);
    Paint(pic.get(), TRect(20, 40, 40, 59), cActiveThumb);
    Paint(pic.get(), TRect(40, 40, 60, 59), cDownThumb);
    Paint(pic.get(), TRect(0, 60, 4, 64), cGlyph);
    D->ActivePictures.clear();
    D->ActivePictures.push_back(std::move(pic));
    D->Empty = false;
    auto r = std::make_unique<TspDataSkinScrollBarControl>(Name);
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 100, 19);
    r->LeftTopPoint = TPoint(17, 0);
    r->RightTopPoint = TPoint(80, 0);
    r->ClientRect = TRect(17, 0, 80, 19);
    r->TrackArea = TRect(17, 0, 83, 19);
    r->Looks[sbpDownButton] = {TRect(0, 0, 17, 19), TRect(0, 20, 17, 39), TRect(17, 20, 34, 39)};
    r->Looks[sbpUpButton] = {TRect(83, 0, 100, 19), TRect(0, 20, 17, 39), TRect(17, 20, 34, 39)};
    r->Looks[sbpThumb] = {TRect(0, 40, 20, 59), TRect(20, 40, 40, 59), TRect(40, 40, 60, 59)};
    r->ThumbOffset1 = r->ThumbOffset2 = 3;
    auto* p = r.get();
    D->CtrlList.push_back(std::move(r));
    return p;
}

TEST(SkinScrollBar, SkinnedLayoutStretchesTheTrack)
{
    Scene s;
    auto skin = NewSkin();
    AddScrollBar(skin.get());
    s.S->SetSkinData(skin.get());
    ASSERT_TRUE(s.S->Skinned());
    s.S->SetBounds(0, 0, 200, 19);
    s.S->SetRange(0, 100, 0, 0);
    s.S->CalcRects();
    EXPECT_EQ(s.S->TrackRect(), TRect(17, 0, 183, 19));
    EXPECT_EQ(s.S->ButtonRect(2), TRect(0, 0, 17, 19));
    EXPECT_EQ(s.S->ButtonRect(1), TRect(183, 0, 200, 19));
    EXPECT_EQ(s.S->ButtonRect(0), TRect(17, 0, 37, 19));
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 8, 9), cBtn);
    EXPECT_EQ(Probe(shot.get(), 191, 9), cBtn);
    EXPECT_EQ(Probe(shot.get(), 27, 15), cThumb);
    EXPECT_EQ(Probe(shot.get(), 120, 9), cTrack);
    s.S->SetEnabled(false);   // a disabled bar shows no thumb
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 27, 15), cTrack);
    s.S->SetSkinData(nullptr);
}

TEST(SkinScrollBar, SkinnedLooksFollowHotAndPressed)
{
    Scene s;
    auto skin = NewSkin();
    AddScrollBar(skin.get());
    s.S->SetSkinData(skin.get());
    s.S->SetBounds(0, 0, 200, 19);
    s.S->SetRange(0, 100, 50, 0);
    s.Move(191, 9);
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 191, 9), cActive);
    s.Press(191, 9);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 191, 9), cDown);
    s.Release(191, 9);
    s.S->CalcRects();
    const TRect th = s.S->ButtonRect(0);
    const int cx = (th.left + th.right) / 2;
    s.Move(cx, 15);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), cx, 15), cActiveThumb);
    s.Press(cx, 15);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), cx, 15), cDownThumb);
    s.Release(cx, 15);
    s.S->SetSkinData(nullptr);
}

TEST(SkinScrollBar, SkinnedThumbWithAPageIsStretchedAndCarriesItsGlyph)
{
    Scene s;
    auto skin = NewSkin();
    auto* r = AddScrollBar(skin.get());
    r->GlyphLooks[lsNormal] = TRect(0, 60, 4, 64);
    s.S->SetSkinData(skin.get());
    s.S->SetBounds(0, 0, 200, 19);
    s.S->SetRange(0, 99, 0, 50);
    s.S->CalcRects();
    const TRect th = s.S->ButtonRect(0);
    EXPECT_EQ(th.Width(), 82);   // 83 long (166 * 50 / 100), drawn as two halves of 41
    auto shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), th.left + 10, 3), cThumb);
    const int cx = th.left + th.Width() / 2;
    EXPECT_EQ(Probe(shot.get(), cx, 9), cGlyph);
    s.S->SetSkinData(nullptr);
}

TEST(SkinScrollBar, ARecordOfAnotherKindLeavesTheBarUnskinned)
{
    Scene s;
    auto skin = NewSkin();
    AddButton(skin.get(), "hscrollbar");
    s.S->SetSkinData(skin.get());
    EXPECT_FALSE(s.S->Skinned());
    EXPECT_EQ(s.S->GetWidth(), 200);
    EXPECT_EQ(s.S->GetHeight(), 19);
    s.S->SetRange(0, 100, 0, 0);
    s.S->CalcRects();
    EXPECT_EQ(s.S->TrackRect(), TRect(17, 1, 183, 18));
    s.S->SetSkinData(nullptr);
}

TEST(SkinScrollBar, DamagedSkinGeometryStaysBounded)
{
    Scene s;
    auto skin = NewSkin();
    auto* r = AddScrollBar(skin.get());
    r->TrackArea = TRect(90, 0, 10, 19);      // inverted
    r->Looks[sbpThumb][lsNormal] = TRect(0, 40, 5000, 59);    // longer than the picture
    r->Looks[sbpThumb][lsDown] = TRect(-50, -50, 3, 3);
    s.S->SetSkinData(skin.get());
    s.S->SetBounds(0, 0, 200, 19);
    s.S->SetRange(0, 0, 0, 5);
    s.S->CalcRects();
    auto shot = Snapshot(s.S);   // paints without touching outside the picture
    s.Press(100, 9);
    s.Move(300, 9);
    s.Release(300, 9);
    EXPECT_EQ(s.S->GetPosition(), 0);
    s.S->SetSkinData(nullptr);
}

TEST(SkinScrollBar, DefaultLookProbes)
{
    Scene s;
    s.S->SetRange(0, 100, 0, 0);
    auto shot = Snapshot(s.S);
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFF;
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)) & 0xFFFFFF;
    EXPECT_EQ(Probe(shot.get(), 17, 9), shadow);     // thumb frame
    EXPECT_EQ(Probe(shot.get(), 25, 4), face);       // thumb face
    EXPECT_EQ(Probe(shot.get(), 9, 9), static_cast<TColor>(0));   // arrow
    s.Move(190, 9);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 185, 3), static_cast<TColor>(RGB(182, 189, 210)));
    EXPECT_EQ(Probe(shot.get(), 183, 3), static_cast<TColor>(clNavy));
    s.Press(190, 9);
    shot = Snapshot(s.S);
    EXPECT_EQ(Probe(shot.get(), 185, 3), static_cast<TColor>(RGB(133, 147, 181)));   // the house pressed fill
    s.Release(190, 9);
}

}  // namespace
