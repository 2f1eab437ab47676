#include "AVSocketPlayer.h"
#include "GetData.h"
#include "Mpeg4Player.h"
#include "OggPlayer.h"

namespace {

const int32_t kQueueCapacity = 30;
const DWORD kCouplingPeriod = 10;

class CAVSocketPlayer : public CAVPlayer {
public:
    CAVSocketPlayer() = default;
    ~CAVSocketPlayer() override { Stop(); }

    // The clock coupling step: the video follows the sound's clock, or paces
    // itself (-1) while there is no sound side. The tests and the copy form
    // one step under the player lock, so a side that is being switched off is
    // never looked at half-freed.
    bool ReadNext() override
    {
        {
            TLockGuard<CMultiThreadClass> hold(FLock);
            if (DoIsVideoRunning() && FVideoPlayer)
                FVideoPlayer->SetClock(DoIsAudioRunning() && FSoundPlayer ? FSoundPlayer->GetClock() : -1);
        }
        Sleep(kCouplingPeriod);
        return true;
    }

    bool Open(void*, bool, bool) override { return true; }

    bool DoStartVideo(void* data) override
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

    bool DoStartAudio(void* data) override
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
    bool DoStopVideo() override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        if (FVideoPlayer) FVideoPlayer->Stop();
        FVideoPlayer.reset();
        if (FVideoReader) FVideoReader->Terminate();
        FVideoReader.reset();
        return true;
    }

    bool DoStopAudio() override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        if (FSoundPlayer) FSoundPlayer->Stop();
        FSoundPlayer.reset();
        if (FSoundReader) FSoundReader->Terminate();
        FSoundReader.reset();
        return true;
    }

    bool DoIsVideoRunning() override { return FVideoPlayer || FVideoReader; }
    bool DoIsAudioRunning() override { return FSoundPlayer || FSoundReader; }

    CMpeg4Panel* GetPanel() override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        return FVideoPlayer ? FVideoPlayer->GetPanel() : nullptr;
    }

    int32_t GetAudioQueuePercent() override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        return FSoundReader ? FSoundReader->GetFIFO()->GetPercent() : 0;
    }

    int32_t GetVideoQueuePercent() override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        return FVideoReader ? FVideoReader->GetFIFO()->GetPercent() : 0;
    }

private:
    std::unique_ptr<CMpeg4Player> FVideoPlayer;
    std::unique_ptr<COggPlayer> FSoundPlayer;
    std::unique_ptr<CGetMpeg4Data> FVideoReader;
    std::unique_ptr<CGetOggData> FSoundReader;
};

} // namespace

std::unique_ptr<CAVPlayer> CreateSocketPlayer() { return std::make_unique<CAVSocketPlayer>(); }
