// A bar (scroll bar, track bar, slider) takes the focus when it is pressed.
#pragma once
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

}  // namespace Skinbars
