// The skinned scroll box: the bars' ranges follow the children, the bars move the
// children, growth and shrinking while scrolled, the shared corner, and the frame
// and background on fixture skins (one flat colour per piece, probed by pixel).
#include "test_gtest.h"
#include "ControlFixture.h"
#include "Form.h"
#include "SkinScrollBox.h"
#include "WaitUntil.h"
#include <memory>

using namespace CtlFixture;

namespace {

// A windowed child that paints one colour.
class TBlock : public TCustomControl {
public:
    TBlock(TWinControl* Parent, int X, int Y, int W, int H, TColor C) : TCustomControl(Parent)
    {
        SetColor(C);
        SetParent(Parent);
        SetBounds(X, Y, W, H);
    }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetStyle(bsSolid);
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
};

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinScrollBox* Box;
    TspSkinScrollBar* V = nullptr;
    TspSkinScrollBar* H = nullptr;
    TBlock* Child = nullptr;

    explicit Scene(bool Vert = true, bool Horz = false)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(30, 30, 300, 300);
        Box = new TspSkinScrollBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(10, 10, 150, 150);
        if (Vert) {
            V = new TspSkinScrollBar(Form.get());
            V->SetParent(Form.get());
            V->SetKind(sbVertical);
            V->SetBounds(170, 10, 19, 150);
            Box->SetVScrollBar(V);
        }
        if (Horz) {
            H = new TspSkinScrollBar(Form.get());
            H->SetParent(Form.get());
            H->SetBounds(10, 170, 150, 19);
            Box->SetHScrollBar(H);
        }
        Form->Show();
        PumpUntilIdle();
    }
    TBlock* Add(int X, int Y, int W, int H, TColor C = 0x00A000)
    {
        Child = new TBlock(Box, X, Y, W, H, C);
        return Child;
    }
    std::unique_ptr<TBitmap> Shoot()
    {
        RepaintAll(Form->GetHandle());
        return ScreenShot(Form.get());
    }
};

void ExpectBar(TspSkinScrollBar* B, bool Visible, int Max, int Page, int Pos)
{
    EXPECT_EQ(B->GetVisible(), Visible);
    EXPECT_EQ(B->GetMin(), 0);
    EXPECT_EQ(B->GetMax(), Max);
    EXPECT_EQ(B->GetPageSize(), Page);
    EXPECT_EQ(B->GetPosition(), Pos);
}

TEST(SkinScrollBox, ConstructedAsAFramedContainer)
{
    Scene s(false, false);
    EXPECT_EQ(s.Box->GetWidth(), 150);
    EXPECT_EQ(s.Box->GetHeight(), 150);
    EXPECT_EQ(s.Box->GetSkinDataName(), "scrollbox");
    EXPECT_EQ(s.Box->GetBorderStyle(), TspSkinBorderStyle::bvFrame);
    // Unskinned with a frame: one pixel on each side.
    EXPECT_EQ(s.Box->GetClientWidth(), 148);
    EXPECT_EQ(s.Box->GetClientHeight(), 148);
    s.Box->SetBorderStyle(TspSkinBorderStyle::bvNone);
    EXPECT_EQ(s.Box->GetClientWidth(), 150);
    // Nothing to do without bars.
    s.Add(0, 0, 400, 400);
    s.Box->UpdateScrollRange();
    EXPECT_EQ(s.Child->GetTop(), 0);
}

TEST(SkinScrollBox, BindingABarHidesItUntilItIsNeeded)
{
    Scene s;
    EXPECT_FALSE(s.V->GetVisible());
    EXPECT_FALSE(s.V->GetCanFocused());
    EXPECT_TRUE(s.V->GetEnabled());
    s.Add(0, 0, 100, 100);
    s.Box->UpdateScrollRange();
    ExpectBar(s.V, false, 0, 0, 0);
}

TEST(SkinScrollBox, RangeFollowsTheChildrenAndTheBarMovesThem)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    ExpectBar(s.V, true, 399, 148, 0);
    s.V->SetPosition(100);
    EXPECT_EQ(s.Child->GetTop(), -100);
    // The window moved with the object.
    RECT r;
    GetWindowRect(s.Child->GetHandle(), &r);
    POINT o = {0, 0};
    ClientToScreen(s.Box->GetHandle(), &o);
    EXPECT_EQ(r.top - o.y, -100);
    s.V->SetPosition(0);
    EXPECT_EQ(s.Child->GetTop(), 0);
    // Past the last page the bar stops, and so do the children.
    s.V->SetPosition(1000);
    EXPECT_EQ(s.V->GetPosition(), 252);
    EXPECT_EQ(s.Child->GetTop(), -252);
}

TEST(SkinScrollBox, GrowingWhileScrolledFillsTheGapAtTheBottom)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    s.V->SetPosition(252);
    ASSERT_EQ(s.Child->GetTop(), -252);
    s.Box->SetBounds(10, 10, 150, 200);
    s.Box->UpdateScrollRange();
    ExpectBar(s.V, true, 399, 198, 202);
    EXPECT_EQ(s.Child->GetTop(), -202);
}

TEST(SkinScrollBox, ContentThatFitsAgainScrollsBackAndHidesTheBar)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    s.V->SetPosition(100);
    s.Child->SetBounds(0, -100, 100, 100);
    s.Box->UpdateScrollRange();
    EXPECT_EQ(s.Child->GetTop(), 0);
    ExpectBar(s.V, false, 0, 0, 0);
}

TEST(SkinScrollBox, ContentShrinkingWhileScrolledKeepsChildrenAtTheBarPosition)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    s.V->SetPosition(200);
    // Half the content goes: what is left ends above the bottom of the box.
    s.Child->SetBounds(0, -200, 100, 300);
    s.Box->UpdateScrollRange();
    EXPECT_TRUE(s.V->GetVisible());
    EXPECT_EQ(s.V->GetMax(), 299);
    EXPECT_EQ(s.Child->GetTop(), -s.V->GetPosition());
    EXPECT_LE(s.V->GetPosition(), 299 - 148 + 1);
}

TEST(SkinScrollBox, BothBarsShareTheCornerWhileBothShow)
{
    Scene s(true, true);
    s.Add(0, 0, 400, 400);
    s.Box->UpdateScrollRange();
    EXPECT_TRUE(s.V->GetVisible());
    EXPECT_TRUE(s.H->GetVisible());
    ExpectBar(s.H, true, 399, 148, 0);
    // The corner follows the vertical bar as the next update finds it.
    s.Box->UpdateScrollRange();
    EXPECT_TRUE(s.H->GetBoth());
    s.H->SetPosition(50);
    EXPECT_EQ(s.Child->GetLeft(), -50);
    s.Child->SetBounds(-50, 0, 400, 100);
    s.Box->UpdateScrollRange();
    EXPECT_FALSE(s.V->GetVisible());
    EXPECT_TRUE(s.H->GetVisible());
    EXPECT_EQ(s.Child->GetLeft(), -50);
    s.Box->UpdateScrollRange();
    EXPECT_FALSE(s.H->GetBoth());
}

TEST(SkinScrollBox, BarButtonsAndPagesMoveTheChildren)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    s.V->SetSmallChange(10);
    s.V->SetLargeChange(50);
    s.V->CalcRects();
    struct Case {
        const char* What;
        int Button;   // 1 towards Max, 2 towards Min; 0 the track below the thumb
        int Expect;
    } cases[] = {{"down arrow", 1, 10}, {"again", 1, 20}, {"up arrow", 2, 10}, {"page", 0, 60}};
    for (const auto& c : cases) {
        s.V->CalcRects();
        TPoint p;
        if (c.Button) {
            const TRect r = s.V->ButtonRect(c.Button);
            p = TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            const TRect t = s.V->ButtonRect(0);
            p = TPoint((t.left + t.right) / 2, t.bottom + 3);
        }
        s.V->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p.x, p.y));
        s.V->Perform(WM_LBUTTONUP, 0, PointToLParam(p.x, p.y));
        EXPECT_EQ(s.V->GetPosition(), c.Expect) << c.What;
        EXPECT_EQ(s.Child->GetTop(), -c.Expect) << c.What;
    }
}

TEST(SkinScrollBox, DraggingTheThumbMovesTheChildren)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    s.V->CalcRects();
    const TRect t = s.V->ButtonRect(0);
    const int x = (t.left + t.right) / 2, y = (t.top + t.bottom) / 2;
    s.V->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
    s.V->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(x, y + 30));
    s.V->Perform(WM_LBUTTONUP, 0, PointToLParam(x, y + 30));
    EXPECT_GT(s.V->GetPosition(), 0);
    EXPECT_EQ(s.Child->GetTop(), -s.V->GetPosition());
}

TEST(SkinScrollBox, WheelAndKeysOnAFocusableBarMoveTheChildren)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    // The box binds its bars unfocusable; a program that lets a bar take the
    // focus gets the bar's wheel and arrow keys, and the children follow them.
    s.V->SetCanFocused(true);
    s.V->SetSmallChange(20);
    SetForegroundWindow(s.Form->GetHandle());
    s.V->SetFocus();
    PumpUntil([&] { return s.V->IsFocused(); }, 1000);
    ASSERT_TRUE(s.V->IsFocused());
    const struct {
        const char* What;
        UINT Msg;
        WPARAM W;
        int Expect;
    } steps[] = {{"wheel towards the user", WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA)) << 16, 20},
                 {"again", WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA)) << 16, 40},
                 {"wheel away", WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 20},
                 {"down key", WM_KEYDOWN, VK_DOWN, 40},
                 {"up key", WM_KEYDOWN, VK_UP, 20}};
    for (const auto& st : steps) {
        SendMessageA(s.V->GetHandle(), st.Msg, st.W, 0);
        EXPECT_EQ(s.V->GetPosition(), st.Expect) << st.What;
        EXPECT_EQ(s.Child->GetTop(), -st.Expect) << st.What;
    }
}

TEST(SkinScrollBox, ScrollToAPositionGoesThroughTheBar)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    const struct {
        int Ask, Expect;
    } cases[] = {{100, 100}, {30, 30}, {1000, 252}, {-5, 0}};
    for (const auto& c : cases) {
        s.Box->VScroll(c.Ask);
        EXPECT_EQ(s.V->GetPosition(), c.Expect) << c.Ask;
        EXPECT_EQ(s.Child->GetTop(), -c.Expect) << c.Ask;
    }
}

TEST(SkinScrollBox, ABarThatGoesAwayIsForgotten)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    delete s.V;
    EXPECT_EQ(s.Box->GetVScrollBar(), nullptr);
    s.Box->UpdateScrollRange();
    EXPECT_EQ(s.Child->GetTop(), 0);
}

TEST(SkinScrollBox, HidingTheBoxHidesItsBars)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->UpdateScrollRange();
    ASSERT_TRUE(s.V->GetVisible());
    s.Box->Hide();
    EXPECT_FALSE(s.V->GetVisible());
    s.Box->Show();
    EXPECT_TRUE(s.V->GetVisible());
}

TEST(SkinScrollBox, AlignedBoxFollowsItsOwnResize)
{
    Scene s;
    s.Add(0, 0, 100, 400);
    s.Box->SetAlign(alLeft);
    s.Form->SetBounds(30, 30, 300, 500);
    PumpUntilIdle();
    // Taller than its content now: the bar is not needed.
    EXPECT_GE(s.Box->GetClientHeight(), 400);
    EXPECT_FALSE(s.V->GetVisible());
    s.Form->SetBounds(30, 30, 300, 200);
    PumpUntilIdle();
    EXPECT_TRUE(s.V->GetVisible());
    EXPECT_EQ(s.V->GetPageSize(), s.Box->GetClientHeight());
}

// ---- looks

const TColor cFrame = 0x0000C0, cTile = 0x00C000, cBgA = 0xC0C000, cBgB = 0xC00000;

// Picture 0: a 40 x 40 element, a 4-pixel frame around a flat tile. Picture 1:
// a 10 x 10 background whose top-left quarter differs from the rest.
std::unique_ptr<TspSkinData> BoxSkin(bool WithBackground)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(40, 40, cFrame);
    Paint(pic.get(), TRect(4, 4, 36, 36), cTile);
    d->ActivePictures.push_back(std::move(pic));
    auto bg = NewPicture(10, 10, cBgB);
    Paint(bg.get(), TRect(0, 0, 5, 5), cBgA);
    d->ActivePictures.push_back(std::move(bg));
    auto r = std::make_unique<TspDataSkinScrollBoxControl>("scrollbox");
    r->PictureIndex = 0;
    r->SkinRect = TRect(0, 0, 40, 40);
    r->LeftTopPoint = TPoint(4, 4);
    r->RightTopPoint = TPoint(36, 4);
    r->LeftBottomPoint = TPoint(4, 36);
    r->RightBottomPoint = TPoint(36, 36);
    r->ClientRect = TRect(4, 4, 36, 36);
    r->BGPictureIndex = WithBackground ? 1 : -1;
    d->CtrlList.push_back(std::move(r));
    d->Empty = false;
    return d;
}

TEST(SkinScrollBox, UnskinnedBorderStyles)
{
    Scene s(false, false);
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF, light = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF,
                 face = GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    const struct {
        TspSkinBorderStyle Style;
        TColor TopLeft, BottomRight;
    } cases[] = {{TspSkinBorderStyle::bvFrame, shadow, shadow},
                 {TspSkinBorderStyle::bvRaised, shadow, light},
                 {TspSkinBorderStyle::bvLowered, light, shadow}};
    const int x0 = 10, y0 = 10;
    for (const auto& c : cases) {
        s.Box->SetBorderStyle(c.Style);
        auto shot = s.Shoot();
        EXPECT_EQ(Probe(shot.get(), x0, y0 + 75), c.TopLeft);
        EXPECT_EQ(Probe(shot.get(), x0 + 75, y0), c.TopLeft);
        EXPECT_EQ(Probe(shot.get(), x0 + 149, y0 + 75), c.BottomRight);
        EXPECT_EQ(Probe(shot.get(), x0 + 75, y0 + 149), c.BottomRight);
        EXPECT_EQ(Probe(shot.get(), x0 + 75, y0 + 75), face);
    }
    s.Box->SetBorderStyle(TspSkinBorderStyle::bvNone);
    auto shot = s.Shoot();
    EXPECT_EQ(Probe(shot.get(), x0, y0 + 75), face);
}

TEST(SkinScrollBox, SkinnedFrameAroundATiledClient)
{
    Scene s(false, false);
    auto skin = BoxSkin(false);
    s.Box->SetSkinData(skin.get());
    ASSERT_TRUE(s.Box->Skinned());
    EXPECT_EQ(s.Box->GetClientWidth(), 150 - 8);
    EXPECT_EQ(s.Box->GetClientHeight(), 150 - 8);
    auto shot = s.Shoot();
    SaveArtefact(shot.get(), "scrollbox-fixture-frame");
    const int x0 = 10, y0 = 10;
    for (TPoint p : {TPoint(1, 75), TPoint(75, 1), TPoint(147, 75), TPoint(75, 148), TPoint(0, 0), TPoint(149, 149)})
        EXPECT_EQ(Probe(shot.get(), x0 + p.x, y0 + p.y), cFrame) << p.x << "," << p.y;
    for (TPoint p : {TPoint(4, 4), TPoint(75, 75), TPoint(145, 145), TPoint(40, 100)})
        EXPECT_EQ(Probe(shot.get(), x0 + p.x, y0 + p.y), cTile) << p.x << "," << p.y;
    // Without a frame the tile fills the whole window.
    s.Box->SetBorderStyle(TspSkinBorderStyle::bvNone);
    EXPECT_EQ(s.Box->GetClientWidth(), 150);
    shot = s.Shoot();
    EXPECT_EQ(Probe(shot.get(), x0 + 1, y0 + 75), cTile);
    EXPECT_EQ(Probe(shot.get(), x0 + 148, y0 + 148), cTile);
    // Back to the plain look: the one-pixel frame is measured again.
    s.Box->SetBorderStyle(TspSkinBorderStyle::bvFrame);
    s.Box->SetSkinData(nullptr);
    EXPECT_FALSE(s.Box->Skinned());
    EXPECT_EQ(s.Box->GetClientWidth(), 148);
    EXPECT_EQ(s.Box->GetClientHeight(), 148);
}

TEST(SkinScrollBox, BackgroundPictureTiledFromTheCornerWithoutFrame)
{
    Scene s(false, false);
    auto skin = BoxSkin(true);
    s.Box->SetSkinData(skin.get());
    ASSERT_TRUE(s.Box->Skinned());
    EXPECT_EQ(s.Box->BGPictureIndex(), 1);
    EXPECT_EQ(s.Box->GetClientWidth(), 150);
    EXPECT_EQ(s.Box->GetClientHeight(), 150);
    auto shot = s.Shoot();
    const int x0 = 10, y0 = 10;
    const struct {
        int X, Y;
        TColor C;
    } probes[] = {{0, 0, cBgA}, {4, 4, cBgA}, {7, 7, cBgB}, {10, 10, cBgA}, {143, 141, cBgA}, {148, 148, cBgB}};
    for (const auto& p : probes) EXPECT_EQ(Probe(shot.get(), x0 + p.X, y0 + p.Y), p.C) << p.X << "," << p.Y;
    s.Box->SetSkinData(nullptr);
}

TEST(SkinScrollBox, BadSkinGeometryNeverBreaksThePaint)
{
    Scene s(false, false);
    auto skin = BoxSkin(false);
    auto* r = static_cast<TspDataSkinScrollBoxControl*>(skin->CtrlList[0].get());
    const struct {
        TRect Client;
        int Bg;
    } cases[] = {{TRect(4, 4, 4, 4), -1}, {TRect(30, 30, 10, 10), -1}, {TRect(-50, -50, 900, 900), -1},
                 {TRect(4, 4, 36, 36), 77}};
    for (const auto& c : cases) {
        r->ClientRect = c.Client;
        r->BGPictureIndex = c.Bg;
        s.Box->SetSkinData(skin.get());
        s.Box->ChangeSkinData();
        EXPECT_GE(s.Box->GetClientWidth(), 0);
        auto shot = s.Shoot();
        (void)shot;
    }
    s.Box->SetSkinData(nullptr);
}

}  // namespace
