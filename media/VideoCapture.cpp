// The capture component: its window, the device choice, building and tearing
// down the graph, preview and capture, and the frame grabbed on request.
#include "VideoCapture.h"
#include "Application.h"
#include "MediaTrace.h"
#include "Timer.h"
#include "Trace.h"
#include <mmsystem.h>
#include <cmath>
#include <cstdio>
#include <cstring>

const char* const _rsDShowCapture = "DirectShow - Capture";
const char* const _rsCantRenderCC = "Cannot render closed captioning!";
const char* const _rsCantSetPreviewFrameRate = "%x: can't set preview frame rate!";
const char* const _rsSetMasterStreamFailed = "SetMasterStream failed!";
const char* const _rsCantSetCaptureFile = "Can't set capture file!";
const char* const _rsCantRenderVCaptureStream = "Can't render video capture stream!";
const char* const _rsCantRenderPreviewStream = "Can't render preview stream!";
const char* const _rsCantRenderACaptureStream = "Can't render audio capture stream!";
const char* const _rsCantRenderAPreviewStream = "Can't render audio preview stream!";
const char* const _rsThisGraphCantPreview = "This graph cannot preview!";
const char* const _rsCantSetCaptureFrameRate = "Cannot set frame rate for capture!";
const char* const _rsCantMakeGraphBuilder = "Can't init graph builder. Probably DirectShow is not installed!";
const char* const _rsCantCreateVCaptureFilter =
    "Error %x.\r\nCan't create video capture filter - propably you havn't video capture device!";
const char* const _rsCantMakeGraph = "Can't init graph. Probably DirectShow is not installed!";
const char* const _rsCantSetFilterGraph = "Can't set filter graph!";
const char* const _rsCantAddVFilterToGraph = "Error %x: Can't add video capture filter into graph!";
const char* const _rsCantFindVStreamConfig = "Error %x: Can't find VCapture:IAMStreamConfig!";
const char* const _rsCantMakeACapFilter = "Can't create audio capture filter!";
const char* const _rsCantAddAFilterToGraph = "Error %x: Can't add audio capture filter into graph!";
const char* const _rsCantFindAStreamConfig = "Can't find ACapture:IAMStreamConfig!";
const char* const _rsCantRunPreviewGraph = "Error %x: Cannot run preview graph!";
const char* const _rsCantStopPreviewGraph = "Error %x: Cannot stop preview graph!";
const char* const _rsCantGetMediaControl = "Error %x: Can't get IMediaControl!";
const char* const _rsCantRunGraph = "Error %x: Cannot run graph!";
const char* const _rsStartCapture = "Starting capture!";
const char* const _rsCantStopGraph = "Error %x: Cannot stop graph!";
const char* const _rsEmptyFileName = "Capture filename required!";
const char* const _rsFailedToAllocFileSize = "Can't allocate space for capture file! Disk full?";
const char* const _rsCantInstallSampleGrabber = "Can't install SampleGrabber. Probably wrong color depth used?";
const char* const _rsCantAddVCompFilter = "Can't add video compression";
const char* const _rsCantAddACompFilter = "Can't add audio compression";
const char* const _rsCantAddDVSplitter = "Can't add DV Splitter";
const char* const _rsCantAddDVDecoder = "Can't add DV Decoder";
const char* const _rsCantAddSmartTee = "Can't add SmartTee";
const char* const _rsCantAddInfTee = "Can't add InfiniteTee";

namespace {


std::string FormatCode(const char* fmt, HRESULT code)
{
    char buf[512];
    std::snprintf(buf, sizeof(buf), fmt, static_cast<unsigned>(code));
    return buf;
}

template <class T> HRESULT Create(const CLSID& clsid, REFIID iid, TComPtr<T>& out)
{
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out.PutVoid());
}

// The sample grabber's subtype for a pixel format.
const GUID& SubtypeOf(TPixelFormat pf)
{
    switch (pf) {
    case pf1bit: return MEDIASUBTYPE_RGB1;
    case pf4bit: return MEDIASUBTYPE_RGB4;
    case pf8bit: return MEDIASUBTYPE_RGB8;
    case pf15bit: return MEDIASUBTYPE_RGB555;
    case pf16bit: return MEDIASUBTYPE_RGB565;
    case pf32bit: return MEDIASUBTYPE_RGB32;
    default: return MEDIASUBTYPE_RGB24;    // pf24bit and pfCustom
    }
}

TPixelFormat PixelFormatOfBits(int bits)
{
    switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 15: return pf15bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfDevice;
    }
}

std::string FullName(const std::string& name)
{
    char buf[MAX_PATH];
    DWORD n = GetFullPathNameA(name.c_str(), MAX_PATH, buf, nullptr);
    return UpperCase(n > 0 && n < MAX_PATH ? std::string(buf, n) : name);
}

HHOOK g_confirmHook = nullptr;

// The confirmation box has the buttons Yes and Cancel: an OK/Cancel box whose OK
// button is renamed as it is activated.
LRESULT CALLBACK ConfirmHookProc(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE) {
        SetDlgItemTextA(reinterpret_cast<HWND>(wp), IDOK, "&Yes");
        HHOOK h = g_confirmHook;
        g_confirmHook = nullptr;
        if (h) UnhookWindowsHookEx(h);
        return 0;
    }
    return CallNextHookEx(g_confirmHook, code, wp, lp);
}

} // namespace

// --- the grabber's callback ---

HRESULT STDMETHODCALLTYPE TSampleGrabberCB::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_ISampleGrabberCB) || IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TSampleGrabberCB::SampleCB(double SampleTime, IMediaSample* Sample)
{
    (void)SampleTime;
    (void)Sample;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TSampleGrabberCB::BufferCB(double SampleTime, BYTE* Buffer, LONG BufferLen)
{
    (void)SampleTime;
    try {
        if (FGrabNext) {
            FGrabNext = 0;
            bool copied = false;
            {
                TLockGuard<TCriticalSection> hold(FLock);
                if (Buffer && BufferLen > 0) {
                    FFrame.resize(static_cast<size_t>(BufferLen));
                    std::memcpy(FFrame.data(), Buffer, static_cast<size_t>(BufferLen));
                    FFrameSize = static_cast<DWORD>(BufferLen);
                    copied = true;
                }
            }
            if (copied && FWindow) PostMessageA(FWindow, WM_CAPFRAMEGRABBED, reinterpret_cast<WPARAM>(this), 0);
        }
        if (FWindow) PostMessageA(FWindow, WM_CAPFRAMERENDERED, 0, 0);
    } catch (...) {
        // Out of memory for the copy: the frame is skipped.
        Trace::Line(Trace::Media, "grabber callback: no memory for the frame, skipped");
    }
    return S_OK;
}

// --- construction and the window ---

TVideoCapture::TVideoCapture(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks;
    FWidth = 100;
    FHeight = 100;
    FColor = RGB(0, 0, 255);
    FParentColor = false;
    FBrush->SetColor(FColor);
    EnsureComInitialized();
    CleanUp();
    FCallback = std::make_unique<TSampleGrabberCB>();
    FProgressTimer = std::make_unique<TTimer>(nullptr);
    FProgressTimer->SetEnabled(false);
    FProgressTimer->SetInterval(100);
    FProgressTimer->OnTimer = [this](TObject*) { CaptureProgress(); };
}

TVideoCapture::~TVideoCapture()
{
    try {
        StopPreview();
        FinishCapture(false);
        TearDownGraph();
        CleanUp();
    } catch (...) {
        TraceCaught("capture component: clean-up at destruction");
    }
    FProgressTimer.reset();
    // The streaming thread is gone with the graph; nothing posts any more.
    if (FCallback) FCallback->FWindow = nullptr;
    FCallback.reset();
    FVideoMoniker.Reset();
    FAudioMoniker.Reset();
    FVideoCompMoniker.Reset();
    FAudioCompMoniker.Reset();
    ClearCapDeviceLists();
}

void TVideoCapture::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TVideoCapture";
    // Without a parent the window is a hidden one: it still receives the
    // graph's events and the grabbed frames.
    if (!Params.WndParent) Params.Style = (Params.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
}

void TVideoCapture::CreateWnd()
{
    TCustomControl::CreateWnd();
    BindWindow(FHandle);
}

void TVideoCapture::DestroyWnd()
{
    BindWindow(nullptr);
    TCustomControl::DestroyWnd();
}

void TVideoCapture::BindWindow(HWND Window)
{
    if (FCallback) FCallback->FWindow = Window;
    if (FMediaEvent) {
        HRESULT hr = FMediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(Window), WM_CAPGRAPHEVENT, 0);
        if (FAILED(hr)) Trace::Failure(Trace::Media, "capture component: SetNotifyWindow", hr);
    }
    if (FVideoWindow) {
        if (!Window) FVideoWindow->put_Visible(OAFALSE);
        HRESULT hr = FVideoWindow->put_Owner(reinterpret_cast<OAHWND>(Window));
        if (FAILED(hr)) Trace::Failure(Trace::Media, "capture component: preview window owner", hr);
        if (Window) {
            FitVideoWindow();
            FVideoWindow->put_Visible(OATRUE);
        }
    }
}

HWND TVideoCapture::MessageWindow()
{
    if (HandleAllocated()) return FHandle;
    try {
        return GetHandle();
    } catch (const std::exception& e) {
        // The host window went first: the component goes on without a window.
        Trace::Line(Trace::Media, std::string("capture component: no window: ") + e.what());
        return nullptr;
    }
}

void TVideoCapture::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CAPGRAPHEVENT: GraphEvent(Message); break;
    case WM_CAPFRAMEGRABBED: BitmapGrabbed(Message); break;
    case WM_CAPFRAMERENDERED: FrameRendered(Message); break;
    default: TCustomControl::Dispatch(Message); break;
    }
}

void TVideoCapture::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    FitVideoWindow();
}

void TVideoCapture::FitVideoWindow()
{
    if (!FVideoWindow || !HandleAllocated()) return;
    RECT r;
    ::GetClientRect(FHandle, &r);
    FVideoWindow->SetWindowPosition(0, 0, r.right, r.bottom);
}

void TVideoCapture::Paint()
{
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(FColor);
    c->FillRect(GetClientRect());
}

void TVideoCapture::WMNCDestroy(TMessage& Message)
{
    // The host window went first and took ours with it.
    if (FCallback) FCallback->FWindow = nullptr;
    TCustomControl::WMNCDestroy(Message);
}

// --- reporting ---

HWND TVideoCapture::BoxOwner() const
{
    // The foreground window, when it is one of this program's: a box owned by
    // another program's window is tied to that window's life (under Wine such a box
    // vanished unseen, or hung its caller, when the owner went first).
    HWND fg = GetForegroundWindow();
    DWORD pid = 0;
    if (fg) GetWindowThreadProcessId(fg, &pid);
    return pid == GetCurrentProcessId() ? fg : nullptr;
}

void TVideoCapture::ShowError(const char* Fmt, HRESULT Code)
{
    std::string text = FormatCode(Fmt, Code);
    MessageBoxA(BoxOwner(), text.c_str(), _rsDShowCapture, MB_OK | MB_ICONERROR);
}

void TVideoCapture::RaiseError(const char* Fmt, HRESULT Code)
{
    ShowError(Fmt, Code);
    throw EVideoCaptureError(FormatCode(Fmt, Code), Code);
}

void TVideoCapture::FireNotify(const TNotifyEvent& Event, bool Swallow)
{
    if (!Event) return;
    if (!Swallow) {
        Event(this);
        return;
    }
    try {
        Event(this);
    } catch (...) {
        TraceCaught("capture component: event handler");
    }
}

bool TVideoCapture::ConfirmCapture()
{
    g_confirmHook = SetWindowsHookExA(WH_CBT, &ConfirmHookProc, nullptr, GetCurrentThreadId());
    int answer = MessageBoxA(BoxOwner(), _rsStartCapture, _rsDShowCapture, MB_OKCANCEL | MB_ICONQUESTION);
    if (g_confirmHook) {
        UnhookWindowsHookEx(g_confirmHook);
        g_confirmHook = nullptr;
    }
    return answer == IDOK;
}

// --- the files the component made ---

void TVideoCapture::NoteOwnFile(const std::string& Name)
{
    FOwnFiles.insert(FullName(Name));
}

void TVideoCapture::DisownFile(const std::string& Name)
{
    FOwnFiles.erase(FullName(Name));
}

void TVideoCapture::DeleteOwnFile(const std::string& Name)
{
    if (Name.empty()) return;
    auto it = FOwnFiles.find(FullName(Name));
    if (it == FOwnFiles.end()) return;
    DeleteFileA(Name.c_str());
    FOwnFiles.erase(it);
}

// --- set-up ---

void TVideoCapture::SetFrameRate(double Rate)
{
    FFrameRate = Rate >= 1 && Rate <= 50 ? Rate : 25;
}

void TVideoCapture::SetTempCaptureFileName(const std::string& Name)
{
    FTempCaptureFileName = Name;
    if (FSink) {
        FSink->SetFileName(AnsiToWide(Name).c_str(), nullptr);
    }
}

bool TVideoCapture::MakeGraph()
{
    if (!FGraph) Create(CLSID_FilterGraph, IID_IGraphBuilder, FGraph);
    return static_cast<bool>(FGraph);
}

bool TVideoCapture::MakeBuilder()
{
    if (!FBuilder) Create(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, FBuilder);
    return static_cast<bool>(FBuilder);
}

bool TVideoCapture::Init()
{
    if (MakeGraph() && MakeBuilder()) FBuilder->SetFiltergraph(FGraph.Get());
    for (int k = cdkVideoCapture; k <= cdkAudioCompressor; ++k) EnumerateCapDevices(static_cast<TCapDeviceKind>(k));
    return CapDeviceList(cdkVideoCapture).Count() > 0;
}

IMoniker* TVideoCapture::MonikerByName(TCapDeviceKind Kind, const std::string& Name)
{
    if (CapDeviceList(Kind).Count() == 0) EnumerateCapDevices(Kind);
    const TCapDeviceInfo* info = CapDeviceList(Kind).Item(CapDeviceList(Kind).IndexOfName(Name));
    return info ? info->Moniker.Get() : nullptr;
}

IMoniker* TVideoCapture::MonikerByIndex(TCapDeviceKind Kind, int Index)
{
    if (CapDeviceList(Kind).Count() == 0) EnumerateCapDevices(Kind);
    const TCapDeviceInfo* info = CapDeviceList(Kind).Item(Index);
    return info ? info->Moniker.Get() : nullptr;
}

void TVideoCapture::ChooseDevices(IMoniker* VideoDevice, IMoniker* AudioDevice, bool Force)
{
    if (Force || !SameMoniker(VideoDevice, FVideoMoniker.Get()) || !SameMoniker(AudioDevice, FAudioMoniker.Get())) {
        FVideoMoniker = TComPtr<IMoniker>::Share(VideoDevice);
        FAudioMoniker = TComPtr<IMoniker>::Share(AudioDevice);
        TearDownGraph();
        InitCapFilters();
        if (BuildGraph() && WantPreview) StartPreview();
    }
    FireNotify(OnChangeDevice, true);
}

void TVideoCapture::ChooseDevices(const std::string& VideoDevice, const std::string& AudioDevice, bool Force)
{
    IMoniker* v = MonikerByName(cdkVideoCapture, VideoDevice);
    IMoniker* a = MonikerByName(cdkAudioCapture, AudioDevice);
    ChooseDevices(v, a, Force);
}

void TVideoCapture::ChooseDevices(int VideoDevice, int AudioDevice, bool Force)
{
    IMoniker* v = MonikerByIndex(cdkVideoCapture, VideoDevice);
    IMoniker* a = MonikerByIndex(cdkAudioCapture, AudioDevice);
    ChooseDevices(v, a, Force);
}

void TVideoCapture::ChooseCompressors(IMoniker* VideoCompressor, IMoniker* AudioCompressor, bool Force)
{
    if (Force || !SameMoniker(VideoCompressor, FVideoCompMoniker.Get()) ||
        !SameMoniker(AudioCompressor, FAudioCompMoniker.Get())) {
        FVideoCompMoniker = TComPtr<IMoniker>::Share(VideoCompressor);
        FAudioCompMoniker = TComPtr<IMoniker>::Share(AudioCompressor);
        TearDownGraph();
        InitCapFilters();
        if (BuildGraph() && WantPreview) StartPreview();
    }
    FireNotify(OnChangeCompressor, true);
}

void TVideoCapture::ChooseCompressors(const std::string& VideoCompressor, const std::string& AudioCompressor,
                                      bool Force)
{
    IMoniker* v = MonikerByName(cdkVideoCompressor, VideoCompressor);
    IMoniker* a = MonikerByName(cdkAudioCompressor, AudioCompressor);
    ChooseCompressors(v, a, Force);
}

void TVideoCapture::ChooseCompressors(int VideoCompressor, int AudioCompressor, bool Force)
{
    IMoniker* v = MonikerByIndex(cdkVideoCompressor, VideoCompressor);
    IMoniker* a = MonikerByIndex(cdkAudioCompressor, AudioCompressor);
    ChooseCompressors(v, a, Force);
}

void TVideoCapture::CleanUp()
{
    FreeCapFilters();
    FVideoWindow.Reset();
    FMediaEvent.Reset();
    FDroppedFrames.Reset();
    FMux.Reset();
    FSink.Reset();
    FMuxConfig.Reset();
    FNullRenderer.Reset();
    FGraphBuilt = false;
    FCapturing = false;
    FPreviewing = false;
    FMasterStream = -1;
}

void TVideoCapture::FreeCapFilters()
{
    if (FGrabber) FGrabber->SetCallback(nullptr, 1);
    FGrabber.Reset();
    FVfwCaptureDialogs.Reset();
    FVfwCompressDialogs.Reset();
    FAudioStreamConfig.Reset();
    FVideoStreamConfig.Reset();
    FVideoCapture.Reset();
    FAudioCapture.Reset();
    FVideoCompressor.Reset();
    FAudioCompressor.Reset();
    FDVSplitter.Reset();
    FDVDecoder.Reset();
    FNullRenderer.Reset();
    FBuilder.Reset();
    FGraph.Reset();
    FDialogs.Clear();
}

bool TVideoCapture::InitCapFilters()
{
    FreeCapFilters();
    if (!MakeBuilder()) {
        ShowError(_rsCantMakeGraphBuilder);
        return false;
    }
    try {
        HRESULT hr = 0;
        if (FVideoMoniker) {
            FVideoDeviceName = MonikerFriendlyName(FVideoMoniker.Get());
            hr = FVideoMoniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, FVideoCapture.PutVoid());
        }
        if (!FVideoCapture) RaiseError(_rsCantCreateVCaptureFilter, hr);

        if (!MakeGraph()) RaiseError(_rsCantMakeGraph);
        if (FAILED(FBuilder->SetFiltergraph(FGraph.Get()))) RaiseError(_rsCantSetFilterGraph);
        hr = FGraph->AddFilter(FVideoCapture.Get(), nullptr);
        if (FAILED(hr)) RaiseError(_rsCantAddVFilterToGraph, hr);

        hr = FindStreamConfig(PIN_CATEGORY_CAPTURE, FVideoStreamConfig);
        if (FAILED(hr)) ShowError(_rsCantFindVStreamConfig, hr);

        if (GetIsDVSource()) {
            if (FAILED(FindFilterByName(FGraph.Get(), "MyDVDecoder", FDVDecoder)) &&
                FAILED(Create(CLSID_DVVideoCodec, IID_IBaseFilter, FDVDecoder)))
                RaiseError(_rsCantAddDVDecoder);
            if (WantAudio && WantDVAudio && FAILED(FindFilterByName(FGraph.Get(), "MyDVSplitter", FDVSplitter)) &&
                FAILED(Create(CLSID_DVSplitter, IID_IBaseFilter, FDVSplitter)))
                RaiseError(_rsCantAddDVSplitter);
        }

        FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FVideoCapture.Get(),
                                IID_IAMVfwCaptureDialogs, FVfwCaptureDialogs.PutVoid());

        if (WantCapture && FVideoCompMoniker &&
            SUCCEEDED(FVideoCompMoniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                                      FVideoCompressor.PutVoid())) && FVideoCompressor)
            FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FVideoCompressor.Get(),
                                    IID_IAMVfwCompressDialogs_, FVfwCompressDialogs.PutVoid());

        if (WantAudio && !FDVSplitter) {
            if (FAudioMoniker) {
                FAudioDeviceName = MonikerFriendlyName(FAudioMoniker.Get());
                FAudioMoniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, FAudioCapture.PutVoid());
                if (FAudioCapture) {
                    hr = FGraph->AddFilter(FAudioCapture.Get(), nullptr);
                    if (FAILED(hr)) RaiseError(_rsCantAddAFilterToGraph, hr);
                }
            }
            if (!FAudioCapture) ShowError(_rsCantMakeACapFilter);
        }
        if (FAudioCapture) {
            IBaseFilter* soundSource = FAudioCapture.Get();
            if (WantCapture && FAudioCompMoniker &&
                SUCCEEDED(FAudioCompMoniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                                          FAudioCompressor.PutVoid())) && FAudioCompressor)
                soundSource = FAudioCompressor.Get();
            if (FAILED(FBuilder->FindInterface(nullptr, &MEDIATYPE_Audio, soundSource, IID_IAMStreamConfig,
                                               FAudioStreamConfig.PutVoid())))
                ShowError(_rsCantFindAStreamConfig);
        }
    } catch (...) {
        TraceCaught("InitCapFilters");
        FreeCapFilters();
        return false;
    }
    return true;
}

bool TVideoCapture::BuildGraph()
{
    if (FGraphBuilt) return true;
    if (!FGraph) return false;
    const bool dv = GetIsDVSource();
    if (!FVideoCapture || !(!WantAudio || FAudioCapture || (dv && WantDVAudio))) return false;
    if (WantCapture) {
        FCaptureFileInUse = UseTempFile ? FTempCaptureFileName : FCaptureFileName;
        if (FCaptureFileInUse.empty()) {
            ShowError(_rsEmptyFileName);
            return false;
        }
        // A stale file of our own goes; a file of the user's stays (the writer
        // overwrites it only when a capture runs).
        DeleteOwnFile(FCaptureFileInUse);
        if (GetFileAttributesA(FCaptureFileInUse.c_str()) == INVALID_FILE_ATTRIBUTES) NoteOwnFile(FCaptureFileInUse);
        if (DoPreallocFile && !AllocCaptureFile(PreallocFileSize)) {
            ShowError(_rsFailedToAllocFileSize);
            return false;
        }
    }
    try {
        TComPtr<IBaseFilter> videoSource = FVideoCapture.Copy();
        TComPtr<IBaseFilter> soundSource = FAudioCapture.Copy();
        if (dv) {
            if (FDVDecoder) AddFilterNamed(FGraph.Get(), FDVDecoder.Get(), "MyDVDecoder");
            if (FDVSplitter) AddFilterNamed(FGraph.Get(), FDVSplitter.Get(), "MyDVSplitter");
            if (!FDVDecoder ||
                FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Interleaved, FVideoCapture.Get(), FDVSplitter.Get(),
                                              FDVDecoder.Get())))
                RaiseError(_rsCantRenderVCaptureStream);
            ApplyDVResolution();
            videoSource = FDVDecoder.Copy();
            if (WantAudio && WantDVAudio) soundSource = FDVSplitter.Copy();
        }

        TComPtr<IBaseFilter> tee;
        if (FAILED(Create(CLSID_SmartTee, IID_IBaseFilter, tee)) ||
            FAILED(AddFilterNamed(FGraph.Get(), tee.Get(), "MySmartTee")) ||
            FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Video, videoSource.Get(), nullptr, tee.Get())))
            RaiseError(_rsCantAddSmartTee);
        videoSource = std::move(tee);

        if (soundSource) {
            TComPtr<IBaseFilter> infTee;
            if (FAILED(Create(CLSID_InfTee, IID_IBaseFilter, infTee)) ||
                FAILED(AddFilterNamed(FGraph.Get(), infTee.Get(), "MyInfTee")) ||
                FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Audio, soundSource.Get(), nullptr, infTee.Get())))
                RaiseError(_rsCantAddInfTee);
            soundSource = std::move(infTee);
        }

        if (WantCapture) BuildCaptureBranch(videoSource.Get(), soundSource.Get());

        if (WantPreview) {
            if (!RenderVideoPreview(videoSource)) RaiseError(_rsCantRenderPreviewStream);
            if (soundSource && WantAudioPreview &&
                FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Audio, soundSource.Get(), nullptr, nullptr)))
                RaiseError(_rsCantRenderAPreviewStream);
        }

        if (!FindVideoWindow() && WantPreview) ShowError(_rsThisGraphCantPreview);
        ApplyFrameRate();
        if (SUCCEEDED(FGraph.As(IID_IMediaEventEx, FMediaEvent)) && FMediaEvent)
            FMediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(MessageWindow()), WM_CAPGRAPHEVENT, 0);
        GetAvailableDialogs();
        FGraphBuilt = true;
        return true;
    } catch (...) {
        TraceCaught("BuildGraph");
        TearDownGraph();
        return false;
    }
}

void TVideoCapture::BuildCaptureBranch(IBaseFilter* videoSource, IBaseFilter* soundSource)
{
    if (SUCCEEDED(Create(CLSID_NullRenderer_, IID_IBaseFilter, FNullRenderer)))
        AddFilterNamed(FGraph.Get(), FNullRenderer.Get(), "MyNullRenderer");
    if (FAILED(SetOutputFile()) || !FMux) RaiseError(_rsCantSetCaptureFile);
    TComPtr<IFileSinkFilter2> sink2;
    if (SUCCEEDED(FSink.As(IID_IFileSinkFilter2, sink2)) && sink2) sink2->SetMode(AM_FILE_OVERWRITE);
    if (SUCCEEDED(FMux.As(IID_IConfigAviMux, FMuxConfig)) && FMuxConfig) {
        FMuxConfig->SetOutputCompatibilityIndex(TRUE);
        if (soundSource) SetMasterStream(FMasterStream);
    }
    if (FVideoCompressor) AddFilterNamed(FGraph.Get(), FVideoCompressor.Get(), "MyVideoCompressor");
    if (FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Video, videoSource, FVideoCompressor.Get(), FMux.Get())))
        RaiseError(_rsCantRenderVCaptureStream);
    if (soundSource) {
        if (FAudioCompressor) AddFilterNamed(FGraph.Get(), FAudioCompressor.Get(), "MyAudioCompressor");
        if (FAILED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Audio, soundSource, FAudioCompressor.Get(), FMux.Get())))
            RaiseError(_rsCantRenderACaptureStream);
    }
}

HRESULT TVideoCapture::SetOutputFile()
{
    TWideString file = AnsiToWide(FCaptureFileInUse);
    HRESULT hr = FBuilder->SetOutputFileName(&MEDIASUBTYPE_Avi, file.c_str(), FMux.Put(), FSink.Put());
    if (hr != E_NOTIMPL) return hr;
    // Wine 8's capture graph builder leaves SetOutputFileName unimplemented (a stub
    // answering E_NOTIMPL); the two filters it would add are set up by hand: the AVI
    // multiplexer, and the file writer behind it as the file sink. (Wine 8's
    // multiplexer refuses to run unless it interleaves fully, and then wants an
    // IStream from the writer's pin, which Wine 8's writer lacks: there the graph
    // builds but cannot run, and the component reports that.)
    TComPtr<IBaseFilter> writer;
    TComPtr<IConfigInterleaving> interleaving;
    hr = Create(CLSID_AviDest, IID_IBaseFilter, FMux);
    if (SUCCEEDED(hr) && SUCCEEDED(FMux.As(IID_IConfigInterleaving, interleaving)) && interleaving)
        interleaving->put_Mode(INTERLEAVE_FULL);
    if (SUCCEEDED(hr)) hr = Create(CLSID_FileWriter, IID_IBaseFilter, writer);
    if (SUCCEEDED(hr)) hr = writer.As(IID_IFileSinkFilter, FSink);
    if (SUCCEEDED(hr)) hr = FSink->SetFileName(file.data(), nullptr);
    if (SUCCEEDED(hr)) hr = AddFilterNamed(FGraph.Get(), FMux.Get(), "Mux");
    if (SUCCEEDED(hr)) hr = AddFilterNamed(FGraph.Get(), writer.Get(), "File Writer");
    if (SUCCEEDED(hr)) hr = FBuilder->RenderStream(nullptr, nullptr, FMux.Get(), nullptr, writer.Get());
    if (FAILED(hr)) {
        if (FMux) FGraph->RemoveFilter(FMux.Get());
        if (writer) FGraph->RemoveFilter(writer.Get());
        FMux.Reset();
        FSink.Reset();
    }
    return hr;
}

bool TVideoCapture::RenderVideoPreview(TComPtr<IBaseFilter>& Source)
{
    TComPtr<IBaseFilter> source = Source.Copy();
    if (WantBitmaps) {
        TComPtr<IBaseFilter> grabber;
        if (FAILED(FindFilterByName(FGraph.Get(), "MyBitmapGrabber", grabber)) &&
            SUCCEEDED(Create(CLSID_SampleGrabber_, IID_IBaseFilter, grabber)))
            AddFilterNamed(FGraph.Get(), grabber.Get(), "MyBitmapGrabber");
        if (grabber) grabber.As(IID_ISampleGrabber, FGrabber);
        if (FGrabber) {
            if (BitmapPixelFormat != pfDevice) {
                AM_MEDIA_TYPE mt = {};
                mt.majortype = MEDIATYPE_Video;
                mt.subtype = SubtypeOf(BitmapPixelFormat);
                mt.formattype = FORMAT_VideoInfo;
                FGrabber->SetMediaType(&mt);
            }
            if (SUCCEEDED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Video, source.Get(), nullptr, grabber.Get()))) {
                FGrabber->SetBufferSamples(FALSE);
                FGrabber->SetOneShot(FALSE);
                FCallback->FWindow = MessageWindow();
                FGrabber->SetCallback(FCallback.get(), 1);
                source = std::move(grabber);
            } else {
                ShowError(_rsCantInstallSampleGrabber);
                // Without a connected grabber no frame can be asked for.
                FGraph->RemoveFilter(grabber.Get());
                FGrabber.Reset();
            }
        }
    }
    return SUCCEEDED(FBuilder->RenderStream(nullptr, &MEDIATYPE_Video, source.Get(), nullptr, nullptr));
}

bool TVideoCapture::FindVideoWindow()
{
    FVideoWindow.Reset();
    if (FAILED(FGraph.As(IID_IVideoWindow, FVideoWindow)) || !FVideoWindow) return false;
    HWND owner = MessageWindow();
    RECT r = {};
    if (owner) ::GetClientRect(owner, &r);
    if (FAILED(FVideoWindow->put_Owner(reinterpret_cast<OAHWND>(owner))) ||
        FAILED(FVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS)) ||
        FAILED(FVideoWindow->SetWindowPosition(0, 0, r.right, r.bottom)) ||
        FAILED(FVideoWindow->put_Visible(OATRUE))) {
        FVideoWindow.Reset();
        return false;
    }
    return true;
}

void TVideoCapture::ApplyFrameRate()
{
    if (!UseFrameRate) return;
    bool done = false;
    TMediaTypePtr mt;
    if (FVideoStreamConfig && SUCCEEDED(FVideoStreamConfig->GetFormat(mt.Put())) && mt &&
        IsEqualGUID(mt->formattype, FORMAT_VideoInfo) && mt->pbFormat && mt->cbFormat >= sizeof(VIDEOINFOHEADER)) {
        reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->AvgTimePerFrame =
            static_cast<REFERENCE_TIME>(std::llround(10000000.0 / FFrameRate));
        HRESULT hr = FVideoStreamConfig->SetFormat(mt.Get());
        if (FAILED(hr))
            ShowError(_rsCantSetPreviewFrameRate, hr);
        else
            done = true;
    }
    if (!done) ShowError(_rsCantSetCaptureFrameRate);
}

void TVideoCapture::TearDownGraph()
{
    // The graph must stop whatever its Stop answers: a running filter cannot be
    // disconnected, and a graph released with running filters may not come back.
    if (FCapturing && !FinishCapture(false)) {
        StopGraph();
        FCapturing = FPreviewing = false;
    }
    if (FPreviewing && !StopPreview()) {
        StopGraph();
        FPreviewing = false;
    }
    if (FVideoWindow) {
        FVideoWindow->put_Visible(OAFALSE);
        FVideoWindow->put_Owner(0);
    }
    FVideoWindow.Reset();
    FSink.Reset();
    if (FNullRenderer && FGraph) FGraph->RemoveFilter(FNullRenderer.Get());
    FNullRenderer.Reset();
    FMuxConfig.Reset();
    FMux.Reset();
    if (FGrabber) FGrabber->SetCallback(nullptr, 1);
    FGrabber.Reset();
    FMediaEvent.Reset();
    FDroppedFrames.Reset();
    if (FVideoCapture) NukeDownstream(FVideoCapture.Get());
    if (FAudioCapture) NukeDownstream(FAudioCapture.Get());
    FGraphBuilt = false;
    if (WantCapture) DeleteOwnFile(FTempCaptureFileName);
}

void TVideoCapture::NukeDownstream(IBaseFilter* Filter)
{
    if (!Filter || !FGraph) return;
    std::vector<TComPtr<IPin>> pins;
    TComPtr<IEnumPins> e;
    if (FAILED(Filter->EnumPins(e.Put())) || !e) return;
    for (;;) {
        TComPtr<IPin> p;
        if (e->Next(1, p.Put(), nullptr) != S_OK || !p) break;
        pins.push_back(std::move(p));
    }
    for (auto& pin : pins) {
        TComPtr<IPin> to;
        if (pin->ConnectedTo(to.Put()) != S_OK || !to) continue;
        PIN_INFO info = {};
        if (FAILED(to->QueryPinInfo(&info))) continue;
        TComPtr<IBaseFilter> downstream;
        *downstream.Put() = info.pFilter;        // QueryPinInfo gave a reference
        if (info.dir == PINDIR_INPUT) {
            NukeDownstream(downstream.Get());
            FGraph->Disconnect(to.Get());
            FGraph->Disconnect(pin.Get());
            FGraph->RemoveFilter(downstream.Get());
        }
    }
}

// --- running ---

bool TVideoCapture::StartPreview()
{
    if (FGraph && FPreviewing) return true;
    if (!BuildGraph()) return false;
    if (WantCapture) ControlCaptureStream(false);
    TComPtr<IMediaControl> mc;
    HRESULT hr = FGraph.As(IID_IMediaControl, mc);
    if (SUCCEEDED(hr)) hr = mc->Run();
    if (FAILED(hr)) {
        StopGraph();
        ShowError(_rsCantRunPreviewGraph, hr);
        return false;
    }
    FPreviewing = true;
    FireNotify(OnStartPreview, false);
    return true;
}

bool TVideoCapture::StopPreview()
{
    if (!FPreviewing) return false;
    TComPtr<IMediaControl> mc;
    HRESULT hr = FGraph.As(IID_IMediaControl, mc);
    if (SUCCEEDED(hr)) hr = mc->Stop();
    if (FAILED(hr)) {
        ShowError(_rsCantStopPreviewGraph, hr);
        return false;
    }
    Invalidate();
    FireNotify(OnStopPreview, false);
    FPreviewing = false;
    return true;
}

void TVideoCapture::StopGraph()
{
    if (!FGraph) return;
    TComPtr<IMediaControl> mc;
    if (SUCCEEDED(FGraph.As(IID_IMediaControl, mc)) && mc) mc->Stop();
    // When Run or Pause fails half-way, Wine's graph keeps the filters it already
    // started running while it reports itself stopped, so its Stop reaches none of
    // them; they are stopped one by one (stopping a stopped filter does nothing).
    TComPtr<IEnumFilters> filters;
    if (FAILED(FGraph->EnumFilters(filters.Put())) || !filters) return;
    for (;;) {
        TComPtr<IBaseFilter> f;
        if (filters->Next(1, f.Put(), nullptr) != S_OK || !f) break;
        f->Stop();
    }
}

bool TVideoCapture::ControlCaptureStream(bool On)
{
    bool result = false;
    if (FMux) {
        TComPtr<IEnumPins> e;
        if (SUCCEEDED(FMux->EnumPins(e.Put())) && e) {
            for (;;) {
                TComPtr<IPin> p;
                if (e->Next(1, p.Put(), nullptr) != S_OK || !p) break;
                PIN_DIRECTION dir;
                TComPtr<IAMStreamControl> sc;
                if (FAILED(p->QueryDirection(&dir)) || dir != PINDIR_INPUT) continue;
                if (FAILED(p.As(IID_IAMStreamControl, sc)) || !sc) continue;
                HRESULT hr = On ? sc->StartAt(nullptr, 0) : sc->StopAt(nullptr, FALSE, 0);
                result = SUCCEEDED(hr);
            }
        }
    }
    TComPtr<IBaseFilter> tee;
    TComPtr<IPin> out;
    TComPtr<IAMStreamControl> sc;
    if (FBuilder && SUCCEEDED(FindFilterByName(FGraph.Get(), "MySmartTee", tee)) && tee &&
        SUCCEEDED(FBuilder->FindPin(tee.Get(), PINDIR_OUTPUT, nullptr, nullptr, FALSE, 0, out.Put())) && out &&
        SUCCEEDED(out.As(IID_IAMStreamControl, sc)) && sc) {
        if (On)
            sc->StartAt(nullptr, 0);
        else
            sc->StopAt(nullptr, TRUE, 0);
    }
    return result;
}

bool TVideoCapture::StartCapture(bool Confirm)
{
    if (!WantCapture) return false;
    if (FCapturing) return true;
    // Checked first, so that a missing name leaves a running preview alone.
    if ((UseTempFile ? FTempCaptureFileName : FCaptureFileName).empty()) {
        ShowError(_rsEmptyFileName);
        return false;
    }
    FProgressTimer->SetEnabled(false);
    // A graph built while capture was off has no capture branch: build it again with one.
    if (FGraphBuilt && !FMux) TearDownGraph();
    if (!BuildGraph()) return false;
    FDropped = FNotDropped = 0;
    const bool streamControl = ControlCaptureStream(false);
    TComPtr<IMediaControl> mc;
    HRESULT hr = FGraph.As(IID_IMediaControl, mc);
    if (FAILED(hr) || !mc) {
        ShowError(_rsCantGetMediaControl, hr);
        return false;
    }
    try {
        hr = streamControl ? mc->Run() : mc->Pause();
        if (FAILED(hr)) RaiseError(_rsCantRunGraph, hr);
        FPreviewing = false;
        if (Confirm && !ConfirmCapture()) {
            StopGraph();
            RestartPreview();
            return false;
        }
        if (streamControl) {
            if (!FDroppedFrames &&
                FAILED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Interleaved, FVideoCapture.Get(),
                                               IID_IAMDroppedFrames, FDroppedFrames.PutVoid())))
                FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FVideoCapture.Get(),
                                        IID_IAMDroppedFrames, FDroppedFrames.PutVoid());
            ControlCaptureStream(true);
            FDroppedBase = FNotDroppedBase = 0;
            if (FDroppedFrames) {
                FDroppedFrames->GetNumDropped(&FDroppedBase);
                FDroppedFrames->GetNumNotDropped(&FNotDroppedBase);
            }
        } else {
            hr = mc->Run();
            if (FAILED(hr)) RaiseError(_rsCantRunGraph, hr);
        }
    } catch (...) {
        TraceCaught("StartCapture");
        StopGraph();
        return false;
    }
    FStartTime = timeGetTime();
    FProgressTimer->SetEnabled(true);
    FCapturing = true;
    FireNotify(OnStartCapture, true);
    return true;
}

bool TVideoCapture::StopCapture()
{
    return FinishCapture(true);
}

bool TVideoCapture::FinishCapture(bool Restart)
{
    if (!FCapturing) return false;
    FProgressTimer->SetEnabled(false);
    TComPtr<IMediaControl> mc;
    HRESULT hr = FGraph.As(IID_IMediaControl, mc);
    if (SUCCEEDED(hr)) hr = mc->Stop();
    if (FAILED(hr)) {
        ShowError(_rsCantStopGraph, hr);
        return false;
    }
    FStopTime = timeGetTime();
    FCapturing = false;
    FPreviewing = false;
    if (UseTempFile) {
        if (SaveCaptureFile(FCaptureFileName))
            DeleteOwnFile(FTempCaptureFileName);
        else
            DisownFile(FTempCaptureFileName);   // the only copy of the capture: the user's now
    } else {
        DisownFile(FCaptureFileName);           // a finished capture is the user's file
    }
    FireNotify(OnCaptureProgress, true);
    Invalidate();
    FireNotify(OnStopCapture, false);
    if (Restart) RestartPreview();
    return true;
}

bool TVideoCapture::CaptureFrame()
{
    const bool ok = FGrabber && WantBitmaps && (FPreviewing || FCapturing);
    FCallback->FGrabNext = ok ? 1 : 0;
    return ok;
}

bool TVideoCapture::AllocCaptureFile(int Megabytes)
{
    if (!FBuilder || FCaptureFileInUse.empty()) return false;
    return SUCCEEDED(FBuilder->AllocCapFile(AnsiToWide(FCaptureFileInUse).c_str(), static_cast<DWORDLONG>(Megabytes) * 1048576));
}

bool TVideoCapture::SaveCaptureFile(const std::string& Name)
{
    if (FCaptureFileInUse.empty()) return false;
    try {
        TComPtr<ICaptureGraphBuilder2> builder;
        if (FAILED(Create(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, builder)) || !builder) return false;
        TWideString from = AnsiToWide(FCaptureFileInUse);
        TWideString to = AnsiToWide(Name);
        HRESULT hr = builder->CopyCaptureFile(&from[0], &to[0], TRUE, nullptr);
        if (FAILED(hr)) Trace::Failure(Trace::Media, "SaveCaptureFile: CopyCaptureFile", hr);
        return SUCCEEDED(hr);
    } catch (...) {
        TraceCaught("SaveCaptureFile");
        return false;
    }
}

void TVideoCapture::UpdateStatus()
{
    if (!FCapturing || !FDroppedFrames) return;
    LONG dropped = 0, notDropped = 0;
    if (SUCCEEDED(FDroppedFrames->GetNumDropped(&dropped))) FDropped = dropped - FDroppedBase;
    if (SUCCEEDED(FDroppedFrames->GetNumNotDropped(&notDropped))) FNotDropped = notDropped - FNotDroppedBase;
}

void TVideoCapture::CaptureProgress()
{
    FElapsed = timeGetTime() - FStartTime;
    UpdateStatus();
    if (!FCapturing) return;
    if (UseTimeLimit && FElapsed / 1000 >= static_cast<DWORD>(TimeLimit > 0 ? TimeLimit : 0)) {
        StopCapture();
        RestartPreview();
    } else {
        FireNotify(OnCaptureProgress, false);
    }
}

void TVideoCapture::GraphEvent(TMessage&)
{
    const bool wasCapturing = FCapturing, wasPreviewing = FPreviewing;
    TComPtr<IMediaEventEx> events = FMediaEvent.Copy();
    if (!events) return;
    LONG code;
    LONG_PTR p1, p2;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        events->FreeEventParams(code, p1, p2);
        if (code == EC_ERRORABORT)
            DoAborted();
        else if (code == EC_DEVICE_LOST)
            DoDeviceLost();
    }
    if ((wasCapturing != FCapturing || wasPreviewing != FPreviewing) && WantPreview) StartPreview();
}

void TVideoCapture::DoAborted()
{
    StopCapture();
    FireNotify(OnAborted, false);
}

void TVideoCapture::DoDeviceLost()
{
    FireNotify(OnDeviceLost, false);
    StopCapture();
    StopPreview();
}

void TVideoCapture::FrameRendered(TMessage&)
{
    FireNotify(OnFrameRendered, false);
}

void TVideoCapture::BitmapGrabbed(TMessage& Message)
{
    try {
        if (reinterpret_cast<TSampleGrabberCB*>(Message.WParam) != FCallback.get() || !FGrabber) return;
        AM_MEDIA_TYPE mt = {};
        HRESULT hr = FGrabber->GetConnectedMediaType(&mt);
        if (FAILED(hr)) {
            Trace::Failure(Trace::Media, "grabbed frame: GetConnectedMediaType", hr);
            return;
        }
        TGrabbedFormat format;
        const bool known = format.Assign(mt);
        FreeMediaType(mt);
        if (!known) {
            Trace::Line(Trace::Media, "grabbed frame: not an uncompressed picture, not delivered");
            return;
        }
        const BITMAPINFOHEADER& header = format.Header();
        const int w = header.biWidth;
        const int h = std::abs(static_cast<int>(header.biHeight));
        std::unique_ptr<TCapturedBitmap> bmp(new TCapturedBitmap(w, h, PixelFormatOfBits(header.biBitCount)));
        bool drawn = false;
        {
            TLockGuard<TCriticalSection> hold(FCallback->FLock);
            const size_t need = format.ImageBytes();
            // A short frame is not drawn: the header would read past its end.
            if (FCallback->FFrameSize != 0 && FCallback->FFrameSize >= need && FCallback->FFrame.size() >= need) {
                // The table is of RGB entries, whatever biClrUsed says: read as
                // palette indexes it would draw colours the frame never had.
                drawn = StretchDIBits(bmp->GetCanvas()->GetHandle(), 0, 0, w, h, 0, 0, w, h, FCallback->FFrame.data(),
                                      format.Info(), DIB_RGB_COLORS, SRCCOPY) != 0;
            }
        }
        if (!drawn) Trace::Line(Trace::Media, "grabbed frame: short or not drawn");
        if (drawn) {
            bmp->Modified();
            if (OnBitmapGrabbed) OnBitmapGrabbed(bmp.get());
        }
    } catch (...) {
        TraceCaught("grabbed frame");
    }
}

// --- device names ---

std::string TVideoCapture::DeviceName(TCapDeviceKind Kind, IMoniker* Moniker)
{
    int i = DeviceIndex(Kind, Moniker);
    return i >= 0 ? CapDeviceList(Kind).Item(i)->UniqueName : std::string();
}

int TVideoCapture::DeviceIndex(TCapDeviceKind Kind, IMoniker* Moniker)
{
    if (!Moniker) return -1;
    int i = CapDeviceList(Kind).IndexOfMoniker(Moniker);
    if (i < 0) {
        EnumerateCapDevices(Kind);
        i = CapDeviceList(Kind).IndexOfMoniker(Moniker);
    }
    return i;
}

std::string TVideoCapture::GetVCapSource()
{
    return DeviceName(cdkVideoCapture, FVideoMoniker.Get());
}

std::string TVideoCapture::GetACapSource()
{
    return DeviceName(cdkAudioCapture, FAudioMoniker.Get());
}

std::string TVideoCapture::GetVCompDevice()
{
    return DeviceName(cdkVideoCompressor, FVideoCompMoniker.Get());
}

std::string TVideoCapture::GetACompDevice()
{
    return DeviceName(cdkAudioCompressor, FAudioCompMoniker.Get());
}

int TVideoCapture::GetVCapSourceIdx()
{
    return DeviceIndex(cdkVideoCapture, FVideoMoniker.Get());
}

int TVideoCapture::GetACapSourceIdx()
{
    return DeviceIndex(cdkAudioCapture, FAudioMoniker.Get());
}

int TVideoCapture::GetVCompDeviceIdx()
{
    return DeviceIndex(cdkVideoCompressor, FVideoCompMoniker.Get());
}

int TVideoCapture::GetACompDeviceIdx()
{
    return DeviceIndex(cdkAudioCompressor, FAudioCompMoniker.Get());
}
