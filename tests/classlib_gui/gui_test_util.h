// Helpers of the GUI tests: pumping messages for a while, reading pixels.
#pragma once
#include "Forms.h"

namespace guitest {

// Dispatches messages for about Ms milliseconds (bounded).
inline void Pump(DWORD Ms = 50)
{
    DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(5);
    } while (GetTickCount() - start < Ms);
}

// Pumps until Cond holds or Ms pass; true when it held.
template <class F> bool PumpUntil(F Cond, DWORD Ms = 2000)
{
    DWORD start = GetTickCount();
    while (!Cond()) {
        if (GetTickCount() - start > Ms) return false;
        Application->ProcessMessages();
        Sleep(5);
    }
    return true;
}

// The colour of a pixel of a window's client area as it is on screen.
inline COLORREF ScreenPixel(HWND Wnd, int X, int Y)
{
    HDC dc = GetDC(Wnd);
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Wnd, dc);
    return c;
}

} // namespace guitest
