// Helpers of the GUI tests: pumping messages for a while, reading pixels.
#pragma once
#include "Forms.h"
#include "GdiHandles.h"
#include "WaitUntil.h"

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

// How long a GUI test waits for what its messages should bring about.
const DWORD GuiWaitMs = 2000;

// The colour of a pixel of a window's client area as it is on screen.
inline COLORREF ScreenPixel(HWND Wnd, int X, int Y)
{
    TWindowDC dc(Wnd);
    return GetPixel(dc.Get(), X, Y);
}

} // namespace guitest
