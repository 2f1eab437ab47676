// Locks and events of the class library, on Win32 objects.
#pragma once
#include "Classes.h"
#include "UniqueHandle.h"
#include "LockGuard.h"

class TCriticalSection : public TObject {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
    void Acquire() { EnterCriticalSection(&FSection); }
    void Release() { LeaveCriticalSection(&FSection); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    void Lock() { Acquire(); }
    void Unlock() { Release(); }
    bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }
private:
    CRITICAL_SECTION FSection;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TEvent : public TObject {
public:
    TEvent(bool ManualReset, bool InitialState, const std::string& Name = std::string());
    void SetEvent() { ::SetEvent(FHandle.Get()); }
    void ResetEvent() { ::ResetEvent(FHandle.Get()); }
    TWaitResult WaitFor(DWORD Timeout);
    HANDLE Handle() const { return FHandle.Get(); }
private:
    TKernelHandle FHandle;
};
