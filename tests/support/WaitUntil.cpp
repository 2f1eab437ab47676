#include "WaitUntil.h"
#include "Thread.h"

bool WaitUntil(const std::function<bool()>& cond, DWORD ms)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start >= ms) return cond();
        Sleep(5);
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& cond, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        CheckSynchronize();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (cond()) return true;
        if (GetTickCount() - start >= ms) return false;
        CheckSynchronize(5);
    }
}
