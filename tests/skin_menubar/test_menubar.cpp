// The skinned menu bar: item layout and the scroll marker, the mouse (commands,
// drop-downs, moving along an open bar), the keyboard menu mode through its
// operations and through real keys, a skin drawn from a fixture picture, and
// guarded skin records and menus that change under the bar.
#include "test_gtest.h"
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "FrameMainMenu.h"
#include "Menus.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinMenuBar.h"
#include "SkinMenuBarObjects.h"
#include "SkinMenuMode.h"
#include "SkinPopupWindow.h"
#include "WaitUntil.h"
#include "SkinTestKit.h"
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using SkinKit::Probe;
using SkinKit::SystemColour;

typedef std::vector<std::string> TLog;

const TColor cBar = RGB(10, 60, 10), cItem = RGB(200, 40, 40), cItemHot = RGB(40, 40, 200),
             cItemDown = RGB(40, 200, 40), cItemEdge = RGB(250, 250, 0);

TspSkinMenu* EngineOf(TspFormFrame* F) { return TspSkinMenuMode::ForFrame(F)->GetSkinMenu(); }

// A framed form with a bar on top: "&File" (two sub-items), "&Edit" (one),
// "&Run" (a command), "&Help" (one).
struct Scene {
    TLog Log;
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TMainMenu* Menu;
    TspSkinMainMenuBar* Bar;
    explicit Scene(int Width = 300)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, Width, 150);
        Frame = new TspFormFrame(Form.get());
        Menu = new TMainMenu(Form.get());
        Add(Menu->GetItems(), "FileItem", "&File", {"&Open", "&Close"});
        Add(Menu->GetItems(), "EditItem", "&Edit", {"&Copy"});
        Add(Menu->GetItems(), "RunItem", "&Run", {});
        Add(Menu->GetItems(), "HelpItem", "&Help", {"&About"});
        Bar = new TspSkinMainMenuBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetFormFrame(Frame);
        Bar->OnMainMenuItemClick = [this](const std::string& Id) { Log.push_back("item:" + Id); };
        Bar->OnItemMouseEnter = [this](TMenuItem* M) { Log.push_back("enter:" + M->GetName()); };
        Bar->SetMainMenu(Menu);
        Form->Show();
        Form->Update();
        PumpUntilIdle();
    }
    ~Scene() { EngineOf(Frame)->Hide(); }
    TMenuItem* Add(TMenuItem* Parent, const std::string& Name, const std::string& Caption,
                   std::vector<std::string> Subs)
    {
        auto* item = new TMenuItem(Menu);
        item->SetName(Name);
        item->SetCaption(Caption);
        item->OnClick = [this, Name](TObject*) { Log.push_back("click:" + Name); };
        Parent->Add(item);
        for (auto& s : Subs) {
            auto* sub = new TMenuItem(Menu);
            sub->SetCaption(s);
            sub->OnClick = [this, s](TObject*) { Log.push_back("click:" + s); };
            item->Add(sub);
        }
        return item;
    }
    TspSkinMainMenuBarItem* Item(int I) { return Bar->GetItem(I); }
    TPoint Centre(int I)
    {
        const TRect& r = Item(I)->ObjectRect;
        return Bar->ClientToScreen(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    bool Open() { return EngineOf(Frame)->GetOpen(); }
    int Highlighted()
    {
        for (int i = 0; i < Bar->ItemCount(); ++i)
            if (Item(i)->Active || Item(i)->Down) return i;
        return -1;
    }
};

void Click(TPoint P)
{
    SetCursorPos(P.x, P.y);
    PumpUntilIdle();
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntilIdle();
}

void Key(WORD VK)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntilIdle();
}

std::unique_ptr<TBitmap> Compose(TspSkinMainMenuBar* Bar)
{
    auto b = std::make_unique<TBitmap>(Bar->GetWidth(), Bar->GetHeight(), pf24bit);
    Bar->PaintMenuBar(b->GetCanvas());
    return b;
}

// A skin whose picture 0 holds the bar (100 x 24, items area 4..96 x 2..22) and
// picture 1 the item looks (40 x 20 each: normal, hot, pressed; 3-pixel edges).
struct SkinFixture {
    std::unique_ptr<TspSkinData> Data{new TspSkinData(nullptr)};
    TspDataSkinMainMenuBarItem* ItemRec = nullptr;
    SkinFixture()
    {
        auto bar = std::make_unique<TBitmap>(100, 24, pf24bit);
        bar->GetCanvas()->GetBrush()->SetColor(cBar);
        bar->GetCanvas()->FillRect(TRect(0, 0, 100, 24));
        Data->ActivePictures.push_back(std::move(bar));
        auto items = std::make_unique<TBitmap>(40, 60, pf24bit);
        const TColor looks[] = {cItem, cItemHot, cItemDown};
        for (int i = 0; i < 3; ++i) {
            TCanvas* c = items->GetCanvas();
            c->GetBrush()->SetColor(looks[i]);
            c->FillRect(TRect(0, i * 20, 40, i * 20 + 20));
            c->GetBrush()->SetColor(cItemEdge);
            c->FillRect(TRect(0, i * 20, 3, i * 20 + 20));
            c->FillRect(TRect(37, i * 20, 40, i * 20 + 20));
        }
        Data->ActivePictures.push_back(std::move(items));
        auto rec = std::make_unique<TspDataSkinMainMenuBar>("mainmenubar");
        rec->PictureIndex = 0;
        rec->SkinRect = TRect(0, 0, 100, 24);
        rec->ItemsRect = TRect(4, 2, 96, 22);
        rec->MenuBarItem = "barItem";
        rec->TrackMarkColor = RGB(255, 255, 255);
        rec->TrackMarkActiveColor = RGB(255, 0, 255);
        Data->CtrlList.push_back(std::move(rec));
        auto item = std::make_unique<TspDataSkinMainMenuBarItem>("barItem");
        item->ActivePictureIndex = 1;
        item->SkinRect = TRect(0, 0, 40, 20);
        item->ActiveSkinRect = TRect(0, 20, 40, 40);
        item->DownRect = TRect(0, 40, 40, 60);
        item->TextRect = TRect(5, 0, 35, 20);
        item->ItemLeftOffset = 3;
        item->ItemRightOffset = 3;
        item->Font.Color = RGB(255, 255, 255);
        ItemRec = item.get();
        Data->ObjectList.push_back(std::move(item));
        Data->Empty = false;
    }
};

TEST(SkinMenuBar, UnskinnedItemsFollowEachOtherAndFitTheirCaptions)
{
    Scene s;
    ASSERT_EQ(s.Bar->ItemCount(), 4);
    EXPECT_EQ(s.Bar->GetHeight(), 22);
    EXPECT_EQ(s.Item(0)->ObjectRect.left, 2);
    TBitmap probe(1, 1, pf24bit);
    probe.GetCanvas()->GetFont()->Assign(s.Bar->GetDefItemFont());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        TRect r(0, 0, 0, 0);
        probe.GetCanvas()->DrawText(s.Item(i)->LinkedMenuItem->GetCaption(), r, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_EQ(s.Item(i)->ObjectRect.Width(), r.Width() + 12);
        if (i > 0) {
            EXPECT_EQ(s.Item(i)->ObjectRect.left, s.Item(i - 1)->ObjectRect.right);
        }
        EXPECT_TRUE(s.Item(i)->InMenuRect);
    }
    EXPECT_FALSE(s.Bar->GetHasHiddenItems());
}

TEST(SkinMenuBar, ItemsThatDoNotFitHideBehindTheMarkerAndComeBackWithTheirState)
{
    Scene s;
    s.Menu->GetItems()->GetItem(3)->SetEnabled(false);
    s.Bar->CreateMenu();
    s.Bar->SetAlign(alNone);
    const int cut = s.Item(1)->ObjectRect.right + 2 + 5;   // File and Edit fit, with the marker
    s.Bar->SetBounds(0, 0, cut + 1, s.Bar->GetHeight());
    s.Bar->LayoutItems();
    EXPECT_TRUE(s.Bar->GetHasHiddenItems());
    EXPECT_TRUE(s.Item(1)->InMenuRect);
    EXPECT_FALSE(s.Item(2)->InMenuRect);
    EXPECT_FALSE(s.Item(2)->Enabled);
    // Hidden items are not reachable by the pointer.
    const TRect r2 = s.Item(2)->ObjectRect;
    s.Bar->TestActive(r2.left + 1, r2.top + 1);
    EXPECT_FALSE(s.Item(2)->Active);
    s.Bar->TestActive(-1, -1);   // the pointer leaves (and the marker is not hot)
    EXPECT_FALSE(s.Bar->GetMarkerHot());
    // The marker sits at the right end of the items area and is drawn.
    const TRect m = s.Bar->GetMarkerRect();
    EXPECT_EQ(m.right, s.Bar->GetItemsArea().right);
    EXPECT_EQ(m.Width(), 5);
    auto shot = Compose(s.Bar);
    bool marked = false;
    for (int x = m.left; x < m.right; ++x)
        for (int y = m.top; y < m.bottom; ++y) marked = marked || Probe(shot.get(), x, y) == SystemColour(clBtnShadow);
    EXPECT_TRUE(marked);
    // Wider again: the items come back, the disabled one still disabled.
    s.Bar->SetBounds(0, 0, 400, s.Bar->GetHeight());
    s.Bar->LayoutItems();
    EXPECT_FALSE(s.Bar->GetHasHiddenItems());
    EXPECT_TRUE(s.Item(2)->Enabled);
    EXPECT_FALSE(s.Item(3)->Enabled);
}

TEST(SkinMenuBar, WithoutScrollMenuHiddenItemsShowNoMarker)
{
    Scene s;
    s.Bar->SetScrollMenu(false);
    s.Bar->SetAlign(alNone);
    s.Bar->SetBounds(0, 0, s.Item(1)->ObjectRect.right + 3, s.Bar->GetHeight());
    s.Bar->LayoutItems();
    EXPECT_TRUE(s.Bar->GetHasHiddenItems());
    EXPECT_TRUE(s.Item(1)->InMenuRect);   // no room kept for a marker
    const TRect m = s.Bar->GetMarkerRect();
    s.Bar->TestActive(m.left + 2, m.top + 2);
    EXPECT_FALSE(s.Bar->GetMarkerHot());
}

TEST(SkinMenuBar, MarkerDropsDownExactlyTheHiddenItems)
{
    Scene s;
    s.Menu->GetItems()->GetItem(0)->SetVisible(false);   // an invisible item before them
    s.Bar->CreateMenu();
    s.Bar->SetAlign(alNone);
    s.Bar->SetBounds(0, 0, s.Item(0)->ObjectRect.right + 2 + 5 + 1, s.Bar->GetHeight());
    s.Bar->LayoutItems();
    ASSERT_TRUE(s.Bar->GetHasHiddenItems());
    s.Bar->TrackScrollMenu();
    ASSERT_TRUE(s.Open());
    TspSkinPopupWindow* l = EngineOf(s.Frame)->GetLevel(0);
    ASSERT_NE(l, nullptr);
    std::vector<std::string> shown;
    for (int i = 0; i < l->GetItemCount(); ++i) shown.push_back(l->GetItem(i)->MenuItem->GetName());
    EXPECT_EQ(shown, (std::vector<std::string>{"RunItem", "HelpItem"}));
}

TEST(SkinMenuBar, ClickOnACommandItemReportsItThenRunsItAndLeavesNothingPressed)
{
    Scene s;
    Click(s.Centre(2));
    EXPECT_TRUE(PumpUntil([&] { return std::count(s.Log.begin(), s.Log.end(), "click:RunItem") == 1; }, 1000));
    std::vector<std::string> order;
    for (auto& e : s.Log)
        if (e.rfind("item:", 0) == 0 || e.rfind("click:", 0) == 0) order.push_back(e);
    EXPECT_EQ(order, (std::vector<std::string>{"item:RunItem", "click:RunItem"}));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(s.Item(i)->Down);
    EXPECT_FALSE(s.Bar->GetMenuActive());
    EXPECT_FALSE(s.Open());
}

TEST(SkinMenuBar, ClickOpensTheDropDownAndMovingAlongOpensTheNextOne)
{
    Scene s;
    Click(s.Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
    EXPECT_TRUE(s.Item(0)->Down);
    EXPECT_TRUE(s.Bar->GetMenuActive());
    EXPECT_EQ(EngineOf(s.Frame)->GetLevel(0)->GetItemCount(), 2);
    s.Log.clear();
    const TPoint p = s.Centre(1);
    SetCursorPos(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] { return s.Item(1)->Down; }, 1000));
    EXPECT_FALSE(s.Item(0)->Down);
    EXPECT_TRUE(s.Open());
    EXPECT_EQ(EngineOf(s.Frame)->GetLevel(0)->GetItemCount(), 1);
    for (auto& e : s.Log) EXPECT_NE(e.rfind("enter:", 0), 0u) << e;
    // A second press on the open item closes it and ends the mode.
    Click(s.Centre(1));
    EXPECT_TRUE(PumpUntil([&] { return !s.Open() && !s.Item(1)->Down; }, 1000));
    EXPECT_FALSE(s.Bar->GetMenuActive());
    // Closed from elsewhere: the item goes up once the menu is gone.
    Click(s.Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
    EngineOf(s.Frame)->Hide();
    EXPECT_TRUE(PumpUntil([&] { return !s.Item(0)->Down; }, 1000));
    EXPECT_FALSE(s.Bar->GetMenuActive());
}

TEST(SkinMenuBar, ArrowOperationsWalkAndWrapTheShownEnabledItems)
{
    Scene s;
    s.Menu->GetItems()->GetItem(1)->SetEnabled(false);
    s.Bar->CreateMenu();
    s.Bar->MenuEnter();
    EXPECT_EQ(s.Highlighted(), 0);
    struct Step {
        bool Next;
        int Expect;
    } steps[] = {{true, 2}, {true, 3}, {true, 0}, {false, 3}, {false, 2}, {false, 0}};
    for (auto& st : steps) {
        if (st.Next)
            s.Bar->NextMainMenuItem();
        else
            s.Bar->PriorMainMenuItem();
        EXPECT_EQ(s.Highlighted(), st.Expect);
    }
    s.Bar->MenuExit();
    EXPECT_EQ(s.Highlighted(), -1);
    EXPECT_FALSE(s.Bar->GetMenuActive());
}

TEST(SkinMenuBar, ReturnAndAccessKeysOpenOrRun)
{
    Scene s;
    s.Bar->MenuEnter();
    s.Bar->NextMainMenuItem();
    s.Bar->NextMainMenuItem();   // Run
    EXPECT_TRUE(s.Bar->CheckReturnKey());
    EXPECT_EQ(s.Log.back(), "click:RunItem");
    EXPECT_FALSE(s.Open());
    s.Bar->MenuEnter();
    EXPECT_TRUE(s.Bar->CheckReturnKey());   // File: its drop-down
    EXPECT_TRUE(s.Open());
    EXPECT_TRUE(s.Item(0)->Down);
    // With a drop-down open, another access key opens that item's.
    EXPECT_TRUE(s.Bar->FindHotKeyItem('H'));
    EXPECT_TRUE(s.Item(3)->Down);
    EXPECT_FALSE(s.Item(0)->Down);
    EXPECT_TRUE(s.Open());
    EXPECT_FALSE(s.Bar->FindHotKeyItem('Z'));
    s.Bar->MenuExit();
    EXPECT_FALSE(s.Open());
}

TEST(SkinMenuBar, RealKeysAltArrowsEnterAndEscape)
{
    Scene s;
    SetForegroundWindow(s.Form->GetHandle());
    PumpUntilIdle();
    Key(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return s.Bar->GetMenuActive(); }, 1000));
    EXPECT_EQ(s.Highlighted(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(s.Highlighted(), 1);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(s.Highlighted(), 3);
    Key(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
    EXPECT_TRUE(s.Item(3)->Down);
    // Right on a first level whose item has no submenu moves the drop-down along.
    Key(VK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return s.Item(0)->Down; }, 1000));
    Key(VK_ESCAPE);   // closes the drop-down; the item stays highlighted
    EXPECT_TRUE(PumpUntil([&] { return !s.Open(); }, 1000));
    PumpUntil([&] { return !s.Item(0)->Down; }, 1000);
    EXPECT_TRUE(s.Bar->GetMenuActive());
    EXPECT_EQ(s.Highlighted(), 0);
    EXPECT_FALSE(s.Item(0)->Down);
    Key(VK_ESCAPE);   // leaves the mode
    EXPECT_TRUE(PumpUntil([&] { return !s.Bar->GetMenuActive(); }, 1000));
    // No key is swallowed once the mode is over: the form sees the next one.
    s.Form->KeyPreview = true;
    int seen = 0;
    s.Form->OnKeyDown = [&](TObject*, WORD& K, TShiftState) {
        if (K == 'Q') ++seen;
    };
    Key('Q');
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(s.Bar->GetMenuActive());
}

TEST(SkinMenuBar, SkinnedBarAndItemsComeFromTheirPictures)
{
    SkinFixture f;
    Scene s;
    s.Bar->SetSkinData(f.Data.get());
    s.Bar->ChangeSkinData();
    ASSERT_TRUE(s.Bar->HasSkin());
    EXPECT_EQ(s.Bar->GetHeight(), 24);
    EXPECT_EQ(s.Bar->GetItemsArea().left, 4);
    EXPECT_EQ(s.Bar->GetItemsArea().right, s.Bar->GetWidth() - 4);
    ASSERT_EQ(s.Bar->ItemCount(), 4);
    TspSkinMainMenuBarItem* it = s.Item(0);
    ASSERT_TRUE(it->HasSkin);
    EXPECT_EQ(it->ObjectRect.left, 4);
    EXPECT_EQ(it->ObjectRect.top, 2);
    EXPECT_EQ(it->ObjectRect.Height(), 20);
    auto shot = Compose(s.Bar);
    const TRect r = it->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), 1, 1), cBar);
    EXPECT_EQ(Probe(shot.get(), r.left + 1, r.top + 10), cItemEdge);
    EXPECT_EQ(Probe(shot.get(), r.right - 1, r.top + 10), cItemEdge);
    EXPECT_EQ(Probe(shot.get(), r.left + 4, r.top + 1), cItem);
    it->Active = true;
    shot = Compose(s.Bar);
    EXPECT_EQ(Probe(shot.get(), r.left + 4, r.top + 1), cItemHot);
    it->Down = true;
    shot = Compose(s.Bar);
    EXPECT_EQ(Probe(shot.get(), r.left + 4, r.top + 1), cItemDown);
    it->Down = it->Active = false;
    s.Bar->SetSkinData(nullptr);
}

// An item record with "morphing" fades on the bar's timer: entering goes to
// the active look in steps, leaving goes back; in between both looks mix.
TEST(SkinMenuBar, MorphingItemsFadeBetweenTheirLooks)
{
    SkinFixture f;
    f.ItemRec->Morphing = true;
    Scene s;
    s.Bar->SetSkinData(f.Data.get());
    s.Bar->ChangeSkinData();
    TspSkinMainMenuBarItem* it = s.Item(0);
    ASSERT_TRUE(it->morphing);
    const TRect r = it->ObjectRect;
    it->MouseEnter();
    EXPECT_TRUE(s.Bar->MorphRunning());
    EXPECT_LT(it->MorphKf, 1.0);
    ASSERT_TRUE(PumpUntil([&] { return !s.Bar->MorphRunning(); }, 3000));
    EXPECT_EQ(it->MorphKf, 1.0);
    EXPECT_EQ(Probe(Compose(s.Bar).get(), r.left + 4, r.top + 1), cItemHot);
    it->MouseLeave();
    EXPECT_TRUE(s.Bar->MorphRunning());
    EXPECT_GT(it->MorphKf, 0.0);
    // Half way the picture is neither look.
    const double was = it->MorphKf;
    it->MorphKf = 0.5;
    const TColor mid = Probe(Compose(s.Bar).get(), r.left + 4, r.top + 1);
    EXPECT_NE(mid, cItem);
    EXPECT_NE(mid, cItemHot);
    it->MorphKf = was;
    ASSERT_TRUE(PumpUntil([&] { return !s.Bar->MorphRunning(); }, 3000));
    EXPECT_EQ(it->MorphKf, 0.0);
    EXPECT_EQ(Probe(Compose(s.Bar).get(), r.left + 4, r.top + 1), cItem);
    s.Bar->SetSkinData(nullptr);
}

TEST(SkinMenuBar, UnusableItemRecordsGiveThePlainLookNeverZeroWidth)
{
    struct Case {
        const char* Name;
        void (*Spoil)(SkinFixture&);
    } cases[] = {
        {"no picture", [](SkinFixture& f) { f.ItemRec->ActivePictureIndex = 7; }},
        {"empty image", [](SkinFixture& f) { f.ItemRec->SkinRect = TRect(); }},
        {"image off the picture", [](SkinFixture& f) { f.ItemRec->SkinRect = TRect(500, 500, 540, 520); }},
        {"empty text area", [](SkinFixture& f) { f.ItemRec->TextRect = TRect(); }},
        {"offsets past the image", [](SkinFixture& f) { f.ItemRec->ItemLeftOffset = f.ItemRec->ItemRightOffset = 90; }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SkinFixture f;
        c.Spoil(f);
        Scene s;
        s.Bar->SetSkinData(f.Data.get());
        s.Bar->ChangeSkinData();
        for (int i = 0; i < s.Bar->ItemCount(); ++i) EXPECT_GT(s.Item(i)->ObjectRect.Width(), 12);
        auto shot = Compose(s.Bar);   // draws without fault
        EXPECT_EQ(shot->GetWidth(), s.Bar->GetWidth());
        s.Bar->SetSkinData(nullptr);
    }
}

TEST(SkinMenuBar, MenuItemsFreedUnderTheBarAreDroppedAndTheBarRebuilt)
{
    Scene s;
    delete s.Menu->GetItems()->GetItem(1);
    EXPECT_EQ(s.Item(1)->LinkedMenuItem, nullptr);
    s.Bar->Repaint();
    PumpUntilIdle();
    auto shot = Compose(s.Bar);
    ASSERT_EQ(s.Bar->ItemCount(), 3);
    EXPECT_EQ(s.Item(1)->LinkedMenuItem->GetName(), "RunItem");
    // The whole menu gone: the bar empties.
    delete s.Menu;
    EXPECT_EQ(s.Bar->GetMainMenu(), nullptr);
    EXPECT_EQ(s.Bar->ItemCount(), 0);
}

}  // namespace

namespace {

TEST(SkinMainMenu, ForgetsItsSkinWhenTheSkinGoes)
{
    auto* skin = new TspSkinData(nullptr);
    TspSkinMainMenu menu(nullptr);
    menu.SetSkinData(skin);
    EXPECT_EQ(menu.GetSkinData(), skin);
    delete skin;
    EXPECT_EQ(menu.GetSkinData(), nullptr);
}

}  // namespace
