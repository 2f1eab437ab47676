#include "WaveOut.h"
#include "MediaTrace.h"
#include "PlayerBlocks.h"
#include <cstring>

CWaveBufferOut::CWaveBufferOut() { std::memset(&FHeader, 0, sizeof FHeader); }

CWaveBufferOut::~CWaveBufferOut() { Unprepare(); }

bool CWaveBufferOut::Prepare(HWAVEOUT device, int32_t bytes)
{
    Unprepare();
    FDevice = device;
    FFillCount = 0;
    std::memset(&FHeader, 0, sizeof FHeader);
    void* data = bytes > 0 ? HeapAllocZero(static_cast<size_t>(bytes)) : nullptr;
    if (!data) return false;
    FHeader.lpData = static_cast<LPSTR>(data);
    FHeader.dwBufferLength = static_cast<DWORD>(bytes);
    FSize = bytes;
    return waveOutPrepareHeader(device, &FHeader, sizeof FHeader) == MMSYSERR_NOERROR;
}

bool CWaveBufferOut::Unprepare()
{
    if (FHeader.lpData) {
        if (FDevice) waveOutUnprepareHeader(FDevice, &FHeader, sizeof FHeader);
        HeapFreeBlock(FHeader.lpData);
        FDevice = nullptr;
        FFillCount = 0;
        FSize = 0;
        std::memset(&FHeader, 0, sizeof FHeader);
    }
    return true;
}

bool CWaveBufferOut::Send()
{
    int32_t count = FFillCount;
    FFillCount = 0;
    if (count <= 0 || !FDevice || !(FHeader.dwFlags & WHDR_PREPARED)) return false;
    FHeader.dwBufferLength = static_cast<DWORD>(count);
    return waveOutWrite(FDevice, &FHeader, sizeof FHeader) == MMSYSERR_NOERROR;
}

bool CWaveBufferOut::Fill(const uint8_t* data, int32_t length, int32_t& written)
{
    written = 0;
    if (!FHeader.lpData || length <= 0) return false;
    int32_t room = FSize - FFillCount;
    int32_t n = length < room ? length : room;
    std::memcpy(FHeader.lpData + FFillCount, data, static_cast<size_t>(n));
    FFillCount += n;
    written = n;
    if (FFillCount < FSize) return false;
    // Full: the whole buffer goes to the device.
    return Send();
}

CWaveOut::CWaveOut(int32_t bufferCount, int32_t bufferSize)
    : FBufferCount(bufferCount > 0 ? bufferCount : 1), FBufferSize(bufferSize > 0 ? bufferSize : 1),
      FBuffers(FBufferCount)
{
    FSemaphore.Reset(CreateSemaphoreA(nullptr, FBufferCount, FBufferCount, nullptr));
    FCancel.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

CWaveOut::~CWaveOut()
{
    Close();
    FBuffers.clear();
}

bool CWaveOut::CheckFormat(UINT deviceId, const WAVEFORMATEX& format)
{
    DWORD flags = WAVE_FORMAT_QUERY;
    if (deviceId != static_cast<UINT>(WAVE_MAPPER)) flags |= WAVE_MAPPED;
    return waveOutOpen(nullptr, deviceId, &format, 0, 0, flags) == MMSYSERR_NOERROR;
}

bool CWaveOut::Open(UINT deviceId, const WAVEFORMATEX& format, TWaveOutCallback callback, DWORD_PTR user)
{
    if (FDevice) Close();
    ResetEvent(FCancel.Get());
    if (!CheckFormat(deviceId, format)) return false;
    DWORD flags = CALLBACK_FUNCTION;
    if (deviceId != static_cast<UINT>(WAVE_MAPPER)) flags |= WAVE_MAPPED;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, deviceId, &format, reinterpret_cast<DWORD_PTR>(&CWaveOut::WaveOutProc),
                    reinterpret_cast<DWORD_PTR>(this), flags) != MMSYSERR_NOERROR)
        return false;
    {
        TLockGuard<CMultiThreadClass> hold(FDeviceLock);
        FDevice = device;
    }
    FBlockAlign = format.nBlockAlign ? format.nBlockAlign : 1;
    for (auto& b : FBuffers)
        if (!b.Prepare(FDevice, FBufferSize)) return false;
    FCallback = callback;
    FUser = user;
    return true;
}

bool CWaveOut::Close()
{
    TLockGuard<CMultiThreadClass> hold(FDeviceLock);
    if (FDevice) {
        // Hands every queued buffer back (each one releases the semaphore).
        waveOutReset(FDevice);
        for (auto& b : FBuffers) b.Unprepare();
        waveOutClose(FDevice);
    }
    FDevice = nullptr;
    FCallback = nullptr;
    FUser = 0;
    // A buffer the writer had taken and not sent is free again.
    if (!FNeedFree) ReleaseSemaphore(FSemaphore.Get(), 1, nullptr);
    FNeedFree = 1;
    FIndex = 0;
    return true;
}

bool CWaveOut::TakeFreeBuffer()
{
    HANDLE hs[2] = {FCancel.Get(), FSemaphore.Get()};
    DWORD r = WaitForMultipleObjects(2, hs, FALSE, WriteTimeoutMs);
    if (r != WAIT_OBJECT_0 + 1) return false;
    FNeedFree = 0;
    FBuffers[FIndex].FFillCount = 0;
    return true;
}

int32_t CWaveOut::Write(const uint8_t* data, int32_t length)
{
    if (!FDevice || !data) return 0;
    int32_t taken = 0;
    while (length > 0) {
        if (FNeedFree && !TakeFreeBuffer()) return taken;
        int32_t written = 0;
        bool sent = FBuffers[FIndex].Fill(data, length, written);
        if (!sent) {
            if (FBuffers[FIndex].FFillCount == 0) {
                // The buffer was full but the device refused it: it is free
                // again, and the sound is dropped.
                FNeedFree = 1;
                ReleaseSemaphore(FSemaphore.Get(), 1, nullptr);
                return taken;
            }
            // Otherwise the bytes wait in the buffer for the next write.
            return taken + written;
        }
        FNeedFree = 1;
        FIndex = (FIndex + 1) % FBufferCount;
        data += written;
        length -= written;
        taken += written;
    }
    return taken;
}

bool CWaveOut::PlayedBytes(uint32_t& bytes)
{
    TLockGuard<CMultiThreadClass> hold(FDeviceLock);
    if (!FDevice) return false;
    MMTIME t;
    std::memset(&t, 0, sizeof t);
    t.wType = TIME_BYTES;
    if (waveOutGetPosition(FDevice, &t, sizeof t) != MMSYSERR_NOERROR) return false;
    // A device may answer in another unit than the one asked for.
    switch (t.wType) {
    case TIME_BYTES:
        bytes = t.u.cb;
        return true;
    case TIME_SAMPLES:
        bytes = t.u.sample * FBlockAlign;
        return true;
    default:
        return false;
    }
}

bool CWaveOut::Flush()
{
    if (!FNeedFree) {
        // A buffer that cannot be sent (nothing in it, or refused) is free again
        // at once, or Drain would wait for it in vain.
        if (!FBuffers[FIndex].Send()) ReleaseSemaphore(FSemaphore.Get(), 1, nullptr);
        FNeedFree = 1;
        FIndex = (FIndex + 1) % FBufferCount;
    }
    return true;
}

void CWaveOut::Drain()
{
    Flush();
    // Nothing was ever queued on a device that did not open.
    if (!FDevice) return;
    DWORD start = GetTickCount();
    int32_t taken = 0;
    for (int32_t i = 0; i < FBufferCount; ++i) {
        DWORD spent = GetTickCount() - start;
        if (spent >= DrainTimeoutMs) break;
        if (WaitForSingleObject(FSemaphore.Get(), DrainTimeoutMs - spent) != WAIT_OBJECT_0) break;
        ++taken;
    }
    if (taken) ReleaseSemaphore(FSemaphore.Get(), taken, nullptr);
}

void CWaveOut::Cancel() { SetEvent(FCancel.Get()); }

void CALLBACK CWaveOut::WaveOutProc(HWAVEOUT, UINT msg, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    if (msg != WOM_DONE || !instance) return;
    CWaveOut* self = reinterpret_cast<CWaveOut*>(instance);
    ReleaseSemaphore(self->FSemaphore.Get(), 1, nullptr);
    if (self->FCallback) {
        try {
            self->FCallback(self->FUser);
        } catch (...) {
            // Nothing may cross the system's callback.
            TraceCaught("sound output callback");
        }
    }
}
