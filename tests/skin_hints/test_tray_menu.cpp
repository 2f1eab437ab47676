// The tray icon's skinned menu: a right press on the icon opens the popup menu
// component through the frame of the icon's (hidden) form, a click on an item
// runs it, a press elsewhere closes the menu, and a double click on the icon
// runs the menu's default item.
#include "test_gtest.h"
#include "HintFixture.h"
#include "FormFrame.h"
#include "SkinMenuMode.h"
#include "SkinMenus.h"
#include "SkinPopupMenu.h"
#include "SkinPopupWindow.h"
#include "TrayIcon.h"
#include <vector>

using namespace hintfix;

namespace {

struct TrayMenuScene {
    std::vector<std::string> Log;
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame = nullptr;
    TspSkinPopupMenu* Menu = nullptr;
    TspTrayIcon* Tray = nullptr;
    Sptrayicon::TNotifyIconCall Saved = Sptrayicon::NotifyIconCall;

    TrayMenuScene()
    {
        Sptrayicon::NotifyIconCall = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
        SetCursorPos(5, 5);
        Form->SetBounds(40, 40, 220, 140);
        Frame = new TspFormFrame(Form.get());
        Form->Show();
        PumpUntilIdle();
        Form->Hide();   // in the tray, as the main window is then
        Menu = new TspSkinPopupMenu(Form.get());
        for (const char* caption : {"Restore", "Settings", "Exit"}) {
            auto* item = new TMenuItem(Menu);
            item->SetCaption(caption);
            std::string c = caption;
            item->OnClick = [this, c](TObject*) { Log.push_back(c); };
            Menu->GetItems()->Add(item);
        }
        Menu->GetItems()->GetItem(0)->SetDefault(true);
        Tray = new TspTrayIcon(Form.get());
        Tray->SetPopupMenu(Menu);
    }
    ~TrayMenuScene()
    {
        Form.reset();
        Sptrayicon::NotifyIconCall = Saved;
    }
    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
    void Icon(UINT MouseMsg) { SendMessageA(Tray->GetCallbackWindow(), Sptrayicon::WM_TRAYNOTIFY, 1, MouseMsg); }
    void OpenAt(int X, int Y)
    {
        SetCursorPos(X, Y);
        Icon(WM_RBUTTONDOWN);
        Icon(WM_RBUTTONUP);
    }
};

void PressAt(int X, int Y)
{
    InputAt(X, Y);
    InputAt(X, Y, MOUSEEVENTF_LEFTDOWN);
    InputAt(X, Y, MOUSEEVENTF_LEFTUP);
}

TEST(TrayMenu, ARightPressOpensTheSkinnedMenuAtTheCursorAndAClickRunsTheItem)
{
    TrayMenuScene s;
    s.OpenAt(300, 200);
    ASSERT_TRUE(s.Engine()->GetOpen());
    TspSkinPopupWindow* level = s.Engine()->GetLevel(0);
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(IsWindowVisible(level->GetWindowHandle()));
    EXPECT_EQ(level->GetItemCount(), 3);
    EXPECT_NEAR(level->GetLeft(), 300, 2);
    EXPECT_NEAR(level->GetTop(), 200, 2);
    auto shot = WindowShot(level->GetWindowHandle());
    SaveArtefact(shot.get(), "tray-menu");

    const TRect r = level->GetItem(2)->ObjectRect;
    PressAt(level->GetLeft() + (r.left + r.right) / 2, level->GetTop() + (r.top + r.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !s.Log.empty(); }, 3000));
    EXPECT_EQ(s.Log, (std::vector<std::string>{"Exit"}));
    EXPECT_TRUE(PumpUntil([&] { return !s.Engine()->GetOpen(); }, 3000));
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(TrayMenu, APressElsewhereClosesItWhileTheFormIsHidden)
{
    TrayMenuScene s;
    s.OpenAt(400, 300);
    ASSERT_TRUE(s.Engine()->GetOpen());
    PressAt(10, 10);
    EXPECT_TRUE(PumpUntil([&] { return !s.Engine()->GetOpen(); }, 3000));
    EXPECT_TRUE(s.Log.empty());
    EXPECT_FALSE(TspSkinMenuMode::AppHooked());
}

TEST(TrayMenu, ADoubleClickOnTheIconRunsTheDefaultItemWithoutOpeningTheMenu)
{
    TrayMenuScene s;
    s.Icon(WM_LBUTTONDOWN);
    s.Icon(WM_LBUTTONUP);
    s.Icon(WM_LBUTTONDBLCLK);
    s.Icon(WM_LBUTTONUP);
    EXPECT_EQ(s.Log, (std::vector<std::string>{"Restore"}));
    EXPECT_FALSE(s.Engine()->GetOpen());
}

}  // namespace
