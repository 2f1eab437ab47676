// The pattern camera's output pin: connection and allocator negotiation, the
// stream configuration (modes and frame rate), the pin category, and the push
// thread that delivers frames in real time while the graph runs.
#include "PatternFilter.h"
#include <mmsystem.h>
#include <cstring>
#include <new>

namespace {

// A snapshot of media types handed out one by one.
class TypeEnum final : public IEnumMediaTypes {
public:
    TypeEnum(IPin* owner, const AM_MEDIA_TYPE* types, int count, ULONG pos) : FOwner(owner), FCount(0), FPos(pos)
    {
        FOwner->AddRef();
        ModuleAddRef();
        for (int i = 0; i < count && i < kPatternModeCount; ++i)
            if (CopyMediaTypeFields(FTypes[FCount], types[i])) ++FCount;
    }
    ~TypeEnum()
    {
        for (int i = 0; i < FCount; ++i) FreeMediaTypeFields(FTypes[i]);
        FOwner->Release();
        ModuleRelease();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumMediaTypes)) {
            *ppv = static_cast<IEnumMediaTypes*>(this);
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
    HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override
    {
        if (!types) return E_POINTER;
        if (count > 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        while (n < count && FPos < static_cast<ULONG>(FCount)) {
            auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
            if (!mt || !CopyMediaTypeFields(*mt, FTypes[FPos])) {
                if (mt) CoTaskMemFree(mt);
                break;
            }
            types[n++] = mt;
            ++FPos;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        ULONG left = static_cast<ULONG>(FCount) - FPos;
        FPos += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        FPos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** ppEnum) override
    {
        if (!ppEnum) return E_POINTER;
        *ppEnum = new (std::nothrow) TypeEnum(FOwner, FTypes, FCount, FPos);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }
private:
    volatile LONG FRef = 1;
    IPin* FOwner;
    AM_MEDIA_TYPE FTypes[kPatternModeCount] = {};
    int FCount;
    ULONG FPos;
};

const VIDEOINFOHEADER* VideoInfo(const AM_MEDIA_TYPE& mt)
{
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
}

} // namespace

PatternPin::PatternPin(PatternFilter* filter) : FFilter(filter)
{
    FStopEvent.Reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
}

PatternPin::~PatternPin()
{
    ClearConnection();
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPin))
        *ppv = static_cast<IPin*>(this);
    else if (IsEqualIID(riid, IID_IAMStreamConfig))
        *ppv = static_cast<IAMStreamConfig*>(this);
    else if (IsEqualIID(riid, IID_IKsPropertySet))
        *ppv = static_cast<IKsPropertySet*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE PatternPin::AddRef()
{
    return FFilter->AddRef();
}

ULONG STDMETHODCALLTYPE PatternPin::Release()
{
    return FFilter->Release();
}

int PatternPin::ProposedTypes(AM_MEDIA_TYPE* types, int max)
{
    int n = 0;
    REFERENCE_TIME interval;
    {
        TLockGuard<TCriticalSection> h(FIntervalLock);
        interval = FInterval;
    }
    if (n < max && MakeModeType(FMode, interval, types[n])) ++n;
    for (int i = 0; i < kPatternModeCount && n < max; ++i)
        if (i != FMode && MakeModeType(i, interval, types[n])) ++n;
    return n;
}

HRESULT STDMETHODCALLTYPE PatternPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* pmt)
{
    if (!receivePin) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    if (FConnected) return VFW_E_ALREADY_CONNECTED;
    if (FFilter->State() != State_Stopped) return VFW_E_NOT_STOPPED;
    AM_MEDIA_TYPE types[kPatternModeCount];
    int n = ProposedTypes(types, kPatternModeCount);
    HRESULT result = VFW_E_NO_ACCEPTABLE_TYPES;
    for (int i = 0; i < n; ++i) {
        if (!TypeMatches(pmt, types[i])) continue;
        if (SUCCEEDED(TryConnect(receivePin, types[i]))) {
            result = S_OK;
            break;
        }
    }
    for (int i = 0; i < n; ++i) FreeMediaTypeFields(types[i]);
    return result;
}

HRESULT PatternPin::TryConnect(IPin* receivePin, const AM_MEDIA_TYPE& mt)
{
    HRESULT hr = receivePin->ReceiveConnection(static_cast<IPin*>(this), &mt);
    if (FAILED(hr)) return hr;
    FConnected = receivePin;
    FConnected->AddRef();
    if (!CopyMediaTypeFields(FMediaType, mt)) {
        receivePin->Disconnect();
        ClearConnection();
        return E_OUTOFMEMORY;
    }
    FMode = ModeOfType(&mt);
    {
        TLockGuard<TCriticalSection> h(FIntervalLock);
        FInterval = VideoInfo(mt)->AvgTimePerFrame;
    }
    hr = NegotiateAllocator(receivePin, mt);
    if (FAILED(hr)) {
        receivePin->Disconnect();
        ClearConnection();
    }
    return hr;
}

namespace {

bool UseAllocator(IMemInputPin* input, IMemAllocator* alloc, ALLOCATOR_PROPERTIES props, long need)
{
    ALLOCATOR_PROPERTIES actual = {};
    if (FAILED(alloc->SetProperties(&props, &actual))) return false;
    if (actual.cbBuffer < need) return false;
    return SUCCEEDED(input->NotifyAllocator(alloc, FALSE));
}

} // namespace

HRESULT PatternPin::NegotiateAllocator(IPin* receivePin, const AM_MEDIA_TYPE& mt)
{
    IMemInputPin* input = nullptr;
    HRESULT hr = receivePin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (FAILED(hr) || !input) return FAILED(hr) ? hr : E_NOINTERFACE;
    const long need = static_cast<long>(VideoInfo(mt)->bmiHeader.biSizeImage);
    ALLOCATOR_PROPERTIES req = {};
    input->GetAllocatorRequirements(&req);
    ALLOCATOR_PROPERTIES props = {};
    props.cBuffers = req.cBuffers > 4 ? req.cBuffers : 4;
    props.cbBuffer = req.cbBuffer > need ? req.cbBuffer : need;
    props.cbAlign = req.cbAlign > 1 ? req.cbAlign : 1;
    props.cbPrefix = req.cbPrefix;

    IMemAllocator* alloc = nullptr;
    if (SUCCEEDED(input->GetAllocator(&alloc)) && alloc && !UseAllocator(input, alloc, props, need)) {
        alloc->Release();
        alloc = nullptr;
    }
    if (!alloc) {
        hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                              reinterpret_cast<void**>(&alloc));
        if (FAILED(hr) || !alloc) {
            input->Release();
            return FAILED(hr) ? hr : E_FAIL;
        }
        if (!UseAllocator(input, alloc, props, need)) {
            alloc->Release();
            input->Release();
            return VFW_E_NO_ALLOCATOR;
        }
    }
    FInput = input;
    FAllocator = alloc;
    return S_OK;
}

void PatternPin::ClearConnection()
{
    if (FAllocator) {
        FAllocator->Decommit();
        FAllocator->Release();
        FAllocator = nullptr;
    }
    if (FInput) {
        FInput->Release();
        FInput = nullptr;
    }
    if (FConnected) {
        FConnected->Release();
        FConnected = nullptr;
    }
    FreeMediaTypeFields(FMediaType);
    std::memset(&FMediaType, 0, sizeof(FMediaType));
}

HRESULT STDMETHODCALLTYPE PatternPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* pmt)
{
    (void)connector;
    (void)pmt;
    return E_UNEXPECTED;    // an output pin
}

HRESULT STDMETHODCALLTYPE PatternPin::Disconnect()
{
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    if (!FConnected) return S_FALSE;
    if (FFilter->State() != State_Stopped) return VFW_E_NOT_STOPPED;
    ClearConnection();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::ConnectedTo(IPin** pin)
{
    if (!pin) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    *pin = FConnected;
    if (!FConnected) return VFW_E_NOT_CONNECTED;
    FConnected->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::ConnectionMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!pmt) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    if (!FConnected) {
        std::memset(pmt, 0, sizeof(*pmt));
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaTypeFields(*pmt, FMediaType) ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryPinInfo(PIN_INFO* info)
{
    if (!info) return E_POINTER;
    info->pFilter = static_cast<IBaseFilter*>(FFilter);
    FFilter->AddRef();
    info->dir = PINDIR_OUTPUT;
    lstrcpynW(info->achName, kPinName, MAX_PIN_NAME);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryDirection(PIN_DIRECTION* dir)
{
    if (!dir) return E_POINTER;
    *dir = PINDIR_OUTPUT;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryId(LPWSTR* id)
{
    if (!id) return E_POINTER;
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(kPinName)));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, kPinName, sizeof(kPinName));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryAccept(const AM_MEDIA_TYPE* pmt)
{
    return ModeOfType(pmt) >= 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PatternPin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    AM_MEDIA_TYPE types[kPatternModeCount];
    int n = ProposedTypes(types, kPatternModeCount);
    *ppEnum = new (std::nothrow) TypeEnum(static_cast<IPin*>(this), types, n, 0);
    for (int i = 0; i < n; ++i) FreeMediaTypeFields(types[i]);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE PatternPin::QueryInternalConnections(IPin** pins, ULONG* count)
{
    (void)pins;
    (void)count;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PatternPin::EndOfStream()
{
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE PatternPin::BeginFlush()
{
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE PatternPin::EndFlush()
{
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE PatternPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    (void)start;
    (void)stop;
    (void)rate;
    return S_OK;
}

// --- IAMStreamConfig ---

HRESULT STDMETHODCALLTYPE PatternPin::SetFormat(AM_MEDIA_TYPE* pmt)
{
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    int mode = 0;
    REFERENCE_TIME interval = kDefaultFrameInterval;
    if (pmt) {
        mode = ModeOfType(pmt);
        if (mode < 0) return VFW_E_INVALIDMEDIATYPE;
        interval = VideoInfo(*pmt)->AvgTimePerFrame;
        if (interval == 0) interval = kDefaultFrameInterval;
        if (interval < kMinFrameInterval || interval > kMaxFrameInterval) return VFW_E_INVALIDMEDIATYPE;
    }
    if (FConnected) {
        // Only the rate can change on a live connection; a new size needs a new one.
        if (mode != FMode) return VFW_E_ALREADY_CONNECTED;
        reinterpret_cast<VIDEOINFOHEADER*>(FMediaType.pbFormat)->AvgTimePerFrame = interval;
    }
    FMode = mode;
    TLockGuard<TCriticalSection> h(FIntervalLock);
    FInterval = interval;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::GetFormat(AM_MEDIA_TYPE** pmt)
{
    if (!pmt) return E_POINTER;
    TLockGuard<TCriticalSection> hold(FFilter->Lock());
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    REFERENCE_TIME interval;
    {
        TLockGuard<TCriticalSection> h(FIntervalLock);
        interval = FInterval;
    }
    if (!mt || !MakeModeType(FMode, interval, *mt)) {
        if (mt) CoTaskMemFree(mt);
        *pmt = nullptr;
        return E_OUTOFMEMORY;
    }
    *pmt = mt;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::GetNumberOfCapabilities(int* count, int* size)
{
    if (!count || !size) return E_POINTER;
    *count = kPatternModeCount;
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::GetStreamCaps(int index, AM_MEDIA_TYPE** pmt, BYTE* caps)
{
    if (!pmt || !caps) return E_POINTER;
    *pmt = nullptr;
    if (index < 0 || index >= kPatternModeCount) return S_FALSE;
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!mt || !MakeModeType(index, kDefaultFrameInterval, *mt)) {
        if (mt) CoTaskMemFree(mt);
        return E_OUTOFMEMORY;
    }
    VIDEO_STREAM_CONFIG_CAPS c = {};
    const SIZE size = {kPatternModes[index].Width, kPatternModes[index].Height};
    c.guid = FORMAT_VideoInfo;
    c.InputSize = size;
    c.MinCroppingSize = size;
    c.MaxCroppingSize = size;
    c.CropGranularityX = c.CropGranularityY = 1;
    c.CropAlignX = c.CropAlignY = 1;
    c.MinOutputSize = size;
    c.MaxOutputSize = size;
    c.OutputGranularityX = c.OutputGranularityY = 1;
    c.MinFrameInterval = kMinFrameInterval;
    c.MaxFrameInterval = kMaxFrameInterval;
    const double bits = static_cast<double>(size.cx) * size.cy * 24;
    c.MinBitsPerSecond = static_cast<LONG>(bits * 10000000.0 / kMaxFrameInterval);
    c.MaxBitsPerSecond = static_cast<LONG>(bits * 10000000.0 / kMinFrameInterval);
    std::memcpy(caps, &c, sizeof(c));
    *pmt = mt;
    return S_OK;
}

// --- IKsPropertySet ---

HRESULT STDMETHODCALLTYPE PatternPin::Set(REFGUID set, DWORD id, LPVOID inst, DWORD instLen, LPVOID data,
                                          DWORD dataLen)
{
    (void)id;
    (void)inst;
    (void)instLen;
    (void)data;
    (void)dataLen;
    return IsEqualGUID(set, AMPROPSETID_Pin) ? E_PROP_ID_UNSUPPORTED : E_PROP_SET_UNSUPPORTED;
}

HRESULT STDMETHODCALLTYPE PatternPin::Get(REFGUID set, DWORD id, LPVOID inst, DWORD instLen, LPVOID data,
                                          DWORD dataLen, DWORD* returned)
{
    (void)inst;
    (void)instLen;
    if (!IsEqualGUID(set, AMPROPSETID_Pin)) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (!data) return E_POINTER;
    if (dataLen < sizeof(GUID)) return E_UNEXPECTED;
    std::memcpy(data, &PIN_CATEGORY_CAPTURE, sizeof(GUID));
    if (returned) *returned = sizeof(GUID);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternPin::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin)) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (support) *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

// --- streaming ---

HRESULT PatternPin::Active()
{
    if (!FConnected || !FAllocator) return S_OK;     // nothing downstream: nothing to push
    HRESULT hr = FAllocator->Commit();
    if (FAILED(hr)) return hr;
    ResetEvent(FStopEvent.Get());
    FThread.Reset(CreateThread(nullptr, 0, &PatternPin::PushThreadProc, this, 0, nullptr));
    if (!FThread) {
        SetEvent(FStopEvent.Get());
        FAllocator->Decommit();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

TKernelHandle PatternPin::StopPushing()
{
    SetEvent(FStopEvent.Get());
    if (FAllocator) FAllocator->Decommit();
    return std::move(FThread);
}

DWORD WINAPI PatternPin::PushThreadProc(LPVOID param)
{
    return static_cast<PatternPin*>(param)->PushLoop();
}

DWORD PatternPin::PushLoop()
{
    // Frames are due every interval of real time from the moment the graph runs;
    // a source that falls behind starts its schedule afresh rather than bursting.
    const DWORD base = timeGetTime();
    LONGLONG next = 0;              // 100 ns units since base
    bool running = false;
    for (;;) {
        if (WaitForSingleObject(FStopEvent.Get(), 0) == WAIT_OBJECT_0) break;
        if (FFilter->State() != State_Running) {
            running = false;
            if (WaitForSingleObject(FStopEvent.Get(), 5) == WAIT_OBJECT_0) break;
            continue;
        }
        REFERENCE_TIME interval;
        {
            TLockGuard<TCriticalSection> h(FIntervalLock);
            interval = FInterval;
        }
        const LONGLONG now = static_cast<LONGLONG>(timeGetTime() - base) * 10000;
        if (!running || next - now > 2 * interval || now - next > interval) next = now;
        running = true;
        if (next > now) {
            DWORD wait = static_cast<DWORD>((next - now + 9999) / 10000);
            if (WaitForSingleObject(FStopEvent.Get(), wait) == WAIT_OBJECT_0) break;
        }
        next += interval;
        DeliverOne(static_cast<unsigned>(InterlockedIncrement(&FFrameNumber) - 1));
    }
    return 0;
}

void PatternPin::DeliverOne(unsigned frameNumber)
{
    IMediaSample* sample = nullptr;
    if (FAILED(FAllocator->GetBuffer(&sample, nullptr, nullptr, 0)) || !sample) return;
    const BITMAPINFOHEADER& bih = VideoInfo(FMediaType)->bmiHeader;
    const long need = static_cast<long>(bih.biWidth) * bih.biHeight * 3;
    BYTE* p = nullptr;
    if (SUCCEEDED(sample->GetPointer(&p)) && p && sample->GetSize() >= need) {
        DrawPatternFrame(p, bih.biWidth, bih.biHeight, frameNumber);
        sample->SetActualDataLength(need);
        sample->SetSyncPoint(TRUE);
        sample->SetDiscontinuity(frameNumber == 0);
        REFERENCE_TIME start = 0;
        if (FFilter->StreamTime(start)) {
            REFERENCE_TIME interval;
            {
                TLockGuard<TCriticalSection> h(FIntervalLock);
                interval = FInterval;
            }
            REFERENCE_TIME stop = start + interval;
            sample->SetTime(&start, &stop);
        }
        FInput->Receive(sample);
    }
    sample->Release();
}
