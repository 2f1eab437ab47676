// A small multiple-document program: a framed MDI main form with a skinned menu
// bar (its "&Window" item is the window menu), an MDI tabs bar, and framed
// children made on demand. The process has one main form, so every test of a
// program shares the one scene.
#pragma once
#include "Application.h"
#include "Form.h"
#include "FormFrame.h"
#include "Menus.h"
#include "SkinMdiTabsBar.h"
#include "SkinMenuBar.h"
#include "WaitUntil.h"
#include <string>
#include <vector>

namespace MdiScene {

class TMdiMainForm : public TForm {
public:
    explicit TMdiMainForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetFormStyle(fsMDIForm);
        SetName("MdiMain");
        SetText("MDI program");
        SetBounds(20, 20, 700, 520);
    }
};

struct Scene {
    TMdiMainForm* Main = nullptr;
    TspFormFrame* Frame = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem* WindowMenu = nullptr;
    TspSkinMainMenuBar* MenuBar = nullptr;
    TspSkinMDITabsBar* Tabs = nullptr;
    TspSkinData* Skin = nullptr;
    std::vector<TForm*> Children;
    int Made = 0;

    Scene()
    {
        Application->CreateForm(Main);
        Frame = new TspFormFrame(Main);
        Menu = new TMainMenu(Main);
        auto* file = new TMenuItem(Menu);
        file->SetName("FileItem");
        file->SetCaption("&File");
        Menu->GetItems()->Add(file);
        auto* quit = new TMenuItem(Menu);
        quit->SetCaption("E&xit");
        file->Add(quit);
        WindowMenu = new TMenuItem(Menu);
        WindowMenu->SetName("WindowItem");
        WindowMenu->SetCaption("&Window");
        Menu->GetItems()->Add(WindowMenu);
        Main->SetWindowMenu(WindowMenu);
        MenuBar = new TspSkinMainMenuBar(Main);
        MenuBar->SetParent(Main);
        MenuBar->SetFormFrame(Frame);
        MenuBar->SetMainMenu(Menu);
        Frame->SetMainMenuBar(MenuBar);
        Tabs = new TspSkinMDITabsBar(Main);
        Tabs->SetParent(Main);
        Tabs->SetAlign(alTop);
        Tabs->SetTop(100);
        Frame->SetMDITabsBar(Tabs);
        Main->Show();
        PumpUntilIdle();
    }

    // A framed child, shown.
    TForm* AddChild(const std::string& Caption, TspBorderIcons Icons = biSystemMenu | biMinimize | biMaximize)
    {
        auto* f = new TForm(Application);
        f->SetFormStyle(fsMDIChild);
        f->SetName("Child" + std::to_string(++Made));
        f->SetText(Caption);
        f->SetBounds(10 + 20 * static_cast<int>(Children.size()), 10 + 20 * static_cast<int>(Children.size()), 260, 180);
        auto* ff = new TspFormFrame(f);
        ff->SetBorderIcons(Icons);
        ff->SetSkinData(Skin);
        f->Show();
        Children.push_back(f);
        PumpUntilIdle();
        return f;
    }

    void Remove(TForm* F)
    {
        for (auto it = Children.begin(); it != Children.end(); ++it)
            if (*it == F) {
                Children.erase(it);
                break;
            }
        delete F;
        PumpUntilIdle();
    }

    void Clear()
    {
        while (!Children.empty()) Remove(Children.back());
    }

    // Binds every part of the program to a skin (null: the plain look).
    void Bind(TspSkinData* D)
    {
        Skin = D;
        Frame->SetSkinData(D);
        MenuBar->SetSkinData(D);
        Tabs->SetSkinData(D);
        for (TForm* c : Children)
            if (TspFormFrame* ff = Formframe::GetFormFrameComponent(c)) ff->SetSkinData(D);
        PumpUntilIdle();
    }

    static TspFormFrame* FrameOf(TForm* F) { return Formframe::GetFormFrameComponent(F); }

    // A child's window rectangle in the MDI client's coordinates.
    static TRect InClient(TForm* F)
    {
        RECT r;
        GetWindowRect(F->GetHandle(), &r);
        MapWindowPoints(nullptr, GetParent(F->GetHandle()), reinterpret_cast<POINT*>(&r), 2);
        return TRect(r.left, r.top, r.right, r.bottom);
    }

    TRect ClientArea() const
    {
        RECT r;
        GetClientRect(Main->GetClientHandle(), &r);
        return TRect(0, 0, r.right, r.bottom);
    }
};

inline Scene& TheScene()
{
    static Scene* s = new Scene;
    return *s;
}

inline void Click(TPoint Screen)
{
    SetCursorPos(Screen.x, Screen.y);
    PumpUntilIdle();
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpUntilIdle();
}

}  // namespace MdiScene
