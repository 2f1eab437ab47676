// A form that logs the engine's messages, openers that log theirs, and a small
// menu tree: enough to follow what the menu engine tells whom, and in what order.
#pragma once
#include "test_gtest.h"
#include "Form.h"
#include "GraphicControl.h"
#include "Menus.h"
#include "SkinData.h"
#include "SkinMenus.h"
#include "SkinPopupWindow.h"
#include "WaitUntil.h"
#include <memory>
#include <string>
#include <vector>

namespace MenuFixture {

typedef std::vector<std::string> TLog;

inline void LogEngineMessage(TLog* Log, const std::string& Who, UINT Msg)
{
    if (Msg == WM_CLOSESKINMENU) Log->push_back(Who + ":close");
    if (Msg == WM_AFTERDISPATCH) Log->push_back(Who + ":after");
}

class TLogForm : public TForm {
public:
    explicit TLogForm(TLog* ALog) : TForm(nullptr), FLog(ALog) {}
protected:
    void WndProc(TMessage& Message) override
    {
        LogEngineMessage(FLog, "form", Message.Msg);
        TForm::WndProc(Message);
    }
private:
    TLog* FLog;
};

class TLogOpener : public TCustomControl {
public:
    explicit TLogOpener(TLog* ALog) : TCustomControl(nullptr), FLog(ALog) {}
protected:
    void WndProc(TMessage& Message) override
    {
        LogEngineMessage(FLog, "opener", Message.Msg);
        TCustomControl::WndProc(Message);
    }
private:
    TLog* FLog;
};

class TLogGraphicOpener : public TGraphicControl {
public:
    explicit TLogGraphicOpener(TLog* ALog) : TGraphicControl(nullptr), FLog(ALog) {}
protected:
    void WndProc(TMessage& Message) override
    {
        LogEngineMessage(FLog, "gopener", Message.Msg);
        TGraphicControl::WndProc(Message);
    }
private:
    TLog* FLog;
};

inline TMenuItem* AddItem(TMenu* Menu, TMenuItem* Parent, const std::string& Caption, TLog* Log = nullptr)
{
    auto* item = new TMenuItem(Menu);
    item->SetCaption(Caption);
    if (Log) item->OnClick = [Log, Caption](TObject*) { Log->push_back("click:" + Caption); };
    Parent->Add(item);
    return item;
}

// The engine on a shown form, with a logging opener on it.
struct Scene {
    TLog Log;
    std::unique_ptr<TLogForm> Form{new TLogForm(&Log)};
    TLogOpener* Opener;
    TspSkinMenu* Engine;
    std::unique_ptr<TPopupMenu> Menu{new TPopupMenu(nullptr)};

    Scene()
    {
        // The pointer rests away from every level, so the hover poll moves nothing.
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 200, 120);
        Opener = new TLogOpener(&Log);
        Opener->SetParent(Form.get());
        Opener->SetBounds(10, 10, 60, 20);
        Engine = new TspSkinMenu(Form.get(), Form.get());
        Form->Show();
        Form->Update();
    }
    ~Scene()
    {
        delete Engine;
        Menu.reset();
    }
    TMenuItem* Root() { return Menu->GetItems(); }
    void Open(TControl* AOpener = nullptr, TspSkinData* Skin = nullptr, int Start = 0, TPoint At = TPoint(300, 200))
    {
        Engine->Popup(AOpener, Skin, Start, TRect(At.x, At.y, At.x, At.y), Root(), false);
    }
    TspSkinPopupWindow* Level(int I) { return Engine->GetLevel(I); }
    // The key the frame routes to the last level.
    void Key(int VK)
    {
        if (TspSkinPopupWindow* l = Engine->GetLastLevel()) l->PopupKeyDown(VK);
    }
    static TPoint Centre(const TspSkinMenuItem* Item)
    {
        return TPoint((Item->ObjectRect.left + Item->ObjectRect.right) / 2,
                      (Item->ObjectRect.top + Item->ObjectRect.bottom) / 2);
    }
};

inline int CountLevelWindows()
{
    int n = 0;
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "TspSkinPopupWindow", nullptr)) != nullptr) ++n;
    return n;
}

}  // namespace MenuFixture
