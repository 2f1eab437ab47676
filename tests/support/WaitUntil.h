// Waiting in tests for a condition instead of sleeping a fixed time.
#pragma once
#include <windows.h>
#include <functional>

// Polls cond every few milliseconds until it holds or ms have passed.
// Plain: only sleeps. Pumping: also serves the GUI thread's synchronous calls
// (TThread::Synchronize from worker threads) and its window messages.
bool WaitUntil(const std::function<bool()>& cond, DWORD ms);
bool PumpUntil(const std::function<bool()>& cond, DWORD ms);

// Serves the GUI thread's messages and synchronous calls until its queue stays
// empty for a moment: what was posted, sent, put in as input or invalidated has
// been handled (paints included). Timers are not waited for: a test that needs a
// timer's work waits for what that work does. False when the queue was still
// busy after ms.
bool PumpUntilIdle(DWORD ms = 3000);

// Serves messages for ms milliseconds whatever happens: only for a test that
// checks that something does NOT happen within that time (a timer that must stay
// quiet, a hint that must not come back).
void PumpFor(DWORD ms);
