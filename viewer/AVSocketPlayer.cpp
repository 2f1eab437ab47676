#include "AVSocketPlayer.h"
#include "GetData.h"
#include "Mpeg4Player.h"
#include "OggPlayer.h"

namespace {
const int32_t kQueueCapacity = 30;
const DWORD kCouplingPeriod = 10;
} // namespace

CAVSocketPlayer::CAVSocketPlayer() = default;

CAVSocketPlayer::~CAVSocketPlayer() { Stop(); }

// The clock coupling step. The tests and the copy form one step under the
// player lock, so a side that is being switched off is never looked at
// half-freed.
bool CAVSocketPlayer::ReadNext()
{
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        if (DoIsVideoRunning() && FVideoPlayer)
            FVideoPlayer->SetClock(DoIsAudioRunning() && FSoundPlayer ? FSoundPlayer->GetClock() : -1);
    }
    Sleep(kCouplingPeriod);
    return true;
}

bool CAVSocketPlayer::Open(void*, bool, bool) { return true; }

bool CAVSocketPlayer::DoStartVideo(void* data)
{
    const auto* d = static_cast<const AVSocketPlayerData*>(data);
    TLockGuard<CMultiThreadClass> hold(FLock);
    FVideoReader = std::make_unique<CGetMpeg4Data>(kQueueCapacity);
    if (!FVideoReader->Connect(d->address, d->port)) return false;
    // The viewer's video thread repaints the panel itself.
    FVideoPlayer = std::make_unique<CMpeg4Player>(d->width, d->height, FVideoReader->GetFIFO(), true);
    bool started = FVideoPlayer->Start();
    FVideoReader->Resume();
    return started;
}

bool CAVSocketPlayer::DoStartAudio(void* data)
{
    const auto* d = static_cast<const AVSocketPlayerData*>(data);
    TLockGuard<CMultiThreadClass> hold(FLock);
    FSoundReader = std::make_unique<CGetOggData>(kQueueCapacity);
    if (!FSoundReader->Connect(d->address, d->port)) return false;
    FSoundPlayer = std::make_unique<COggPlayer>(FSoundReader->GetFIFO());
    bool started = FSoundPlayer->Start();
    FSoundReader->Resume();
    return started;
}

// A player is always stopped before the reader that owns its queue goes.
bool CAVSocketPlayer::DoStopVideo()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (FVideoPlayer) FVideoPlayer->Stop();
    FVideoPlayer.reset();
    if (FVideoReader) FVideoReader->Terminate();
    FVideoReader.reset();
    return true;
}

bool CAVSocketPlayer::DoStopAudio()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    if (FSoundPlayer) FSoundPlayer->Stop();
    FSoundPlayer.reset();
    if (FSoundReader) FSoundReader->Terminate();
    FSoundReader.reset();
    return true;
}

bool CAVSocketPlayer::DoIsVideoRunning() { return FVideoPlayer || FVideoReader; }
bool CAVSocketPlayer::DoIsAudioRunning() { return FSoundPlayer || FSoundReader; }

CMpeg4Panel* CAVSocketPlayer::GetPanel()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FVideoPlayer ? FVideoPlayer->GetPanel() : nullptr;
}

int32_t CAVSocketPlayer::GetAudioQueuePercent()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FSoundReader ? FSoundReader->GetFIFO()->GetPercent() : 0;
}

int32_t CAVSocketPlayer::GetVideoQueuePercent()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FVideoReader ? FVideoReader->GetFIFO()->GetPercent() : 0;
}

int32_t CAVSocketPlayer::VideoClock()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FVideoPlayer ? FVideoPlayer->GetClock() : -1;
}

int32_t CAVSocketPlayer::SoundClock()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return FSoundPlayer ? FSoundPlayer->GetClock() : -1;
}

std::unique_ptr<CAVPlayer> CreateSocketPlayer() { return std::make_unique<CAVSocketPlayer>(); }
