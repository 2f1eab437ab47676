// The viewer's network player: a player whose video and sound come from the
// broadcasting program's streams, each a stream reader paired with its player.
#pragma once
#include "AVPlayer.h"
#include <cstdint>
#include <memory>
#include <string>

class CMpeg4Player;
class COggPlayer;
class CGetMpeg4Data;
class CGetOggData;

// The start record of the network player (the caller's, read during the call).
struct AVSocketPlayerData {
    std::string address;
    int32_t port;
    int32_t width;
    int32_t height;
};

// Its own thread only couples the two sides: every 10 ms the video player's
// clock becomes the sound player's (or -1 while there is no sound side).
class CAVSocketPlayer : public CAVPlayer {
public:
    CAVSocketPlayer();
    ~CAVSocketPlayer() override;

    bool ReadNext() override;
    bool Open(void* data, bool video, bool audio) override;
    bool DoStartVideo(void* data) override;
    bool DoStartAudio(void* data) override;
    bool DoStopVideo() override;
    bool DoStopAudio() override;
    bool DoIsVideoRunning() override;
    bool DoIsAudioRunning() override;
    CMpeg4Panel* GetPanel() override;
    int32_t GetAudioQueuePercent() override;
    int32_t GetVideoQueuePercent() override;

    // Under the player lock: the clock the coupling last gave the video
    // player, and the sound player's own; -1 without that player.
    int32_t VideoClock();
    int32_t SoundClock();

private:
    std::unique_ptr<CMpeg4Player> FVideoPlayer;
    std::unique_ptr<COggPlayer> FSoundPlayer;
    std::unique_ptr<CGetMpeg4Data> FVideoReader;
    std::unique_ptr<CGetOggData> FSoundReader;
};

// A new network player (suspended, nothing running).
std::unique_ptr<CAVPlayer> CreateSocketPlayer();
