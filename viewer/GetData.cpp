#include "GetData.h"
#include "Trace.h"
#include "PlayerBlocks.h"

namespace {
const char* const kVideoRequest = "GET /video HTTP 1.0";
const char* const kAudioRequest = "GET /audio HTTP 1.0";
// A video payload is a 4-byte time stamp and at least one byte of frame.
const uint32_t kMinVideoPayload = 5;
const uint32_t kMinAudioPayload = 1;
} // namespace

CGetData::CGetData(int32_t Capacity) : CGetData(Capacity, "", 1, true) {}

CGetData::CGetData(int32_t Capacity, const char* Request, uint32_t MinPayload, bool EmptyKeyStarts)
    : FFifo(std::make_unique<CSyncFIFO>(Capacity)), FRequest(Request), FMinPayload(MinPayload),
      FEmptyKeyStarts(EmptyKeyStarts)
{
}

CGetData::~CGetData()
{
    // Not through the virtual: the subclass is already gone here.
    CGetData::Disconnect();
}

bool CGetData::Connect(const std::string& Address, int32_t Port)
{
    try {
        FConnection.Open(Address, Port, FRequest);
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, "stream " + FRequest + " not opened: " + e.what());
        CGetData::Disconnect();
        return false;
    }
    return FConnection.Active();
}

void CGetData::Disconnect()
{
    FConnection.Shutdown();
    Terminate();
    if (!Suspended() && GetCurrentThreadId() != ThreadID()) WaitFor();
    FConnection.Close();
    ReleaseQueued();
}

void CGetData::ReleaseQueued()
{
    while (void* block = FFifo->Pop()) HeapFreeBlock(block);
}

int32_t CGetData::ReadExact(void* Buffer, int32_t Count)
{
    return FConnection.ReadExact(Buffer, Count, [this] { return Terminated(); });
}

int32_t CGetData::ReadPackets(int32_t Count)
{
    if (!FConnection.Active()) return -1;
    bool skipping = Count == -1;
    int32_t done = 0;
    while ((done < Count || skipping) && !Terminated()) {
        uint8_t header[4];
        if (ReadExact(header, 4) != 4) return -1;
        uint32_t length = PacketLength(header);
        bool flagged = PacketFlagged(header);
        void* block = length ? HeapAllocZero(length) : nullptr;
        if (length && !block) return -1;
        if (length && ReadExact(block, static_cast<int32_t>(length)) != static_cast<int32_t>(length)) {
            HeapFreeBlock(block);
            return -1;
        }
        ++FPacketsRead;
        // Empty and short packets carry nothing a player could use.
        bool usable = length >= FMinPayload;
        if (skipping && flagged && (usable || FEmptyKeyStarts)) skipping = false;
        if (skipping || !usable) {
            HeapFreeBlock(block);
            ++done;
            continue;
        }
        if (!FFifo->Push(block)) {
            HeapFreeBlock(block);
            return 1;
        }
        ++done;
    }
    return 0;
}

void CGetData::Execute()
{
    if (!FConnection.Active()) return;
    ReadPackets(-1);
    while (!Terminated() && ReadNext()) {
    }
}

CGetMpeg4Data::CGetMpeg4Data(int32_t Capacity) : CGetData(Capacity, kVideoRequest, kMinVideoPayload, false) {}

bool CGetMpeg4Data::ReadNext()
{
    int32_t r = ReadPackets(1);
    if (r == -1) return false;
    if (r == 1) ReadPackets(-1);
    Sleep(5);
    return true;
}

// The 2-second key packet of the sound stream is often empty; it still marks
// where the Vorbis headers start again.
CGetOggData::CGetOggData(int32_t Capacity) : CGetData(Capacity, kAudioRequest, kMinAudioPayload, true) {}

bool CGetOggData::ReadNext()
{
    if (ReadPackets(1) == -1) return false;
    Sleep(5);
    return true;
}
