#include "test_gtest.h"
#include "ArrowInput.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinBevel.h"
#include "SkinSpeedButton.h"
#include "SkinToolBar.h"
#include "WaitUntil.h"

using namespace CtlFixture;
using namespace ArrowInput;

namespace {

// A picture with a tool panel area and the three looks of the arrow element,
// each one flat colour.
const TColor cPanel = 0x306030, cArrow = 0x0000C0, cArrowHot = 0x00C000, cArrowDown = 0xC00000;

std::unique_ptr<TspSkinData> NewBarSkin()
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(100, 100, 0);
    Paint(pic.get(), TRect(0, 0, 40, 26), cPanel);
    Paint(pic.get(), TRect(40, 0, 60, 20), cArrow);
    Paint(pic.get(), TRect(40, 20, 60, 40), cArrowHot);
    Paint(pic.get(), TRect(40, 40, 60, 60), cArrowDown);
    d->ActivePictures.push_back(std::move(pic));
    d->Empty = false;
    auto p = std::make_unique<TspDataSkinPanelControl>("toolpanel");
    p->PictureIndex = 0;
    p->SkinRect = TRect(0, 0, 40, 26);
    p->LeftTopPoint = TPoint(4, 4);
    p->RightTopPoint = TPoint(36, 4);
    p->LeftBottomPoint = TPoint(4, 22);
    p->RightBottomPoint = TPoint(36, 22);
    p->ClientRect = TRect(4, 4, 36, 22);
    d->CtrlList.push_back(std::move(p));
    auto a = std::make_unique<TspDataSkinButtonControl>("resizebutton");
    a->PictureIndex = 0;
    a->SkinRect = TRect(40, 0, 60, 20);
    a->ActiveSkinRect = TRect(40, 20, 60, 40);
    a->DownSkinRect = TRect(40, 40, 60, 60);
    a->LeftTopPoint = TPoint(4, 4);
    a->RightTopPoint = TPoint(16, 4);
    a->LeftBottomPoint = TPoint(4, 16);
    a->RightBottomPoint = TPoint(16, 16);
    a->ClientRect = TRect(4, 4, 16, 16);
    d->CtrlList.push_back(std::move(a));
    return d;
}

// A shown form with a 200-pixel scrolling bar holding six 50-pixel buttons: the
// row is 300 pixels long, so 176 client pixels (200 less two 12-pixel arrows) show.
struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinToolBar* Bar;
    TspSkinSpeedButton* Buttons[6];
    explicit Scene(TspSkinData* Skin = nullptr, bool CanScroll = true)
    {
        SetCursorPos(600, 500);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(10, 10, 450, 80);
        Bar = new TspSkinToolBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(0, 0, 200, 25);
        Bar->SetCanScroll(CanScroll);
        for (int i = 0; i < 6; ++i) {
            Buttons[i] = new TspSkinSpeedButton(Form.get());
            Buttons[i]->SetParent(Bar);
            Buttons[i]->SetBounds(i * 50, 0, 50, 25);
            Buttons[i]->SetText("B" + std::to_string(i));
        }
        Bar->SetSkinData(Skin);
        Form->Show();
        PumpUntilIdle();
    }
    void ExpectRowAt(int Position, const char* What)
    {
        EXPECT_EQ(Bar->ScrollPosition(), Position) << What;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(Buttons[i]->GetLeft(), i * 50 - Position) << What << " button " << i;
    }
};

TEST(ToolBarScroll, ArrowsAppearOnlyWhenTheRowOverflowsAScrollingBar)
{
    struct Case {
        const char* What;
        bool CanScroll;
        int ClientWidth;
        // Hit codes at window x 0, 11, 12, 187, 188 and 199.
        int Hits[6];
    } cases[] = {
        {"scrolling bar", true, 176, {119, 119, HTCLIENT, HTCLIENT, 120, 120}},
        {"bar that does not scroll", false, 200, {HTCLIENT, HTCLIENT, HTCLIENT, HTCLIENT, HTCLIENT, HTCLIENT}},
    };
    const int xs[] = {0, 11, 12, 187, 188, 199};
    for (const auto& c : cases) {
        Scene s(nullptr, c.CanScroll);
        EXPECT_EQ(s.Bar->ArrowsVisible(), c.CanScroll) << c.What;
        EXPECT_EQ(s.Bar->GetClientWidth(), c.ClientWidth) << c.What;
        EXPECT_EQ(s.Bar->GetWidth(), 200) << c.What;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(HitAt(s.Bar, xs[i], 12), c.Hits[i]) << c.What << " at " << xs[i];
        s.ExpectRowAt(0, c.What);
    }
}

TEST(ToolBarScroll, RowThatFitsShowsNoArrows)
{
    Scene s;
    ASSERT_TRUE(s.Bar->ArrowsVisible());
    for (int i = 2; i < 6; ++i) s.Buttons[i]->SetVisible(false);
    s.Bar->GetScrollInfo();
    EXPECT_FALSE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 200);
    EXPECT_EQ(HitAt(s.Bar, 0, 12), HTCLIENT);
    s.Buttons[5]->SetVisible(true);
    s.Bar->GetScrollInfo();
    EXPECT_TRUE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 176);
}

// Each click steps once on release: by ScrollOffset, or by one client width; the
// row stops at its start and at its end (300 - 176 = 124).
TEST(ToolBarScroll, ClicksStepTheRowWithinItsEnds)
{
    struct Case {
        int Offset;
        struct Step {
            int Arrow;   // 0 left, 1 right
            int Position;
        } Steps[6];
    } cases[] = {
        {0, {{1, 124}, {1, 124}, {0, 0}, {0, 0}, {1, 124}, {0, 0}}},
        {50, {{1, 50}, {1, 100}, {1, 124}, {0, 74}, {0, 24}, {0, 0}}},
        {7, {{1, 7}, {1, 14}, {0, 7}, {0, 0}, {0, 0}, {1, 7}}},
    };
    for (const auto& c : cases) {
        Scene s;
        s.Bar->SetScrollOffset(c.Offset);
        for (const auto& st : c.Steps) {
            Click(s.Bar, st.Arrow == 0 ? 5 : 195, 12);
            s.ExpectRowAt(st.Position, ("offset " + std::to_string(c.Offset)).c_str());
            EXPECT_EQ(s.Bar->Scroller().TimerAction, 0);
        }
    }
}

TEST(ToolBarScroll, ScrollSettingsRefuseOutOfRangeValues)
{
    Scene s;
    EXPECT_EQ(s.Bar->GetScrollTimerInterval(), 50);
    s.Bar->SetScrollOffset(-5);
    s.Bar->SetScrollTimerInterval(0);
    s.Bar->SetScrollTimerInterval(-3);
    EXPECT_EQ(s.Bar->GetScrollOffset(), 0);
    EXPECT_EQ(s.Bar->GetScrollTimerInterval(), 50);
    s.Bar->SetScrollOffset(9);
    s.Bar->SetScrollTimerInterval(20);
    EXPECT_EQ(s.Bar->GetScrollOffset(), 9);
    EXPECT_EQ(s.Bar->GetScrollTimerInterval(), 20);
}

// Holding an arrow repeats steps until the row's end; the release stops it.
TEST(ToolBarScroll, HoldingAnArrowRepeatsToTheEnd)
{
    Scene s;
    s.Bar->SetScrollOffset(10);
    s.Bar->SetScrollTimerInterval(10);
    Down(s.Bar, 195, 12);
    EXPECT_EQ(s.Bar->Scroller().TimerAction, 2);
    EXPECT_TRUE(PumpUntil([&] { return s.Bar->ScrollPosition() == 124; }, 5000));
    Up(s.Bar, 195, 12);
    s.ExpectRowAt(124, "held right");
    EXPECT_EQ(s.Bar->Scroller().TimerAction, 0);
    Down(s.Bar, 5, 12);
    EXPECT_TRUE(PumpUntil([&] { return s.Bar->ScrollPosition() == 0; }, 5000));
    Up(s.Bar, 5, 12);
    s.ExpectRowAt(0, "held left");
}

// With HotScroll the mouse resting on an arrow scrolls; moving into the client
// area stops it.
TEST(ToolBarScroll, HotScrollScrollsWhileTheMouseRests)
{
    Scene s;
    s.Bar->SetHotScroll(true);
    s.Bar->SetScrollOffset(4);
    s.Bar->SetScrollTimerInterval(10);
    Hover(s.Bar, 195, 12);
    EXPECT_TRUE(s.Bar->Scroller().Buttons[1].MouseIn);
    EXPECT_TRUE(PumpUntil([&] { return s.Bar->ScrollPosition() >= 20; }, 5000));
    SendMessageA(s.Bar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
    EXPECT_EQ(s.Bar->Scroller().TimerAction, 0);
    EXPECT_FALSE(s.Bar->Scroller().Buttons[1].MouseIn);
    const int at = s.Bar->ScrollPosition();
    PumpFor(60);   // timer ticks would move it on
    s.ExpectRowAt(at, "stopped");
}

// Widening a scrolled bar brings the row back by the widening; once all fits the
// row is unscrolled and the arrows go.
TEST(ToolBarScroll, WideningScrollsBackAndRemovesTheArrows)
{
    Scene s;
    Click(s.Bar, 195, 12);
    s.ExpectRowAt(124, "scrolled to the end");
    s.Bar->SetBounds(0, 0, 250, 25);
    EXPECT_EQ(s.Bar->GetClientWidth(), 226);
    s.ExpectRowAt(74, "widened by 50");
    EXPECT_TRUE(s.Bar->ArrowsVisible());
    s.Bar->SetBounds(0, 0, 400, 25);
    EXPECT_FALSE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 400);
    s.ExpectRowAt(0, "everything fits");
    // Narrowed again: the arrows return, the row unscrolled.
    s.Bar->SetBounds(0, 0, 150, 25);
    EXPECT_TRUE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 126);
    s.ExpectRowAt(0, "narrowed");
}

// An aligned bar lays its aligned buttons out along the scrolled row.
TEST(ToolBarScroll, AlignedButtonsFollowTheScrolledRow)
{
    Scene s;
    s.Bar->SetAlign(alTop);
    for (int i = 5; i >= 0; --i) s.Buttons[i]->SetAlign(alLeft);
    s.Form->SetBounds(10, 10, 200, 80);
    ASSERT_EQ(s.Bar->GetWidth(), 200);
    ASSERT_TRUE(s.Bar->ArrowsVisible());
    int before[6];
    for (int i = 0; i < 6; ++i) before[i] = s.Buttons[i]->GetLeft();
    s.Bar->SetScrollOffset(30);
    Click(s.Bar, 195, 12);
    EXPECT_EQ(s.Bar->ScrollPosition(), 30);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.Buttons[i]->GetLeft(), before[i] - 30) << i;
    Click(s.Bar, 5, 12);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.Buttons[i]->GetLeft(), before[i]) << i;
}

// The arrows in the non-client area, as the screen shows them: plain faces in
// system colours, or the skin's "resizebutton" looks.
TEST(ToolBarScroll, ArrowLooksUnskinnedAndSkinned)
{
    auto skin = NewBarSkin();
    const TColor face = SystemColour(clBtnFace), shadow = SystemColour(clBtnShadow),
                 navy = SystemColour(clNavy);
    struct Case {
        const char* What;
        bool Skinned;
        TColor Normal, NormalEdge, Hot, HotEdge, Down, DownEdge;
    } cases[] = {
        {"unskinned", false, face, shadow, 0xD2BDB6, navy, 0xB59385, navy},
        {"skinned", true, cArrow, cArrow, cArrowHot, cArrowHot, cArrowDown, cArrowDown},
    };
    for (const auto& c : cases) {
        Scene s(c.Skinned ? skin.get() : nullptr);
        ASSERT_TRUE(s.Bar->ArrowsVisible()) << c.What;
        EXPECT_EQ(s.Bar->Skinned(), c.Skinned) << c.What;
        auto look = [&](int X) {
            RedrawWindow(s.Bar->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            PumpUntilIdle();   // the window's pixels reach the screen
            auto shot = ScreenShot(s.Form.get());
            return std::make_pair(Probe(shot.get(), X + 1, 2), Probe(shot.get(), X, 0));
        };
        EXPECT_EQ(look(0), std::make_pair(c.Normal, c.NormalEdge)) << c.What;
        EXPECT_EQ(look(188), std::make_pair(c.Normal, c.NormalEdge)) << c.What;
        // The real cursor stands where the messages say it is: the bar keeps the mouse.
        RECT w;
        GetWindowRect(s.Bar->GetHandle(), &w);
        SetCursorPos(w.left + 195, w.top + 12);
        Hover(s.Bar, 195, 12);
        EXPECT_EQ(look(188), std::make_pair(c.Hot, c.HotEdge)) << c.What;
        EXPECT_EQ(look(0), std::make_pair(c.Normal, c.NormalEdge)) << c.What;
        Down(s.Bar, 195, 12);
        EXPECT_EQ(look(188), std::make_pair(c.Down, c.DownEdge)) << c.What;
        Up(s.Bar, 195, 12);
        SetCursorPos(600, 500);
    }
}

// The real mouse: a press and release on the right arrow steps the row once.
TEST(ToolBarScroll, RealMouseClickOnTheArrow)
{
    Scene s;
    SetForegroundWindow(s.Form->GetHandle());
    RECT w;
    GetWindowRect(s.Bar->GetHandle(), &w);
    SetCursorPos(w.left + 194, w.top + 12);
    PumpUntilIdle();
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return s.Bar->ScrollPosition() == 124; }, 3000));
    PumpFor(100);   // timer ticks would move it on
    s.ExpectRowAt(124, "after the click");
    EXPECT_EQ(s.Bar->Scroller().TimerAction, 0);
    SetCursorPos(600, 500);
}

TEST(ToolBarScroll, TurningScrollingOffUnscrollsTheRow)
{
    Scene s;
    Click(s.Bar, 195, 12);
    ASSERT_EQ(s.Bar->ScrollPosition(), 124);
    s.Bar->SetCanScroll(false);
    EXPECT_FALSE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 200);
    s.ExpectRowAt(0, "scrolling off");
    s.Bar->SetCanScroll(true);
    EXPECT_TRUE(s.Bar->ArrowsVisible());
    EXPECT_EQ(s.Bar->GetClientWidth(), 176);
}

TEST(ToolBar, CaptionsSettingSwitchesButtonsAndWidth)
{
    Scene s(nullptr, false);
    s.Bar->WidthWithCaptions = 300;
    s.Bar->WidthWithoutCaptions = 120;
    s.Bar->SetShowCaptions(true);
    EXPECT_EQ(s.Bar->GetWidth(), 300);
    for (auto* b : s.Buttons) EXPECT_TRUE(b->GetShowCaption());
    s.Bar->AutoShowHideCaptions = true;
    s.Bar->SetShowCaptions(false);
    EXPECT_EQ(s.Bar->GetWidth(), 120);
    for (auto* b : s.Buttons) EXPECT_FALSE(b->GetShowCaption());
}

}  // namespace

namespace {

// The bar hands its skin and its flat look to its buttons and bevels.
TEST(ToolBar, PassesSkinAndFlatLookToItsChildren)
{
    auto skin = NewBarSkin();
    Scene s(nullptr, false);
    auto* bevel = new TspSkinBevel(s.Form.get());
    bevel->SetParent(s.Bar);
    bevel->SetBounds(10, 0, 4, 25);
    s.Bar->SetSkinData(skin.get());
    EXPECT_TRUE(s.Bar->Skinned());
    EXPECT_EQ(bevel->GetSkinDataComponent(), skin.get());
    for (auto* b : s.Buttons) EXPECT_EQ(b->GetSkinDataComponent(), skin.get());
    s.Bar->SetFlat(true);
    for (auto* b : s.Buttons) EXPECT_TRUE(b->GetFlat());
    s.Bar->SetSkinData(nullptr);
    EXPECT_EQ(bevel->GetSkinDataComponent(), nullptr);
    for (auto* b : s.Buttons) EXPECT_EQ(b->GetSkinDataComponent(), nullptr);
}

}  // namespace

namespace {

// Content that shrinks while the row is scrolled brings the row back to its start.
TEST(ToolBarScroll, ShrinkingContentWhileScrolledReturnsToTheStart)
{
    Scene s;
    Click(s.Bar, 195, 12);
    ASSERT_EQ(s.Bar->ScrollPosition(), 124);
    s.Buttons[5]->SetVisible(false);
    EXPECT_TRUE(s.Bar->ArrowsVisible());
    s.ExpectRowAt(0, "after the shrink");
    // The end of the shorter row: 250 - 176.
    Click(s.Bar, 195, 12);
    EXPECT_EQ(s.Bar->ScrollPosition(), 74);
}

// A bar aligned to the top of a form that grows wider scrolls back by the growth.
TEST(ToolBarScroll, AlignedBarWidenedWithItsForm)
{
    Scene s;
    s.Bar->SetAlign(alTop);
    s.Form->SetBounds(10, 10, 200, 80);
    ASSERT_EQ(s.Bar->GetWidth(), 200);
    Click(s.Bar, 195, 12);
    ASSERT_EQ(s.Bar->ScrollPosition(), 124);
    s.Form->SetBounds(10, 10, 240, 80);
    EXPECT_EQ(s.Bar->GetWidth(), 240);
    s.ExpectRowAt(84, "form 40 wider");
    s.Form->SetBounds(10, 10, 420, 80);
    EXPECT_FALSE(s.Bar->ArrowsVisible());
    s.ExpectRowAt(0, "everything fits");
}

// Seeded damage to the arrow element: the arrows paint, light up and press
// without a fault, and the bar keeps its size.
TEST(ToolBarScroll, ArrowsSurviveSeededDamageToTheirElement)
{
    struct TRandom {
        uint32_t State;
        uint32_t Next() { return State = State * 1664525u + 1013904223u; }
        int Any()
        {
            switch (Next() % 5) {
            case 0: return 0;
            case 1: return -1;
            case 2: return static_cast<int>(Next() % 80);
            case 3: return -static_cast<int>(Next() % 100000);
            default: return static_cast<int>(Next());
            }
        }
        TRect Rect() { return TRect(Any(), Any(), Any(), Any()); }
        TPoint Point() { return TPoint(Any(), Any()); }
    } rnd{20261211u};
    auto skin = NewBarSkin();
    Scene s(skin.get());
    RECT w;
    GetWindowRect(s.Bar->GetHandle(), &w);
    SetCursorPos(w.left + 195, w.top + 12);
    auto* a = static_cast<TspDataSkinButtonControl*>(skin->CtrlList[1].get());
    for (int round = 0; round < 40; ++round) {
        a->PictureIndex = rnd.Next() % 4 ? 0 : rnd.Any();
        a->SkinRect = rnd.Next() % 2 ? TRect(40, 0, 40 + rnd.Next() % 30, rnd.Next() % 30) : rnd.Rect();
        a->ActiveSkinRect = rnd.Rect();
        a->DownSkinRect = rnd.Next() % 2 ? TRect(40, 40, 60, 60) : rnd.Rect();
        a->LeftTopPoint = rnd.Point();
        a->RightTopPoint = rnd.Point();
        a->LeftBottomPoint = rnd.Point();
        a->RightBottomPoint = rnd.Point();
        a->ClientRect = rnd.Rect();
        s.Bar->ChangeSkinData();
        Hover(s.Bar, 195, 12);
        Down(s.Bar, 195, 12);
        RedrawWindow(s.Bar->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Up(s.Bar, 195, 12);
        Click(s.Bar, 5, 12);
        ASSERT_EQ(s.Bar->GetWidth(), 200) << round;
        ASSERT_TRUE(s.Bar->ArrowsVisible()) << round;
    }
    SetCursorPos(600, 500);
}

}  // namespace

namespace {

// The skin goes while the arrows show its element: they turn plain, never read
// the records that went with it.
TEST(ToolBarScroll, FreedSkinLeavesPlainArrows)
{
    auto skin = NewBarSkin();
    Scene s(skin.get());
    ASSERT_TRUE(s.Bar->Scroller().ArrowSkin());
    RECT w;
    GetWindowRect(s.Bar->GetHandle(), &w);
    SetCursorPos(w.left + 195, w.top + 12);
    skin.reset();
    EXPECT_EQ(s.Bar->Scroller().ArrowSkin(), nullptr);
    Hover(s.Bar, 195, 12);
    RedrawWindow(s.Bar->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpUntilIdle();
    auto shot = ScreenShot(s.Form.get());
    EXPECT_EQ(Probe(shot.get(), 189, 2), static_cast<TColor>(0xD2BDB6));
    SetCursorPos(600, 500);
}

}  // namespace

namespace {

// A tool panel element that stretches sideways shows only its repeated middle
// while the arrows stand at its ends, and its own ends otherwise.
TEST(ToolBarScroll, StretchingPanelShowsOnlyItsMiddleBesideTheArrows)
{
    const TColor cEnd = 0x0080FF, cMid = 0x808000;
    auto skin = NewBarSkin();
    auto* p = static_cast<TspDataSkinPanelControl*>(skin->CtrlList[0].get());
    TBitmap* pic = skin->ActivePictures[0].get();
    Paint(pic, TRect(0, 0, 40, 25), cMid);
    Paint(pic, TRect(0, 0, 6, 25), cEnd);
    Paint(pic, TRect(34, 0, 40, 25), cEnd);
    p->SkinRect = TRect(0, 0, 40, 25);
    p->LeftTopPoint = TPoint(6, 0);
    p->RightTopPoint = TPoint(34, 0);
    p->LeftBottomPoint = p->RightBottomPoint = TPoint(0, 0);
    p->ClientRect = TRect(6, 0, 34, 25);
    for (bool canScroll : {true, false}) {
        Scene s(skin.get(), canScroll);
        ASSERT_TRUE(s.Bar->Skinned());
        ASSERT_EQ(s.Bar->ArrowsVisible(), canScroll);
        // Flat buttons at rest show the bar's face between their captions.
        s.Bar->SetFlat(true);
        RedrawWindow(s.Bar->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpUntilIdle();
        auto shot = ScreenShot(s.Form.get());
        const int x = canScroll ? TspArrowScroller::ArrowSize + 1 : 1;
        EXPECT_EQ(Probe(shot.get(), x, 2), canScroll ? cMid : cEnd) << canScroll;
    }
}

}  // namespace
