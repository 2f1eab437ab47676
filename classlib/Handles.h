// Move-only owners of the non-GDI handles our code obtains from the system:
// COM interface pointers, kernel objects (UniqueHandle.h, included), find
// handles, WinHTTP handles and process-heap blocks. Sockets: SocketHandle.h
// (winsock must come first there); GDI and USER handles: GdiHandles.h.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <winhttp.h>
#include <cstddef>
#include <utility>
#include "UniqueHandle.h"

// Holds one reference to a COM object; moved, never copied.
template <class T> class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // A holder with a new reference of its own to p.
    static TComPtr Share(T* p)
    {
        TComPtr r;
        r.FPtr = p;
        if (p) p->AddRef();
        return r;
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& o) noexcept : FPtr(o.FPtr) { o.FPtr = nullptr; }
    TComPtr& operator=(TComPtr&& o) noexcept
    {
        if (this != &o) {
            Reset();
            FPtr = o.FPtr;
            o.FPtr = nullptr;
        }
        return *this;
    }
    ~TComPtr() { Reset(); }

    T* Get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    bool operator==(const TComPtr& o) const { return FPtr == o.FPtr; }
    bool operator!=(const TComPtr& o) const { return FPtr != o.FPtr; }

    // Takes a reference of its own to p, dropping what it held.
    void Assign(T* p)
    {
        if (p) p->AddRef();
        Reset();
        FPtr = p;
    }
    void Reset()
    {
        if (FPtr) {
            T* p = FPtr;
            FPtr = nullptr;
            p->Release();
        }
    }
    // Hands the reference over to the caller (an out parameter of a COM method).
    T* Detach()
    {
        T* p = FPtr;
        FPtr = nullptr;
        return p;
    }
    // For out parameters: releases what is held and returns the slot.
    T** Put()
    {
        Reset();
        return &FPtr;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    TComPtr Copy() const { return Share(FPtr); }
    // QueryInterface into another holder; empty on failure.
    template <class U> HRESULT As(REFIID iid, TComPtr<U>& out) const
    {
        out.Reset();
        if (!FPtr) return E_POINTER;
        return FPtr->QueryInterface(iid, out.PutVoid());
    }
private:
    T* FPtr = nullptr;
};

struct TInternetHandleTraits {
    typedef HINTERNET Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr; }
    static void Close(Type h) { WinHttpCloseHandle(h); }
};
struct TFindHandleTraits {
    typedef HANDLE Type;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct THeapBlockTraits {
    typedef void* Type;
    static Type Empty() { return nullptr; }
    static bool Valid(Type h) { return h != nullptr; }
    static void Close(Type h) { HeapFree(GetProcessHeap(), 0, h); }
};

typedef TUniqueHandle<TFindHandleTraits> TFindHandle;
typedef TUniqueHandle<TInternetHandleTraits> TInternetHandle;
typedef TUniqueHandle<THeapBlockTraits> THeapBlock;
