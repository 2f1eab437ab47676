#include "AVFilePlayer.h"
#include "MediaTrace.h"
#include "PlayerBlocks.h"
#include "Video.h"

namespace {
const int32_t kRecordHeaderBytes = 4;
// Without a sound side the video queue is kept just above half full, where the
// video player starts playing.
const int32_t kVideoHoldPercent = 50;
} // namespace

void CAVFilePlayer::EmptyQueue(CSyncFIFO* queue)
{
    if (!queue) return;
    while (void* block = queue->Pop()) HeapFreeBlock(block);
}

bool CAVFilePlayer::PutAudio(bool flag, void* block)
{
    FSoundKeySeen = FSoundKeySeen || flag;
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (!FSoundKeySeen || !FSoundQueue) {
        HeapFreeBlock(block);
        return true;
    }
    if (FSoundQueue->IsFull() || !FSoundQueue->Push(block)) {
        HeapFreeBlock(block);
        return false;
    }
    return true;
}

bool CAVFilePlayer::PutVideo(bool flag, void* block)
{
    FVideoKeySeen = FVideoKeySeen || flag;
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (!FVideoKeySeen || !FVideoQueue) {
        HeapFreeBlock(block);
        return true;
    }
    bool holdBack = FVideoQueue->IsFull() || (!IsAudioRunning() && FVideoQueue->GetPercent() > kVideoHoldPercent);
    if (holdBack || !FVideoQueue->Push(block)) {
        HeapFreeBlock(block);
        return false;
    }
    return true;
}

bool CAVFilePlayer::ReadRecord()
{
    if (!FFile) throw EReadError("no recording open");
    uint8_t header[kRecordHeaderBytes];
    long got = FFile->Read(header, kRecordHeaderBytes);
    if (got < kRecordHeaderBytes) {
        // The end of the file; a header cut short stays unread.
        if (got > 0) FFile->Seek(-got, soCurrent);
        return false;
    }
    uint32_t word = static_cast<uint32_t>(header[0]) | (static_cast<uint32_t>(header[1]) << 8) |
                    (static_cast<uint32_t>(header[2]) << 16) | (static_cast<uint32_t>(header[3]) << 24);
    int32_t length = static_cast<int32_t>(word & 0xFFFF);
    bool flag = ((word >> 16) & 0xFF) != 0;
    int32_t kind = static_cast<int32_t>(word >> 24);

    void* block = HeapAllocZero(static_cast<size_t>(length));
    if (!block) throw EOutOfMemory("no memory for a record");
    long payload = 0;
    try {
        if (length > 0) payload = FFile->Read(block, length);
    } catch (...) {
        HeapFreeBlock(block);
        throw;
    }
    if (payload < length) {
        // A record still being written (the recording grows while it is
        // previewed): go back to its header and read it whole on a later pass.
        HeapFreeBlock(block);
        FFile->Seek(-(static_cast<long long>(payload) + kRecordHeaderBytes), soCurrent);
        return false;
    }
    bool accepted = kind == kRecordAudio ? PutAudio(flag, block) : PutVideo(flag, block);
    // A refused record is read again next time.
    if (!accepted) FFile->Seek(-(static_cast<long long>(length) + kRecordHeaderBytes), soCurrent);
    return true;
}

bool CAVFilePlayer::ReadNext()
{
    try {
        ReadRecord();
    } catch (...) {
        // A read error ends the reading.
        TraceCaught("recording player: reading");
        return false;
    }
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        if (DoIsVideoRunning() && FVideoPlayer)
            FVideoPlayer->SetClock(DoIsAudioRunning() && FSoundPlayer ? FSoundPlayer->GetClock() : -1);
    }
    Sleep(kReadPeriodMs);
    return true;
}

bool CAVFilePlayer::Open(void* data, bool, bool)
{
    const auto* d = static_cast<const AVFilePlayerData*>(data);
    try {
        // Shared, so that a recording that is still being written can be previewed.
        FFile.reset(new TFileStream(d->fileName, fmOpenRead | fmShareDenyNone));
        return true;
    } catch (...) {
        TraceCaught("recording player: opening the recording");
        FFile.reset();
        return false;
    }
}

bool CAVFilePlayer::Close()
{
    FFile.reset();
    return true;
}

bool CAVFilePlayer::DoStartAudio(void*)
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    FSoundQueue = std::make_unique<CSyncFIFO>(kQueueCapacity);
    FSoundPlayer = std::make_unique<COggPlayer>(FSoundQueue.get());
    bool started = FSoundPlayer->Start();
    FSoundKeySeen = 0;
    return started;
}

bool CAVFilePlayer::DoStartVideo(void* data)
{
    const auto* d = static_cast<const AVFilePlayerData*>(data);
    TLockGuard<CMultiThreadClass> hold(FLock);
    FVideoQueue = std::make_unique<CSyncFIFO>(kQueueCapacity);
    // The program's GUI thread paints the panel (the player asks it to).
    FVideoPlayer = std::make_unique<CMpeg4Player>(d->width, d->height, FVideoQueue.get(), false);
    bool started = FVideoPlayer->Start();
    FVideoKeySeen = 0;
    return started;
}

bool CAVFilePlayer::DoStopAudio()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (FSoundPlayer) FSoundPlayer->Stop();
    FSoundPlayer.reset();
    EmptyQueue(FSoundQueue.get());
    FSoundQueue.reset();
    return true;
}

bool CAVFilePlayer::DoStopVideo()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (FVideoPlayer) FVideoPlayer->Stop();
    FVideoPlayer.reset();
    EmptyQueue(FVideoQueue.get());
    FVideoQueue.reset();
    return true;
}

CMpeg4Panel* CAVFilePlayer::GetPanel()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FVideoPlayer ? FVideoPlayer->GetPanel() : nullptr;
}

int32_t CAVFilePlayer::GetAudioQueuePercent()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FSoundQueue ? FSoundQueue->GetPercent() : 0;
}

int32_t CAVFilePlayer::GetVideoQueuePercent()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FVideoQueue ? FVideoQueue->GetPercent() : 0;
}

int32_t CAVFilePlayer::GetSoundClock()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FSoundPlayer ? FSoundPlayer->GetClock() : -1;
}
