// The property dialogs of the filters in the capture graph: which exist, and
// showing one.
#include "VideoCapture.h"
#include <olectl.h>

namespace {

// The property pages of an object; empty when it has none.
class TPages {
public:
    explicit TPages(IUnknown* obj)
    {
        TComPtr<ISpecifyPropertyPages> spp;
        if (obj && SUCCEEDED(obj->QueryInterface(IID_ISpecifyPropertyPages, spp.PutVoid())) && spp)
            FAnswers = true, FOk = SUCCEEDED(spp->GetPages(&FPages));
    }
    ~TPages() { CoTaskMemFree(FPages.pElems); }
    TPages(const TPages&) = delete;
    TPages& operator=(const TPages&) = delete;
    bool Answers() const { return FAnswers; }
    bool Any() const { return FOk && FPages.cElems > 0; }
    const CAUUID& Pages() const { return FPages; }
private:
    CAUUID FPages = {0, nullptr};
    bool FAnswers = false;
    bool FOk = false;
};

bool HasPages(IUnknown* obj)
{
    return TPages(obj).Any();
}

} // namespace

HRESULT TVideoCapture::FindStreamConfig(const GUID& Category, TComPtr<IAMStreamConfig>& Config)
{
    Config.Reset();
    if (!FBuilder || !FVideoCapture) return E_POINTER;
    HRESULT hr = FBuilder->FindInterface(&Category, &MEDIATYPE_Interleaved, FVideoCapture.Get(),
                                         IID_IAMStreamConfig, Config.PutVoid());
    if (FAILED(hr))
        hr = FBuilder->FindInterface(&Category, &MEDIATYPE_Video, FVideoCapture.Get(), IID_IAMStreamConfig,
                                     Config.PutVoid());
    return hr;
}

void TVideoCapture::GetAvailableDialogs()
{
    FDialogs.Clear();
    if (FVfwCaptureDialogs) {
        if (FVfwCaptureDialogs->HasDialog(Vfw::VfwCaptureDialog_Format) == S_OK) FDialogs.Include(cdVFORMAT);
        if (FVfwCaptureDialogs->HasDialog(Vfw::VfwCaptureDialog_Source) == S_OK) FDialogs.Include(cdVSOURCE);
        if (FVfwCaptureDialogs->HasDialog(Vfw::VfwCaptureDialog_Display) == S_OK) FDialogs.Include(cdVDISPLAY);
    }
    if (FAudioCapture && HasPages(FAudioCapture.Get())) FDialogs.Include(cdACAPTURE);
    if (FVideoCompressor) {
        TPages pages(FVideoCompressor.Get());
        if (pages.Answers()) {
            if (pages.Any()) FDialogs.Include(cdVCOMPRESSION);
        } else if (FVfwCompressDialogs &&
                   SUCCEEDED(FVfwCompressDialogs->ShowDialog(Vfw::VfwCompressDialog_QueryConfig, nullptr))) {
            FDialogs.Include(cdVCOMPRESSION);
        }
    }
    if (FDialogs.Contains(cdVFORMAT) || !FVideoCapture) return;
    // A capture device without Video for Windows dialogs: the pages of the filter and its pins.
    if (HasPages(FVideoCapture.Get())) FDialogs.Include(cdVCAPTURE);
    TComPtr<IAMStreamConfig> config;
    if (SUCCEEDED(FindStreamConfig(PIN_CATEGORY_CAPTURE, config)) && HasPages(config.Get()))
        FDialogs.Include(cdVCAPTURE_PIN);
    if (SUCCEEDED(FindStreamConfig(PIN_CATEGORY_PREVIEW, config)) && HasPages(config.Get()))
        FDialogs.Include(cdVPREVIEW_PIN);
    TComPtr<IUnknown> tuner;
    if (FBuilder && SUCCEEDED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FVideoCapture.Get(),
                                                      IID_IAMTVTuner, tuner.PutVoid())) && tuner && HasPages(tuner.Get()))
        FDialogs.Include(cdTVTUNER);
    if (!FAudioCapture) return;
    if (FAudioCompressor && HasPages(FAudioCompressor.Get())) FDialogs.Include(cdACOMPRESSION);
    TComPtr<IUnknown> audio;
    if (FBuilder && SUCCEEDED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, FAudioCapture.Get(),
                                                      IID_IAMStreamConfig, audio.PutVoid())) && audio && HasPages(audio.Get()))
        FDialogs.Include(cdACAPTURE_PIN);
    if (FBuilder && SUCCEEDED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, FAudioCapture.Get(),
                                                      IID_IAMTVAudio_, audio.PutVoid())) && audio && HasPages(audio.Get()))
        FDialogs.Include(cdTVAUDIO);
}

bool TVideoCapture::ShowPropertyFrame(IUnknown* Obj)
{
    TPages pages(Obj);
    if (!pages.Any()) return false;
    IUnknown* objs[1] = {Obj};
    return SUCCEEDED(OleCreatePropertyFrame(FHandle, 30, 30, nullptr, 1, objs, pages.Pages().cElems,
                                            pages.Pages().pElems, 0, 0, nullptr));
}

void TVideoCapture::RestartPreview()
{
    if (WantPreview) StartPreview();
}

bool TVideoCapture::ShowDialog(TCaptureDialog Dialog)
{
    if (!FDialogs.Contains(Dialog) || FCapturing) return false;
    switch (Dialog) {
    case cdVFORMAT:
        if (FVfwCaptureDialogs && FVfwCaptureDialogs->ShowDialog(Vfw::VfwCaptureDialog_Format, FHandle) == VFW_E_CANNOT_CONNECT)
            TearDownGraph();
        RestartPreview();
        break;
    case cdVSOURCE:
    case cdVDISPLAY:
        StopPreview();
        if (FVfwCaptureDialogs)
            FVfwCaptureDialogs->ShowDialog(Dialog == cdVSOURCE ? Vfw::VfwCaptureDialog_Source : Vfw::VfwCaptureDialog_Display,
                                           FHandle);
        RestartPreview();
        break;
    case cdVCAPTURE:
        ShowPropertyFrame(FVideoCapture.Get());
        break;
    case cdACAPTURE:
        ShowPropertyFrame(FAudioCapture.Get());
        break;
    case cdTVTUNER: {
        TComPtr<IUnknown> tuner;
        if (FBuilder && SUCCEEDED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, FVideoCapture.Get(),
                                                          IID_IAMTVTuner, tuner.PutVoid())) && tuner)
            ShowPropertyFrame(tuner.Get());
        break;
    }
    case cdVCAPTURE_PIN:
    case cdVPREVIEW_PIN: {
        TearDownGraph();
        TComPtr<IAMStreamConfig> config;
        if (SUCCEEDED(FindStreamConfig(Dialog == cdVCAPTURE_PIN ? PIN_CATEGORY_CAPTURE : PIN_CATEGORY_PREVIEW,
                                       config)))
            ShowPropertyFrame(config.Get());
        RestartPreview();
        break;
    }
    case cdACAPTURE_PIN: {
        StopPreview();
        TComPtr<IUnknown> config;
        if (FBuilder && SUCCEEDED(FBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, FAudioCapture.Get(),
                                                          IID_IAMStreamConfig, config.PutVoid())) && config)
            ShowPropertyFrame(config.Get());
        RestartPreview();
        break;
    }
    case cdVCOMPRESSION:
        StopPreview();
        if (FVfwCompressDialogs)
            FVfwCompressDialogs->ShowDialog(Vfw::VfwCompressDialog_Config, FHandle);
        else
            ShowPropertyFrame(FVideoCompressor.Get());
        RestartPreview();
        break;
    case cdACOMPRESSION:
        StopPreview();
        ShowPropertyFrame(FAudioCompressor.Get());
        RestartPreview();
        break;
    case cdVCROSSBAR:
    case cdACROSSBAR:
    case cdTVAUDIO:
        break;
    }
    return true;
}
