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

bool PumpUntilIdle(DWORD ms)
{
    // Quiet means nothing new came for this long: the display's events (a map, an
    // expose) reach the queue a moment after the call that caused them.
    const DWORD kQuietMs = 10;
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (PendingSyncCalls() == 0 &&
            MsgWaitForMultipleObjectsEx(0, nullptr, kQuietMs, QS_ALLINPUT & ~QS_TIMER, MWMO_INPUTAVAILABLE) ==
                WAIT_TIMEOUT)
            return true;
        if (GetTickCount() - start >= ms) return false;
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}
