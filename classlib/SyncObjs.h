// Locks and events of the class library, on Win32 objects.
#pragma once
#include "Classes.h"

class TCriticalSection : public TObject {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
    void Acquire() { EnterCriticalSection(&FSection); }
    void Release() { LeaveCriticalSection(&FSection); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }
private:
    CRITICAL_SECTION FSection;
};

// Scoped hold of anything with Enter/Leave (or Lock/Unlock through LockGuard below).
template <class T> class TCSGuard {
public:
    explicit TCSGuard(T& cs) : FCS(cs) { FCS.Enter(); }
    ~TCSGuard() { FCS.Leave(); }
    TCSGuard(const TCSGuard&) = delete;
    TCSGuard& operator=(const TCSGuard&) = delete;
private:
    T& FCS;
};

template <class T> class TLockGuard {
public:
    explicit TLockGuard(T& l) : FL(l) { FL.Lock(); }
    ~TLockGuard() { FL.Unlock(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;
private:
    T& FL;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TEvent : public TObject {
public:
    TEvent(bool ManualReset, bool InitialState, const std::string& Name = std::string());
    ~TEvent() override;
    void SetEvent() { ::SetEvent(FHandle); }
    void ResetEvent() { ::ResetEvent(FHandle); }
    TWaitResult WaitFor(DWORD Timeout);
    HANDLE Handle() const { return FHandle; }
private:
    HANDLE FHandle;
};
