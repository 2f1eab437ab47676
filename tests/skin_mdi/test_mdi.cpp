// Multiple-document forms under skinned frames: the tile and cascade layouts
// as tables, then one MDI program on real windows: the frame's arrangements,
// a maximised child's buttons in the main form's menu bar, the window menu and
// the tabs bar under synthetic mouse input.
#include "test_gtest.h"
#include <cstdlib>
#include "MdiScene.h"
#include "SkinControls.h"
#include "SkinMenuBarButton.h"
#include "SkinMenuMode.h"
#include "SkinMenus.h"
#include <memory>

using namespace MdiScene;

void PrintTo(const TRect& R, std::ostream* Os)
{
    *Os << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}

namespace {

struct TileCase {
    int Count, W, H;
    std::vector<TRect> Expected;
};

TEST(MdiLayout, TileTable)
{
    const TileCase cases[] = {
        {1, 600, 400, {TRect(0, 0, 600, 400)}},
        // Two round to one column of two rows.
        {2, 600, 400, {TRect(0, 0, 600, 200), TRect(0, 200, 600, 400)}},
        {4, 600, 400, {TRect(0, 0, 300, 200), TRect(0, 200, 300, 400), TRect(300, 0, 600, 200), TRect(300, 200, 600, 400)}},
        // Five: three rows in the right column, two of half the height in the left one.
        {5, 600, 300,
         {TRect(0, 0, 300, 150), TRect(0, 150, 300, 300), TRect(300, 0, 600, 100), TRect(300, 100, 600, 200),
          TRect(300, 200, 600, 300)}},
    };
    for (const TileCase& c : cases) {
        SCOPED_TRACE(c.Count);
        EXPECT_EQ(Formframe::TileRects(c.Count, c.W, c.H), c.Expected);
    }
    EXPECT_TRUE(Formframe::TileRects(0, 600, 400).empty());
}

TEST(MdiLayout, CascadeTable)
{
    // Three children, 1000 wide, step 20: k = 10, each 960 wide, offsets 40, 20, 0.
    const std::vector<TRect> three = Formframe::CascadeRects(3, 1000, 700, 20, 50, 30);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0], TRect(40, 40, 1000, 700));
    EXPECT_EQ(three[1], TRect(20, 20, 980, 680));
    EXPECT_EQ(three[2], TRect(0, 0, 960, 660));
    // More children than k: every one has the size of k steps, and the offset
    // starts over once a child would leave the area.
    const std::vector<TRect> many = Formframe::CascadeRects(12, 100, 100, 10, 10, 10);
    const int k = (100 - 80) / 10;
    for (const TRect& r : many) {
        EXPECT_EQ(r.Width(), 100 - 10 * k);
        EXPECT_LE(r.right, 100);
        EXPECT_LE(r.bottom, 100);
    }
    // The minimum size wins over the steps.
    EXPECT_EQ(Formframe::CascadeRects(2, 100, 100, 10, 95, 95)[0].Width(), 95);
    // No step, no division: nothing is placed.
    EXPECT_EQ(Formframe::CascadeRects(3, 500, 400, 0, 10, 10), std::vector<TRect>(3));
}

class MdiProgram : public ::testing::Test {
protected:
    Scene& S = TheScene();
    void SetUp() override
    {
        SetCursorPos(5, 5);
        S.Bind(nullptr);
    }
    void TearDown() override { S.Clear(); }
    TspSkinMainMenuBarButton* Button(TStdCommand C)
    {
        for (int i = 0; i < S.MenuBar->SystemButtonCount; ++i)
            if (auto* b = dynamic_cast<TspSkinMainMenuBarButton*>(S.MenuBar->GetObject(i)))
                if (b->Command == C) return b;
        return nullptr;
    }
    TPoint Centre(TspMenuBarObject* O)
    {
        const TRect& r = O->ObjectRect;
        return S.MenuBar->ClientToScreen(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    TPoint TabCentre(int I)
    {
        S.Tabs->CalcObjectRects();
        const TRect& r = S.Tabs->GetTabByIndex(I)->ObjectRect;
        return S.Tabs->ClientToScreen(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
};

TEST_F(MdiProgram, WorkAreaIsTheClientLessTheBars)
{
    TRect area(1, 2, 3, 4);
    S.Frame->GetMDIWorkArea(area);
    const int top = S.Tabs->GetTop() + S.Tabs->GetHeight();
    EXPECT_EQ(area.top, top);
    EXPECT_EQ(area.left, 0);
    RECT cr;
    GetWindowRect(S.Main->GetClientHandle(), &cr);
    MapWindowPoints(nullptr, S.Main->GetHandle(), reinterpret_cast<POINT*>(&cr), 2);
    EXPECT_EQ(cr.top, top);
    EXPECT_EQ(cr.right - cr.left, area.Width());
    EXPECT_EQ(cr.bottom - cr.top, area.Height());
}

TEST_F(MdiProgram, TileAndCascadePlaceTheChildren)
{
    for (int i = 0; i < 5; ++i) S.AddChild("Doc " + std::to_string(i + 1));
    std::vector<TCustomForm*> order;
    for (int i = 0; i < S.Main->GetMDIChildCount(); ++i) order.push_back(S.Main->GetMDIChildren(i));
    ASSERT_EQ(order.size(), 5u);
    const TRect area = S.ClientArea();

    S.Frame->Tile();
    PumpUntilIdle();
    const std::vector<TRect> tiles = Formframe::TileRects(5, area.Width(), area.Height());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Scene::InClient(static_cast<TForm*>(order[i])), tiles[i]) << i;

    S.Frame->Cascade();
    PumpUntilIdle();
    const int step = S.Frame->GetDefCaptionHeight() + 3;
    for (int i = 0; i < 5; ++i) {
        const TRect r = Scene::InClient(static_cast<TForm*>(order[i]));
        EXPECT_EQ(r.left, step * (4 - i)) << i;
        EXPECT_EQ(r.top, step * (4 - i)) << i;
    }
}

TEST_F(MdiProgram, CascadeWithASkinWithoutCaptionHeight)
{
    // A skin whose client area starts at the very top gives no caption height;
    // the cascade steps by the default caption instead of dividing by zero.
    auto skin = std::make_unique<TspSkinData>(nullptr);
    skin->Picture = std::make_unique<TBitmap>(60, 60, pf24bit);
    skin->ClientRect = TRect(0, 0, 60, 60);
    skin->LTPoint = TPoint(10, 0);
    skin->RTPoint = TPoint(50, 0);
    skin->LBPoint = TPoint(10, 60);
    skin->RBPoint = TPoint(50, 60);
    skin->Empty = false;
    S.Frame->SetSkinData(skin.get());
    PumpUntilIdle();
    S.AddChild("One");
    S.AddChild("Two");
    S.Frame->Cascade();
    PumpUntilIdle();
    const int step = S.Frame->GetDefCaptionHeight() + 3;
    // One step between the two, whichever of them the cascade took first (that
    // follows the order of activation, which is the window manager's).
    EXPECT_EQ(std::abs(Scene::InClient(S.Children[1]).left - Scene::InClient(S.Children[0]).left), step);
    S.Frame->SetSkinData(nullptr);
    PumpUntilIdle();
}

TEST_F(MdiProgram, MaximisedChildFillsTheAreaAndShowsItsButtonsInTheBar)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 0);
    Scene::FrameOf(b)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    // The child's client area is the whole MDI client; its frame lies outside.
    RECT cc;
    GetClientRect(b->GetHandle(), &cc);
    POINT o = {0, 0};
    MapWindowPoints(b->GetHandle(), S.Main->GetClientHandle(), &o, 1);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.y, 0);
    EXPECT_EQ(cc.right, S.ClientArea().Width());
    EXPECT_EQ(cc.bottom, S.ClientArea().Height());
    EXPECT_TRUE(S.Frame->IsMDIChildMaximized());
    EXPECT_EQ(S.Frame->GetMaximizeMDIChild(), b);
    EXPECT_EQ(S.Frame->GetCaptionText(), "MDI program - [Beta]");
    ASSERT_EQ(S.MenuBar->SystemButtonCount, 4);
    EXPECT_TRUE(S.MenuBar->ChildMaximized);
    // The list starts system menu, close, restore, minimise; the first sits at
    // the left end, the others at the right end.
    const TStdCommand order[] = {cmSysMenu, cmClose, cmMaximize, cmMinimize};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dynamic_cast<TspSkinMainMenuBarButton*>(S.MenuBar->GetObject(i))->Command, order[i]);
    EXPECT_LT(Button(cmSysMenu)->ObjectRect.right, S.MenuBar->GetItem(0)->ObjectRect.left + 1);
    EXPECT_GT(Button(cmMinimize)->ObjectRect.left, S.MenuBar->GetWidth() / 2);
    EXPECT_LT(Button(cmMinimize)->ObjectRect.right, Button(cmMaximize)->ObjectRect.left + 1);
    EXPECT_LT(Button(cmMaximize)->ObjectRect.right, Button(cmClose)->ObjectRect.left + 1);

    // Maximising a second child adds no second set.
    Scene::FrameOf(a)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 4);
    EXPECT_EQ(S.MenuBar->ObjectCount(), S.MenuBar->ItemCount() + 4);
    Scene::FrameOf(a)->SetWindowState(fwsNormal);
    PumpUntilIdle();
    // Beta is still maximised: the buttons stay.
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 4);
}

TEST_F(MdiProgram, BarButtonsActOnTheMaximisedChild)
{
    TForm* a = S.AddChild("Alpha");
    const TRect normal = Scene::InClient(a);
    TspFormFrame* fa = Scene::FrameOf(a);

    // Minimise from the bar: the child is parked and the buttons go.
    fa->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    ASSERT_NE(Button(cmMinimize), nullptr);
    Click(Centre(Button(cmMinimize)));
    EXPECT_EQ(fa->GetWindowState(), fwsMinimized);
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 0);
    EXPECT_FALSE(S.Frame->IsMDIChildMaximized());
    EXPECT_EQ(S.Frame->GetCaptionText(), "MDI program");
    EXPECT_EQ(Scene::InClient(a).bottom, S.ClientArea().bottom);

    // Restore from the bar: the child is back where it was.
    fa->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    ASSERT_NE(Button(cmMaximize), nullptr);
    Click(Centre(Button(cmMaximize)));
    EXPECT_EQ(fa->GetWindowState(), fwsNormal);
    EXPECT_EQ(Scene::InClient(a), normal);
    EXPECT_EQ(S.MenuBar->SystemButtonCount, 0);

    // Close from the bar: the child is closed (hidden) and leaves no buttons.
    fa->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    ASSERT_NE(Button(cmClose), nullptr);
    Click(Centre(Button(cmClose)));
    EXPECT_FALSE(a->GetVisible());
    EXPECT_EQ(S.Tabs->TabCount(), 0);
}

TEST_F(MdiProgram, SystemMenuButtonOpensTheChildsMenu)
{
    TForm* a = S.AddChild("Alpha");
    Scene::FrameOf(a)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    TspSkinMainMenuBarButton* sys = Button(cmSysMenu);
    ASSERT_NE(sys, nullptr);
    TspSkinMenu* engine = TspSkinMenuMode::ForFrame(S.Frame)->GetSkinMenu();
    Click(Centre(sys));
    EXPECT_TRUE(engine->GetOpen());
    EXPECT_TRUE(sys->Down);
    EXPECT_EQ(engine->GetOpener(), S.MenuBar);
    // The menu closing releases the button.
    engine->Hide();
    PumpUntilIdle();
    EXPECT_FALSE(sys->Down);
    EXPECT_EQ(Scene::FrameOf(a)->GetWindowState(), fwsMaximized);
}

TEST_F(MdiProgram, MinimiseButtonFollowsTheChildsIcons)
{
    TForm* a = S.AddChild("No minimise", biSystemMenu | biMaximize);
    Scene::FrameOf(a)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    ASSERT_NE(Button(cmMinimize), nullptr);
    EXPECT_FALSE(Button(cmMinimize)->Enabled);
    EXPECT_TRUE(Button(cmClose)->Enabled);
    // A press on the disabled button leaves the child as it was.
    Click(Centre(Button(cmMinimize)));
    EXPECT_EQ(Scene::FrameOf(a)->GetWindowState(), fwsMaximized);
}

TEST_F(MdiProgram, TabsFollowTheChildren)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    TForm* c = S.AddChild("Gamma");
    ASSERT_EQ(S.Tabs->TabCount(), 3);
    EXPECT_EQ(S.Tabs->GetTabByIndex(0)->ChildForm, a);
    EXPECT_EQ(S.Tabs->GetTabByIndex(1)->ChildForm, b);
    EXPECT_EQ(S.Tabs->GetTabByIndex(2)->ChildForm, c);
    // The child shown last is active, and its tab says so.
    EXPECT_TRUE(S.Tabs->GetTabByIndex(2)->Active);
    EXPECT_FALSE(S.Tabs->GetTabByIndex(0)->Active);

    // A click on a tab activates its child.
    Click(TabCentre(0));
    EXPECT_EQ(S.Main->GetActiveMDIChild(), a);
    EXPECT_TRUE(S.Tabs->GetTabByIndex(0)->Active);
    EXPECT_FALSE(S.Tabs->GetTabByIndex(2)->Active);

    // A minimised child comes back through its tab.
    Scene::FrameOf(b)->SetWindowState(fwsMinimized);
    PumpUntilIdle();
    Click(TabCentre(1));
    EXPECT_EQ(Scene::FrameOf(b)->GetWindowState(), fwsNormal);
    EXPECT_EQ(S.Main->GetActiveMDIChild(), b);

    // Closing and freeing children takes their tabs away.
    c->Close();
    PumpUntilIdle();
    EXPECT_EQ(S.Tabs->TabCount(), 2);
    S.Remove(a);
    ASSERT_EQ(S.Tabs->TabCount(), 1);
    EXPECT_EQ(S.Tabs->GetTabByIndex(0)->ChildForm, b);
}

TEST_F(MdiProgram, OnlyTheActiveChildIsDrawnActive)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    EXPECT_TRUE(Scene::FrameOf(b)->GetFormActive());
    EXPECT_FALSE(Scene::FrameOf(a)->GetFormActive());
    a->Show();
    PumpUntilIdle();
    EXPECT_TRUE(Scene::FrameOf(a)->GetFormActive());
    EXPECT_FALSE(Scene::FrameOf(b)->GetFormActive());
}

// A "tab" record whose picture holds the three tab looks (40 x 20 each, 5-pixel
// ends of their own colour) and a 10 x 10 background tile.
struct TabSkin {
    static constexpr TColor cBack = 0x303030, cTab = 0x0000C0, cActive = 0x00C000, cHover = 0xC00000, cEnd = 0x00C0C0;
    std::unique_ptr<TspSkinData> Data{new TspSkinData(nullptr)};
    TspDataSkinTabControl* Rec = nullptr;
    TabSkin()
    {
        auto pic = std::make_unique<TBitmap>(120, 30, pf24bit);
        auto fill = [&](const TRect& R, TColor C) {
            pic->GetCanvas()->GetBrush()->SetColor(C);
            pic->GetCanvas()->FillRect(R);
        };
        const TColor looks[] = {cTab, cActive, cHover};
        for (int i = 0; i < 3; ++i) {
            fill(TRect(i * 40, 0, i * 40 + 40, 20), looks[i]);
            fill(TRect(i * 40, 0, i * 40 + 5, 20), cEnd);
            fill(TRect(i * 40 + 35, 0, i * 40 + 40, 20), cEnd);
        }
        fill(TRect(0, 20, 10, 30), cBack);
        Data->ActivePictures.push_back(std::move(pic));
        auto r = std::make_unique<TspDataSkinTabControl>("tab");
        r->PictureIndex = 0;
        r->TabLooks[tabNormal] = TRect(0, 0, 40, 20);
        r->TabLooks[tabActive] = TRect(40, 0, 80, 20);
        r->TabLooks[tabMouseIn] = TRect(80, 0, 120, 20);
        r->TabsBGRect = TRect(0, 20, 10, 30);
        r->TabLeftOffset = r->TabRightOffset = 5;
        Rec = r.get();
        Data->CtrlList.push_back(std::move(r));
        Data->Empty = false;
    }
};

TColor Pixel(TBitmap* B, int X, int Y) { return B->GetCanvas()->GetPixel(X, Y) & 0xFFFFFF; }

std::unique_ptr<TBitmap> Snap(TWinControl* C)
{
    auto b = std::make_unique<TBitmap>(C->GetWidth(), C->GetHeight(), pf24bit);
    C->PaintTo(b->GetCanvas()->GetHandle(), 0, 0);
    return b;
}

TEST_F(MdiProgram, SkinnedTabsFromTheRecord)
{
    TabSkin skin;
    S.AddChild("Alpha");
    S.AddChild("Beta");
    S.Tabs->SetSkinData(skin.Data.get());
    PumpUntilIdle();
    ASSERT_TRUE(S.Tabs->Skinned());
    EXPECT_EQ(S.Tabs->GetHeight(), 20);
    auto b = Snap(S.Tabs);
    // First tab (not active): normal look with its ends; second (active): the
    // active look; past the tabs the background tile.
    EXPECT_EQ(Pixel(b.get(), 2, 2), TabSkin::cEnd);
    EXPECT_EQ(Pixel(b.get(), 8, 2), TabSkin::cTab);
    EXPECT_EQ(Pixel(b.get(), 97, 2), TabSkin::cEnd);
    EXPECT_EQ(Pixel(b.get(), 108, 2), TabSkin::cActive);
    EXPECT_EQ(Pixel(b.get(), S.Tabs->GetWidth() - 3, 10), TabSkin::cBack);
    // The pointer over the first tab: the hover look.
    SetCursorPos(5, 5);
    PumpUntilIdle();
    Click(TabCentre(1));
    const TPoint over = S.Tabs->ClientToScreen(TPoint(20, 10));
    SetCursorPos(over.x, over.y);
    PumpUntilIdle();
    S.Tabs->TestActive(20, 10);
    EXPECT_TRUE(S.Tabs->GetTabByIndex(0)->Hovered);
    S.Tabs->Invalidate();
    b = Snap(S.Tabs);
    EXPECT_EQ(Pixel(b.get(), 8, 2), TabSkin::cHover);

    // A record without a background tile paints the plain face, and a record
    // whose tab image lies outside its picture leaves the bar plain.
    skin.Rec->TabsBGRect = TRect();
    S.Tabs->ChangeSkinData();
    b = Snap(S.Tabs);
    EXPECT_EQ(Pixel(b.get(), S.Tabs->GetWidth() - 3, 10), static_cast<TColor>(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF));
    skin.Rec->TabLooks[tabNormal] = TRect(500, 500, 540, 520);
    S.Tabs->ChangeSkinData();
    EXPECT_FALSE(S.Tabs->Skinned());
    b = Snap(S.Tabs);
    S.Tabs->SetSkinData(nullptr);
    PumpUntilIdle();
    EXPECT_EQ(S.Tabs->GetHeight(), 21);
}

TEST_F(MdiProgram, ClickedChildBecomesActive)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    S.Frame->Tile();
    PumpUntilIdle();
    ASSERT_EQ(S.Main->GetActiveMDIChild(), b);
    // In the client area, then on the caption.
    Click(a->ClientToScreen(TPoint(30, 30)));
    EXPECT_EQ(S.Main->GetActiveMDIChild(), a);
    EXPECT_TRUE(Scene::FrameOf(a)->GetFormActive());
    RECT wr;
    GetWindowRect(b->GetHandle(), &wr);
    Click(TPoint(wr.left + 60, wr.top + 8));
    EXPECT_EQ(S.Main->GetActiveMDIChild(), b);
    EXPECT_TRUE(S.Tabs->GetTabByIndex(1)->Active);
}

TEST_F(MdiProgram, TabWidths)
{
    struct Case {
        int Children, BarWidth;
        std::vector<int> Rights;
    };
    const Case cases[] = {{4, 300, {75, 150, 225, 300}}, {4, 500, {100, 200, 300, 400}}, {3, 250, {83, 166, 250}}};
    S.Tabs->SetAlign(alNone);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.BarWidth);
        for (int i = 0; i < c.Children; ++i) S.AddChild("T" + std::to_string(i));
        S.Tabs->SetWidth(c.BarWidth);
        S.Tabs->CalcObjectRects();
        for (int i = 0; i < c.Children; ++i) EXPECT_EQ(S.Tabs->GetTabByIndex(i)->ObjectRect.right, c.Rights[i]);
        S.Clear();
    }
    S.Tabs->SetAlign(alTop);
    PumpUntilIdle();
}

TEST_F(MdiProgram, DraggingATabReordersThem)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    TForm* c = S.AddChild("Gamma");
    const TPoint from = TabCentre(0);
    S.Tabs->CalcObjectRects();
    const TRect last = S.Tabs->GetTabByIndex(2)->ObjectRect;
    const TPoint to = S.Tabs->ClientToScreen(TPoint(last.right - 2, (last.top + last.bottom) / 2));
    SetCursorPos(from.x, from.y);
    PumpUntilIdle();
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    PumpUntilIdle();
    for (int x = from.x; x <= to.x; x += 20) {
        SetCursorPos(x, from.y);
        PumpUntilIdle();
    }
    SetCursorPos(to.x, to.y);
    PumpUntilIdle();
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    PumpUntilIdle();
    EXPECT_EQ(S.Tabs->GetTabByIndex(0)->ChildForm, b);
    EXPECT_EQ(S.Tabs->GetTabByIndex(1)->ChildForm, c);
    EXPECT_EQ(S.Tabs->GetTabByIndex(2)->ChildForm, a);
}

TEST_F(MdiProgram, FixedTabsStillActivateAndReportTheRelease)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    std::vector<std::string> log;
    S.Tabs->MoveTabs = false;
    S.Tabs->OnTabMouseUp = [&](TMouseButton, TShiftState, TspMDITab* T) { log.push_back("up:" + T->ChildForm->GetText()); };
    S.Tabs->OnTabMouseDown = [&](TMouseButton, TShiftState, TspMDITab* T) { log.push_back("down:" + T->ChildForm->GetText()); };
    // A press on the first tab dragged past the second: no reordering.
    const TPoint from = TabCentre(0), to = TabCentre(1);
    SetCursorPos(from.x, from.y);
    PumpUntilIdle();
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    PumpUntilIdle();
    for (int x = from.x; x <= to.x + 40; x += 20) {
        SetCursorPos(x, from.y);
        PumpUntilIdle();
    }
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    PumpUntilIdle();
    EXPECT_EQ(S.Tabs->GetTabByIndex(0)->ChildForm, a);
    EXPECT_EQ(S.Tabs->GetTabByIndex(1)->ChildForm, b);
    EXPECT_EQ(S.Main->GetActiveMDIChild(), a);
    // Released over the second tab: the release names that one.
    EXPECT_EQ(log, (std::vector<std::string>{"down:Alpha", "up:Beta"}));
    S.Tabs->MoveTabs = true;
    S.Tabs->OnTabMouseUp = nullptr;
    S.Tabs->OnTabMouseDown = nullptr;
}

TEST_F(MdiProgram, MaximisedChildFollowsTheMainFormsSize)
{
    TForm* a = S.AddChild("Alpha");
    Scene::FrameOf(a)->SetWindowState(fwsMaximized);
    PumpUntilIdle();
    const TRect before = S.Main->GetBoundsRect();
    S.Main->SetBounds(before.left, before.top, before.Width() - 80, before.Height() - 50);
    PumpUntilIdle();
    RECT cc;
    GetClientRect(a->GetHandle(), &cc);
    EXPECT_EQ(cc.right, S.ClientArea().Width());
    EXPECT_EQ(cc.bottom, S.ClientArea().Height());
    EXPECT_LT(S.ClientArea().Width(), before.Width() - 60);
    S.Main->SetBounds(before.left, before.top, before.Width(), before.Height());
    PumpUntilIdle();
    GetClientRect(a->GetHandle(), &cc);
    EXPECT_EQ(cc.right, S.ClientArea().Width());
}

TEST_F(MdiProgram, ActiveChildsMenuJoinsTheBar)
{
    TForm* plain = S.AddChild("Plain");
    TForm* doc = S.AddChild("Document");
    auto* menu = new TMainMenu(doc);
    auto* item = new TMenuItem(menu);
    item->SetName("DocItem");
    item->SetCaption("&Document");
    menu->GetItems()->Add(item);
    plain->Show();
    PumpUntilIdle();
    doc->Show();
    PumpUntilIdle();
    const int own = S.Menu->GetItems()->GetCount();
    ASSERT_EQ(S.MenuBar->ItemCount(), own + 1);
    EXPECT_EQ(S.MenuBar->GetItem(own)->IDName, "DocItem");
    EXPECT_TRUE(S.MenuBar->ChildMenuMerged);
    plain->Show();
    PumpUntilIdle();
    EXPECT_EQ(S.MenuBar->ItemCount(), own);
    EXPECT_FALSE(S.MenuBar->ChildMenuMerged);
    // The child's menu goes with the child.
    doc->Show();
    PumpUntilIdle();
    S.Remove(doc);
    EXPECT_EQ(S.MenuBar->ItemCount(), own);
}

TEST_F(MdiProgram, WindowMenuListsTheShownChildren)
{
    TForm* a = S.AddChild("Alpha");
    TForm* b = S.AddChild("Beta");
    auto childItems = [&] {
        std::vector<std::string> v;
        for (int i = 0; i < S.WindowMenu->GetCount(); ++i)
            if (S.WindowMenu->GetItem(i)->GetName().find("_DSFCHILDITEM") != std::string::npos)
                v.push_back(S.WindowMenu->GetItem(i)->GetCaption() + (S.WindowMenu->GetItem(i)->GetChecked() ? "*" : ""));
        return v;
    };
    EXPECT_EQ(childItems(), (std::vector<std::string>{"Alpha", "Beta*"}));
    b->SetText("Beta 2");
    PumpUntilIdle();
    EXPECT_EQ(childItems(), (std::vector<std::string>{"Alpha", "Beta 2*"}));
    // The item shows its child.
    S.WindowMenu->GetItem(0)->Click();
    PumpUntilIdle();
    EXPECT_EQ(S.Main->GetActiveMDIChild(), a);
    EXPECT_EQ(childItems(), (std::vector<std::string>{"Alpha*", "Beta 2"}));
    // The last child going leaves no item behind.
    S.Remove(b);
    S.Remove(a);
    EXPECT_TRUE(childItems().empty());
}

}  // namespace
