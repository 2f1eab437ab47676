// The frame's system menu (its items for each window state and set of
// commands, the merge into an application's menu, the right click on the
// caption), its tray menu and what the tray commands do, and the shortcut
// handler the class library calls once per key.
#include "test_gtest.h"
#include "FrameFixture.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "SkinPopupWindow.h"
#include "TrayIcon.h"
#include <memory>
#include <string>
#include <vector>

using namespace FrameFixture;

namespace {

std::vector<std::string> Captions(TMenuItem* Root)
{
    std::vector<std::string> r;
    for (int i = 0; i < Root->GetCount(); ++i) r.push_back(Root->GetItem(i)->GetCaption());
    return r;
}

typedef std::vector<std::string> TList;

TEST(SystemMenu, ItemsFollowTheCommandsAndTheWindowState)
{
    struct Case {
        const char* Name;
        TspBorderIcons Icons;
        int State;
        bool RollUp;
        TList Want;
    } cases[] = {
        {"main window", biSystemMenu | biMinimizeToTray, fwsNormal, false, {"Minimize to &Tray", "-", "&Close"}},
        {"normal", biSystemMenu | biMinimize | biMaximize | biRollUp, fwsNormal, false,
         {"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}},
        {"maximised", biSystemMenu | biMinimize | biMaximize | biRollUp, fwsMaximized, false,
         {"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}},
        {"rolled up", biSystemMenu | biMinimize | biMaximize | biRollUp, fwsNormal, true,
         {"Mi&nimize", "Ma&ximize", "&Restore", "-", "&Close"}},
        {"minimised", biSystemMenu | biMinimize | biMaximize | biRollUp, fwsMinimized, false,
         {"Ma&ximize", "&Restore", "-", "&Close"}},
        {"no optional command", biSystemMenu, fwsNormal, false, {"&Close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        FramedForm f(nullptr, 100, 100, 240, 160);
        f.Frame->SetBorderIcons(c.Icons);
        if (c.State != fwsNormal) f.Frame->SetWindowState(c.State);
        if (c.RollUp) f.Frame->SetRollUpState(true);
        TPopupMenu* m = f.Frame->GetSystemMenu();
        ASSERT_NE(nullptr, m);
        EXPECT_EQ(c.Want, Captions(m->GetItems()));
        // Rebuilt, not appended to, at every opening.
        EXPECT_EQ(c.Want, Captions(f.Frame->GetSystemMenu()->GetItems()));
        TMenuItem* close = m->GetItems()->GetItem(m->GetItems()->GetCount() - 1);
        EXPECT_EQ("DSF_CLOSE", close->GetName());
        EXPECT_EQ("Alt+F4", ShortCutToText(close->GetShortCut()));
    }
}

TEST(SystemMenu, ItsCommandsChangeTheWindow)
{
    FramedForm f(nullptr, 100, 100, 240, 160);
    auto click = [&](const std::string& Name) {
        TMenuItem* root = f.Frame->GetSystemMenu()->GetItems();
        for (int i = 0; i < root->GetCount(); ++i)
            if (root->GetItem(i)->GetName() == Name) {
                root->GetItem(i)->Click();
                PumpUntilIdle();
                return true;
            }
        return false;
    };
    ASSERT_TRUE(click("DSF_ROLLUP"));
    EXPECT_TRUE(f.Frame->GetRolledUp());
    EXPECT_EQ(25, f.Form->GetHeight());
    // Restore on a rolled-up normal frame rolls it down.
    ASSERT_TRUE(click("DSF_RESTORE"));
    EXPECT_FALSE(f.Frame->GetRolledUp());
    EXPECT_EQ(160, f.Form->GetHeight());
    ASSERT_TRUE(click("DSF_MAXITEM"));
    EXPECT_EQ(fwsMaximized, f.Frame->GetWindowState());
    ASSERT_TRUE(click("DSF_RESTORE"));
    EXPECT_EQ(fwsNormal, f.Frame->GetWindowState());
    EXPECT_EQ(TRect(100, 100, 340, 260).Width(), f.Form->GetWidth());
    EXPECT_EQ(100, f.Form->GetLeft());
    bool closed = false;
    f.Form->OnClose = [&](TObject*, TCloseAction& A) {
        closed = true;
        A = caNone;
    };
    ASSERT_TRUE(click("DSF_CLOSE"));
    EXPECT_TRUE(closed);
}

// Opening twice leaves one copy of each window command in the application's
// menu, above its own items, with Close last and no separator added.
TEST(SystemMenu, MergesTheCommandsIntoTheApplicationsMenuOnce)
{
    FramedForm f(nullptr, 100, 100, 240, 160);
    TPopupMenu app(nullptr);
    for (const char* c : {"About", "Settings"}) {
        auto* i = new TMenuItem(nullptr);
        i->SetCaption(c);
        app.GetItems()->Add(i);
    }
    f.Frame->SetSystemMenu(&app);
    f.Frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    f.Frame->SetWindowState(fwsMaximized);
    const TList want = {"Mi&nimize", "&Restore", "Ro&llUp", "Minimize to &Tray", "About", "Settings", "&Close"};
    EXPECT_EQ(want, Captions(f.Frame->GetSystemMenu()->GetItems()));
    EXPECT_EQ(want, Captions(f.Frame->GetSystemMenu()->GetItems()));
    // Without UseDefaultSysMenu the application's menu is left as it is.
    f.Frame->UseDefaultSysMenu = false;
    f.Frame->SetWindowState(fwsNormal);
    EXPECT_EQ(want, Captions(f.Frame->GetSystemMenu()->GetItems()));
    f.Frame->SetSystemMenu(nullptr);
}

void SendMouse(DWORD Flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof(in));
}

// A real right press on the caption opens the system menu in the frame's
// engine (once the system's own tracking of the press ends with the release);
// while it is shown its items are not rebuilt under it.
TEST(SystemMenu, RightPressOnTheCaptionShowsItAndItIsNotRebuiltWhileShown)
{
    auto skin = NewSkin();
    FramedForm f(skin.get(), 100, 100, 240, 160);
    RECT w;
    GetWindowRect(f.Wnd(), &w);
    ASSERT_EQ(HTCAPTION, f.HitTest(50, 10));
    TspSkinMenu* engine = TspSkinMenuMode::ForFrame(f.Frame)->GetSkinMenu();
    SetCursorPos(w.left + 50, w.top + 10);
    SendMouse(MOUSEEVENTF_MOVE);
    PumpUntilIdle();
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    PumpUntil([&] { return engine->GetOpen(); }, 2000);
    ASSERT_TRUE(engine->GetOpen());
    ASSERT_NE(nullptr, engine->GetLevel(0));
    TMenuItem* shown = f.Frame->GetSystemMenu()->GetItems();
    TMenuItem* first = shown->GetItem(0);
    // A rebuild asked for while the menu is on screen leaves its items alone. (A
    // change of the window's size is no way to ask here: it closes the menu first.)
    f.Frame->CreateSysMenu();
    EXPECT_EQ(first, f.Frame->GetSystemMenu()->GetItems()->GetItem(0));
    engine->Hide();
    PumpUntilIdle();
    f.Frame->SetWindowState(fwsMaximized);
    f.Frame->CreateSysMenu();
    SetCursorPos(5, 5);
    EXPECT_NE("Ma&ximize", f.Frame->GetSystemMenu()->GetItems()->GetItem(1)->GetCaption());
}

// The tray icon given to a frame gets the frame's tray menu and double click;
// restoring from the tray hides the icon again unless it always shows.
TEST(TrayMenu, TheTrayIconGetsTheFramesMenuAndRestore)
{
    auto saved = Sptrayicon::NotifyIconCall;
    Sptrayicon::NotifyIconCall = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
    {
        FramedForm f(nullptr, 100, 100, 240, 160);
        auto* tray = new TspTrayIcon(f.Form.get());
        f.Frame->SetTrayIcon(tray);
        EXPECT_FALSE(tray->GetIconVisible());
        ASSERT_EQ(f.Frame->GetTrayPopupMenu(), tray->GetPopupMenu());
        EXPECT_EQ((TList{"&Restore", "-", "&Close"}), Captions(tray->GetPopupMenu()->GetItems()));
        EXPECT_EQ("TRAY_DSF_RESTORE", tray->GetPopupMenu()->GetItems()->GetItem(0)->GetName());
        int restored = 0;
        f.Frame->OnRestoreFromTray = [&](TObject*) { ++restored; };
        tray->MinimizeToTray = true;
        tray->SetIconVisible(true);
        ASSERT_TRUE(tray->OnDblClick);
        tray->OnDblClick(tray);
        EXPECT_EQ(1, restored);
        EXPECT_FALSE(tray->MinimizeToTray);
        EXPECT_FALSE(tray->GetIconVisible());
        // A frame freed before its tray icon takes its menu away with it.
        f.Frame->Free();
        f.Frame = nullptr;
        EXPECT_EQ(nullptr, tray->GetPopupMenu());
        EXPECT_FALSE(tray->OnDblClick);
    }
    // Without a tray icon the tray commands do nothing.
    {
        FramedForm f(nullptr, 100, 100, 240, 160);
        int events = 0;
        f.Frame->OnMinimizeToTray = [&](TObject*) { ++events; };
        f.Frame->MinimizeToTray();
        f.Frame->RestoreFromTray();
        EXPECT_EQ(0, events);
    }
    Sptrayicon::NotifyIconCall = saved;
}

// A right press on the tray icon shows the frame's tray menu in its skinned
// engine even while the form is hidden; its Restore restores from the tray.
TEST(TrayMenu, TheIconsRightPressShowsTheTrayMenuWhileTheFormIsHidden)
{
    auto saved = Sptrayicon::NotifyIconCall;
    Sptrayicon::NotifyIconCall = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
    {
        auto skin = NewSkin();
        FramedForm f(skin.get(), 100, 100, 240, 160);
        auto* tray = new TspTrayIcon(f.Form.get());
        f.Frame->SetTrayIcon(tray);
        f.Form->Hide();
        PumpUntilIdle();
        SetCursorPos(300, 300);
        TMessage m{};
        m.Msg = Sptrayicon::WM_TRAYNOTIFY;
        m.LParam = WM_RBUTTONDOWN;
        tray->HandleIconMessage(m);
        TspSkinMenu* engine = TspSkinMenuMode::ForFrame(f.Frame)->GetSkinMenu();
        PumpUntil([&] { return engine->GetOpen(); }, 1000);
        ASSERT_TRUE(engine->GetOpen());
        ASSERT_NE(nullptr, engine->GetLevel(0));
        EXPECT_TRUE(IsWindowVisible(engine->GetLevel(0)->GetHandle()));
        engine->Hide();
        PumpUntilIdle();
        int restored = 0;
        f.Frame->OnRestoreFromTray = [&](TObject*) { ++restored; };
        f.Frame->GetTrayPopupMenu()->GetItems()->GetItem(0)->Click();
        EXPECT_EQ(1, restored);
        SetCursorPos(5, 5);
    }
    Sptrayicon::NotifyIconCall = saved;
}

// The class library asks the form's OnShortCut once per key: every press of
// the same shortcut runs its item.
TEST(FormShortCut, EveryPressOfAShortcutRunsItsItem)
{
    FramedForm f(nullptr, 100, 100, 240, 160);
    TMainMenu menu(nullptr);
    auto* file = new TMenuItem(nullptr);
    file->SetCaption("&File");
    auto* save = new TMenuItem(nullptr);
    save->SetCaption("&Save");
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    int runs = 0;
    save->OnClick = [&](TObject*) { ++runs; };
    file->Add(save);
    menu.GetItems()->Add(file);
    f.Frame->SetMainMenu(&menu);
    ASSERT_TRUE(f.Form->OnShortCut);
    for (int i = 1; i <= 3; ++i) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        TMessage m{};
        m.Msg = WM_KEYDOWN;
        m.WParam = 'S';
        bool handled = false;
        f.Form->OnShortCut(m, handled);
        EXPECT_TRUE(handled) << i;
        EXPECT_EQ(i, runs);
    }
    BYTE none[256] = {};
    SetKeyboardState(none);
    f.Frame->SetMainMenu(nullptr);
}

}  // namespace
