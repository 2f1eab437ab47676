// Hidden windows that deliver their messages to a method of an object that is
// not a control (timers, the popup menus' owner window).
#pragma once
#include "Messages.h"

// A hidden top-level window whose messages go to Method; exceptions raised by
// Method go to Application->HandleException. Free it with DeallocateHWnd.
HWND AllocateHWnd(const TWndMethod& Method);
void DeallocateHWnd(HWND Wnd);
