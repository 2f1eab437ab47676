// TForm1 as the broadcast controller: sound capture and encoding, the 2-second
// header packets, video grab, scaling, compression and time stamps, recording,
// the prerecorded stream, and the fan-out to the connections.
#include "MainForm.h"
#include "GraphConfig.h"
#include "Log.h"
#include "Trace.h"
#include "MediaClock.h"
#include "Mpeg4Codec.h"
#include "OggEncoder.h"
#include "Video.h"
#include "VideoCapture.h"
#include "WaveIn.h"
#include <cstdlib>
#include <memory>

namespace {

const int kSoundBuffers = 4;
const int kSoundBufferBytes = 1600;   // 100 ms of 8000 Hz 16-bit mono
const DWORD kCompressQuality = 7500;

struct TFrameSize {
    int Width, Height;
};
const TFrameSize kFrameSizes[kResIndexCount] = {{160, 120}, {320, 240}, {640, 480}};

// A malloc block that is freed when it goes out of scope.
struct TMallocBlock {
    void* P = nullptr;
    ~TMallocBlock() { free(P); }
};

} // namespace

// ---------------------------------------------------------------- fan-out

int TForm1::FanOut(int32_t Kind, const void* Data, int32_t Length, uint8_t Key, const char* Prefix)
{
    return ::FanOut(ServerWinSocket, Kind, Data, Length, Key, Prefix);
}

void TForm1::RecordPayload(int32_t Kind, const void* Data, int32_t Length, uint8_t Flag, bool On)
{
    if (!On) return;
    TLockGuard<CMultiThreadClass> hold(FRecorderLock);
    if (FRecorder) FRecorder->Write(Length, Data, Kind, Flag);
}

void TForm1::StartRecording(CVideo* Recorder)
{
    StopRecording();
    {
        TLockGuard<CMultiThreadClass> hold(FRecorderLock);
        FRecorder.reset(Recorder);
    }
    FRecordVideo = 1;
    FRecordAudio = 1;
}

void TForm1::StopRecording()
{
    FRecordVideo = 0;
    FRecordAudio = 0;
    std::unique_ptr<CVideo> done;
    {
        // A write in progress holds the lock: once we have it, no writer uses the file.
        TLockGuard<CMultiThreadClass> hold(FRecorderLock);
        done = std::move(FRecorder);
    }
}

// ---------------------------------------------------------------- sound

int32_t TForm1::WaveInCallback(uint8_t* Data, int32_t Bytes, DWORD_PTR User)
{
    // The system's sound-input thread: nothing may escape from here.
    try {
        return reinterpret_cast<TForm1*>(User)->MyWaveInWorker(Data, Bytes);
    } catch (...) {
        Trace::Caught(Trace::Server, "sound input");
        return WAVEIN_CB_REQUEUE;
    }
}

void TForm1::InitAudio()
{
    try {
        FWaveIn.reset(new CWaveIn(kSoundBuffers, kSoundBufferBytes));
        FEncoder.reset(new COggEncoder);
        WAVEFORMATEX format = {};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = 8000;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = 16000;
        bool opened = FWaveIn->Open(WAVE_MAPPER, format, &TForm1::WaveInCallback, reinterpret_cast<DWORD_PTR>(this));
        {
            TLockGuard<CMultiThreadClass> hold(FEncoderLock);
            FEncoder->Init(1, 8000, 16, -0.1f);
        }
        // Without a recording device the program runs without sound.
        if (opened) FWaveIn->Start();
    } catch (const std::exception& e) {
        LogLine(LogPrefix::InitAudio, e);
    } catch (...) {
        LogUnknown(LogPrefix::InitAudio);
    }
}

void TForm1::StopAudio()
{
    if (FWaveIn) {
        // Returns once no callback runs any more; the encoder lock is not held here,
        // since a running callback may be waiting for it.
        FWaveIn->Stop();
        FWaveIn->Close();
        FWaveIn.reset();
    }
    TLockGuard<CMultiThreadClass> hold(FEncoderLock);
    if (FEncoder) {
        FEncoder->Close();
        FEncoder.reset();
    }
}

int32_t TForm1::MyWaveInWorker(uint8_t* Data, int32_t Bytes)
{
    TMallocBlock pages;
    int32_t length = 0;
    try {
        uint8_t* block = nullptr;
        {
            TLockGuard<CMultiThreadClass> hold(FEncoderLock);
            if (!FEncoder || !FEncoder->Ready()) return WAVEIN_CB_REQUEUE;
            FEncoder->Encode(Data, Bytes);
            FEncoder->GetPages(true, block, length);
        }
        pages.P = block;
        if (block && length > 0) {
            RecordPayload(kRecordAudio, block, length, 0, FRecordAudio != 0);
            if (FVoiceOn && FAvailable) FanOut(rkAudio, block, length, 0, LogPrefix::MyWaveInWorkerPush);
        }
    } catch (const std::exception& e) {
        LogLine(LogPrefix::MyWaveInWorkerEncode, e);
    } catch (...) {
        LogUnknown(LogPrefix::MyWaveInWorkerEncode);
    }
    return WAVEIN_CB_REQUEUE;
}

// Every 2 seconds the header packets go into the stream again, and whatever pages
// that completes leave as a key packet, also when there are none.
void TForm1::Timer1Timer(TObject*)
{
    TMallocBlock pages;
    try {
        uint8_t* block = nullptr;
        int32_t length = 0;
        {
            TLockGuard<CMultiThreadClass> hold(FEncoderLock);
            if (!FEncoder || !FEncoder->Ready()) return;
            FEncoder->WriteHeaders();
            FEncoder->GetPages(false, block, length);
        }
        pages.P = block;
        if (!block) length = 0;
        RecordPayload(kRecordAudio, block, length, 1, FRecordAudio != 0);
        if (FVoiceOn) FanOut(rkAudio, block, length, 1, LogPrefix::Timer1TimerPush);
    } catch (const std::exception& e) {
        LogLine(LogPrefix::Timer1TimerEncode, e);
    } catch (...) {
        LogUnknown(LogPrefix::Timer1TimerEncode);
    }
}

// ---------------------------------------------------------------- video

int TForm1::ClampResIndex(int ResIndex)
{
    if (ResIndex < 0) return 0;
    if (ResIndex >= kResIndexCount) return kResIndexCount - 1;
    return ResIndex;
}

void TForm1::SetVideoSize(int ResIndex)
{
    const TFrameSize& s = kFrameSizes[ClampResIndex(ResIndex)];
    FFrameWidth = s.Width;
    FFrameHeight = s.Height;
}

void TForm1::InitVideo()
{
    try {
        std::unique_ptr<TStringList> devices(GetVideoDevicesList(true));
        // No capture device: the program runs without video.
        if (!devices || devices->GetCount() == 0) return;
        FResIndex = ClampResIndex(FResIndex);
        SetVideoSize(FResIndex);
        ConfigureCapture(devices->Get(0));
        if (!OpenCompressor()) return;
        TimerCapture->SetEnabled(true);
    } catch (const std::exception& e) {
        LogLine(LogPrefix::InitVideo, e);
    } catch (...) {
        LogUnknown(LogPrefix::InitVideo);
    }
}

void TForm1::ConfigureCapture(const std::string& Device)
{
    cap0->Init();
    TGraphConfig config;
    cap0->SaveGraph(&config);
    config.Clear();
    config.WantPreview = true;
    config.WantBitmaps = true;
    config.WantCapture = false;
    config.WantAudio = false;
    config.WantDVAudio = false;
    config.UseTempFile = false;
    config.DoPreallocFile = false;
    config.VCapSource = Device;
    cap0->RestoreGraph(&config);
    // The first mode of 320 by 240, else mode 0.
    int mode = 0;
    for (int i = 0; i < cap0->GetVCapModeCount(); ++i) {
        TVCapMode m = {};
        cap0->GetVCapModes(i, m);
        if (m.Width == kGrabWidth && m.Height == kGrabHeight) {
            mode = i;
            break;
        }
    }
    cap0->StopPreview();
    cap0->StopCapture();
    cap0->SetVCapMode(mode);
    cap0->StartPreview();
}

bool TForm1::OpenCompressor()
{
    FInFormat = {};
    FInFormat.biSize = sizeof(BITMAPINFOHEADER);
    FInFormat.biWidth = FFrameWidth;
    FInFormat.biHeight = FFrameHeight;
    FInFormat.biPlanes = 1;
    FInFormat.biBitCount = 24;
    FInFormat.biCompression = BI_RGB;
    FInFormat.biSizeImage = static_cast<DWORD>(FFrameWidth * FFrameHeight * 3);
    FCompressor = ICOpen(ICTYPE_VIDEO, kMpeg4Handler, ICMODE_COMPRESS);
    if (!FCompressor) return false;
    if (FCodecConfigure) ICConfigure(FCompressor, GetHandle());
    LRESULT formatSize = ICCompressGetFormatSize(FCompressor, &FInFormat);
    if (formatSize < static_cast<LRESULT>(sizeof(BITMAPINFOHEADER))) formatSize = sizeof(BITMAPINFOHEADER);
    FOutFormat.assign(static_cast<size_t>(formatSize), 0);
    auto* out = reinterpret_cast<BITMAPINFOHEADER*>(FOutFormat.data());
    if (ICCompressGetFormat(FCompressor, &FInFormat, out) != ICERR_OK) {
        StopVideo();
        return false;
    }
    size_t outSize = static_cast<size_t>(FFrameWidth) * FFrameHeight * 3;
    LRESULT codecSize = ICCompressGetSize(FCompressor, &FInFormat, out);
    if (codecSize > 0 && static_cast<size_t>(codecSize) > outSize) outSize = static_cast<size_t>(codecSize);
    FOutBuffer.assign(outSize, 0);
    FFrameBuffer.assign(static_cast<size_t>(FFrameWidth) * FFrameHeight * 3, 0);
    FFrameNumber = 0;
    if (ICCompressBegin(FCompressor, &FInFormat, out) != ICERR_OK) {
        StopVideo();
        return false;
    }
    return true;
}

void TForm1::StopVideo()
{
    try {
        if (FCompressor) {
            ICCompressEnd(FCompressor);
            ICClose(FCompressor);
        }
        FCompressor = nullptr;
        FOutFormat.clear();
        FOutBuffer.clear();
        FInFormat = {};
    } catch (const std::exception& e) {
        LogLine(LogPrefix::StopVideo, e);
    } catch (...) {
        LogUnknown(LogPrefix::StopVideo);
    }
}

void TForm1::TimerCaptureTimer(TObject*) { cap0->CaptureFrame(); }

void TForm1::cap0BitmapGrabbed(TCapturedBitmap* Bitmap)
{
    try {
        ProcessFrame(Bitmap);
    } catch (...) {
        // A frame that cannot be made is skipped; the next grab tries again.
        Trace::Caught(Trace::Server, "frame grab");
    }
}

void TForm1::ProcessFrame(TBitmap* Grabbed)
{
    if (FStopGrab || !FCompressor || !Grabbed || Grabbed->Empty()) return;
    const int w = FFrameWidth, h = FFrameHeight;
    // The picture is made at the frame's size, so the compressor always gets
    // exactly w x h pixels whatever size the device delivered.
    if (!FGrabImage || FGrabImage->GetWidth() != w || FGrabImage->GetHeight() != h) {
        FGrabImage.reset();
        FGrabImage.reset(new TBitmap(w, h, pf24bit));
    }
    TCanvas* canvas = FGrabImage->GetCanvas();
    SetStretchBltMode(canvas->GetHandle(), COLORONCOLOR);
    canvas->StretchDraw(TRect(0, 0, w, h), Grabbed);
    // Bottom-up rows, as the compressor takes them.
    const size_t row = static_cast<size_t>(w) * 3;
    FFrameBuffer.resize(row * h);
    for (int i = 0; i < h; ++i)
        memcpy(FFrameBuffer.data() + row * i, FGrabImage->ScanLine(h - 1 - i), row);
    if (!CompressBuffer(FFrameBuffer.data())) return;

    auto* out = reinterpret_cast<BITMAPINFOHEADER*>(FOutFormat.data());
    size_t size = out->biSizeImage;
    if (size > FOutBuffer.size()) size = FOutBuffer.size();
    FPayload.resize(4 + size);
    PutStamp(FPayload.data(), MediaClockMs());
    memcpy(FPayload.data() + 4, FOutBuffer.data(), size);
    uint8_t key = (FKeyFlags & AVIIF_KEYFRAME) ? 1 : 0;
    int32_t length = static_cast<int32_t>(FPayload.size());
    RecordPayload(kRecordVideo, FPayload.data(), length, key, FRecordVideo != 0);
    if (FVideoOn && FAvailable) FanOut(rkVideo, FPayload.data(), length, key, nullptr);
    ++FFrameNumber;
}

bool TForm1::CompressBuffer(const uint8_t* Rgb)
{
    if (!FCompressor || FOutFormat.empty()) return false;
    auto* out = reinterpret_cast<BITMAPINFOHEADER*>(FOutFormat.data());
    out->biSizeImage = static_cast<DWORD>(FOutBuffer.size());
    FKeyFlags = 0;
    DWORD result = ICCompress(FCompressor, 0, out, FOutBuffer.data(), &FInFormat, const_cast<uint8_t*>(Rgb),
                              &FChunkId, &FKeyFlags, FFrameNumber, 0, kCompressQuality, nullptr, nullptr);
    return result == ICERR_OK;
}

// ---------------------------------------------------------------- the prerecorded stream

void TForm1::Timer3Timer(TObject*)
{
    if (!FAutoVideo) return;
    TMallocBlock payload;
    try {
        int32_t length = 0, kind = 0;
        uint8_t flag = 0;
        void* data = nullptr;
        if (!FAutoVideo->Read(length, data, kind, flag)) return;
        payload.P = data;
        if (kind != 0) FanOut(kind, data, length, flag, LogPrefix::Timer3TimerPush);
    } catch (const std::exception& e) {
        LogLine(LogPrefix::Timer3TimerPush, e);
    } catch (...) {
        LogUnknown(LogPrefix::Timer3TimerPush);
    }
}
