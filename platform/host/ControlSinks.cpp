#include "ControlSinks.h"
#include <string>

// {E16AA1D3-F5D2-4222-87BA-231442C95A24}
const IID DIID_ViewerEvents = {0xE16AA1D3, 0xF5D2, 0x4222, {0x87, 0xBA, 0x23, 0x14, 0x42, 0xC9, 0x5A, 0x24}};

const char* ViewerEventName(DISPID id)
{
    switch (id) {
    case 1: return "OnActivate";
    case 2: return "OnClick";
    case 3: return "OnCreate";
    case 4: return "OnMouseMove";
    case 5: return "OnDblClick";
    case 6: return "OnDestroy";
    case 7: return "OnDeactivate";
    case 11: return "OnKeyPress";
    case 16: return "OnPaint";
    default: return "?";
    }
}

// TEventSink

TEventSink::TEventSink(REFIID eventsIid, THostLog& log) : FEventsIid(eventsIid), FLog(log) {}

HRESULT STDMETHODCALLTYPE TEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, FEventsIid)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }

ULONG STDMETHODCALLTYPE TEventSink::Release()
{
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE TEventSink::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids)
{
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE TEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                             EXCEPINFO*, UINT*)
{
    try {
        std::string line = "event " + std::to_string(id) + " " + ViewerEventName(id);
        if (params && params->cArgs > 0) line += " args=" + std::to_string(params->cArgs);
        FLog.Line(line);
    } catch (...) {
        // A line lost to a full disk or no memory is no reason to fail the control's call.
    }
    // A key press passed by reference stays as the control sent it.
    if (result) VariantInit(result);
    return S_OK;
}

// TPropertySink

TPropertySink::TPropertySink(THostLog& log) : FLog(log) {}

HRESULT STDMETHODCALLTYPE TPropertySink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TPropertySink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }

ULONG STDMETHODCALLTYPE TPropertySink::Release()
{
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE TPropertySink::OnChanged(DISPID id)
{
    try {
        FLog.Line("changed " + std::to_string(id));
    } catch (...) {
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TPropertySink::OnRequestEdit(DISPID id)
{
    try {
        FLog.Line("request-edit " + std::to_string(id));
    } catch (...) {
    }
    // A page never vetoes its own script's changes.
    return S_OK;
}
