// The lock that every structure shared between threads goes through.
#pragma once
#include <windows.h>
#include "LockGuard.h"

// One recursive Win32 critical section: the holding thread may take it again
// and must release it as often as it took it.
class CMultiThreadClass {
public:
    CMultiThreadClass() { InitializeCriticalSection(&FSection); }
    virtual ~CMultiThreadClass() { DeleteCriticalSection(&FSection); }
    CMultiThreadClass(const CMultiThreadClass&) = delete;
    CMultiThreadClass& operator=(const CMultiThreadClass&) = delete;
    void Lock() { EnterCriticalSection(&FSection); }
    void Unlock() { LeaveCriticalSection(&FSection); }
protected:
    // For condition-variable waits of derived queues (held exactly once there).
    CRITICAL_SECTION* Section() { return &FSection; }
private:
    CRITICAL_SECTION FSection;
};
