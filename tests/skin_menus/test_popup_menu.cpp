// The popup menu component on framed forms: finding the frame, taking its skin,
// the frame's menu mode (keys through the application, the shared application
// hook with several frames), and nothing left hooked once menus are closed.
#include "test_gtest.h"
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinData.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "SkinPopupWindow.h"
#include "WaitUntil.h"
#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> TLog;

int LevelWindows()
{
    int n = 0;
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "TspSkinPopupWindow", nullptr)) != nullptr)
        if (IsWindowVisible(w)) ++n;
    return n;
}

// The application's own message hook, to see it given back untouched.
int OwnHookCalls = 0;
void OwnHook(MSG&, bool&) { ++OwnHookCalls; }

struct Framed {
    TLog Log;   // first: the frame's events still log while the form goes
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    explicit Framed(int X = 40)
    {
        SetCursorPos(5, 5);
        Form->SetBounds(X, 40, 220, 140);
        Frame = new TspFormFrame(Form.get());
        Frame->OnSkinMenuOpen = [this](TObject*) { Log.push_back("open"); };
        Frame->OnSkinMenuClose = [this](TObject*) { Log.push_back("close"); };
        Form->Show();
        PumpUntilIdle();
    }
    TspSkinPopupMenu* Menu(TComponent* Owner = nullptr)
    {
        auto* m = new TspSkinPopupMenu(Owner ? Owner : Form.get());
        for (const char* c : {"&One", "&Two", "T&hree"}) {
            auto* item = new TMenuItem(m);
            item->SetCaption(c);
            std::string caption = c;
            item->OnClick = [this, caption](TObject*) { Log.push_back("click:" + caption); };
            m->GetItems()->Add(item);
        }
        return m;
    }
    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
};

// Sends a key the way the operator's press arrives: through the application's loop.
void PressKey(HWND Target, WORD Key)
{
    PostMessageA(Target, WM_KEYDOWN, Key, 1);
    Application->ProcessMessages();
}

TEST(SkinPopupMenu, WithoutAFrameRaisesOnPopupAndShowsNothing)
{
    TForm form(nullptr);
    auto* m = new TspSkinPopupMenu(&form);
    auto* item = new TMenuItem(m);
    item->SetCaption("Lonely");
    m->GetItems()->Add(item);
    int popups = 0;
    m->OnPopup = [&](TObject*) { ++popups; };
    m->Popup(100, 100);
    m->Popup2(nullptr, 100, 100);
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(LevelWindows(), 0);
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(SkinPopupMenu, FindsTheFrameThroughOwnersAndLookupForm)
{
    Framed f;
    TComponent* panel = new TComponent(f.Form.get());
    TComponent* deeper = new TComponent(panel);
    struct Case {
        const char* What;
        TComponent* Owner;
        bool Lookup;
        bool Found;
    } cases[] = {
        {"owned by the form", f.Form.get(), false, true},
        {"owner's owner is the form", panel, false, true},
        {"nested deeper", deeper, false, false},
        {"nested deeper with a lookup form", deeper, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        auto* m = f.Menu(c.Owner);
        if (c.Lookup) m->SetLookupForm(f.Form.get());
        EXPECT_EQ(m->FindFrame(), c.Found ? f.Frame : nullptr);
    }
}

TEST(SkinPopupMenu, TakesTheFramesSkinOnceAndForgetsARemovedOne)
{
    Framed f;
    auto* skinA = new TspSkinData(nullptr);
    auto* skinB = new TspSkinData(nullptr);
    f.Frame->SetMenusSkinData(skinA);
    auto* m = f.Menu();
    m->Popup(300, 200);
    EXPECT_EQ(m->GetSkinData(), skinA);
    f.Engine()->Hide();
    f.Frame->SetMenusSkinData(skinB);
    m->Popup(300, 200);
    EXPECT_EQ(m->GetSkinData(), skinA);   // kept
    f.Engine()->Hide();
    f.Frame->SetMenusSkinData(nullptr);
    delete skinA;
    EXPECT_EQ(m->GetSkinData(), nullptr);
    delete skinB;
}

TEST(SkinPopupMenu, Popup2NeedsASkinWherePopupShowsTheDefaultLook)
{
    Framed f;
    auto* m = f.Menu();
    m->Popup2(f.Form.get(), 300, 200);
    EXPECT_FALSE(f.Engine()->GetOpen());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_TRUE(f.Log.empty());
    m->Popup(300, 200);
    ASSERT_TRUE(f.Engine()->GetOpen());
    EXPECT_FALSE(f.Engine()->GetLevel(0)->IsSkinned());
    EXPECT_EQ(f.Log, (TLog{"open"}));
    f.Engine()->Hide();
    EXPECT_EQ(f.Log, (TLog{"open", "close"}));
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(SkinPopupMenu, KeysThroughTheApplicationThenNothingSwallowedAfterwards)
{
    Framed f;
    OwnHookCalls = 0;
    Application->OnMessage = OwnHook;
    auto* m = f.Menu();
    m->Popup(300, 200);
    ASSERT_TRUE(TspSkinMenuMode::AppHooked());
    HWND form = f.Form->GetHandle();
    PressKey(form, VK_DOWN);
    EXPECT_EQ(f.Engine()->GetLevel(0)->GetHotItem()->MenuItem->GetCaption(), "&Two");
    EXPECT_EQ(OwnHookCalls, 0);   // the program's hook is set aside while the menu is open
    PressKey(form, VK_RETURN);
    EXPECT_EQ(f.Log, (TLog{"open", "close", "click:&Two"}));
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(LevelWindows(), 0);
    // The program's hook is back and sees the next key; the key is not swallowed.
    PressKey(form, 'A');
    EXPECT_GE(OwnHookCalls, 1);
    ASSERT_TRUE(Application->OnMessage.target<void (*)(MSG&, bool&)>());
    EXPECT_EQ(*Application->OnMessage.target<void (*)(MSG&, bool&)>(), &OwnHook);
    // Escape on the only level closes the menu and leaves menu mode.
    m->Popup(300, 200);
    PressKey(form, VK_ESCAPE);
    EXPECT_FALSE(f.Engine()->GetOpen());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Log.back(), "close");
    Application->OnMessage = nullptr;
}

TEST(SkinPopupMenu, TwoFramesInOverlappingOrderShareOneHook)
{
    OwnHookCalls = 0;
    Application->OnMessage = OwnHook;
    {
        Framed a(40);
        auto b = std::make_unique<Framed>(300);
        auto* ma = a.Menu();
        auto* mb = b->Menu();
        ma->Popup(300, 200);
        mb->Popup(500, 200);
        EXPECT_EQ(TspSkinMenuMode::ActiveCount(), 2);
        // The first one closes first; the hook stays for the second.
        a.Engine()->Hide();
        EXPECT_TRUE(TspSkinMenuMode::AppHooked());
        EXPECT_EQ(TspSkinMenuMode::ActiveCount(), 1);
        // The second frame goes away with its menu open: nothing keeps pointing at it.
        b.reset();
        EXPECT_EQ(TspSkinMenuMode::ActiveCount(), 0);
        EXPECT_FALSE(TspSkinMenuMode::AppHooked());
        PressKey(a.Form->GetHandle(), 'B');
    }
    EXPECT_GE(OwnHookCalls, 1);
    ASSERT_TRUE(Application->OnMessage.target<void (*)(MSG&, bool&)>());
    EXPECT_EQ(*Application->OnMessage.target<void (*)(MSG&, bool&)>(), &OwnHook);
    Application->OnMessage = nullptr;
}

// The frame's own helpers show any menu through its engine, in menu mode.
TEST(SkinPopupMenu, FramePopupSkinMenuShowsAMenuAtAPointOrUnderARectangle)
{
    Framed f;
    auto* m = f.Menu();
    f.Frame->PopupSkinMenu(m, TPoint(300, 200));
    ASSERT_TRUE(f.Engine()->GetOpen());
    EXPECT_TRUE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Engine()->GetLevel(0)->GetLeft(), 300);
    f.Engine()->Hide();
    f.Frame->PopupSkinMenu1(m, TRect(320, 100, 380, 120), false);
    ASSERT_TRUE(f.Engine()->GetOpen());
    EXPECT_EQ(f.Engine()->GetLevel(0)->GetTop(), 120);
    f.Engine()->Hide();
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Log, (TLog{"open", "close", "open", "close"}));
}

TEST(SkinPopupMenu, FormMessagesCloseTheMenu)
{
    Framed f;
    auto* m = f.Menu();
    m->Popup(300, 200);
    ASSERT_TRUE(f.Engine()->GetOpen());
    // The form moves: the menu is closed and menu mode is left.
    f.Form->SetBounds(60, 50, 220, 140);
    EXPECT_FALSE(f.Engine()->GetOpen());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Log, (TLog{"open", "close"}));
}

TEST(SkinPopupMenu, TrayStyleMenuOfAHiddenFormClosesOnAPressElsewhere)
{
    Framed f;
    f.Form->Hide();
    auto* m = f.Menu();
    m->Popup(400, 300);
    ASSERT_TRUE(f.Engine()->GetOpen());
    SetCursorPos(5, 5);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return !f.Engine()->GetOpen(); }, 3000));
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(LevelWindows(), 0);
}

}  // namespace

namespace {

TEST(SkinPopupMenu, ARealPressOnTheFormClosesTheMenuThroughTheForm)
{
    Framed f;
    auto* m = f.Menu();
    m->Popup(400, 300);
    ASSERT_TRUE(f.Engine()->GetOpen());
    RECT r;
    GetWindowRect(f.Form->GetHandle(), &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    SetCursorPos(x, y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return !f.Engine()->GetOpen(); }, 3000));
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Log, (TLog{"open", "close"}));
    SetCursorPos(5, 5);
}

}  // namespace

#ifdef SKINS_DIR
namespace {

// A skin loaded while a menu drawn from it is open frees the records and
// pictures the open levels draw from: the menu closes first, and menu mode ends.
TEST(SkinPopupMenu, ASkinLoadClosesTheMenuDrawnFromThatSkin)
{
    Framed f;
    auto skin = std::make_unique<TspSkinData>(nullptr);
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Korvel2.skn"));
    auto other = std::make_unique<TspSkinData>(nullptr);
    f.Frame->SetMenusSkinData(skin.get());
    auto* m = f.Menu();
    m->Popup(300, 200);
    ASSERT_TRUE(f.Engine()->GetOpen());
    ASSERT_TRUE(f.Engine()->GetLevel(0)->IsSkinned());
    // Another skin's load leaves it open.
    ASSERT_TRUE(other->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    EXPECT_TRUE(f.Engine()->GetOpen());
    ASSERT_TRUE(skin->LoadFromCompressedFile(std::string(SKINS_DIR) + "/Sarnic.skn"));
    EXPECT_FALSE(f.Engine()->GetOpen());
    EXPECT_EQ(LevelWindows(), 0);
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
    EXPECT_EQ(f.Log, (TLog{"open", "close"}));
    // The menu opens again from the new skin.
    m->Popup(300, 200);
    ASSERT_TRUE(f.Engine()->GetOpen());
    EXPECT_TRUE(f.Engine()->GetLevel(0)->IsSkinned());
    f.Engine()->Hide();
    f.Frame->SetMenusSkinData(nullptr);
}

}  // namespace
#endif
