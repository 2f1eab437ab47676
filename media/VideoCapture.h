// TVideoCapture: the DirectShow video capture component. It owns a capture graph
// built from a video capture device (and optionally a sound capture device)
// through a Smart Tee to a preview window inside the component and, when asked,
// through compressors into an AVI file; and it hands single frames to its owner
// on request through a sample grabber, always on the GUI thread.
//
// The component is a windowed control of the class library: placed on a form
// it is a child window there (Align, Color, the mouse events); without a parent
// its window is a hidden one that still receives the component's messages. The
// preview video window is made a child of it, and the streaming thread reaches
// the GUI thread only through messages posted to it.
#pragma once
#include "Bitmap.h"
#include "Classes.h"
#include "CustomControl.h"
#include "SyncObjs.h"
#include "VideoCaptureDShow.h"
#include "VideoCaptureDevices.h"
#include "VideoCaptureModes.h"
#include <qedit.h>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TGraphConfig;
class TVideoCapture;

class EVideoCaptureError : public Exception {
public:
    explicit EVideoCaptureError(const std::string& Msg, HRESULT Code = 0) : Exception(Msg), FCode(Code) {}
    // The result of the DirectShow call that failed (0 when none).
    HRESULT Code() const { return FCode; }
private:
    HRESULT FCode;
};

// The type of a grabbed frame.
class TCapturedBitmap : public TBitmap {
public:
    using TBitmap::TBitmap;
};
typedef std::function<void(TCapturedBitmap* Bitmap)> TBitmapCapturedEvent;

// Messages of the component's window.
const UINT WM_CAPGRAPHEVENT = WM_USER + 1;      // the graph has events
const UINT WM_CAPFRAMEGRABBED = WM_USER + 2;    // a frame was grabbed; wParam: the callback object
const UINT WM_CAPFRAMERENDERED = WM_USER + 3;   // a frame passed the grabber

// The sample grabber's callback. It is owned by the component and not reference
// counted. BufferCB runs on the graph's streaming thread: it copies the armed
// frame under the lock and posts messages, nothing else.
class TSampleGrabberCB : public ISampleGrabberCB {
public:
    TSampleGrabberCB() = default;
    virtual ~TSampleGrabberCB() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SampleCB(double SampleTime, IMediaSample* Sample) override;
    HRESULT STDMETHODCALLTYPE BufferCB(double SampleTime, BYTE* Buffer, LONG BufferLen) override;

private:
    friend class TVideoCapture;
    std::vector<BYTE> FFrame;            // the last armed frame
    DWORD FFrameSize = 0;
    HWND FWindow = nullptr;
    volatile BYTE FGrabNext = 0;
    TCriticalSection FLock;
};

// The error texts of the component; the message boxes carry _rsDShowCapture.
extern const char* const _rsDShowCapture;
extern const char* const _rsCantRenderCC;
extern const char* const _rsCantSetPreviewFrameRate;
extern const char* const _rsSetMasterStreamFailed;
extern const char* const _rsCantSetCaptureFile;
extern const char* const _rsCantRenderVCaptureStream;
extern const char* const _rsCantRenderPreviewStream;
extern const char* const _rsCantRenderACaptureStream;
extern const char* const _rsCantRenderAPreviewStream;
extern const char* const _rsThisGraphCantPreview;
extern const char* const _rsCantSetCaptureFrameRate;
extern const char* const _rsCantMakeGraphBuilder;
extern const char* const _rsCantCreateVCaptureFilter;
extern const char* const _rsCantMakeGraph;
extern const char* const _rsCantSetFilterGraph;
extern const char* const _rsCantAddVFilterToGraph;
extern const char* const _rsCantFindVStreamConfig;
extern const char* const _rsCantMakeACapFilter;
extern const char* const _rsCantAddAFilterToGraph;
extern const char* const _rsCantFindAStreamConfig;
extern const char* const _rsCantRunPreviewGraph;
extern const char* const _rsCantStopPreviewGraph;
extern const char* const _rsCantGetMediaControl;
extern const char* const _rsCantRunGraph;
extern const char* const _rsStartCapture;
extern const char* const _rsCantStopGraph;
extern const char* const _rsEmptyFileName;
extern const char* const _rsFailedToAllocFileSize;
extern const char* const _rsCantInstallSampleGrabber;
extern const char* const _rsCantAddVCompFilter;
extern const char* const _rsCantAddACompFilter;
extern const char* const _rsCantAddDVSplitter;
extern const char* const _rsCantAddDVDecoder;
extern const char* const _rsCantAddSmartTee;
extern const char* const _rsCantAddInfTee;

class TTimer;

class TVideoCapture : public TCustomControl {
public:
    explicit TVideoCapture(TComponent* AOwner);
    ~TVideoCapture() override;

    // --- set-up (published properties) ---
    TDVResolution GetDVResolution() const { return FDVResolution; }
    void SetDVResolution(TDVResolution Value);
    bool WantBitmaps = true;
    TPixelFormat BitmapPixelFormat = pf24bit;
    bool WantAudio = true;
    bool WantDVAudio = true;
    bool WantAudioPreview = true;
    bool WantPreview = true;
    bool WantCapture = true;
    bool UseFrameRate = false;
    double GetFrameRate() const { return FFrameRate; }
    void SetFrameRate(double Rate);                 // 1 to 50; anything else sets 25
    const std::string& GetCaptureFileName() const { return FCaptureFileName; }
    void SetCaptureFileName(const std::string& Name) { FCaptureFileName = Name; }
    bool UseTempFile = false;
    const std::string& GetTempCaptureFileName() const { return FTempCaptureFileName; }
    void SetTempCaptureFileName(const std::string& Name);
    bool UseTimeLimit = false;
    int TimeLimit = 0;                              // seconds
    bool DoPreallocFile = false;
    int PreallocFileSize = 1;                       // megabytes

    TNotifyEvent OnAborted, OnDeviceLost, OnChangeDevice, OnChangeCompressor, OnChangeVCapMode,
        OnChangeACapMode, OnCaptureProgress, OnStopCapture, OnStopPreview, OnStartCapture, OnStartPreview,
        OnFrameRendered;
    TBitmapCapturedEvent OnBitmapGrabbed;

    // --- life and set-up ---
    bool Init();
    void ChooseDevices(IMoniker* VideoDevice, IMoniker* AudioDevice, bool Force = false);
    void ChooseDevices(const std::string& VideoDevice, const std::string& AudioDevice, bool Force = false);
    void ChooseDevices(int VideoDevice, int AudioDevice, bool Force = false);
    void ChooseCompressors(IMoniker* VideoCompressor, IMoniker* AudioCompressor, bool Force = false);
    void ChooseCompressors(const std::string& VideoCompressor, const std::string& AudioCompressor,
                           bool Force = false);
    void ChooseCompressors(int VideoCompressor, int AudioCompressor, bool Force = false);
    void CleanUp();
    void FreeCapFilters();
    bool InitCapFilters();
    bool BuildGraph();
    void TearDownGraph();

    // --- running ---
    bool StartPreview();
    bool StopPreview();
    bool StartCapture(bool Confirm = false);
    bool StopCapture();
    bool CaptureFrame();
    bool AllocCaptureFile(int Megabytes);
    bool SaveCaptureFile(const std::string& Name);

    bool GraphBuilt() const { return FGraphBuilt; }
    bool Capturing() const { return FCapturing; }
    bool Previewing() const { return FPreviewing; }
    // Capture statistics (UpdateStatus): milliseconds since capture start, and the
    // frames dropped and delivered since then.
    DWORD CaptureElapsed() const { return FElapsed; }
    LONG FramesDropped() const { return FDropped; }
    LONG FramesNotDropped() const { return FNotDropped; }

    // --- device names ---
    std::string GetVCapSource();
    std::string GetACapSource();
    std::string GetVCompDevice();
    std::string GetACompDevice();
    int GetVCapSourceIdx();
    int GetACapSourceIdx();
    int GetVCompDeviceIdx();
    int GetACompDeviceIdx();
    const std::string& VideoDeviceName() const { return FVideoDeviceName; }
    const std::string& AudioDeviceName() const { return FAudioDeviceName; }

    // --- modes, DV and dialogs ---
    bool GetIsDVSource();
    int GetVCapModeCount();
    void GetVCapModes(int Index, TVCapMode& Mode);
    void GetVCapMode(TVCapMode& Mode);
    bool SetVCapMode(int Index);
    bool SetVCapMode(const TVCapMode& Mode);
    int GetVCapModeIdx();
    int GetACapModeCount();
    void GetACapModes(int Index, TACapMode& Mode);
    void GetACapMode(TACapMode& Mode);
    bool SetACapMode(int Index);
    bool SetACapMode(const TACapMode& Mode);
    int GetACapModeIdx();
    void SetMasterStream(int Index);
    int GetMasterStream() const { return FMasterStream; }
    void GetAvailableDialogs();
    TCaptureDialogs AvailableDialogs() const { return FDialogs; }
    bool ShowDialog(TCaptureDialog Dialog);

    // --- saved configuration ---
    void SaveGraph(TGraphConfig* Config);
    void RestoreGraph(TGraphConfig* Config);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMNCDestroy(TMessage& Message) override;

private:
    void GraphEvent(TMessage& Message);
    void BitmapGrabbed(TMessage& Message);
    void FrameRendered(TMessage& Message);
    // The window that the graph and the grabber report to; made when first
    // needed, null when it cannot be (its host window is gone).
    HWND MessageWindow();
    // Points the graph's events, the grabber's messages and the preview window
    // at the component's current window (or at none).
    void BindWindow(HWND Window);
    void FitVideoWindow();

    bool MakeGraph();
    bool MakeBuilder();
    void BuildCaptureBranch(IBaseFilter* videoSource, IBaseFilter* soundSource);
    // The AVI multiplexer and the file sink for the capture file in use.
    HRESULT SetOutputFile();
    bool RenderVideoPreview(TComPtr<IBaseFilter>& Source);
    bool FindVideoWindow();
    void ApplyFrameRate();
    void NukeDownstream(IBaseFilter* Filter);
    bool ControlCaptureStream(bool On);
    // Stops the graph after a failed start, every filter of it included.
    void StopGraph();
    // StopCapture, with or without starting the preview again (not while the graph
    // is being torn down or the component destroyed).
    bool FinishCapture(bool Restart);
    void CaptureProgress();
    void UpdateStatus();
    void DoAborted();
    void DoDeviceLost();
    void ApplyDVResolution();
    HRESULT FindStreamConfig(const GUID& Category, TComPtr<IAMStreamConfig>& Config);
    bool ShowPropertyFrame(IUnknown* Obj);
    void RestartPreview();
    bool ConfirmCapture();
    // Device names from the lists, enumerating again once when the device is missing.
    std::string DeviceName(TCapDeviceKind Kind, IMoniker* Moniker);
    int DeviceIndex(TCapDeviceKind Kind, IMoniker* Moniker);
    static IMoniker* MonikerByName(TCapDeviceKind Kind, const std::string& Name);
    static IMoniker* MonikerByIndex(TCapDeviceKind Kind, int Index);

    // Files the component created itself: only those are ever deleted.
    void NoteOwnFile(const std::string& Name);
    void DisownFile(const std::string& Name);
    void DeleteOwnFile(const std::string& Name);

    // The error helpers: show a box; or show it and raise EVideoCaptureError.
    void ShowError(const char* Fmt, HRESULT Code = 0);
    HWND BoxOwner() const;
    [[noreturn]] void RaiseError(const char* Fmt, HRESULT Code = 0);
    void FireNotify(const TNotifyEvent& Event, bool Swallow);

    TDVResolution FDVResolution = dvrDontWorry;
    double FFrameRate = 0;
    std::string FCaptureFileName;
    std::string FTempCaptureFileName;

    TComPtr<IGraphBuilder> FGraph;
    TComPtr<ICaptureGraphBuilder2> FBuilder;
    TComPtr<IVideoWindow> FVideoWindow;
    TComPtr<IMediaEventEx> FMediaEvent;
    TComPtr<IAMDroppedFrames> FDroppedFrames;
    TComPtr<IAMVfwCaptureDialogs> FVfwCaptureDialogs;
    TComPtr<IAMVfwCompressDialogsI> FVfwCompressDialogs;
    TComPtr<IAMStreamConfig> FAudioStreamConfig;
    TComPtr<IAMStreamConfig> FVideoStreamConfig;
    TComPtr<IBaseFilter> FMux;
    TComPtr<IBaseFilter> FVideoCapture;
    TComPtr<IBaseFilter> FAudioCapture;
    TComPtr<IBaseFilter> FVideoCompressor;
    TComPtr<IBaseFilter> FAudioCompressor;
    TComPtr<IBaseFilter> FDVSplitter;
    TComPtr<IBaseFilter> FDVDecoder;
    TComPtr<IBaseFilter> FNullRenderer;
    TComPtr<IFileSinkFilter> FSink;
    TComPtr<IConfigAviMux> FMuxConfig;
    TComPtr<ISampleGrabber> FGrabber;
    std::unique_ptr<TSampleGrabberCB> FCallback;

    bool FGraphBuilt = false;
    bool FCapturing = false;
    bool FPreviewing = false;
    std::string FVideoDeviceName;
    std::string FAudioDeviceName;
    int FMasterStream = -1;
    DWORD FStartTime = 0;
    DWORD FStopTime = 0;
    DWORD FElapsed = 0;
    LONG FDropped = 0;
    LONG FNotDropped = 0;
    LONG FDroppedBase = 0;
    LONG FNotDroppedBase = 0;
    TComPtr<IMoniker> FVideoMoniker;
    TComPtr<IMoniker> FAudioMoniker;
    TComPtr<IMoniker> FVideoCompMoniker;
    TComPtr<IMoniker> FAudioCompMoniker;
    std::unique_ptr<TTimer> FProgressTimer;
    TCaptureDialogs FDialogs;
    std::string FCaptureFileInUse;
    std::set<std::string> FOwnFiles;     // full names, upper-cased
};
