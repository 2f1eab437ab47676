// The menu button and the menu speed button on a framed form: which part of the
// button opens the menu (pixel probes on a fixture skin), where the menu shows,
// the button held down while its menu is open and up once it is gone however it
// closes, a button freed from its own close handler, and guarded skins.
#include "test_gtest.h"
#include "../skin_controls/ControlFixture.h"
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "SkinMenuButtons.h"
#include "SkinMenuMode.h"
#include "SkinPopupMenu.h"
#include "SkinPopupWindow.h"
#include "WaitUntil.h"
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace CtlFixture;

namespace {

typedef std::vector<std::string> TLog;
const TColor cTrackDown = 0x40A0F0;   // the track part of the down look only
const TColor cParent = 0x404040;

// Both buttons behind one face, so every case runs on each.
struct TButtonKind {
    const char* Name;
    bool Speed;
};
const TButtonKind Kinds[] = {{"menu button", false}, {"menu speed button", true}};

struct Scene {
    TLog Log;
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TspSkinData> Skin = NewSkin();
    TspFormFrame* Frame;
    TspSkinPopupMenu* Menu;
    TControl* Button = nullptr;
    TspSkinMenuButton* MB = nullptr;
    TspSkinMenuSpeedButton* SB = nullptr;

    explicit Scene(bool Speed, bool Skinned, int FormY = 40)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(cParent);
        Form->SetBounds(40, FormY, 260, 80);
        Frame = new TspFormFrame(Form.get());
        // The down look's right end (the track part of a 60 x 20 element) in a colour of its own.
        CtlFixture::Paint(Skin->ActivePictures[0].get(), TRect(50, 40, 60, 60), cTrackDown);
        for (const char* name : {"toolmenubutton", "menubutton"}) {
            auto r = std::make_unique<TspDataSkinMenuButtonControl>(name);
            r->PictureIndex = 0;
            r->SkinRect = LookRect(0);
            r->ActiveSkinRect = LookRect(1);
            r->DownSkinRect = LookRect(2);
            r->DisabledSkinRect = LookRect(3);
            r->LeftTopPoint = TPoint(10, 0);
            r->RightTopPoint = TPoint(50, 0);
            r->ClientRect = TRect(10, 2, 50, 18);
            r->TrackButtonRect = TRect(50, 0, 60, 20);
            Skin->CtrlList.push_back(std::move(r));
        }
        Menu = new TspSkinPopupMenu(Form.get());
        for (const char* c : {"One", "Two"}) {
            auto* item = new TMenuItem(Menu);
            item->SetCaption(c);
            std::string caption = c;
            item->OnClick = [this, caption](TObject*) { Log.push_back("command:" + caption); };
            Menu->GetItems()->Add(item);
        }
        if (Speed) {
            SB = new TspSkinMenuSpeedButton(Form.get());
            SB->SetParent(Form.get());
            SB->SetBounds(10, 10, 100, 25);
            SB->OnClick = [this](TObject*) { Log.push_back("click"); };
            SB->OnShowTrackMenu = [this](TObject*) { Log.push_back("show"); };
            SB->OnHideTrackMenu = [this](TObject*) { Log.push_back("hide"); };
            SB->SetSkinPopupMenu(Menu);
            if (Skinned) SB->SetSkinData(Skin.get());
            Button = SB;
        } else {
            MB = new TspSkinMenuButton(Form.get());
            MB->SetParent(Form.get());
            MB->SetBounds(10, 10, 100, 25);
            MB->OnClick = [this](TObject*) { Log.push_back("click"); };
            MB->OnShowTrackMenu = [this](TObject*) { Log.push_back("show"); };
            MB->OnHideTrackMenu = [this](TObject*) { Log.push_back("hide"); };
            MB->SetSkinPopupMenu(Menu);
            if (Skinned) MB->SetSkinData(Skin.get());
            Button = MB;
        }
        Form->Show();
        PumpUntilIdle();
    }
    ~Scene() { Engine()->Hide(); }

    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
    bool Down() { return SB ? SB->GetDown() : MB->GetDown(); }
    bool MenuOpen() { return SB ? SB->MenuOpen() : MB->MenuOpen(); }
    void SetTrackMode(bool V) { SB ? SB->SetTrackButtonMode(V) : MB->SetTrackButtonMode(V); }
    void SetMenu(TspSkinPopupMenu* M) { SB ? SB->SetSkinPopupMenu(M) : MB->SetSkinPopupMenu(M); }
    void Enter() { Button->Perform(CM_MOUSEENTER, 0, 0); }
    void Press(int X, int Y = 5) { Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(X, Y)); }
    void Release(int X, int Y = 5) { Button->Perform(WM_LBUTTONUP, 0, PointToLParam(X, Y)); }
    void Click(int X) { Enter(); Press(X); Release(X); }
    TColor At(int X, int Y) { return Probe(Snapshot(Form.get()).get(), Button->GetLeft() + X, Button->GetTop() + Y); }
    TRect ScreenRect()
    {
        TPoint p = Button->ClientToScreen(TPoint(0, 0));
        return TRect(p.x, p.y, p.x + Button->GetWidth(), p.y + Button->GetHeight());
    }
    TRect LevelRect()
    {
        RECT r = {};
        if (TspSkinPopupWindow* l = Engine()->GetLevel(0)) GetWindowRect(l->GetHandle(), &r);
        return TRect(r.left, r.top, r.right, r.bottom);
    }
};

void PressElsewhere(int X, int Y)
{
    SetCursorPos(X, Y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

TEST(MenuButtons, TrackModeOpensTheMenuOnlyFromTheTrackPart)
{
    // Element 60 wide stretched to 100: the track part (50..60) moves to 90..100.
    struct Probe {
        bool Skinned;
        int TrackX;             // a point inside the track part
        TColor FaceOpen, TrackOpen, FacePressed;
    } probes[] = {
        {true, 95, cActive, cTrackDown, cDown},
        {false, 97, RGB(182, 189, 210), RGB(133, 147, 181), RGB(133, 147, 181)},
    };
    for (const auto& k : Kinds)
        for (const auto& p : probes) {
            SCOPED_TRACE(std::string(k.Name) + (p.Skinned ? " skinned" : " unskinned"));
            Scene s(k.Speed, p.Skinned);
            s.SetTrackMode(true);
            // The face part clicks like a plain button and opens nothing.
            s.Enter();
            s.Press(30);
            EXPECT_EQ(s.At(30, 3), p.FacePressed);
            EXPECT_FALSE(s.Engine()->GetOpen());
            s.Release(30);
            EXPECT_EQ(s.Log, (TLog{"click"}));
            EXPECT_FALSE(s.Down());
            // The track part opens the menu: face in the active look, track part down.
            s.Log.clear();
            s.Enter();
            s.Press(p.TrackX);
            ASSERT_TRUE(s.Engine()->GetOpen());
            EXPECT_TRUE(s.Down());
            EXPECT_EQ(s.At(30, 3), p.FaceOpen);
            EXPECT_EQ(s.At(p.TrackX, 3), p.TrackOpen);
            s.Release(p.TrackX);
            EXPECT_TRUE(s.Down());   // the release leaves it down while the menu is open
            EXPECT_EQ(s.Log, (TLog{"show"}));
            s.Engine()->Hide();
            EXPECT_FALSE(s.Down());
            EXPECT_EQ(s.At(30, 3), p.Skinned ? cActive : RGBToColor(182, 189, 210));   // mouse still over
            EXPECT_EQ(s.Log, (TLog{"show", "hide"}));
        }
}

TEST(MenuButtons, TrackPartEdgesIncludedAndMovedByTheResizeMode)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        Scene s(k.Speed, true);
        s.SetTrackMode(true);
        TRect t = k.Speed ? s.SB->GetNewTrackButtonRect() : s.MB->GetNewTrackButtonRect();
        EXPECT_EQ(t, TRect(90, 0, 100, 20));
        auto can = [&](int X, int Y) { return k.Speed ? s.SB->CanMenuTrack(X, Y) : s.MB->CanMenuTrack(X, Y); };
        EXPECT_TRUE(can(90, 0));
        EXPECT_TRUE(can(100, 20));
        EXPECT_FALSE(can(89, 5));
        s.SetMenu(nullptr);
        EXPECT_FALSE(can(95, 5));
    }
}

TEST(MenuButtons, WholeButtonOpensTheMenuBelowItOrAboveItAtTheBottom)
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const auto& k : Kinds) {
        for (bool atBottom : {false, true}) {
            SCOPED_TRACE(std::string(k.Name) + (atBottom ? " at the bottom" : " below"));
            Scene s(k.Speed, true, atBottom ? work.bottom - 50 : 40);
            s.Click(30);
            ASSERT_TRUE(s.Engine()->GetOpen());
            const TRect b = s.ScreenRect(), m = s.LevelRect();
            EXPECT_EQ(m.left, b.left);
            if (atBottom)
                EXPECT_EQ(m.bottom, b.top);
            else
                EXPECT_EQ(m.top, b.bottom);
            EXPECT_TRUE(s.Down());
            EXPECT_EQ(s.Log, (TLog{"show"}));   // no click: the press opened the menu
        }
    }
}

TEST(MenuButtons, ComesUpWhenTheMenuClosesByAPressElsewhereOrACommand)
{
    for (const auto& k : Kinds) {
        for (bool byCommand : {false, true}) {
            SCOPED_TRACE(std::string(k.Name) + (byCommand ? " command" : " press elsewhere"));
            Scene s(k.Speed, true);
            s.Click(30);
            ASSERT_TRUE(s.Engine()->GetOpen());
            EXPECT_TRUE(s.Down());
            EXPECT_TRUE(s.MenuOpen());
            if (byCommand) {
                TspSkinPopupWindow* l = s.Engine()->GetLastLevel();
                l->PopupKeyDown(VK_DOWN);
                l->PopupKeyDown(VK_RETURN);
            } else {
                PressElsewhere(600, 500);
            }
            EXPECT_TRUE(PumpUntil([&] { return !s.Engine()->GetOpen() && !s.Down(); }, 3000));
            EXPECT_FALSE(s.MenuOpen());
            // The button is up again before the command runs (the command comes
            // once the menu is gone).
            ASSERT_EQ(s.Log.size(), byCommand ? 3u : 2u);
            EXPECT_EQ(s.Log[0], "show");
            EXPECT_EQ(s.Log[1], "hide");
            if (byCommand) {
                EXPECT_EQ(s.Log[2].rfind("command:", 0), 0u);
            }
            SetCursorPos(5, 5);
        }
    }
}

TEST(MenuButtons, FreedInsideItsOwnMenuCloseIsNotTouchedAgain)
{
    for (const auto& k : Kinds)
      for (bool byCommand : {false, true}) {
        SCOPED_TRACE(std::string(k.Name) + (byCommand ? " command" : " hide"));
        Scene s(k.Speed, true);
        bool freed = false;
        TNotifyEvent hide = [&](TObject* Sender) {
            delete static_cast<TControl*>(Sender);
            freed = true;
        };
        if (k.Speed)
            s.SB->OnHideTrackMenu = hide;
        else
            s.MB->OnHideTrackMenu = hide;
        s.Click(30);
        ASSERT_TRUE(s.Engine()->GetOpen());
        if (byCommand) {
            // The command and the after-dispatch message come after the close:
            // neither may reach the freed button.
            TspSkinPopupWindow* l = s.Engine()->GetLastLevel();
            l->PopupKeyDown(VK_DOWN);
            l->PopupKeyDown(VK_RETURN);
            PumpUntil([&] { return freed && s.Log.size() == 2; }, 3000);
            EXPECT_EQ(s.Log.size(), 2u);   // "show" and the command
        } else {
            s.Engine()->Hide();
        }
        EXPECT_TRUE(freed);
        EXPECT_EQ(s.Engine()->GetOpener(), nullptr);
        EXPECT_EQ(s.Engine()->GetLastOpener(), nullptr);
        PumpUntilIdle();   // deferred work runs with the button gone
    }
}

TEST(MenuButtons, APressOnTheButtonWhileItsMenuIsOpenKeepsOneMenuAndOneState)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        Scene s(k.Speed, true);
        const TRect b = s.ScreenRect();
        for (int i = 0; i < 2; ++i) {
            if (k.Speed) {
                // A real press on this borderless framed form does not reach its
                // window-less children (the same press does without the frame), so
                // the press comes through the library's delivery instead.
                s.Click(30);
            } else {
                PressElsewhere(b.left + 30, b.top + 5);
            }
            PumpUntilIdle();
        }
        // Whatever the second press did (close, or close and open again), the
        // button is down exactly while its menu is on screen, and every showing
        // had its close.
        const bool open = s.Engine()->GetOpen() && s.Engine()->GetOpener() == s.Button;
        EXPECT_EQ(s.Down(), open);
        EXPECT_EQ(s.MenuOpen(), open);
        int shows = 0, hides = 0;
        for (const auto& e : s.Log) {
            if (e == "show") ++shows;
            if (e == "hide") ++hides;
        }
        EXPECT_GE(shows, 1);
        EXPECT_EQ(shows - hides, open ? 1 : 0);
        EXPECT_EQ(std::count(s.Log.begin(), s.Log.end(), "click"), 0);
        SetCursorPos(5, 5);
    }
}

TEST(MenuButtons, WithoutAMenuOrAFrameTheButtonClicksAndComesUp)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        {
            Scene s(k.Speed, true);
            s.SetMenu(nullptr);
            s.Click(30);
            EXPECT_EQ(s.Log, (TLog{"click"}));
            EXPECT_FALSE(s.Down());
        }
        {
            // A menu on a form without a frame shows nothing and sends no close:
            // the button must not stay down waiting for one, nor click.
            Scene s(k.Speed, true);
            TForm bare(nullptr);
            auto* lonely = new TspSkinPopupMenu(&bare);
            auto* item = new TMenuItem(lonely);
            item->SetCaption("Lonely");
            lonely->GetItems()->Add(item);
            s.SetMenu(lonely);
            s.Click(30);
            EXPECT_FALSE(s.Down());
            EXPECT_FALSE(s.MenuOpen());
            EXPECT_TRUE(s.Log.empty());
            s.SetMenu(nullptr);
        }
    }
}

TEST(MenuButtons, RemovedMenuIsForgotten)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        Scene s(k.Speed, true);
        delete s.Menu;
        EXPECT_EQ(k.Speed ? s.SB->GetSkinPopupMenu() : s.MB->GetSkinPopupMenu(), nullptr);
        s.Click(30);
        EXPECT_EQ(s.Log, (TLog{"click"}));
    }
}

TEST(MenuButtons, RecordOfAnotherKindLeavesTheButtonUnskinned)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        Scene s(k.Speed, false);
        // The plain look of this very button (a focused menu button shows its hot face).
        const TColor plain = s.At(30, 3);
        auto skin = NewSkin();
        auto r = std::make_unique<TspDataSkinCheckRadioControl>(k.Speed ? "menubutton" : "toolmenubutton");
        r->PictureIndex = 0;
        r->SkinRect = TRect(0, 0, 1, 1);
        skin->CtrlList.push_back(std::move(r));
        if (k.Speed)
            s.SB->SetSkinData(skin.get());
        else
            s.MB->SetSkinData(skin.get());
        s.Button->Repaint();
        EXPECT_EQ(s.Button->GetWidth(), 100);
        EXPECT_EQ(s.Button->GetHeight(), 25);
        EXPECT_EQ(s.At(30, 3), plain);
        EXPECT_NE(plain, cNormal);
        EXPECT_TRUE(k.Speed ? s.SB->TrackButtonRect().IsEmpty() : s.MB->TrackButtonRect().IsEmpty());
        if (k.Speed)
            s.SB->SetSkinData(nullptr);
        else
            s.MB->SetSkinData(nullptr);
    }
}

TEST(MenuButtons, UnskinnedCaptionLeavesRoomForTheArrow)
{
    for (const auto& k : Kinds) {
        SCOPED_TRACE(k.Name);
        Scene s(k.Speed, false);
        s.Button->SetBounds(10, 10, 40, 25);
        // The arrow strip is the rightmost 15 pixels: its arrow is dark, the rest face.
        auto shot = Snapshot(s.Form.get());
        int dark = 0;
        for (int x = 10 + 25; x < 10 + 40; ++x)
            for (int y = 10; y < 35; ++y)
                if (Probe(shot.get(), x, y) == static_cast<TColor>(GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF)) ++dark;
        EXPECT_GT(dark, 0);
    }
}

TEST(MenuButtons, SpaceOpensTheMenuAndItsReleaseNeitherClicksNorRaises)
{
    Scene s(false, true);
    s.MB->SetFocus();
    SendMessageA(s.MB->GetHandle(), WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(s.Engine()->GetOpen());
    EXPECT_TRUE(s.Down());
    SendMessageA(s.MB->GetHandle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(s.Down());
    EXPECT_EQ(s.Log, (TLog{"show"}));
    s.Engine()->Hide();
    EXPECT_FALSE(s.Down());
    EXPECT_EQ(s.Log, (TLog{"show", "hide"}));
}

TEST(MenuButtons, EnterClicksOnce)
{
    Scene s(false, true);
    s.SetMenu(nullptr);
    s.MB->SetFocus();
    SendMessageA(s.MB->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(s.MB->GetHandle(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(s.Log, (TLog{"click"}));
}

}  // namespace
