// The network player's sound side: switched off while video runs, switched on
// again, and refused by the server, against a loopback server that streams
// real Ogg Vorbis sound.
#include "test_gtest.h"
#include "AVSocketPlayer.h"
#include "LoopbackServer.h"
#include "MediaClock.h"
#include "OggEncoder.h"
#include <cstdlib>
#include <vector>

namespace {

const std::string kHeader = "HTTP/1.0 200 OK\r\nContent-type: text/html\r\nContent-Length: 1000000000\r\n\r\n";
const std::string kVideoRequest = "GET /video HTTP 1.0";
const std::string kAudioRequest = "GET /audio HTTP 1.0";

// As the broadcasting program's sound: the header packets as a key packet,
// then 100 ms of quiet sound every 100 ms, each with the shared clock's stamp.
void StreamSound(CServerConn& c)
{
    COggEncoder encoder;
    if (!encoder.Init(1, 8000, 16, -0.1f)) return;
    auto send = [&](bool flush, uint8_t flag) {
        uint8_t* pages = nullptr;
        int32_t length = 0;
        if (encoder.GetPages(flush, pages, length) && length > 0)
            c.SendPacket(std::string(reinterpret_cast<char*>(pages), static_cast<size_t>(length)), flag);
        std::free(pages);
    };
    encoder.WriteHeaders();
    send(false, 1);
    std::vector<int16_t> pcm(800, 0);
    do {
        encoder.Encode(reinterpret_cast<const uint8_t*>(pcm.data()), static_cast<int32_t>(pcm.size() * 2));
        send(true, 0);
    } while (c.Pause(100));
}

// Video: the stream opens and stays quiet. Sound: streamed, or refused.
struct PlayerServer {
    explicit PlayerServer(bool refuseSound)
        : server([refuseSound](CServerConn& c) {
              if (c.Request == kAudioRequest && refuseSound) {
                  c.Send("HTTP/1.0 404 Not Found\r\n\r\n");
                  c.Close();
                  return;
              }
              c.Send(kHeader);
              if (c.Request == kAudioRequest) StreamSound(c);
              else c.Pause(30000);
          })
    {
    }
    size_t Count(const std::string& request)
    {
        size_t n = 0;
        for (const std::string& r : server.Requests()) n += r == request;
        return n;
    }
    CLoopbackServer server;
};

TEST(SocketPlayer, VideoFollowsTheSoundClockAndPacesItselfWithoutSound)
{
    PlayerServer s(false);
    CAVSocketPlayer player;
    AVSocketPlayerData data{"127.0.0.1", s.server.Port(), 160, 120};
    ASSERT_TRUE(player.Play(&data, true, true));
    ASSERT_TRUE(player.IsVideoRunning());
    ASSERT_TRUE(player.IsAudioRunning());
    // Once the sound plays, its clock reaches the video player.
    ASSERT_TRUE(WaitUntil([&] { return player.SoundClock() >= 0 && player.VideoClock() >= 0; }, 10000))
        << player.SoundClock() << " " << player.VideoClock();

    // Sound off: the video paces itself (clock -1) within a coupling step or two.
    ASSERT_TRUE(player.StopAudio());
    EXPECT_FALSE(player.IsAudioRunning());
    EXPECT_TRUE(player.IsVideoRunning());
    EXPECT_EQ(-1, player.SoundClock());
    EXPECT_TRUE(WaitUntil([&] { return player.VideoClock() == -1; }, 1000)) << player.VideoClock();
    EXPECT_FALSE(WaitUntil([&] { return player.VideoClock() != -1; }, 200)) << "a clock without sound";

    // Sound on again: a new reader and player from the data given now; the
    // video follows the new sound clock once it runs.
    const int32_t restarted = static_cast<int32_t>(MediaClockMs());
    ASSERT_TRUE(player.StartAudio(&data));
    EXPECT_TRUE(player.IsAudioRunning());
    EXPECT_EQ(2u, s.Count(kAudioRequest));
    EXPECT_EQ(1u, s.Count(kVideoRequest));
    EXPECT_TRUE(WaitUntil([&] { return player.VideoClock() >= restarted; }, 10000))
        << player.SoundClock() << " " << player.VideoClock();
    player.Stop();
    EXPECT_FALSE(player.IsVideoRunning());
    EXPECT_FALSE(player.IsAudioRunning());
}

TEST(SocketPlayer, RefusedSoundFailsThePlayAndFreesBothSides)
{
    PlayerServer s(true);
    CAVSocketPlayer player;
    AVSocketPlayerData data{"127.0.0.1", s.server.Port(), 160, 120};
    EXPECT_FALSE(player.Play(&data, true, true));
    EXPECT_EQ(1u, s.Count(kVideoRequest));
    EXPECT_EQ(1u, s.Count(kAudioRequest));
    EXPECT_FALSE(player.IsVideoRunning());
    EXPECT_FALSE(player.IsAudioRunning());
    EXPECT_EQ(nullptr, player.GetPanel());
    EXPECT_EQ(-1, player.VideoClock());
}

} // namespace
