#include "SkinPopupCheckList.h"
#include "SkinPlatform.h"

// ---- TspPopupCheckListBox ----

TspPopupCheckListBox::TspPopupCheckListBox(TComponent* AOwner) : TspSkinCheckListBox(AOwner)
{
    FControlStyle |= csAcceptsControls | csNoDesignVisible | csReplicatable;
    FVisible = false;
}

void TspPopupCheckListBox::CreateParams(TCreateParams& Params)
{
    TspSkinCheckListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
    if (Sputils::CheckWXP()) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.WinClassName = "TspPopupCheckListBox";
}

void TspPopupCheckListBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TspSkinCheckListBox::WndProc(Message);
}

void TspPopupCheckListBox::ListBoxWProc(TMessage& Message, bool& CallDefault)
{
    CallDefault = true;
    TspListBox* lb = GetListBox();
    if (!lb->HandleAllocated()) return;
    const TPoint pt(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
    // The system list would take the focus on a press, and with it the activation:
    // the presses are swallowed and the release toggles the row under the pointer.
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        CallDefault = false;
        break;
    case WM_LBUTTONUP: {
        CallDefault = false;
        const int i = lb->ItemAtPos(pt, true);
        if (i >= 0 && OnToggleItem) OnToggleItem(i);
        break;
    }
    case WM_MOUSEMOVE: {
        const int i = lb->ItemAtPos(pt, true);
        if (i >= 0 && OnHotItem) OnHotItem(i);
        break;
    }
    }
}

void TspPopupCheckListBox::Show(const TPoint& Pt)
{
    HWND h = GetHandle();
    SetVisible(true);
    SetWindowPos(h, HWND_TOP, Pt.x, Pt.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TspPopupCheckListBox::Hide()
{
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetVisible(false);
}
