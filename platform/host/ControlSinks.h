// The host's ears on the control: a sink for the control's event interface and
// one for its property change notifications. Both only write what they hear to
// the host's log.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include "HostLog.h"

// The event interface of the viewer control (IActiveFormXEvents).
extern const IID DIID_ViewerEvents;

// Answers to the control's event interface (whatever IID it was connected for).
class TEventSink final : public IDispatch {
public:
    TEventSink(REFIID eventsIid, THostLog& log);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    ~TEventSink() = default;
    LONG FRefs = 1;
    IID FEventsIid;
    THostLog& FLog;
};

class TPropertySink final : public IPropertyNotifySink {
public:
    explicit TPropertySink(THostLog& log);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override;

private:
    ~TPropertySink() = default;
    LONG FRefs = 1;
    THostLog& FLog;
};

// The name of an event of the viewer control's event interface ("?" when unknown).
const char* ViewerEventName(DISPID id);
