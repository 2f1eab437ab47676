// Sound output: a ring of buffers on a sound-output device; a counting
// semaphore holds the number of free buffers, so a writer blocks while every
// buffer is queued and the sound runs at the pace of the device.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include "Handles.h"
#include "MultiThreadClass.h"
#include <cstdint>
#include <vector>

typedef void (*TWaveOutCallback)(DWORD_PTR user);

class CWaveBufferOut {
public:
    CWaveBufferOut();
    ~CWaveBufferOut();
    CWaveBufferOut(const CWaveBufferOut&) = delete;
    CWaveBufferOut& operator=(const CWaveBufferOut&) = delete;

    bool Prepare(HWAVEOUT device, int32_t bytes);
    bool Unprepare();
    // Sends the filled part; false when nothing was filled or the write failed.
    bool Send();
    // Copies what fits; true only when the buffer became full and went to the device.
    bool Fill(const uint8_t* data, int32_t length, int32_t& written);

    WAVEHDR FHeader;
    HWAVEOUT FDevice = nullptr;
    int32_t FFillCount = 0;
    int32_t FSize = 0;
};

class CWaveOut {
public:
    CWaveOut(int32_t bufferCount, int32_t bufferSize);
    ~CWaveOut();
    CWaveOut(const CWaveOut&) = delete;
    CWaveOut& operator=(const CWaveOut&) = delete;

    static bool CheckFormat(UINT deviceId, const WAVEFORMATEX& format);
    bool Open(UINT deviceId, const WAVEFORMATEX& format, TWaveOutCallback callback, DWORD_PTR user);
    bool Close();
    // Blocks while every buffer is queued; gives up on Cancel, or when the
    // device hands no buffer back within WriteTimeoutMs. Without an open
    // device the data is dropped at once. Returns the bytes taken (sent or
    // waiting in the current buffer); the rest was dropped.
    int32_t Write(const uint8_t* data, int32_t length);
    bool Flush();
    // Sends what is buffered and waits (bounded) until every buffer has played.
    void Drain();
    // Makes a blocked Write return now (and every later one, until Open).
    void Cancel();

    // The device's byte position: how much of what was sent since Open it has
    // played. False without an open device or a position. Any thread.
    bool PlayedBytes(uint32_t& bytes);

    bool IsOpen() const { return FDevice != nullptr; }
    int32_t BufferCount() const { return FBufferCount; }
    int32_t BufferSize() const { return FBufferSize; }

    static const DWORD WriteTimeoutMs = 10000;
    static const DWORD DrainTimeoutMs = 10000;

private:
    static void CALLBACK WaveOutProc(HWAVEOUT device, UINT msg, DWORD_PTR instance, DWORD_PTR param1,
                                     DWORD_PTR param2);
    // Takes a free buffer for the current index; false on cancel or time-out.
    bool TakeFreeBuffer();

    TWaveOutCallback FCallback = nullptr;
    DWORD_PTR FUser = 0;
    TKernelHandle FSemaphore;
    TKernelHandle FCancel;
    int32_t FBufferCount;
    int32_t FBufferSize;
    int32_t FIndex = 0;
    int32_t FNeedFree = 1;
    std::vector<CWaveBufferOut> FBuffers;
    // Keeps a position query on another thread off a device being closed.
    CMultiThreadClass FDeviceLock;
    HWAVEOUT FDevice = nullptr;
    uint32_t FBlockAlign = 1;
};
