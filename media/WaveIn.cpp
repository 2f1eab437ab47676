#include "WaveIn.h"
#include "MediaTrace.h"
#include "PlayerBlocks.h"
#include <cstring>

CWaveBufferIn::CWaveBufferIn() { std::memset(&FHeader, 0, sizeof FHeader); }

CWaveBufferIn::~CWaveBufferIn() { Unprepare(); }

bool CWaveBufferIn::Prepare(HWAVEIN device, int32_t bytes)
{
    Unprepare();
    FDevice = device;
    std::memset(&FHeader, 0, sizeof FHeader);
    void* data = bytes > 0 ? HeapAllocZero(static_cast<size_t>(bytes)) : nullptr;
    if (!data) return false;
    FHeader.lpData = static_cast<LPSTR>(data);
    FHeader.dwBufferLength = static_cast<DWORD>(bytes);
    FHeader.dwUser = reinterpret_cast<DWORD_PTR>(this);
    return waveInPrepareHeader(device, &FHeader, sizeof FHeader) == MMSYSERR_NOERROR;
}

bool CWaveBufferIn::Unprepare()
{
    if (FHeader.lpData) {
        if (FDevice) waveInUnprepareHeader(FDevice, &FHeader, sizeof FHeader);
        HeapFreeBlock(FHeader.lpData);
        FDevice = nullptr;
        std::memset(&FHeader, 0, sizeof FHeader);
    }
    return true;
}

bool CWaveBufferIn::AddBuffer()
{
    FHeader.dwBytesRecorded = 0;
    return FDevice && waveInAddBuffer(FDevice, &FHeader, sizeof FHeader) == MMSYSERR_NOERROR;
}

CWaveIn::CWaveIn(int32_t bufferCount, int32_t bufferSize)
    : FBufferCount(bufferCount > 0 ? bufferCount : 1), FBufferSize(bufferSize), FBuffers(FBufferCount)
{
}

CWaveIn::~CWaveIn() { Close(); }

bool CWaveIn::CheckFormat(UINT deviceId, const WAVEFORMATEX& format)
{
    DWORD flags = WAVE_FORMAT_QUERY;
    if (deviceId != static_cast<UINT>(WAVE_MAPPER)) flags |= WAVE_MAPPED;
    return waveInOpen(nullptr, deviceId, &format, 0, 0, flags) == MMSYSERR_NOERROR;
}

bool CWaveIn::Open(UINT deviceId, const WAVEFORMATEX& format, TWaveInCallback callback, DWORD_PTR user)
{
    if (FDevice) Close();
    if (!CheckFormat(deviceId, format)) return false;
    DWORD flags = CALLBACK_FUNCTION;
    if (deviceId != static_cast<UINT>(WAVE_MAPPER)) flags |= WAVE_MAPPED;
    HWAVEIN device = nullptr;
    if (waveInOpen(&device, deviceId, &format, reinterpret_cast<DWORD_PTR>(&CWaveIn::WaveInProc),
                   reinterpret_cast<DWORD_PTR>(this), flags) != MMSYSERR_NOERROR)
        return false;
    FDevice = device;
    // A failed buffer leaves the device open until Close.
    for (auto& b : FBuffers)
        if (!b.Prepare(FDevice, FBufferSize)) return false;
    FCallback = callback;
    FUser = user;
    return true;
}

bool CWaveIn::Start()
{
    if (!FDevice) return false;
    // Started before the buffers go in, so that none that fills at once is lost.
    InterlockedExchange(&FStarted, 1);
    if (waveInStart(FDevice) != MMSYSERR_NOERROR) {
        InterlockedExchange(&FStarted, 0);
        return false;
    }
    for (auto& b : FBuffers) b.AddBuffer();
    return true;
}

bool CWaveIn::Stop()
{
    InterlockedExchange(&FStarted, 0);
    // Inside the callback the device is left alone (resetting it there can
    // block on some drivers); the owner's Stop or Close resets it later.
    if (FInCallback && GetCurrentThreadId() == FCallbackThread) return true;
    // A callback that saw the started flag before it was cleared may still be
    // encoding, and may still queue its buffer again: let it finish first, so
    // that the reset below hands back every buffer.
    WaitForCallbacks();
    if (FDevice) {
        waveInReset(FDevice);
        waveInStop(FDevice);
    }
    WaitForCallbacks();
    return true;
}

void CWaveIn::WaitForCallbacks()
{
    while (InterlockedCompareExchange(&FInCallback, 0, 0) != 0) Sleep(1);
}

bool CWaveIn::Close()
{
    Stop();
    if (FDevice) {
        for (auto& b : FBuffers) b.Unprepare();
        waveInClose(FDevice);
    }
    FDevice = nullptr;
    FCallback = nullptr;
    FUser = 0;
    return true;
}

void CALLBACK CWaveIn::WaveInProc(HWAVEIN, UINT msg, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    if (msg != WIM_DATA || !instance || !param1) return;
    CWaveIn* self = reinterpret_cast<CWaveIn*>(instance);
    // Counted before the started flag is read, so Stop either sees this call
    // or this call sees the cleared flag.
    InterlockedIncrement(&self->FInCallback);
    self->FCallbackThread = GetCurrentThreadId();
    try {
        self->BufferDone(reinterpret_cast<WAVEHDR*>(param1));
    } catch (...) {
        // Nothing may cross the system's callback.
        TraceCaught("sound input callback");
    }
    InterlockedDecrement(&self->FInCallback);
}

void CWaveIn::BufferDone(WAVEHDR* header)
{
    CWaveBufferIn* buffer = reinterpret_cast<CWaveBufferIn*>(header->dwUser);
    if (!buffer) return;
    if (!InterlockedCompareExchange(&FStarted, 0, 0) || header->dwBytesRecorded == 0 || !FCallback) return;
    int32_t result = FCallback(reinterpret_cast<uint8_t*>(header->lpData),
                               static_cast<int32_t>(header->dwBytesRecorded), FUser);
    if (result == WAVEIN_CB_STOP) {
        Stop();
    } else if (result != WAVEIN_CB_DROP) {
        // Only while still started: a Stop during the callback keeps it out.
        if (InterlockedCompareExchange(&FStarted, 0, 0)) buffer->AddBuffer();
    }
}
