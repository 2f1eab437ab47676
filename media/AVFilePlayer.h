// The recording player: plays a recording file (".str") once, its video and
// its sound in step, for the preview window.
#pragma once
#include "AVPlayer.h"
#include "Mpeg4Player.h"
#include "OggPlayer.h"
#include "Streams.h"
#include "SyncFIFO.h"
#include <cstdint>
#include <memory>
#include <string>

// The start record of the recording player (the caller's, read during the call).
struct AVFilePlayerData {
    std::string fileName;
    int32_t width;
    int32_t height;
};

// A player whose own thread reads the file record by record into a video queue
// and a sound queue. A side waits for its first flagged record (the key frame,
// the record written right after the Vorbis headers) before it queues
// anything; a record that finds its queue full is refused and read again
// later, so the players, not the reader, set the pace.
class CAVFilePlayer : public CAVPlayer {
public:
    static const int32_t kQueueCapacity = 30;
    static const DWORD kReadPeriodMs = 10;

    CAVFilePlayer() = default;
    ~CAVFilePlayer() override { Stop(); }

    // Offers one sound record (a player block, always taken over). False: the
    // queue is full and the record must be read again; true: queued, or
    // dropped for good (before the first flagged record, or no sound side).
    bool PutAudio(bool flag, void* block);
    // The same for a video record; without a sound side the video queue is
    // also held at about half full, where the video player starts.
    bool PutVideo(bool flag, void* block);

    bool ReadNext() override;
    bool Open(void* data, bool video, bool sound) override;
    bool Close() override;
    bool DoStartAudio(void* data) override;
    bool DoStartVideo(void* data) override;
    bool DoStopAudio() override;
    bool DoStopVideo() override;
    bool DoIsVideoRunning() override { return FVideoPlayer || FVideoQueue; }
    bool DoIsAudioRunning() override { return FSoundPlayer || FSoundQueue; }
    CMpeg4Panel* GetPanel() override;
    int32_t GetAudioQueuePercent() override;
    int32_t GetVideoQueuePercent() override;

    // The sound player's clock, which the video follows; -1 without one.
    int32_t GetSoundClock();

protected:
    // Both queues hold player blocks; a side's queue outlives its player.
    std::unique_ptr<CMpeg4Player> FVideoPlayer;
    std::unique_ptr<COggPlayer> FSoundPlayer;
    std::unique_ptr<CSyncFIFO> FVideoQueue;
    std::unique_ptr<CSyncFIFO> FSoundQueue;
    volatile uint8_t FVideoKeySeen = 0;
    volatile uint8_t FSoundKeySeen = 0;
    std::unique_ptr<TFileStream> FFile;

    // Releases every block left in a queue.
    static void EmptyQueue(CSyncFIFO* queue);

private:
    // One record from the file into its queue; false at the end of the file,
    // which includes a record not yet written whole.
    bool ReadRecord();
};
