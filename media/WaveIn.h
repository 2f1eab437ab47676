// Sound capture: a ring of buffers on a sound-input device, each filled buffer
// handed to the owner's callback on the system's sound-input callback thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <cstdint>
#include <vector>

// What the owner's callback returns for a filled buffer.
enum : int32_t {
    WAVEIN_CB_STOP = 1,     // stop capture now; this buffer is not queued again
    WAVEIN_CB_REQUEUE = 2,  // the usual answer: the buffer goes back to the device
    WAVEIN_CB_DROP = 3,     // keep this buffer out of the ring until Close
};

// Owner's callback: (data, bytes recorded, user value) -> one of the results above.
// The data belongs to the buffer and is valid only during the call.
typedef int32_t (*TWaveInCallback)(uint8_t* data, int32_t bytes, DWORD_PTR user);

// One buffer of the ring, bound to the device it was prepared for.
class CWaveBufferIn {
public:
    CWaveBufferIn();
    ~CWaveBufferIn();
    CWaveBufferIn(const CWaveBufferIn&) = delete;
    CWaveBufferIn& operator=(const CWaveBufferIn&) = delete;

    bool Prepare(HWAVEIN device, int32_t bytes);
    bool Unprepare();
    bool AddBuffer();

    WAVEHDR FHeader;          // dwUser holds this object
    HWAVEIN FDevice = nullptr;
};

class CWaveIn {
public:
    CWaveIn(int32_t bufferCount, int32_t bufferSize);
    ~CWaveIn();
    CWaveIn(const CWaveIn&) = delete;
    CWaveIn& operator=(const CWaveIn&) = delete;

    static bool CheckFormat(UINT deviceId, const WAVEFORMATEX& format);
    bool Open(UINT deviceId, const WAVEFORMATEX& format, TWaveInCallback callback, DWORD_PTR user);
    bool Start();
    // Returns only when no callback of this object runs any more (unless called
    // from inside the callback itself), so what the callback uses may be freed.
    // The caller must not hold a lock that the callback waits for.
    bool Stop();
    bool Close();

    bool IsOpen() const { return FDevice != nullptr; }
    bool IsStarted() const { return FStarted != 0; }

private:
    static void CALLBACK WaveInProc(HWAVEIN device, UINT msg, DWORD_PTR instance, DWORD_PTR param1,
                                    DWORD_PTR param2);
    void BufferDone(WAVEHDR* header);
    void WaitForCallbacks();

    TWaveInCallback FCallback = nullptr;
    DWORD_PTR FUser = 0;
    volatile LONG FStarted = 0;
    int32_t FBufferCount;
    int32_t FBufferSize;
    std::vector<CWaveBufferIn> FBuffers;
    HWAVEIN FDevice = nullptr;
    // Callbacks in progress, and the thread that runs them (Stop from inside a
    // callback must not wait for itself).
    volatile LONG FInCallback = 0;
    volatile DWORD FCallbackThread = 0;
};
