#include "test_gtest.h"
#include "ArrowInput.h"
#include "ControlFixture.h"
#include "Form.h"
#include "GraphicControl.h"
#include "SkinPanel.h"
#include "SkinScrollPanel.h"
#include "WaitUntil.h"

using namespace CtlFixture;
using namespace ArrowInput;

namespace {

const TColor cFrame = 0x0000C0, cMiddle = 0x00C000, cBack = 0xC000C0;

// A "panel" element: a frame around a middle of another colour; a second picture
// for the background.
std::unique_ptr<TspSkinData> NewPanelSkin(int BGPictureIndex)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(40, 40, cFrame);
    Paint(pic.get(), TRect(5, 5, 35, 35), cMiddle);
    d->ActivePictures.push_back(std::move(pic));
    d->ActivePictures.push_back(NewPicture(7, 7, cBack));
    d->Empty = false;
    auto p = std::make_unique<TspDataSkinPanelControl>("panel");
    p->PictureIndex = 0;
    p->SkinRect = TRect(0, 0, 40, 40);
    p->ClientRect = TRect(5, 5, 35, 35);
    p->LeftTopPoint = TPoint(5, 5);
    p->RightTopPoint = TPoint(35, 5);
    p->LeftBottomPoint = TPoint(5, 35);
    p->RightBottomPoint = TPoint(35, 35);
    p->BGPictureIndex = BGPictureIndex;
    d->CtrlList.push_back(std::move(p));
    return d;
}

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinScrollPanel* Panel;
    std::vector<TControl*> Children;
    explicit Scene(TspScrollType Type, int W, int H)
    {
        SetCursorPos(600, 500);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(10, 10, 400, 300);
        Panel = new TspSkinScrollPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(0, 0, W, H);
        Panel->SetScrollType(Type);
    }
    // A windowed child and a window-less one alternate.
    TControl* Add(int L, int T, int W, int H)
    {
        TControl* c;
        if (Children.size() % 2) c = new TspSkinPanel(Form.get());
        else c = new TPlainChild(Form.get());
        c->SetParent(Panel);
        c->SetBounds(L, T, W, H);
        Children.push_back(c);
        return c;
    }
    void Show()
    {
        Form->Show();
        PumpUntilIdle();
        Panel->GetScrollInfo();
    }
    class TPlainChild : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;
    };
};

// Children taller than a vertical panel: arrows at the top and the bottom; a
// click on the bottom one moves them up by one client height.
TEST(ScrollPanel, VerticalPanelScrollsByOneClientHeight)
{
    Scene s(stVertical, 100, 100);
    for (int i = 0; i < 5; ++i) s.Add(0, i * 40, 80, 40);
    s.Show();
    ASSERT_TRUE(s.Panel->ArrowsVisible());
    EXPECT_EQ(s.Panel->GetClientHeight(), 76);
    EXPECT_EQ(s.Panel->GetClientWidth(), 100);
    struct Hit {
        int Y, Code;
    } hits[] = {{0, 119}, {11, 119}, {12, HTCLIENT}, {87, HTCLIENT}, {88, 120}, {99, 120}};
    for (const auto& h : hits) EXPECT_EQ(HitAt(s.Panel, 50, h.Y), h.Code) << h.Y;
    // The content is 200 high: the end is at 200 - 76 = 124.
    struct Step {
        int Arrow, Position;
    } steps[] = {{1, 76}, {1, 124}, {1, 124}, {0, 48}, {0, 0}};
    for (const auto& st : steps) {
        Click(s.Panel, 50, st.Arrow == 0 ? 5 : 95);
        EXPECT_EQ(s.Panel->ScrollPosition(), st.Position);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Children[i]->GetTop(), i * 40 - st.Position) << i;
        for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Children[i]->GetLeft(), 0) << i;
    }
}

TEST(ScrollPanel, HorizontalPanelHoldsAndRepeats)
{
    Scene s(stHorizontal, 150, 30);
    for (int i = 0; i < 4; ++i) s.Add(i * 60, 0, 60, 30);
    s.Show();
    ASSERT_TRUE(s.Panel->ArrowsVisible());
    EXPECT_EQ(s.Panel->GetClientWidth(), 126);
    s.Panel->SetScrollOffset(5);
    s.Panel->SetScrollTimerInterval(10);
    Down(s.Panel, 145, 15);
    EXPECT_TRUE(PumpUntil([&] { return s.Panel->ScrollPosition() == 240 - 126; }, 5000));
    Up(s.Panel, 145, 15);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Children[i]->GetLeft(), i * 60 - 114) << i;
    EXPECT_EQ(s.Panel->Scroller().TimerAction, 0);
}

TEST(ScrollPanel, ChangingTheDirectionMovesTheArrows)
{
    Scene s(stHorizontal, 150, 60);
    for (int i = 0; i < 4; ++i) s.Add(i * 60, i * 20, 60, 40);
    s.Show();
    ASSERT_TRUE(s.Panel->ArrowsVisible());
    s.Panel->SetScrollType(stVertical);
    EXPECT_EQ(s.Panel->ScrollPosition(), 0);
    // The side arrows are gone; the new window found the children too tall and
    // put its arrows at the top and the bottom.
    EXPECT_EQ(HitAt(s.Panel, 2, 30), HTCLIENT);
    EXPECT_EQ(HitAt(s.Panel, 147, 30), HTCLIENT);
    EXPECT_TRUE(s.Panel->ArrowsVisible());
    EXPECT_EQ(s.Panel->GetClientHeight(), 36);
    EXPECT_EQ(s.Panel->GetClientWidth(), 150);
    EXPECT_EQ(HitAt(s.Panel, 75, 2), 119);
    EXPECT_EQ(HitAt(s.Panel, 75, 58), 120);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Children[i]->GetLeft(), i * 60) << i;
    // Children that fit either way: no arrows at all.
    for (auto* c : s.Children) c->SetBounds(c->GetLeft() / 4, c->GetTop() / 4, 30, 20);
    s.Panel->GetScrollInfo();
    EXPECT_FALSE(s.Panel->ArrowsVisible());
    EXPECT_EQ(s.Panel->GetClientHeight(), 60);
}

TEST(ScrollPanel, WideningScrollsBack)
{
    Scene s(stHorizontal, 150, 30);
    for (int i = 0; i < 4; ++i) s.Add(i * 60, 0, 60, 30);
    s.Show();
    Click(s.Panel, 145, 15);
    ASSERT_EQ(s.Panel->ScrollPosition(), 114);
    s.Panel->SetBounds(0, 0, 180, 30);
    EXPECT_EQ(s.Panel->ScrollPosition(), 84);
    EXPECT_EQ(s.Children[0]->GetLeft(), -84);
    s.Panel->SetBounds(0, 0, 300, 30);
    EXPECT_FALSE(s.Panel->ArrowsVisible());
    EXPECT_EQ(s.Panel->ScrollPosition(), 0);
    EXPECT_EQ(s.Children[0]->GetLeft(), 0);
}

TEST(ScrollPanel, AutoSizeTakesTheSizeOfTheLargestChild)
{
    struct Case {
        TspScrollType Type;
        int Width, Height;
    } cases[] = {{stHorizontal, 150, 45}, {stVertical, 70, 100}};
    for (const auto& c : cases) {
        Scene s(c.Type, 150, 100);
        s.Add(0, 0, 50, 30);
        s.Add(10, 5, 60, 40);
        s.Panel->SetAutoSize(true);
        EXPECT_EQ(s.Panel->GetWidth(), c.Width) << c.Type;
        EXPECT_EQ(s.Panel->GetHeight(), c.Height) << c.Type;
    }
}

// The background: the "panel" element's middle tiled, or its background picture,
// or the face colour without the element.
TEST(ScrollPanel, BackgroundFromThePanelElement)
{
    struct Case {
        const char* What;
        bool Skinned;
        int BGPictureIndex;
        TColor Expect;
    } cases[] = {
        {"unskinned", false, -1, SystemColour(clBtnFace)},
        {"middle tiled", true, -1, cMiddle},
        {"background picture", true, 1, cBack},
        {"background index past the pictures", true, 5, cMiddle},
    };
    for (const auto& c : cases) {
        auto skin = NewPanelSkin(c.BGPictureIndex);
        Scene s(stHorizontal, 150, 60);
        s.Panel->SetSkinData(c.Skinned ? skin.get() : nullptr);
        s.Show();
        EXPECT_EQ(s.Panel->PanelSkin() != nullptr, c.Skinned) << c.What;
        auto shot = Snapshot(s.Panel);
        for (TPoint at : {TPoint(0, 0), TPoint(149, 59), TPoint(77, 31)})
            EXPECT_EQ(Probe(shot.get(), at.x, at.y), c.Expect) << c.What << " at " << at.x << "," << at.y;
    }
}

// Damaged elements paint without a fault.
TEST(ScrollPanel, DegeneratePanelElementsPaint)
{
    struct Case {
        const char* What;
        void (*Spoil)(TspDataSkinPanelControl*);
    } cases[] = {
        {"no picture", [](TspDataSkinPanelControl* R) { R->PictureIndex = -1; }},
        {"picture past the list", [](TspDataSkinPanelControl* R) { R->PictureIndex = 9; }},
        {"empty middle", [](TspDataSkinPanelControl* R) { R->ClientRect = TRect(5, 5, 5, 5); }},
        {"middle outside the picture", [](TspDataSkinPanelControl* R) { R->SkinRect = TRect(500, 500, 540, 540); }},
    };
    for (const auto& c : cases) {
        auto skin = NewPanelSkin(-1);
        c.Spoil(static_cast<TspDataSkinPanelControl*>(skin->CtrlList[0].get()));
        Scene s(stHorizontal, 150, 60);
        s.Panel->SetSkinData(skin.get());
        s.Show();
        auto shot = Snapshot(s.Panel);
        EXPECT_EQ(Probe(shot.get(), 70, 30), SystemColour(clBtnFace)) << c.What;
    }
}

}  // namespace
