// The sound side of a player: takes timed audio payloads from its queue,
// parses the Ogg pages, strips each packet's time stamp into the audio clock,
// decodes the Vorbis packets to 8-bit PCM and plays them. Writing blocks while
// every output buffer is queued, so the clock runs at the pace of the device.
#pragma once
#include "AudioClock.h"
#include "MultiThreadClass.h"
#include "OggCodec.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include "WaveOut.h"
#include <ogg/ogg.h>
#include <cstdint>
#include <memory>

class COggPlayer : public TThread {
public:
    // The queue (player blocks of timed audio payloads) stays the caller's.
    explicit COggPlayer(CSyncFIFO* queue);
    ~COggPlayer() override;

    bool Start();
    // Ends the thread (a blocked write gives up at once), plays out what the
    // device holds (bounded) and closes the output. Harmless to call again.
    void Stop();

    // The stamp of the packet most recently taken out; -1 when there is none.
    void SetClock(int32_t value);
    // The clock of the sound being heard: the stamp of the packet whose samples
    // the device plays now, and how far into them it is. Without an open device
    // (or before anything reached it) the stamp of the packet most recently
    // taken out; -1 when there is none.
    int32_t GetClock();

    // The next packet with its stamp removed (the caller frees the record with
    // delete); null when the queue and the parser have run dry.
    ogg_packet* GetPacket();

    // The sound-output format: 8000 samples per second, 8-bit mono PCM.
    static WAVEFORMATEX OutputFormat();
    CWaveOut& Output() { return *FWaveOut; }
    COggCodec& Codec() { return *FCodec; }

protected:
    void Execute() override;

private:
    // Writes decoded samples to the output, noting under which stamp they play.
    void PlaySamples(const uint8_t* samples, int32_t length);

    std::unique_ptr<CWaveOut> FWaveOut;
    CMultiThreadClass FClockLock;
    int32_t FClock = -1;
    // What went to the sound output under which stamp; under the clock lock.
    CAudioClock FHeard;
    std::unique_ptr<COggCodec> FCodec;
    CSyncFIFO* FQueue;
    ogg_sync_state FSync;
    ogg_stream_state FStream;
    bool FStreamReady = false;
    bool FSyncReady = false;
};
