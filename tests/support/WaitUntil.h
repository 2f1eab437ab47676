// Waiting in tests for a condition instead of sleeping a fixed time.
#pragma once
#include <windows.h>
#include <functional>

// Polls cond every few milliseconds until it holds or ms have passed.
// Plain: only sleeps. Pumping: also serves the GUI thread's synchronous calls
// (TThread::Synchronize from worker threads) and its window messages.
bool WaitUntil(const std::function<bool()>& cond, DWORD ms);
bool PumpUntil(const std::function<bool()>& cond, DWORD ms);
