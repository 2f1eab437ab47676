// An owning COM interface pointer: released when it goes, moved but never copied.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& other) noexcept : FPtr(other.FPtr) { other.FPtr = nullptr; }
    TComPtr& operator=(TComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            FPtr = other.FPtr;
            other.FPtr = nullptr;
        }
        return *this;
    }
    ~TComPtr() { Reset(); }

    // Takes a reference of its own to p.
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
    // For the out parameter of a call that hands over a reference.
    T** Put()
    {
        Reset();
        return &FPtr;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    T* Get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }

    // Asks this object for another of its interfaces.
    template <class U>
    HRESULT QueryInto(REFIID iid, TComPtr<U>& out) const
    {
        if (!FPtr) return E_POINTER;
        return FPtr->QueryInterface(iid, out.PutVoid());
    }

private:
    T* FPtr = nullptr;
};
