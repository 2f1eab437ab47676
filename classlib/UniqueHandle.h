// The one move-only handle holder, and its kernel-object form. Only windows.h:
// the lower layers of the class library (threads, events, file streams) include
// this without COM's headers, whose macros (small, interface ...) would reach
// every file that uses a thread. The whole set of holders: Handles.h.
#pragma once
#include <windows.h>
#include <utility>

// One move-only holder for every handle kind below; Traits gives its empty
// value and how to close it.
template <class Traits> class TUniqueHandle {
public:
    typedef typename Traits::Type Type;
    TUniqueHandle() = default;
    explicit TUniqueHandle(Type h) : FHandle(h) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& o) noexcept : FHandle(o.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& o) noexcept
    {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    Type Get() const { return FHandle; }
    bool Valid() const { return Traits::Valid(FHandle); }
    explicit operator bool() const { return Valid(); }
    Type Release()
    {
        Type h = FHandle;
        FHandle = Traits::Empty();
        return h;
    }
    void Reset(Type h = Traits::Empty())
    {
        if (Traits::Valid(FHandle) && FHandle != h) Traits::Close(FHandle);
        FHandle = h;
    }
    // For out parameters: closes what is held and returns the slot.
    Type* Put()
    {
        Reset();
        return &FHandle;
    }
private:
    Type FHandle = Traits::Empty();
};

// Kernel objects: events, threads, processes, files, mutexes, semaphores.
// Both null and INVALID_HANDLE_VALUE count as no handle.
struct TKernelHandleTraits {
    typedef HANDLE Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
typedef TUniqueHandle<TKernelHandleTraits> TKernelHandle;
