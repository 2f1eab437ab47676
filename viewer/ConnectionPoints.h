// The control's connection points: one per outgoing interface, holding the
// advised sinks (up to a maximum) and their cookies.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include "Handles.h"
#include <vector>

class CConnectionPoint : public IConnectionPoint {
public:
    // Container: the object whose reference count this point shares.
    CConnectionPoint(IConnectionPointContainer* Container, REFIID Iid, size_t MaxSinks);
    ~CConnectionPoint();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return FContainer->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FContainer->Release(); }
    STDMETHODIMP GetConnectionInterface(IID* pIID) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    STDMETHODIMP Unadvise(DWORD dwCookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override;

    const IID& Iid() const { return FIid; }
    // The sinks now advised, each with a reference of the caller's own (a sink
    // may unadvise itself while it is called).
    std::vector<TComPtr<IUnknown>> Sinks();
    void UnadviseAll();

private:
    IConnectionPointContainer* FContainer;
    IID FIid;
    size_t FMaxSinks;
    struct Sink {
        TComPtr<IUnknown> Unk;
        DWORD Cookie;
    };
    std::vector<Sink> FSinks;
    DWORD FNextCookie = 1;
};

// Enumerates a fixed list of connection points.
HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& Points, IEnumConnectionPoints** ppEnum);
