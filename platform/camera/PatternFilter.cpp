// The pattern camera filter: state, clock, graph membership and its one pin.
#include "PatternFilter.h"
#include <new>

const WCHAR kPinName[8] = {'C', 'a', 'p', 't', 'u', 'r', 'e', 0};

namespace {

// Enumerates the filter's single pin.
class PinEnum final : public IEnumPins {
public:
    PinEnum(PatternFilter* filter, IPin* pin, ULONG pos) : FFilter(filter), FPin(pin), FPos(pos)
    {
        FFilter->AddRef();
        ModuleAddRef();
    }
    ~PinEnum()
    {
        FFilter->Release();
        ModuleRelease();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumPins)) {
            *ppv = static_cast<IEnumPins*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&FRef); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG r = InterlockedDecrement(&FRef);
        if (r == 0) delete this;
        return r;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override
    {
        if (!pins) return E_POINTER;
        if (count > 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        if (count > 0 && FPos == 0) {
            pins[0] = FPin;
            FPin->AddRef();
            n = 1;
            FPos = 1;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        ULONG left = 1 - FPos;
        FPos = count >= left ? 1 : FPos + count;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        FPos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** ppEnum) override
    {
        if (!ppEnum) return E_POINTER;
        *ppEnum = new (std::nothrow) PinEnum(FFilter, FPin, FPos);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }
private:
    volatile LONG FRef = 1;
    PatternFilter* FFilter;
    IPin* FPin;
    ULONG FPos;
};

} // namespace

PatternFilter::PatternFilter() : FPin(this)
{
    ModuleAddRef();
}

PatternFilter::~PatternFilter()
{
    Stop();
    if (FClock) FClock->Release();
    ModuleRelease();
}

HRESULT STDMETHODCALLTYPE PatternFilter::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IMediaFilter) ||
        IsEqualIID(riid, IID_IBaseFilter))
        *ppv = static_cast<IBaseFilter*>(this);
    else if (IsEqualIID(riid, IID_IAMFilterMiscFlags))
        *ppv = static_cast<IAMFilterMiscFlags*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE PatternFilter::AddRef()
{
    return InterlockedIncrement(&FRef);
}

ULONG STDMETHODCALLTYPE PatternFilter::Release()
{
    LONG r = InterlockedDecrement(&FRef);
    if (r == 0) delete this;
    return r;
}

HRESULT STDMETHODCALLTYPE PatternFilter::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = CLSID_PatternCamera;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::Stop()
{
    TKernelHandle thread;
    {
        TLockGuard<TCriticalSection> hold(FLock);
        if (FState == State_Stopped) return S_OK;
        FState = State_Stopped;
        thread = FPin.StopPushing();
    }
    // Waited for outside the lock: the thread may be inside a downstream Receive
    // that calls back into the pin.
    if (thread) WaitForSingleObject(thread.Get(), INFINITE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::Pause()
{
    TLockGuard<TCriticalSection> hold(FLock);
    if (FState == State_Stopped) {
        HRESULT hr = FPin.Active();
        if (FAILED(hr)) return hr;
    }
    FState = State_Paused;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::Run(REFERENCE_TIME start)
{
    TLockGuard<TCriticalSection> hold(FLock);
    if (FState == State_Stopped) {
        HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
    }
    {
        TLockGuard<TCriticalSection> time(FTimeLock);
        FStart = start;
    }
    FState = State_Running;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::GetState(DWORD timeout, FILTER_STATE* state)
{
    (void)timeout;
    if (!state) return E_POINTER;
    *state = FState;
    // A live source has nothing to show while paused.
    return FState == State_Paused ? VFW_S_CANT_CUE : S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::SetSyncSource(IReferenceClock* clock)
{
    TLockGuard<TCriticalSection> hold(FTimeLock);
    if (clock) clock->AddRef();
    if (FClock) FClock->Release();
    FClock = clock;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FTimeLock);
    *clock = FClock;
    if (FClock) FClock->AddRef();
    return S_OK;
}

bool PatternFilter::StreamTime(REFERENCE_TIME& t)
{
    TLockGuard<TCriticalSection> hold(FTimeLock);
    if (!FClock) return false;
    REFERENCE_TIME now = 0;
    if (FAILED(FClock->GetTime(&now))) return false;
    t = now - FStart;
    return true;
}

HRESULT STDMETHODCALLTYPE PatternFilter::EnumPins(IEnumPins** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = new (std::nothrow) PinEnum(this, static_cast<IPin*>(&FPin), 0);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE PatternFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!id || !pin) return E_POINTER;
    if (lstrcmpW(id, kPinName) != 0) {
        *pin = nullptr;
        return VFW_E_NOT_FOUND;
    }
    *pin = static_cast<IPin*>(&FPin);
    FPin.AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FLock);
    lstrcpynW(info->achName, FName, MAX_FILTER_NAME);
    info->pGraph = FGraph;
    if (FGraph) FGraph->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    TLockGuard<TCriticalSection> hold(FLock);
    FGraph = graph;
    FName[0] = 0;
    if (name) lstrcpynW(FName, name, MAX_FILTER_NAME);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternFilter::QueryVendorInfo(LPWSTR* info)
{
    (void)info;
    return E_NOTIMPL;
}

ULONG STDMETHODCALLTYPE PatternFilter::GetMiscFlags()
{
    return AM_FILTER_MISC_FLAGS_IS_SOURCE;
}

HRESULT CreatePatternCamera(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* f = new (std::nothrow) PatternFilter();
    if (!f) return E_OUTOFMEMORY;
    HRESULT hr = f->QueryInterface(riid, ppv);
    f->Release();
    return hr;
}
