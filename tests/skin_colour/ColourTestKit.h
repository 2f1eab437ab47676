// Helpers of the colour tests: an action run later from whatever loop runs then
// (the modal dialog's), clicks and typing through window messages.
#pragma once
#include "Timer.h"
#include "SkinTrackEdit.h"
#include "WinControl.h"
#include <functional>
#include <string>

namespace ColourTest {

struct Later {
    TTimer Timer;
    std::function<void()> Action;
    Later(UINT Ms, std::function<void()> A) : Timer(nullptr), Action(std::move(A))
    {
        Timer.SetInterval(Ms);
        Timer.OnTimer = [this](TObject*) {
            Timer.SetEnabled(false);
            Action();
        };
    }
};

inline void Click(TWinControl* C, int X, int Y, bool Right = false)
{
    HWND h = C->GetHandle();
    const UINT down = Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    SendMessageA(h, down, Right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageA(h, down + 1, 0, MAKELPARAM(X, Y));
}

// Replaces what the number field holds by typing Text into it.
inline void Type(TspSkinTrackEdit* E, const std::string& Text)
{
    HWND h = E->GetHandle();
    SendMessageA(h, EM_SETSEL, 0, -1);
    SendMessageA(h, WM_CHAR, VK_BACK, 0);
    for (char c : Text) SendMessageA(h, WM_CHAR, static_cast<BYTE>(c), 0);
}

// One notch of the wheel over the field: Up raises its number.
inline void Wheel(TspSkinTrackEdit* E, bool Up)
{
    const short delta = Up ? -WHEEL_DELTA : WHEEL_DELTA;   // towards the user raises
    SendMessageA(E->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

}  // namespace ColourTest
