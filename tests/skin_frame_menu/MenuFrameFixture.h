// A frame skin built in code with a main-menu band: a 100 x 100 form picture
// whose pieces are one flat colour each (top band 44 high, the main-menu area
// (4, 22, 96, 42) inside it), and a "MAINMENUITEM" record whose normal, hot and
// pressed images (40 x 20, ends 3 pixels wide) lie in an active picture. A
// shown form carries a frame bound to it and a main menu "&File" (two entries),
// "&Edit" (one), "&Run" (a command) and "&Help" (one).
#pragma once
#include "Application.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "FormFrame.h"
#include "FrameMainMenuItem.h"
#include "Menus.h"
#include "SkinData.h"
#include "SkinMenuMode.h"
#include "SkinPopupWindow.h"
#include "SkinTestKit.h"
#include "WaitUntil.h"
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace MenuFixture {

// Pictures, probes, shots and artefacts (SkinTestKit.h).
using namespace SkinKit;

const TColor cTop = 0x00C000, cMenuBand = 0x604020, cEdge = 0x0000C0, cClient = 0xF0F0F0;
const TColor cItem = RGB(200, 40, 40), cItemHot = RGB(40, 40, 200), cItemDown = RGB(40, 200, 40);
const TColor cItemEdge = RGB(250, 250, 0), cText = RGB(255, 255, 255), cDisabledText = RGB(130, 130, 130);
const TRect MenuArea(4, 22, 96, 42), BottomMenuArea(4, 60, 96, 80);

// MenuAtBottom: the client ends at 56 and the main-menu area (4, 60, 96, 80)
// lies in the bottom band (44 high) instead of the top one.
inline std::unique_ptr<TspSkinData> NewSkin(bool MenuAtBottom = false)
{
    auto d = std::make_unique<TspSkinData>(nullptr);
    auto pic = NewPicture(100, 100, cClient);
    Paint(pic.get(), TRect(0, 0, 100, 44), cTop);
    Paint(pic.get(), MenuArea, cMenuBand);
    for (const TRect& r : {TRect(0, 44, 4, 100), TRect(96, 44, 100, 100), TRect(0, 96, 100, 100)})
        Paint(pic.get(), r, cEdge);
    if (MenuAtBottom) {
        Paint(pic.get(), TRect(0, 0, 100, 100), cClient);
        Paint(pic.get(), TRect(0, 0, 100, 24), cTop);
        for (const TRect& r : {TRect(0, 24, 4, 56), TRect(96, 24, 100, 56), TRect(0, 56, 100, 100)})
            Paint(pic.get(), r, cEdge);
        Paint(pic.get(), BottomMenuArea, cMenuBand);
    }
    d->Picture = std::move(pic);
    d->LTPoint = TPoint(20, 44);
    d->RTPoint = TPoint(80, 44);
    d->LBPoint = TPoint(20, 96);
    d->RBPoint = TPoint(80, 96);
    d->ClientRect = TRect(4, 44, 96, 96);
    d->CaptionRect = TRect(24, 4, 76, 20);
    d->MainMenuRect = MenuArea;
    if (MenuAtBottom) {
        d->LTPoint = TPoint(20, 24);
        d->RTPoint = TPoint(80, 24);
        d->LBPoint = TPoint(20, 56);
        d->RBPoint = TPoint(80, 56);
        d->ClientRect = TRect(4, 24, 96, 56);
        d->MainMenuRect = BottomMenuArea;
    }
    d->HitTestLTPoint = TPoint(3, 3);
    d->HitTestRTPoint = TPoint(97, 3);
    d->HitTestLBPoint = TPoint(3, 97);
    d->HitTestRBPoint = TPoint(97, 97);
    d->BorderWidth = 3;
    auto items = NewPicture(40, 60, 0);
    const TColor looks[] = {cItem, cItemHot, cItemDown};
    for (int i = 0; i < 3; ++i) {
        Paint(items.get(), TRect(0, i * 20, 40, i * 20 + 20), looks[i]);
        Paint(items.get(), TRect(0, i * 20, 3, i * 20 + 20), cItemEdge);
        Paint(items.get(), TRect(37, i * 20, 40, i * 20 + 20), cItemEdge);
    }
    d->ActivePictures.push_back(std::move(items));
    auto rec = std::make_unique<TspDataSkinMainMenuItem>("MAINMENUITEM");
    rec->ActivePictureIndex = 0;
    rec->SkinRectInAPicture = true;
    rec->SkinRect = TRect(0, 0, 40, 20);
    rec->ActiveSkinRect = TRect(0, 20, 40, 40);
    rec->DownRect = TRect(0, 40, 40, 60);
    rec->TextRect = TRect(3, 0, 37, 20);
    rec->ItemLeftOffset = rec->ItemRightOffset = 3;
    rec->Font.Name = "Arial";
    rec->Font.Height = 14;
    rec->Font.Color = rec->ActiveFontColor = rec->DownFontColor = cText;
    rec->UnEnabledFontColor = cDisabledText;
    d->ObjectList.push_back(std::move(rec));
    d->Empty = false;
    return d;
}

inline void Click(TPoint P)
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

// Keys pressed one after another; a key given as Alt+X is pressed with Alt held.
inline void Keys(std::vector<WORD> VKs, bool WithAlt = false)
{
    std::vector<INPUT> in;
    auto add = [&](WORD VK, bool Up) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = VK;
        i.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (WithAlt) add(VK_MENU, false);
    for (WORD k : VKs) {
        add(k, false);
        add(k, true);
    }
    if (WithAlt) add(VK_MENU, true);
    for (INPUT& i : in) {
        SendInput(1, &i, sizeof(INPUT));
        PumpUntilIdle();
    }
    PumpUntilIdle();
}

struct Scene {
    std::vector<std::string> Log;
    std::unique_ptr<TspSkinData> Skin;
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspFormFrame* Frame;
    TMainMenu* Menu;

    explicit Scene(int Width = 300, TspSkinData* UseSkin = nullptr)
    {
        if (!UseSkin) {
            Skin = NewSkin();
            UseSkin = Skin.get();
        }
        SetCursorPos(5, 5);
        Form->SetBounds(40, 40, Width, 200);
        Form->SetCaption("Frame menu");
        Frame = new TspFormFrame(Form.get());
        Frame->AlwaysActive = true;
        Menu = new TMainMenu(Form.get());
        Add("FileItem", "&File", {"&Open", "&Close"});
        Add("EditItem", "&Edit", {"&Copy"});
        Add("RunItem", "&Run", {});
        Add("HelpItem", "&Help", {"&About"});
        Frame->SetMainMenu(Menu);
        Frame->OnMainMenuEnter = [this](TObject*) { Log.push_back("mode:on"); };
        Frame->OnMainMenuExit = [this](TObject*) { Log.push_back("mode:off"); };
        Frame->SetSkinData(UseSkin);
        Form->Show();
        // A modifier left down by an earlier program on this display would turn every
        // key into a shortcut: let them all go first.
        for (WORD vk : {VK_MENU, VK_CONTROL, VK_SHIFT, VK_LWIN}) {
            INPUT up = {};
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = vk;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &up, sizeof(INPUT));
        }
        // Keys go to the foreground window: a window that another program has just
        // shown can hold it for a moment, so ask until the form has it.
        PumpUntil([this] {
            SetForegroundWindow(Form->GetHandle());
            return GetForegroundWindow() == Form->GetHandle();
        }, 3000);
        RedrawWindow(Form->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        PumpUntilIdle();
    }
    ~Scene()
    {
        Engine()->Hide();
        Form.reset();   // the frame goes with the form, before the skin
    }
    void Add(const std::string& Name, const std::string& Caption, std::vector<std::string> Subs)
    {
        auto* item = new TMenuItem(Menu);
        item->SetName(Name);
        item->SetCaption(Caption);
        item->OnClick = [this, Name](TObject*) { Log.push_back("click:" + Name); };
        Menu->GetItems()->Add(item);
        for (auto& s : Subs) {
            auto* sub = new TMenuItem(Menu);
            sub->SetCaption(s);
            sub->OnClick = [this, s](TObject*) { Log.push_back("click:" + s); };
            item->Add(sub);
        }
    }
    TspSkinMenu* Engine() { return TspSkinMenuMode::ForFrame(Frame)->GetSkinMenu(); }
    bool Open() { return Engine()->GetOpen(); }
    TspSkinMainMenuItem* Item(int I) { return Frame->GetMainMenuItem(I); }
    HWND Wnd() { return Form->GetHandle(); }
    TPoint Centre(int I)
    {
        const TRect& r = Item(I)->ObjectRect;
        RECT w;
        GetWindowRect(Wnd(), &w);
        return TPoint(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
    }
    // The item that shows the highlight or is pressed; -1 for none.
    int Highlighted()
    {
        for (int i = 0; i < Frame->MainMenuItemCount(); ++i)
            if (Item(i)->Active || Item(i)->Down) return i;
        return -1;
    }
    int Pressed()
    {
        for (int i = 0; i < Frame->MainMenuItemCount(); ++i)
            if (Item(i)->Down) return i;
        return -1;
    }
    int Entries() { return Open() && Engine()->GetLevel(0) ? Engine()->GetLevel(0)->GetItemCount() : 0; }
    bool Logged(const std::string& E) { return std::find(Log.begin(), Log.end(), E) != Log.end(); }
    // What the window shows, frame included.
    std::unique_ptr<TBitmap> Shot()
    {
        SendMessageA(Wnd(), WM_NCPAINT, 1, 0);
        return SkinKit::WindowShot(Wnd());
    }
};

}  // namespace MenuFixture
