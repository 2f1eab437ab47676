#include "ShellContextMenu.h"
#include "ScopeGuard.h"
#include "SysUtils.h"
#include "WinControl.h"

namespace Spskinshellctrls {

namespace {
IContextMenu2* OpenMenu2 = nullptr;
}

IContextMenu2* CurrentContextMenu2() { return OpenMenu2; }

void InvokeContextMenu(TWinControl* Control, const TspShellFolder* Folder, int X, int Y)
{
    if (!Control || !Folder || !Folder->ParentShellFolder()) return;
    HWND wnd = Control->GetHandle();
    LPCITEMIDLIST id = Folder->RelativeID();
    TComPtr<IContextMenu> menu;
    if (FAILED(Folder->ParentShellFolder()->GetUIObjectOf(wnd, 1, &id, IID_IContextMenu, nullptr,
                                                           menu.PutVoid())) || !menu)
        return;
    POINT pt = {X, Y};
    ClientToScreen(wnd, &pt);
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    TScopeExit destroyMenu([popup] { DestroyMenu(popup); });
    if (FAILED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME))) return;

    TComPtr<IContextMenu2> menu2;
    menu.As(IID_IContextMenu2, menu2);
    OpenMenu2 = menu2.Get();
    TScopeExit clearMenu2([] { OpenMenu2 = nullptr; });
    UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, wnd, nullptr);
    OpenMenu2 = nullptr;
    if (command == 0) return;

    char verb[256] = "";
    if (FAILED(menu->GetCommandString(command - 1, GCS_VERBA, nullptr, verb, sizeof(verb)))) verb[0] = 0;
    verb[sizeof(verb) - 1] = 0;
    IShellCommandVerb* target = dynamic_cast<IShellCommandVerb*>(Control);
    bool handled = false;
    if (target) target->ExecuteCommand(verb, handled);
    bool succeeded = handled;
    if (!handled) {
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.hwnd = wnd;
        info.lpVerb = MAKEINTRESOURCEA(command - 1);
        info.nShow = SW_SHOWNORMAL;
        succeeded = menu->InvokeCommand(&info) == S_OK;
    }
    if (target) target->CommandCompleted(verb, succeeded);
}

void InvokeContextMenuAt(TWinControl* Control, const TspShellFolder* Folder, LPARAM Pos)
{
    if (!Control) return;
    POINT pt = {static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos))};
    if (pt.x == -1 && pt.y == -1) pt = {0, 0};
    else ::ScreenToClient(Control->GetWindowHandle(), &pt);
    InvokeContextMenu(Control, Folder, pt.x, pt.y);
}

bool IsContextMenuMessage(UINT Msg)
{
    return Msg == WM_INITMENUPOPUP || Msg == WM_DRAWITEM || Msg == WM_MEASUREITEM || Msg == WM_MENUCHAR;
}

void EnterFolderDirectory(std::string& SavedDir, const TspShellFolder* Folder)
{
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(dir), dir);
    SavedDir = dir;
    if (Folder) SetCurrentDirectoryA(ExtractFilePath(Folder->PathName()).c_str());
}

} // namespace Spskinshellctrls
