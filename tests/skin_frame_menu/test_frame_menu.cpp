// The main menu drawn in the skinned frame: items laid out one after another
// in the skin's main-menu area and drawn from its item images (pixel probes of
// the real window), items pushed out of the area, and the mouse and the keys
// walking the items, opening their drop-downs and running commands.
#include "test_gtest.h"
#include "MenuFrameFixture.h"
#include "FrameMainMenu.h"
#include "SkinMenuBar.h"
#include "SkinMenuBarObjects.h"

using namespace MenuFixture;

namespace {

int TextWidth(const std::string& Caption)
{
    TBitmap probe(1, 1, pf24bit);
    TCanvas* c = probe.GetCanvas();
    c->GetFont()->SetName("Arial");
    c->GetFont()->SetHeight(14);
    c->GetFont()->SetStyle(0);
    TRect r(0, 0, 0, 0);
    c->DrawText(Caption, r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    return r.Width();
}

// Pixels of R on B that have colour C.
int CountColour(TBitmap* B, const TRect& R, TColor C)
{
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (Probe(B, x, y) == C) ++n;
    return n;
}

TEST(FrameMainMenu, ItemsFollowEachOtherInTheMenuAreaAndFitTheirCaptions)
{
    Scene s;
    ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
    // The drawn caption leaves out the ampersand: "&File" is as wide as "File".
    const char* shown[] = {"File", "Edit", "Run", "Help"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TRect r = s.Item(i)->ObjectRect;
        EXPECT_EQ(r.left, i == 0 ? MenuArea.left : s.Item(i - 1)->ObjectRect.right);
        EXPECT_EQ(r.top, MenuArea.top);
        EXPECT_EQ(r.Height(), 20);
        EXPECT_EQ(r.Width(), 40 - 34 + TextWidth(shown[i]) + 2);
        EXPECT_TRUE(s.Item(i)->InMenuRect);
        EXPECT_EQ(s.Item(i)->IDName, s.Menu->GetItems()->GetItem(i)->GetName());
    }
    auto shot = s.Shot();
    SaveArtefact(shot.get(), "frame-menu-fixture");
    const TRect r0 = s.Item(0)->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), r0.left + 1, r0.top + 10), cItemEdge);
    EXPECT_EQ(Probe(shot.get(), r0.right - 2, r0.top + 10), cItemEdge);
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItem);
    EXPECT_GT(CountColour(shot.get(), r0, cText), 10);   // the caption
    // The area goes on past the last item, and the frame's band stretches with the window.
    EXPECT_EQ(Probe(shot.get(), shot->GetWidth() - 10, MenuArea.top + 5), cMenuBand);
    EXPECT_EQ(s.Frame->FrameMainMenuRect.right, shot->GetWidth() - 4);
    // The hot look under the pointer.
    s.Item(1)->MouseEnter();
    shot = s.Shot();
    const TRect r1 = s.Item(1)->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), r1.left + 4, r1.top + 1), cItemHot);
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItem);
    s.Item(1)->MouseLeave();
}

TEST(FrameMainMenu, AMenuAreaBelowTheClientIsDrawnInTheBottomBand)
{
    auto skin = NewSkin(true);
    Scene s(300, skin.get());
    ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
    auto shot = s.Shot();
    SaveArtefact(shot.get(), "frame-menu-bottom");
    // The area keeps its distance from the window's bottom edge.
    const int top = shot->GetHeight() - (100 - BottomMenuArea.top);
    EXPECT_EQ(s.Frame->FrameMainMenuRect.top, top);
    const TRect r0 = s.Item(0)->ObjectRect;
    EXPECT_EQ(r0.top, top);
    EXPECT_EQ(Probe(shot.get(), r0.left + 1, r0.top + 10), cItemEdge);
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItem);
    EXPECT_EQ(Probe(shot.get(), shot->GetWidth() - 10, top + 5), cMenuBand);
    s.Item(0)->MouseEnter();   // drawn on its own, at its place in the window
    shot = s.Shot();
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItemHot);
    s.Item(0)->MouseLeave();
}

TEST(FrameMainMenu, CaptionColourFollowsTheMenuItemsEnabledState)
{
    Scene s;
    s.Menu->GetItems()->GetItem(1)->SetEnabled(false);
    s.Frame->UpdateMainMenu(true);
    ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
    EXPECT_FALSE(s.Item(1)->Enabled);
    auto shot = s.Shot();
    struct Case {
        int Item;
        TColor Present, Absent;
    } cases[] = {{0, cText, cDisabledText}, {1, cDisabledText, cText}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.Item);
        const TRect r = s.Item(c.Item)->ObjectRect;
        EXPECT_GT(CountColour(shot.get(), r, c.Present), 10);
        EXPECT_EQ(CountColour(shot.get(), r, c.Absent), 0);
    }
    // A disabled item never takes the pointer.
    const TRect r = s.Item(1)->ObjectRect;
    s.Frame->TestActive(r.left + 5, r.top + 5, true);
    EXPECT_FALSE(s.Item(1)->Active);
}

TEST(FrameMainMenu, ItemsPushedOutOfTheAreaHideAndComeBackWithTheirState)
{
    Scene s(520);
    // Captions long enough that two items fill a window of more than its least width.
    for (int i = 0; i < 4; ++i) {
        TMenuItem* mi = s.Menu->GetItems()->GetItem(i);
        mi->SetCaption(mi->GetCaption() + " menu items");
    }
    s.Menu->GetItems()->GetItem(3)->SetEnabled(false);
    s.Frame->UpdateMainMenu(true);
    // Room for File and Edit only: the area's right edge follows the window.
    const int width = 520 - (s.Frame->FrameMainMenuRect.right - s.Item(1)->ObjectRect.right) + 3;
    s.Form->SetWidth(width);
    PumpUntilIdle();
    auto shot = s.Shot();
    SaveArtefact(shot.get(), "frame-menu-narrow");
    EXPECT_TRUE(s.Item(1)->InMenuRect);
    for (int i : {2, 3}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(s.Item(i)->InMenuRect);
        EXPECT_FALSE(s.Item(i)->Enabled);
    }
    // Not drawn (the band shows through) and not reachable by the pointer.
    const TRect r2 = s.Item(2)->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), s.Item(1)->ObjectRect.right + 1, r2.top + 1), cMenuBand);
    s.Frame->TestActive(r2.left + 2, r2.top + 2, true);
    EXPECT_FALSE(s.Item(2)->Active);
    // Wider again: back, the disabled one still disabled.
    s.Form->SetWidth(520);
    PumpUntilIdle();
    s.Shot();
    EXPECT_TRUE(s.Item(2)->InMenuRect);
    EXPECT_TRUE(s.Item(2)->Enabled);
    EXPECT_TRUE(s.Item(3)->InMenuRect);
    EXPECT_FALSE(s.Item(3)->Enabled);
}

TEST(FrameMainMenu, MouseOpensMovesAlongClosesAndRunsCommands)
{
    Scene s;
    Click(s.Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
    EXPECT_EQ(s.Pressed(), 0);
    EXPECT_TRUE(s.Frame->GetMainMenuActive());
    EXPECT_EQ(s.Entries(), 2);
    auto shot = s.Shot();
    const TRect r0 = s.Item(0)->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItemDown);
    // The drop-down opens below the item.
    RECT lr = {}, wr = {};
    GetWindowRect(s.Engine()->GetLevel(0)->GetHandle(), &lr);
    GetWindowRect(s.Wnd(), &wr);
    EXPECT_GE(lr.top, wr.top + r0.bottom - 1);
    EXPECT_NEAR(lr.left, wr.left + r0.left, 4);
    // Along the items with the drop-down open: the next item's opens.
    const TPoint p1 = s.Centre(1);
    SetCursorPos(p1.x, p1.y);
    ASSERT_TRUE(PumpUntil([&] { return s.Pressed() == 1; }, 1000));
    EXPECT_TRUE(s.Open());
    EXPECT_EQ(s.Entries(), 1);
    // A second press on the open item closes it and ends the mode.
    Click(s.Centre(1));
    EXPECT_TRUE(PumpUntil([&] { return !s.Open() && s.Pressed() == -1; }, 1000));
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    // A command item runs at once and leaves nothing pressed.
    Click(s.Centre(2));
    EXPECT_TRUE(PumpUntil([&] { return s.Logged("click:RunItem"); }, 1000));
    EXPECT_EQ(s.Pressed(), -1);
    EXPECT_FALSE(s.Open());
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    // An entry of a drop-down runs its command; the item goes up, the keys are free.
    Click(s.Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return s.Open(); }, 1000));
    TspSkinPopupWindow* l = s.Engine()->GetLevel(0);
    RECT er = {};
    GetWindowRect(l->GetHandle(), &er);
    const TRect e0 = l->GetItem(0)->ObjectRect;
    Click(TPoint(er.left + (e0.left + e0.right) / 2, er.top + (e0.top + e0.bottom) / 2));
    EXPECT_TRUE(PumpUntil([&] { return s.Logged("click:&Open"); }, 1000));
    EXPECT_TRUE(PumpUntil([&] { return s.Pressed() == -1 && !s.Open(); }, 1000));
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(FrameMainMenu, AltArrowsDownEnterAndEscapeWalkTheItems)
{
    Scene s;
    Keys({VK_MENU});
    ASSERT_TRUE(s.Frame->GetMainMenuActive());
    EXPECT_TRUE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(s.Highlighted(), 0);
    EXPECT_FALSE(s.Open());
    struct Step {
        WORD Key;
        int Highlight, Pressed;
        bool Open;
    } steps[] = {
        {VK_RIGHT, 1, -1, false}, {VK_RIGHT, 2, -1, false}, {VK_RIGHT, 3, -1, false},
        {VK_RIGHT, 0, -1, false},   // wraps to the first
        {VK_LEFT, 3, -1, false},    // and back to the last
        {VK_LEFT, 2, -1, false},  {VK_LEFT, 1, -1, false},
        {VK_DOWN, 1, 1, true},      // opens Edit's drop-down
        {VK_RIGHT, 2, -1, false},   // onto Run (no drop-down): the highlight moves, the menu closes
        {VK_RIGHT, 3, -1, false},   {VK_RETURN, 3, 3, true},   // Help opens
        {VK_RIGHT, 0, 0, true},     // the open drop-down moves along, wrapping to File
        {VK_ESCAPE, 0, -1, false},  // closes the drop-down; File stays highlighted
    };
    for (auto& st : steps) {
        SCOPED_TRACE(st.Key);
        Keys({st.Key});
        EXPECT_EQ(s.Highlighted(), st.Highlight);
        EXPECT_EQ(s.Pressed(), st.Pressed);
        EXPECT_EQ(s.Open(), st.Open);
        EXPECT_TRUE(s.Frame->GetMainMenuActive());
    }
    auto shot = s.Shot();
    const TRect r0 = s.Item(0)->ObjectRect;
    EXPECT_EQ(Probe(shot.get(), r0.left + 4, r0.top + 1), cItemHot);
    Keys({VK_ESCAPE});   // leaves the mode
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    EXPECT_EQ(s.Highlighted(), -1);
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(std::count(s.Log.begin(), s.Log.end(), "mode:on"), 1);
    EXPECT_EQ(std::count(s.Log.begin(), s.Log.end(), "mode:off"), 1);
    // No key is swallowed once the mode is over: the form sees the next one.
    s.Form->KeyPreview = true;
    int seen = 0;
    s.Form->OnKeyDown = [&](TObject*, WORD& K, TShiftState) {
        if (K == 'Q') ++seen;
    };
    Keys({'Q'});
    EXPECT_EQ(seen, 1);
}

TEST(FrameMainMenu, KeysOpenItemsAndRunCommands)
{
    struct Case {
        const char* Name;
        std::vector<WORD> Keys;
        bool WithAlt;
        std::vector<WORD> Then;   // pressed after, without Alt
        const char* Ran;          // the command run, or "" for none
        int Pressed;              // the item left open, or -1
    } cases[] = {
        {"Enter on a command item", {VK_MENU}, false, {VK_RIGHT, VK_RIGHT, VK_RETURN}, "click:RunItem", -1},
        {"Alt with a command item's key", {'R'}, true, {}, "click:RunItem", -1},
        {"F10 then a command item's key", {VK_F10}, false, {'R'}, "click:RunItem", -1},
        {"Alt with an item's key opens it", {'E'}, true, {}, "", 1},
        {"an entry chosen by its own key", {'E'}, true, {'C'}, "click:&Copy", -1},
        // A drop-down opened by a key shows its first entry selected.
        {"an entry chosen by the arrows", {'F'}, true, {VK_DOWN, VK_RETURN}, "click:&Close", -1},
        {"another item's key with a drop-down open", {'F'}, true, {'H'}, "", 3},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Scene s;
        Keys(c.Keys, c.WithAlt);
        if (!c.Then.empty()) Keys(c.Then);
        PumpUntilIdle();
        std::vector<std::string> ran;
        for (auto& e : s.Log)
            if (e.rfind("click:", 0) == 0) ran.push_back(e);
        if (*c.Ran)
            EXPECT_EQ(ran, std::vector<std::string>{c.Ran});
        else
            EXPECT_TRUE(ran.empty());
        EXPECT_EQ(s.Pressed(), c.Pressed);
        EXPECT_EQ(s.Open(), c.Pressed >= 0);
        EXPECT_EQ(s.Frame->GetMainMenuActive(), c.Pressed >= 0);
        EXPECT_EQ(TspSkinMenuMode::AppHooked(), c.Pressed >= 0);
    }
}

TEST(FrameMainMenu, DropDownsTakeTheMenusOwnSkinAndOpenUpwardsWhenItSaysSo)
{
    struct Case {
        const char* Name;
        bool OwnSkin;   // the menu is a skinned main menu with a skin of its own
        bool FrameUp, OwnUp;
        bool ExpectUp;
    } cases[] = {
        {"the frame's skin, downwards", false, false, false, false},
        {"the frame's skin, upwards", false, true, false, true},
        {"the menu's own skin decides", true, true, false, false},
        {"the menu's own skin, upwards", true, false, true, true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto frameSkin = NewSkin();
        frameSkin->MainMenuPopupUp = c.FrameUp;
        auto ownSkin = NewSkin();
        ownSkin->MainMenuPopupUp = c.OwnUp;
        Scene s(300, frameSkin.get());
        if (c.OwnSkin) {
            auto* menu = new TspSkinMainMenu(s.Form.get());
            menu->SetSkinData(ownSkin.get());
            s.Menu = menu;
            s.Add("HelpItem", "&Help", {"&About"});
            s.Frame->SetMainMenu(menu);
        }
        ASSERT_GE(s.Frame->MainMenuItemCount(), 1);
        const int last = s.Frame->MainMenuItemCount() - 1;   // Help: one entry
        s.Item(last)->MouseDown(0, 0, mbLeft);
        ASSERT_TRUE(s.Open());
        EXPECT_EQ(s.Engine()->GetSkinData(), c.OwnSkin ? ownSkin.get() : frameSkin.get());
        RECT lr = {}, wr = {};
        GetWindowRect(s.Engine()->GetLevel(0)->GetHandle(), &lr);
        GetWindowRect(s.Wnd(), &wr);
        const TRect r = s.Item(last)->ObjectRect;
        if (c.ExpectUp)
            EXPECT_LE(lr.bottom, wr.top + r.top + 1);
        else
            EXPECT_GE(lr.top, wr.top + r.bottom - 1);
        s.Engine()->Hide();
        if (c.OwnSkin) static_cast<TspSkinMainMenu*>(s.Menu)->SetSkinData(nullptr);
    }
}

TEST(FrameMainMenu, WithAMenuBarTheSameKeysWalkTheBar)
{
    Scene s;
    auto* bar = new TspSkinMainMenuBar(s.Form.get());
    bar->SetParent(s.Form.get());
    bar->SetFormFrame(s.Frame);
    bar->SetMainMenu(s.Menu);
    s.Frame->SetMainMenuBar(bar);
    PumpUntilIdle();
    EXPECT_EQ(s.Frame->MainMenuItemCount(), 0);   // the bar shows the menu instead
    ASSERT_EQ(bar->ItemCount(), 4);
    auto highlighted = [&] {
        for (int i = 0; i < bar->ItemCount(); ++i)
            if (bar->GetItem(i)->Active || bar->GetItem(i)->Down) return i;
        return -1;
    };
    Keys({VK_MENU});
    ASSERT_TRUE(bar->GetMenuActive());
    EXPECT_EQ(highlighted(), 0);
    Keys({VK_LEFT});   // wraps to the last
    EXPECT_EQ(highlighted(), 3);
    Keys({VK_RIGHT, VK_RIGHT});
    EXPECT_EQ(highlighted(), 1);
    Keys({VK_DOWN});
    EXPECT_TRUE(PumpUntil([&] { return s.Open() && bar->GetItem(1)->Down; }, 1000));
    Keys({VK_ESCAPE});
    EXPECT_TRUE(PumpUntil([&] { return !s.Open(); }, 1000));
    EXPECT_TRUE(bar->GetMenuActive());
    Keys({VK_ESCAPE});
    EXPECT_FALSE(bar->GetMenuActive());
    Keys({'R'}, true);   // Alt with a command item's key runs it
    EXPECT_TRUE(PumpUntil([&] { return s.Logged("click:RunItem"); }, 1000));
    EXPECT_FALSE(bar->GetMenuActive());
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    s.Form->KeyPreview = true;
    int seen = 0;
    s.Form->OnKeyDown = [&](TObject*, WORD& K, TShiftState) {
        if (K == 'Q') ++seen;
    };
    Keys({'Q'});
    EXPECT_EQ(seen, 1);
}

TEST(FrameMainMenu, ASkinChangeWhileTheKeyboardModeIsOnEndsIt)
{
    Scene s;
    Keys({VK_MENU});
    ASSERT_TRUE(s.Frame->GetMainMenuActive());
    auto other = NewSkin();
    s.Frame->SetSkinData(other.get());
    EXPECT_FALSE(s.Frame->GetMainMenuActive());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(s.Frame->MainMenuItemCount(), 4);
    EXPECT_EQ(s.Highlighted(), -1);
    s.Frame->SetSkinData(s.Skin.get());
}

TEST(FrameMainMenu, APressElsewhereEndsTheKeyboardModeAndFreesTheKeys)
{
    Scene s;
    Keys({VK_MENU});
    ASSERT_TRUE(s.Frame->GetMainMenuActive());
    RECT w;
    GetWindowRect(s.Wnd(), &w);
    Click(TPoint(w.left + 150, w.top + 120));   // the client area
    EXPECT_TRUE(PumpUntil([&] { return !s.Frame->GetMainMenuActive(); }, 1000));
    EXPECT_EQ(s.Highlighted(), -1);
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(FrameMainMenu, NoItemsWithAMenuBarOrWithoutAUsableRecord)
{
    struct Case {
        const char* Name;
        void (*Spoil)(TspSkinData*);
    } cases[] = {
        {"no picture", [](TspSkinData* d) { static_cast<TspDataSkinMainMenuItem*>(d->ObjectList[0].get())->ActivePictureIndex = 5; }},
        {"image off the picture", [](TspSkinData* d) { d->ObjectList[0]->SkinRect = TRect(500, 500, 540, 520); }},
        {"empty text area", [](TspSkinData* d) { static_cast<TspDataSkinMainMenuItem*>(d->ObjectList[0].get())->TextRect = TRect(); }},
        {"another name", [](TspSkinData* d) { d->ObjectList[0]->IDName = "mainmenuitem2"; }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto skin = NewSkin();
        c.Spoil(skin.get());
        Scene s(300, skin.get());
        EXPECT_EQ(s.Frame->MainMenuItemCount(), 0);
        Keys({VK_MENU});   // nothing to walk: no mode, no key held back
        EXPECT_FALSE(s.Frame->GetMainMenuActive());
        EXPECT_FALSE(TspSkinMenuMode::AppHooked());
        // Neither does the system track its own menu from the keyboard: Alt,
        // then Alt with a key no item has, and the next key reaches the form.
        Keys({'Z'}, true);
        s.Form->KeyPreview = true;
        int seen = 0;
        s.Form->OnKeyDown = [&](TObject*, WORD& K, TShiftState) {
            if (K == 'Q') ++seen;
        };
        Keys({'Q'});
        EXPECT_EQ(seen, 1);
        s.Form->OnKeyDown = nullptr;
        s.Shot();
    }
    // Offsets past the image are bounded; the items still draw.
    auto skin = NewSkin();
    auto* rec = static_cast<TspDataSkinMainMenuItem*>(skin->ObjectList[0].get());
    rec->ItemLeftOffset = rec->ItemRightOffset = 90;
    {
        Scene s(300, skin.get());
        ASSERT_EQ(s.Frame->MainMenuItemCount(), 4);
        EXPECT_GT(s.Item(0)->ObjectRect.Width(), 6);
        s.Shot();
    }
    // A menu item freed under the frame: its item lets go and stays out of reach.
    {
        Scene s;
        delete s.Menu->GetItems()->GetItem(1);
        EXPECT_EQ(s.Item(1)->LinkedMenuItem, nullptr);
        EXPECT_FALSE(s.Item(1)->Enabled);
        s.Shot();
        s.Frame->UpdateMainMenu(true);
        EXPECT_EQ(s.Frame->MainMenuItemCount(), 3);
    }
    // A menu bar shows the menu instead of the frame.
    {
        Scene s;
        auto* bar = new TspSkinMainMenuBar(s.Form.get());
        s.Frame->SetMainMenuBar(bar);
        EXPECT_EQ(s.Frame->MainMenuItemCount(), 0);
        s.Frame->SetMainMenuBar(nullptr);
        EXPECT_EQ(s.Frame->MainMenuItemCount(), 4);
    }
}

}  // namespace
