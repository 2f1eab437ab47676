#include "OggPlayer.h"
#include "MediaTrace.h"
#include "MediaClock.h"
#include "PlayerBlocks.h"
#include "SysUtils.h"
#include <cstring>

COggPlayer::COggPlayer(CSyncFIFO* queue)
    : TThread(true), FWaveOut(new CWaveOut(8, 256)), FHeard(OutputFormat().nAvgBytesPerSec), FCodec(new COggCodec(8192)), FQueue(queue)
{
    FreeOnTerminate = false;
    std::memset(&FSync, 0, sizeof FSync);
    std::memset(&FStream, 0, sizeof FStream);
    // The parser is ready from the start, so packets can be taken before Start too.
    ogg_sync_init(&FSync);
    FSyncReady = true;
}

COggPlayer::~COggPlayer()
{
    // The thread must be gone before the output and the decoder it uses.
    Stop();
}

WAVEFORMATEX COggPlayer::OutputFormat()
{
    WAVEFORMATEX f;
    std::memset(&f, 0, sizeof f);
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 1;
    f.nSamplesPerSec = 8000;
    f.wBitsPerSample = 8;
    f.nBlockAlign = 1;
    f.nAvgBytesPerSec = 8000;
    return f;
}

void COggPlayer::SetClock(int32_t value)
{
    TLockGuard<CMultiThreadClass> hold(FClockLock);
    FClock = value;
}

int32_t COggPlayer::GetClock()
{
    TLockGuard<CMultiThreadClass> hold(FClockLock);
    if (FClock == -1) return -1;
    uint32_t played = 0;
    if (FWaveOut->PlayedBytes(played)) {
        int32_t heard = FHeard.Heard(played);
        if (heard != -1) return heard;
    }
    return FClock;
}

bool COggPlayer::Start()
{
    try {
        WAVEFORMATEX f = OutputFormat();
        // A device that does not open does not stop the player: the clock
        // still follows the packets.
        FWaveOut->Open(WAVE_MAPPER, f, nullptr, 0);
        FCodec->Init();
        {
            TLockGuard<CMultiThreadClass> hold(FClockLock);
            FClock = -1;
            FHeard.Reset();
        }
        if (!FSyncReady) ogg_sync_init(&FSync);
        FSyncReady = true;
        Resume();
        return true;
    } catch (...) {
        TraceCaught("sound player: starting");
        Stop();
        return false;
    }
}

void COggPlayer::Stop()
{
    Terminate();
    FWaveOut->Cancel();
    if (!Suspended() && !Finished() && GetCurrentThreadId() != ThreadID()) WaitFor();
    try {
        FCodec->Clear();
    } catch (const Exception&) {
        TraceCaught("sound player: stopping");
    }
    try {
        FWaveOut->Drain();
        FWaveOut->Close();
    } catch (const Exception&) {
        TraceCaught("sound player: closing the sound output");
    }
    {
        TLockGuard<CMultiThreadClass> hold(FClockLock);
        FClock = -1;
        FHeard.Reset();
    }
    if (FStreamReady) ogg_stream_clear(&FStream);
    FStreamReady = false;
    if (FSyncReady) ogg_sync_clear(&FSync);
    FSyncReady = false;
}

ogg_packet* COggPlayer::GetPacket()
{
    if (!FSyncReady) return nullptr;
    for (;;) {
        ogg_packet packet;
        int got = FStreamReady ? ogg_stream_packetout(&FStream, &packet) : 0;
        if (got == 1) {
            // A packet without room for its stamp, or with nothing behind it,
            // is dropped; it says nothing about the clock.
            if (packet.bytes <= 4) continue;
            SetClock(static_cast<int32_t>(GetStamp(packet.packet)));
            ogg_packet* out = new ogg_packet(packet);
            out->packet += 4;
            out->bytes -= 4;
            return out;
        }
        if (got < 0) continue;  // a gap in the stream: go on with what follows

        ogg_page page;
        if (ogg_sync_pageout(&FSync, &page) == 1) {
            int serial = ogg_page_serialno(&page);
            if (!FStreamReady) {
                ogg_stream_init(&FStream, serial);
                FStreamReady = true;
            } else if (serial != FStream.serialno) {
                // A new logical stream (the live sound replaced by a recording,
                // or back): follow it, and wait for its own header packets.
                ogg_stream_reset_serialno(&FStream, serial);
                FCodec->Init();
            }
            if (ogg_stream_pagein(&FStream, &page) == 0) continue;
            break;
        }

        void* block = FQueue ? FQueue->Pop() : nullptr;
        if (block) {
            size_t size = HeapBlockSize(block);
            if (size != static_cast<size_t>(-1) && size > 0) {
                char* to = ogg_sync_buffer(&FSync, static_cast<long>(size));
                if (to) {
                    std::memcpy(to, block, size);
                    ogg_sync_wrote(&FSync, static_cast<long>(size));
                }
            }
            HeapFreeBlock(block);
            continue;
        }
        break;
    }
    SetClock(-1);
    return nullptr;
}

void COggPlayer::Execute()
{
    // Pre-buffering: start once the queue is more than half full.
    while (!Terminated() && FQueue && FQueue->GetPercent() <= 50) Sleep(10);
    while (!Terminated()) {
        ogg_packet* packet = GetPacket();
        if (packet) {
            void* samples = FCodec->Decode(packet);
            delete packet;
            if (samples) {
                PlaySamples(static_cast<const uint8_t*>(samples), static_cast<int32_t>(HeapBlockSize(samples)));
                HeapFreeBlock(samples);
            }
        }
        Sleep(8);
    }
}

void COggPlayer::PlaySamples(const uint8_t* samples, int32_t length)
{
    // Announced before the write: the device may start on them while it blocks.
    {
        TLockGuard<CMultiThreadClass> hold(FClockLock);
        FHeard.Written(FClock, static_cast<uint32_t>(length));
    }
    int32_t taken = FWaveOut->Write(samples, length);
    if (taken < length) {
        TLockGuard<CMultiThreadClass> hold(FClockLock);
        FHeard.Unwritten(static_cast<uint32_t>(length - taken));
    }
}
