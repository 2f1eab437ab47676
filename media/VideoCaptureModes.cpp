// Capture modes, DV resolution and property dialogs of the capture component.
#include "VideoCapture.h"
#include <olectl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dvdmedia.h>

const char* const DialogTitles[CaptureDialogCount] = {
    "Video Format", "Video Source", "Video Display", "Video Capture Filter", "Video Crossbar", "TV Tuner",
    "Audio Capture Filter", "Audio Crossbar", "TV Audio", "Video Capture Pin", "Video Preview Pin",
    "Audio Capture Pin", "Video Compressor", "Audio Compressor"};

namespace {

struct SubtypeName {
    const GUID* Subtype;
    const char* Name;
};

const SubtypeName kSubtypeNames[] = {
    {&MEDIASUBTYPE_YVU9, "(YVU9)"},     {&MEDIASUBTYPE_Y411, "(Y411)"},     {&MEDIASUBTYPE_Y41P, "(Y41P)"},
    {&MEDIASUBTYPE_YUY2, "(YUY2)"},     {&MEDIASUBTYPE_YVYU, "(YVYU)"},     {&MEDIASUBTYPE_UYVY, "(UYVY)"},
    {&MEDIASUBTYPE_Y211, "(Y211)"},     {&MEDIASUBTYPE_RGB24, "(RGB24)"},   {&MEDIASUBTYPE_RGB32, "(RGB32)"},
    {&MEDIASUBTYPE_RGB565, "(RGB565)"}, {&MEDIASUBTYPE_RGB555, "(RGB555)"}, {&MEDIASUBTYPE_ARGB32, "(ARGB32)"}};

// Frames per second of an interval in 100 ns units; 0 when the interval is not positive.
double RateOf(LONGLONG interval)
{
    return interval > 0 ? 10000000.0 / static_cast<double>(interval) : 0.0;
}

// Types, size and depth of a video media type; the format block is checked first.
void FillVideoMode(const AM_MEDIA_TYPE& mt, TVCapMode& mode, bool withRate)
{
    mode.MajorType = mt.majortype;
    mode.SubType = mt.subtype;
    const BITMAPINFOHEADER* bih = FormatBitmapHeader(mt);
    if (!bih) return;
    mode.Width = std::abs(static_cast<int>(bih->biWidth));
    mode.Height = std::abs(static_cast<int>(bih->biHeight));
    mode.BitCount = bih->biBitCount;
    // The average frame time sits at the same place in both video info blocks,
    // before the bitmap header that FormatBitmapHeader found inside the block.
    if (withRate) mode.FrameRate = RateOf(reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->AvgTimePerFrame);
}

void FillAudioMode(const AM_MEDIA_TYPE& mt, TACapMode& mode)
{
    // A PCM block may end after wBitsPerSample (16 bytes); everything read lies there.
    if (!IsEqualGUID(mt.formattype, FORMAT_WaveFormatEx) || !mt.pbFormat || mt.cbFormat < 16) return;
    const auto* wf = reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat);
    mode.MajorType = mt.majortype;
    mode.SubType = mt.subtype;
    mode.SamplesPerSec = static_cast<int>(wf->nSamplesPerSec);
    mode.BitsPerSample = wf->wBitsPerSample;
    mode.Channels = wf->nChannels;
    mode.AvgBytesPerSec = static_cast<int>(wf->nAvgBytesPerSec);
}

// GetStreamCaps of one capability with a capabilities buffer of at least the
// structure's size, whatever size the device claims.
HRESULT StreamCaps(IAMStreamConfig* config, int index, TMediaTypePtr& mt, std::vector<BYTE>& caps, size_t least)
{
    int count = 0, size = 0;
    HRESULT hr = config->GetNumberOfCapabilities(&count, &size);
    if (FAILED(hr)) return hr;
    if (index < 0 || index >= count) return E_INVALIDARG;
    caps.assign(std::max(static_cast<size_t>(size > 0 ? size : 0), least), 0);
    hr = config->GetStreamCaps(index, mt.Put(), caps.data());
    if (hr != S_OK || !mt) return FAILED(hr) ? hr : E_FAIL;
    return S_OK;
}

} // namespace

TVCapMode DVMode(int Index)
{
    static const int sizes[DVModeCount][2] = {{720, 576}, {360, 288}, {180, 144}, {88, 72}};
    TVCapMode m = {};
    if (Index < 0 || Index >= DVModeCount) return m;
    m.Width = sizes[Index][0];
    m.Height = sizes[Index][1];
    m.BitCount = 24;
    return m;
}

bool IsEqualModes(const TVCapMode& a, const TVCapMode& b)
{
    return IsEqualGUID(a.SubType, b.SubType) && a.Width == b.Width && a.Height == b.Height &&
           a.BitCount == b.BitCount;
}

bool IsEqualModes(const TACapMode& a, const TACapMode& b)
{
    if (!IsEqualGUID(a.SubType, b.SubType) || a.Channels != b.Channels) return false;
    if (IsEqualGUID(a.SubType, MEDIASUBTYPE_PCM))
        return a.SamplesPerSec == b.SamplesPerSec && a.BitsPerSample == b.BitsPerSample;
    return a.AvgBytesPerSec == b.AvgBytesPerSec && a.SamplesPerSec == b.SamplesPerSec;
}

std::string GetModeString(const TVCapMode& m)
{
    std::string s = Format("%dx%dx%db", m.Width, m.Height, m.BitCount);
    for (const auto& n : kSubtypeNames)
        if (IsEqualGUID(*n.Subtype, m.SubType)) return s + " " + n.Name;
    return s;
}

std::string GetModeString(const TACapMode& m)
{
    if (IsEqualGUID(m.SubType, MEDIASUBTYPE_PCM))
        return Format("%dHzx%dbx%d", m.SamplesPerSec, m.BitsPerSample, m.Channels);
    return Format("%dkBits/s, %dHz, %d", m.AvgBytesPerSec * 8 / 1000, m.SamplesPerSec, m.Channels);
}

// --- video modes ---

bool TVideoCapture::GetIsDVSource()
{
    if (!FVideoStreamConfig) return false;
    TMediaTypePtr mt;
    if (FAILED(FVideoStreamConfig->GetFormat(mt.Put())) || !mt) return false;
    return IsEqualGUID(mt->majortype, MEDIATYPE_Interleaved);
}

int TVideoCapture::GetVCapModeCount()
{
    if (GetIsDVSource()) return DVModeCount;
    if (!FVideoStreamConfig) return 0;
    int count = 0, size = 0;
    if (FAILED(FVideoStreamConfig->GetNumberOfCapabilities(&count, &size)) || count < 0) return 0;
    return count;
}

void TVideoCapture::GetVCapModes(int Index, TVCapMode& Mode)
{
    std::memset(&Mode, 0, sizeof(Mode));
    if (GetIsDVSource()) {
        Mode = DVMode(Index);
        return;
    }
    if (!FVideoStreamConfig) return;
    TMediaTypePtr mt;
    std::vector<BYTE> caps;
    if (FAILED(StreamCaps(FVideoStreamConfig.Get(), Index, mt, caps, sizeof(VIDEO_STREAM_CONFIG_CAPS)))) return;
    FillVideoMode(*mt.Get(), Mode, true);
    const auto* c = reinterpret_cast<const VIDEO_STREAM_CONFIG_CAPS*>(caps.data());
    Mode.MinFrameRate = RateOf(c->MaxFrameInterval);
    Mode.MaxFrameRate = RateOf(c->MinFrameInterval);
}

void TVideoCapture::GetVCapMode(TVCapMode& Mode)
{
    std::memset(&Mode, 0, sizeof(Mode));
    if (GetIsDVSource()) {
        TComPtr<IIPDVDecI> dv;
        int display = 0;
        if (FGraph && FDVDecoder && SUCCEEDED(FDVDecoder->QueryInterface(IID_IIPDVDec_, dv.PutVoid())) && dv &&
            SUCCEEDED(dv->GetIPDisplay(&display)))
            Mode = DVMode(display - DVDisplayFull);
        return;
    }
    if (!FVideoStreamConfig) return;
    TMediaTypePtr mt;
    if (FAILED(FVideoStreamConfig->GetFormat(mt.Put())) || !mt) return;
    FillVideoMode(*mt.Get(), Mode, false);
}

bool TVideoCapture::SetVCapMode(int Index)
{
    if (FCapturing) return false;
    TearDownGraph();
    bool ok = false;
    if (GetIsDVSource()) {
        // The DV decoder's sizes; the mode itself is not a format of the device.
        if (Index >= 0 && Index < DVModeCount) SetDVResolution(static_cast<TDVResolution>(dvrFull + Index));
    } else if (FVideoStreamConfig) {
        TMediaTypePtr mt;
        std::vector<BYTE> caps;
        if (SUCCEEDED(StreamCaps(FVideoStreamConfig.Get(), Index, mt, caps, sizeof(VIDEO_STREAM_CONFIG_CAPS))))
            ok = SUCCEEDED(FVideoStreamConfig->SetFormat(mt.Get()));
    }
    if (ok) FireNotify(OnChangeVCapMode, false);
    return ok;
}

bool TVideoCapture::SetVCapMode(const TVCapMode& Mode)
{
    TVCapMode current;
    GetVCapMode(current);
    if (IsEqualModes(current, Mode)) return true;
    const int count = GetVCapModeCount();
    for (int i = 0; i < count; ++i) {
        TVCapMode m;
        GetVCapModes(i, m);
        if (IsEqualModes(m, Mode)) return SetVCapMode(i);
    }
    return false;
}

int TVideoCapture::GetVCapModeIdx()
{
    TVCapMode current;
    GetVCapMode(current);
    const int count = GetVCapModeCount();
    for (int i = 0; i < count; ++i) {
        TVCapMode m;
        GetVCapModes(i, m);
        if (IsEqualModes(m, current)) return i;
    }
    return -1;
}

// --- sound modes ---

int TVideoCapture::GetACapModeCount()
{
    if (!FAudioStreamConfig) return 0;
    int count = 0, size = 0;
    if (FAILED(FAudioStreamConfig->GetNumberOfCapabilities(&count, &size)) || count < 0) return 0;
    return count;
}

void TVideoCapture::GetACapModes(int Index, TACapMode& Mode)
{
    std::memset(&Mode, 0, sizeof(Mode));
    if (!FAudioStreamConfig) return;
    TMediaTypePtr mt;
    std::vector<BYTE> caps;
    if (FAILED(StreamCaps(FAudioStreamConfig.Get(), Index, mt, caps, sizeof(AUDIO_STREAM_CONFIG_CAPS)))) return;
    FillAudioMode(*mt.Get(), Mode);
}

void TVideoCapture::GetACapMode(TACapMode& Mode)
{
    std::memset(&Mode, 0, sizeof(Mode));
    if (!FAudioStreamConfig) return;
    TMediaTypePtr mt;
    if (FAILED(FAudioStreamConfig->GetFormat(mt.Put())) || !mt) return;
    FillAudioMode(*mt.Get(), Mode);
}

bool TVideoCapture::SetACapMode(int Index)
{
    if (FCapturing || !FAudioStreamConfig) return false;
    const bool wasPreviewing = FPreviewing;
    bool ok = false;
    TMediaTypePtr mt;
    std::vector<BYTE> caps;
    if (SUCCEEDED(StreamCaps(FAudioStreamConfig.Get(), Index, mt, caps, sizeof(AUDIO_STREAM_CONFIG_CAPS)))) {
        StopPreview();
        ok = SUCCEEDED(FAudioStreamConfig->SetFormat(mt.Get()));
    }
    if (wasPreviewing) StartPreview();
    if (ok) FireNotify(OnChangeACapMode, false);
    return ok;
}

bool TVideoCapture::SetACapMode(const TACapMode& Mode)
{
    TACapMode current;
    GetACapMode(current);
    if (IsEqualModes(current, Mode)) return true;
    const int count = GetACapModeCount();
    for (int i = 0; i < count; ++i) {
        TACapMode m;
        GetACapModes(i, m);
        if (IsEqualModes(m, Mode)) return SetACapMode(i);
    }
    return false;
}

int TVideoCapture::GetACapModeIdx()
{
    TACapMode current;
    GetACapMode(current);
    const int count = GetACapModeCount();
    for (int i = 0; i < count; ++i) {
        TACapMode m;
        GetACapModes(i, m);
        if (IsEqualModes(m, current)) return i;
    }
    return -1;
}

// --- DV resolution and the multiplexer's master stream ---

void TVideoCapture::SetDVResolution(TDVResolution Value)
{
    if (FCapturing) return;
    FDVResolution = Value;
    if (!FGraph || Value == dvrDontWorry || !GetIsDVSource()) return;
    TearDownGraph();
    ApplyDVResolution();
}

void TVideoCapture::ApplyDVResolution()
{
    if (!FDVDecoder || FDVResolution == dvrDontWorry) return;
    TComPtr<IIPDVDecI> dv;
    if (SUCCEEDED(FDVDecoder->QueryInterface(IID_IIPDVDec_, dv.PutVoid())) && dv)
        dv->SetIPDisplay(DVDisplayFull + (FDVResolution - dvrFull));
}

void TVideoCapture::SetMasterStream(int Index)
{
    HRESULT hr = FMuxConfig ? FMuxConfig->SetMasterStream(Index) : E_POINTER;
    if (FAILED(hr)) {
        ShowError(_rsSetMasterStreamFailed, hr);
        return;
    }
    FMasterStream = Index;
}
