// A bar (scroll bar, track bar, slider) takes the focus when it is pressed.
#pragma once
#include "ScopeGuard.h"
#include "Trace.h"
#include "WinControl.h"

namespace Skinbars {

// Gives Control the focus if it can take it. The class library throws when a
// control cannot take the focus (a hidden form); nothing may leave the window
// procedure the press came through, so a refusal only leaves the focus where it
// was. Returns whether Control has the focus now.
inline bool TryTakeFocus(TWinControl* Control)
{
    try {
        if (Control->CanFocus()) Control->SetFocus();
    } catch (...) {
        Trace::Caught(Trace::Skin, "taking the focus on a press");
    }
    return Control->Focused();
}

// What a bar that can take the focus (CanFocus) does with Message before its
// own handling: it wants the arrow keys; a press first takes the focus, and a
// refused focus drops the press; the command notifications that the focus
// change brings meanwhile are dropped. True when Message is done with here.
inline bool FocusableBarMessage(TWinControl* Bar, TMessage& Message, bool CanFocus, bool& TakingFocus)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        if (!CanFocus || (Message.WParam != VK_LEFT && Message.WParam != VK_RIGHT && Message.WParam != VK_UP &&
                          Message.WParam != VK_DOWN))
            return false;
        Message.Result = 1;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!CanFocus || Bar->IsDesigning() || !Bar->HandleAllocated() || Bar->Focused()) return false;
        {
            TRestore<bool> taking(TakingFocus, true);
            return !TryTakeFocus(Bar);
        }
    case CN_COMMAND: return TakingFocus;
    default: return false;
    }
}

}  // namespace Skinbars
