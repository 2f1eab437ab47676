// What the drop-downs of the box controls (the lists, the calendar, the track bar)
// have in common: hidden tool windows with a shadow that a control shows at a
// screen point and hides again, and that a click never activates, so the focus
// stays with the control that dropped them.
#pragma once
#include "SkinPlatform.h"
#include "WinControl.h"

namespace SpDropDown {

// The window parameters of a drop-down, set after its base class set its own.
inline void SetParams(TCreateParams& Params, DWORD Style, const char* ClassName)
{
    Params.Style = Style;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
    if (Sputils::CheckWXP()) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.WinClassName = ClassName;
}

// Answers a mouse activation with "no activation"; false for every other message.
inline bool RefuseActivation(TMessage& Message)
{
    if (Message.Msg != WM_MOUSEACTIVATE) return false;
    Message.Result = MA_NOACTIVATE;
    return true;
}

// Shows the drop-down on top with its top-left corner at the screen point Pt, at its size.
inline void ShowAt(TWinControl* W, const TPoint& Pt)
{
    HWND h = W->GetHandle();
    W->SetVisible(true);
    SetWindowPos(h, HWND_TOP, Pt.x, Pt.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

inline void Hide(TWinControl* W)
{
    if (W->HandleAllocated())
        SetWindowPos(W->GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    W->SetVisible(false);
}

// The top of a drop-down H high for a control at Top that is Height high: below the
// control, or above it when it would pass Bottom (the end of the screen or work area).
inline int DropTop(int Top, int Height, int H, int Bottom)
{
    return Top + Height + H > Bottom ? Top - H : Top + Height;
}

}  // namespace SpDropDown
