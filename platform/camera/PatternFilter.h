// The pattern camera's filter and its output pin (internal to the DLL).
#pragma once
#include "PatternCamera.h"
#include "Handles.h"
// TCriticalSection is recursive: downstream pins call back into ours while we connect.
#include "SyncObjs.h"

class PatternFilter;

// The output pin. Its lifetime is the filter's: AddRef and Release go to the filter.
class PatternPin final : public IPin, public IAMStreamConfig, public IKsPropertySet {
public:
    explicit PatternPin(PatternFilter* filter);
    ~PatternPin();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receivePin, const AM_MEDIA_TYPE* pmt) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* pmt) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* pmt) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IAMStreamConfig
    HRESULT STDMETHODCALLTYPE SetFormat(AM_MEDIA_TYPE* pmt) override;
    HRESULT STDMETHODCALLTYPE GetFormat(AM_MEDIA_TYPE** pmt) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfCapabilities(int* count, int* size) override;
    HRESULT STDMETHODCALLTYPE GetStreamCaps(int index, AM_MEDIA_TYPE** pmt, BYTE* caps) override;
    // IKsPropertySet: answers the pin category (capture).
    HRESULT STDMETHODCALLTYPE Set(REFGUID set, DWORD id, LPVOID inst, DWORD instLen, LPVOID data,
                                  DWORD dataLen) override;
    HRESULT STDMETHODCALLTYPE Get(REFGUID set, DWORD id, LPVOID inst, DWORD instLen, LPVOID data, DWORD dataLen,
                                  DWORD* returned) override;
    HRESULT STDMETHODCALLTYPE QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // Filter state changes (called under the filter's lock).
    HRESULT Active();      // stopped -> paused: commit the allocator, start the push thread
    // -> stopped: signals the push thread and decommits the allocator (which frees a
    // thread waiting for a buffer); returns the thread, which the caller waits for
    // outside the filter's lock and closes.
    TKernelHandle StopPushing();
    bool IsConnected() const { return FConnected != nullptr; }
    // The media types in the order the pin proposes them: the current format first.
    int ProposedTypes(AM_MEDIA_TYPE* types, int max);

private:
    static DWORD WINAPI PushThreadProc(LPVOID param);
    DWORD PushLoop();
    void DeliverOne(unsigned frameNumber);
    HRESULT TryConnect(IPin* receivePin, const AM_MEDIA_TYPE& mt);
    HRESULT NegotiateAllocator(IPin* receivePin, const AM_MEDIA_TYPE& mt);
    void ClearConnection();

    PatternFilter* FFilter;
    IPin* FConnected = nullptr;
    IMemInputPin* FInput = nullptr;
    IMemAllocator* FAllocator = nullptr;
    AM_MEDIA_TYPE FMediaType = {};          // valid while connected
    int FMode = 0;                          // the current format: mode and interval
    REFERENCE_TIME FInterval = kDefaultFrameInterval;
    TKernelHandle FThread;
    TKernelHandle FStopEvent;               // manual reset, set while stopped
    TCriticalSection FIntervalLock;                  // the interval changes while streaming
    volatile LONG FFrameNumber = 0;
};

class PatternFilter final : public IBaseFilter, public IAMFilterMiscFlags {
public:
    PatternFilter();
    ~PatternFilter();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPersist
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    // IMediaFilter
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeout, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** ppEnum) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;
    // IAMFilterMiscFlags
    ULONG STDMETHODCALLTYPE GetMiscFlags() override;

    TCriticalSection& Lock() { return FLock; }
    FILTER_STATE State() const { return FState; }
    // Stream time now (reference clock minus the run start); false without a clock.
    bool StreamTime(REFERENCE_TIME& t);
    IFilterGraph* Graph() const { return FGraph; }

private:
    volatile LONG FRef = 1;
    TCriticalSection FLock;
    TCriticalSection FTimeLock;                     // clock and start; the push thread takes only this
    volatile FILTER_STATE FState = State_Stopped;
    REFERENCE_TIME FStart = 0;
    IReferenceClock* FClock = nullptr;
    IFilterGraph* FGraph = nullptr;        // not held: the graph holds us
    WCHAR FName[MAX_FILTER_NAME] = {};
    PatternPin FPin;
};

// The pin's name and id.
extern const WCHAR kPinName[8];
