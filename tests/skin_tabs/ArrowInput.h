// The arrows of a scrolling container through its window's own non-client
// messages: a point of the window (window coordinates) is hit-tested like the
// system does, and presses go to the hit code the window answered.
#pragma once
#include "WinControl.h"
#include <windows.h>

namespace ArrowInput {

inline LPARAM ScreenPoint(TWinControl* C, int X, int Y)
{
    RECT w;
    GetWindowRect(C->GetHandle(), &w);
    return MAKELPARAM(w.left + X, w.top + Y);
}

// The hit code the window answers at (X, Y) of its window rectangle.
inline int HitAt(TWinControl* C, int X, int Y)
{
    return static_cast<int>(SendMessageA(C->GetHandle(), WM_NCHITTEST, 0, ScreenPoint(C, X, Y)));
}

inline void Down(TWinControl* C, int X, int Y)
{
    const int code = HitAt(C, X, Y);
    SendMessageA(C->GetHandle(), WM_NCLBUTTONDOWN, code, ScreenPoint(C, X, Y));
}

inline void Up(TWinControl* C, int X, int Y)
{
    const int code = HitAt(C, X, Y);
    SendMessageA(C->GetHandle(), WM_NCLBUTTONUP, code, ScreenPoint(C, X, Y));
}

inline void Click(TWinControl* C, int X, int Y)
{
    Down(C, X, Y);
    Up(C, X, Y);
}

inline void Hover(TWinControl* C, int X, int Y)
{
    const int code = HitAt(C, X, Y);
    SendMessageA(C->GetHandle(), WM_NCMOUSEMOVE, code, ScreenPoint(C, X, Y));
}

}  // namespace ArrowInput
