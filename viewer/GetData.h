// The viewer's stream readers: one thread per stream that reads the packets of
// the broadcasting program's video or sound stream into a player's queue.
#pragma once
#include "StreamConnection.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <atomic>
#include <cstdint>
#include <memory>

class CGetData : public TThread {
public:
    explicit CGetData(int32_t Capacity);
    ~CGetData() override;

    // Reads and queues the next packet; false when the reader must end.
    virtual bool ReadNext() { return false; }
    // Opens the connection and sends the stream request; true when connected.
    virtual bool Connect(const std::string& Address, int32_t Port);
    // Closes the connection, stops the thread and releases what is queued.
    // May be called more than once, and never from the reader's own thread.
    virtual void Disconnect();
    // Reads Count packets (-1: skip to the first flagged packet and queue it).
    // Returns -1 on a read failure, 1 when the queue was full, else 0.
    virtual int32_t ReadPackets(int32_t Count);
    virtual CSyncFIFO* GetFIFO() { return FFifo.get(); }
    // Packets read whole from the stream so far, queued or not.
    int32_t PacketsRead() const { return FPacketsRead; }

    // Packet header: length in bytes 0-1 (little-endian), flag in byte 2.
    static uint32_t PacketLength(const uint8_t Header[4]) { return Header[0] | (Header[1] << 8); }
    static bool PacketFlagged(const uint8_t Header[4]) { return Header[2] != 0; }

protected:
    // MinPayload: shorter payloads are dropped (they cannot be played).
    // EmptyKeyStarts: a flagged packet ends the skipping even when dropped.
    CGetData(int32_t Capacity, const char* Request, uint32_t MinPayload, bool EmptyKeyStarts);
    void Execute() override;
    // Reads Count bytes; the count read (short only when told to stop) or -1.
    int32_t ReadExact(void* Buffer, int32_t Count);

private:
    void ReleaseQueued();
    std::unique_ptr<CSyncFIFO> FFifo;
    CStreamConnection FConnection;
    std::string FRequest;
    uint32_t FMinPayload = 0;
    bool FEmptyKeyStarts = true;
    std::atomic<int32_t> FPacketsRead{0};
};

// The video stream: after a full queue it skips to the next key frame, since
// frames after a gap cannot be decoded without one.
class CGetMpeg4Data : public CGetData {
public:
    explicit CGetMpeg4Data(int32_t Capacity);
    // Stops the thread before this part of the object goes.
    ~CGetMpeg4Data() override { CGetData::Disconnect(); }
    bool ReadNext() override;
};

// The sound stream: a full queue drops single packets.
class CGetOggData : public CGetData {
public:
    explicit CGetOggData(int32_t Capacity);
    ~CGetOggData() override { CGetData::Disconnect(); }
    bool ReadNext() override;
};
