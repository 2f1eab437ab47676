#include "WaitUntil.h"
#include "Application.h"

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
        // The application's own loop: synchronous calls, and key messages handed
        // to the class library's controls as the program's loop hands them.
        Application->ProcessMessages();
        if (cond()) return true;
        if (GetTickCount() - start >= ms) return false;
        CheckSynchronize(5);
    }
}
