#include "GraphConfig.h"
#include "VideoCapture.h"
#include <cstring>
#include <memory>

namespace Utils {

std::string BytesToStr(const std::vector<BYTE>& Bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(Bytes.size() * 2);
    for (BYTE b : Bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

std::string GUIDToStr(const GUID& G)
{
    std::vector<BYTE> bytes(sizeof(GUID));
    std::memcpy(bytes.data(), &G, sizeof(GUID));
    return BytesToStr(bytes);
}

namespace {
int Nibble(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
} // namespace

std::vector<BYTE> StrToBytes(const std::string& S)
{
    const std::string text = S.size() % 2 ? "0" + S : S;
    std::vector<BYTE> bytes(text.size() / 2, 0);
    for (size_t i = 0; i < bytes.size(); ++i) {
        int hi = Nibble(text[2 * i]), lo = Nibble(text[2 * i + 1]);
        if (hi < 0 || lo < 0) break;
        bytes[i] = static_cast<BYTE>(hi << 4 | lo);
    }
    return bytes;
}

GUID StrToGUID(const std::string& S)
{
    GUID g = {};
    std::vector<BYTE> bytes = StrToBytes(S);
    std::memcpy(&g, bytes.data(), bytes.size() < sizeof(GUID) ? bytes.size() : sizeof(GUID));
    return g;
}

} // namespace Utils

namespace {

const char* const kDefaultTempName = "captemp.avi";
const char* const kDefaultCaptureName = "capture.avi";

int ReadNumber(const TStrings& list, const char* key, int def)
{
    return StrToIntDef(list.GetValue(key), def);
}

} // namespace

TGraphConfig::TGraphConfig()
{
    ACapMode = {};
    VCapMode = {};
    Clear();
}

void TGraphConfig::Clear()
{
    WantCapture = WantPreview = WantBitmaps = WantAudio = WantDVAudio = false;
    WantAudioPreview = true;
    UseTempFile = DoPreallocFile = false;
    PreallocFileSize = 0;
    TempCaptureFileName = kDefaultTempName;
    CaptureFileName = kDefaultCaptureName;
    ACapMode = {};
    VCapMode = {};
    DVResolution = dvrFull;
    PixelFormat = pf24bit;
    VCapSource.clear();
    ACapSource.clear();
    VComp.clear();
    AComp.clear();
}

std::string TGraphConfig::SaveGraph() const
{
    TStringList list;
    const struct {
        bool Value;
        const char* Item;
    } flags[] = {{WantBitmaps, "WantBitmaps=0"},   {WantCapture, "WantCapture=0"},
                 {WantPreview, "WantPreview=0"},   {WantDVAudio, "WantDVAudio=0"},
                 {WantAudio, "WantAudio=0"},       {WantAudioPreview, "WantAudioPreview=0"},
                 {DoPreallocFile, "DoPreallocFile=0"}, {UseTempFile, "UseTempFile=0"}};
    for (const auto& f : flags)
        if (!f.Value) list.Add(f.Item);
    list.Add("PreallocFileSize=" + IntToStr(PreallocFileSize));
    list.Add("TempCaptureFileName=" + TempCaptureFileName);
    list.Add("CaptureFileName=" + CaptureFileName);
    list.Add("DVResolution=" + IntToStr(DVResolution));
    list.Add("PixelFormat=" + IntToStr(PixelFormat));
    list.Add("VCapSource=" + VCapSource);
    list.Add("ACapSource=" + ACapSource);
    list.Add("AComp=" + AComp);
    list.Add("VComp=" + VComp);
    list.Add("ACapModeMediaSubType=" + Utils::GUIDToStr(ACapMode.SubType));
    list.Add("ACapModeSampleRate=" + IntToStr(ACapMode.SamplesPerSec));
    list.Add("ACapModeAvgSampleRate=" + IntToStr(ACapMode.AvgBytesPerSec));
    list.Add("ACapModeSampleSize=" + IntToStr(ACapMode.BitsPerSample));
    list.Add("ACapModeChannels=" + IntToStr(ACapMode.Channels));
    list.Add("VCapModeMediaSubType=" + Utils::GUIDToStr(VCapMode.SubType));
    list.Add("VCapModeWidth=" + IntToStr(VCapMode.Width));
    list.Add("VCapModeHeight=" + IntToStr(VCapMode.Height));
    list.Add("VCapModeBits=" + IntToStr(VCapMode.BitCount));
    list.Add("VCompState=" + Utils::BytesToStr(VCompState));
    return list.GetCommaText();
}

void TGraphConfig::RestoreGraph(const std::string& Text)
{
    Clear();
    TStringList list;
    list.SetCommaText(Text);
    WantBitmaps = ReadNumber(list, "WantBitmaps", 1) > 0;
    WantCapture = ReadNumber(list, "WantCapture", 1) > 0;
    WantPreview = ReadNumber(list, "WantPreview", 1) > 0;
    WantDVAudio = ReadNumber(list, "WantDVAudio", 1) > 0;
    WantAudio = ReadNumber(list, "WantAudio", 1) > 0;
    WantAudioPreview = ReadNumber(list, "WantAudioPreview", 1) > 0;
    DoPreallocFile = ReadNumber(list, "DoPreallocFile", 1) > 0;
    UseTempFile = ReadNumber(list, "UseTempFile", 1) > 0;
    PreallocFileSize = ReadNumber(list, "PreallocFileSize", 0);
    TempCaptureFileName = list.GetValue("TempCaptureFileName");
    if (TempCaptureFileName.empty()) TempCaptureFileName = kDefaultTempName;
    CaptureFileName = list.GetValue("CaptureFileName");
    if (CaptureFileName.empty()) CaptureFileName = kDefaultCaptureName;
    DVResolution = static_cast<BYTE>(ReadNumber(list, "DVResolution", 1));
    if (DVResolution > dvrDC) DVResolution = dvrFull;
    PixelFormat = static_cast<BYTE>(ReadNumber(list, "PixelFormat", pf24bit));
    if (PixelFormat > pfCustom) PixelFormat = pf24bit;
    VCapSource = list.GetValue("VCapSource");
    ACapSource = list.GetValue("ACapSource");
    AComp = list.GetValue("AComp");
    VComp = list.GetValue("VComp");
    ACapMode.SubType = Utils::StrToGUID(list.GetValue("ACapModeMediaSubType"));
    ACapMode.SamplesPerSec = ReadNumber(list, "ACapModeSampleRate", 0);
    ACapMode.AvgBytesPerSec = ReadNumber(list, "ACapModeAvgSampleRate", 0);
    ACapMode.BitsPerSample = ReadNumber(list, "ACapModeSampleSize", 0);
    ACapMode.Channels = ReadNumber(list, "ACapModeChannels", 0);
    VCapMode.SubType = Utils::StrToGUID(list.GetValue("VCapModeMediaSubType"));
    VCapMode.Width = ReadNumber(list, "VCapModeWidth", 0);
    VCapMode.Height = ReadNumber(list, "VCapModeHeight", 0);
    VCapMode.BitCount = ReadNumber(list, "VCapModeBits", 0);
    VCompState = Utils::StrToBytes(list.GetValue("VCompState"));
}

bool TGraphConfig::SaveGraphToStream(TStream* Stream) const
{
    if (!Stream) return false;
    const std::string text = SaveGraph();
    const int32_t len = static_cast<int32_t>(text.size());
    BYTE head[4] = {static_cast<BYTE>(len), static_cast<BYTE>(len >> 8), static_cast<BYTE>(len >> 16),
                    static_cast<BYTE>(len >> 24)};
    if (Stream->Write(head, 4) != 4) return false;
    return text.empty() || Stream->Write(text.data(), len) == len;
}

bool TGraphConfig::RestoreGraphFromStream(TStream* Stream)
{
    if (!Stream) return false;
    BYTE head[4];
    if (Stream->Read(head, 4) != 4) return false;
    const int32_t len = static_cast<int32_t>(head[0] | head[1] << 8 | head[2] << 16 | static_cast<uint32_t>(head[3]) << 24);
    // The length comes from the stream: a negative one, or one beyond what the
    // stream still holds, is refused before anything is allocated.
    if (len < 0 || len > Stream->GetSize() - Stream->GetPosition()) return false;
    std::string text(static_cast<size_t>(len), '\0');
    if (len > 0 && Stream->Read(&text[0], len) != len) return false;
    RestoreGraph(text);
    return true;
}

// --- the component's side ---

void TVideoCapture::SaveGraph(TGraphConfig* Config)
{
    if (!Config) return;
    Config->Clear();
    Config->UseTempFile = UseTempFile;
    Config->WantBitmaps = WantBitmaps;
    Config->DoPreallocFile = DoPreallocFile;
    Config->WantCapture = WantCapture;
    Config->WantPreview = WantPreview;
    Config->WantDVAudio = WantDVAudio;
    Config->WantAudio = WantAudio;
    Config->WantAudioPreview = WantAudioPreview;
    Config->PreallocFileSize = PreallocFileSize;
    Config->TempCaptureFileName = FTempCaptureFileName;
    Config->CaptureFileName = FCaptureFileName;
    Config->DVResolution = static_cast<BYTE>(FDVResolution);
    Config->PixelFormat = static_cast<BYTE>(BitmapPixelFormat);
    GetACapMode(Config->ACapMode);
    GetVCapMode(Config->VCapMode);
    Config->VCompState.clear();
    int size = 0;
    if (FVfwCompressDialogs && SUCCEEDED(FVfwCompressDialogs->GetState(nullptr, &size)) && size > 0) {
        std::vector<BYTE> state(static_cast<size_t>(size));
        if (SUCCEEDED(FVfwCompressDialogs->GetState(state.data(), &size)) && size >= 0 &&
            static_cast<size_t>(size) <= state.size()) {
            state.resize(static_cast<size_t>(size));
            Config->VCompState = std::move(state);
        }
    }
    Config->VCapSource = GetVCapSource();
    Config->ACapSource = GetACapSource();
    Config->VComp = GetVCompDevice();
    Config->AComp = GetACompDevice();
}

void TVideoCapture::RestoreGraph(TGraphConfig* Config)
{
    if (!Config) return;
    TearDownGraph();
    FreeCapFilters();
    UseTempFile = Config->UseTempFile;
    WantBitmaps = Config->WantBitmaps;
    DoPreallocFile = Config->DoPreallocFile;
    WantCapture = Config->WantCapture;
    WantPreview = Config->WantPreview;
    WantDVAudio = Config->WantDVAudio;
    WantAudio = Config->WantAudio;
    WantAudioPreview = Config->WantAudioPreview;
    PreallocFileSize = Config->PreallocFileSize;
    SetDVResolution(static_cast<TDVResolution>(Config->DVResolution <= dvrDC ? Config->DVResolution : dvrFull));
    BitmapPixelFormat = static_cast<TPixelFormat>(Config->PixelFormat <= pfCustom ? Config->PixelFormat : pf24bit);
    if (!Config->TempCaptureFileName.empty()) SetTempCaptureFileName(Config->TempCaptureFileName);
    if (!Config->CaptureFileName.empty()) SetCaptureFileName(Config->CaptureFileName);

    for (int k = cdkVideoCapture; k <= cdkAudioCompressor; ++k) EnumerateCapDevices(static_cast<TCapDeviceKind>(k));
    FVideoMoniker = TComPtr<IMoniker>::Share(MonikerByName(cdkVideoCapture, Config->VCapSource));
    FAudioMoniker = TComPtr<IMoniker>::Share(MonikerByName(cdkAudioCapture, Config->ACapSource));
    FAudioCompMoniker = TComPtr<IMoniker>::Share(MonikerByName(cdkAudioCompressor, Config->AComp));
    FVideoCompMoniker = TComPtr<IMoniker>::Share(MonikerByName(cdkVideoCompressor, Config->VComp));

    InitCapFilters();
    if (!Config->VCompState.empty() && FVfwCompressDialogs) {
        std::vector<BYTE> state = Config->VCompState;
        FVfwCompressDialogs->SetState(state.data(), static_cast<int>(state.size()));
    }
    SetACapMode(Config->ACapMode);
    SetVCapMode(Config->VCapMode);
    if (BuildGraph() && WantPreview) StartPreview();
    FireNotify(OnChangeDevice, true);
    FireNotify(OnChangeCompressor, true);
}
