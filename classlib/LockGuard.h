// The one scoped lock of the project: holds anything with Lock/Unlock for a scope.
#pragma once

template <class T> class TLockGuard {
public:
    explicit TLockGuard(T& l) : FL(l) { FL.Lock(); }
    ~TLockGuard() { FL.Unlock(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;
private:
    T& FL;
};
