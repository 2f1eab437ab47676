// The player base: order of starting and stopping, failure paths, the thread's loop.
#include "test_gtest.h"
#include "WaitUntil.h"
#include "AVPlayer.h"
#include <atomic>
#include <stdexcept>
#include <string>

namespace {

class TestPlayer : public CAVPlayer {
public:
    bool OpenResult = true;
    bool StartVideoResult = true;
    bool StartAudioResult = true;
    bool ThrowInStartAudio = false;
    int ReadLimit = -1;   // -1: read until terminated
    std::atomic<int> Reads{0};
    bool VideoRunning = false, AudioRunning = false;
    int VideoStarts = 0, VideoStops = 0, AudioStarts = 0, AudioStops = 0, Opens = 0, Closes = 0;
    std::string Log;

    ~TestPlayer() override { Stop(); }

    bool ReadNext() override
    {
        int n = ++Reads;
        // Looks at both sides under the player lock, as the real readers do.
        IsAudioRunning();
        IsVideoRunning();
        Sleep(1);
        return ReadLimit < 0 || n < ReadLimit;
    }
    bool Open(void*, bool, bool) override
    {
        ++Opens;
        Log += "open ";
        return OpenResult;
    }
    bool Close() override
    {
        ++Closes;
        Log += "close ";
        return true;
    }
    bool DoStartVideo(void*) override
    {
        ++VideoStarts;
        Log += "startvideo ";
        VideoRunning = StartVideoResult;
        return StartVideoResult;
    }
    bool DoStartAudio(void*) override
    {
        ++AudioStarts;
        Log += "startaudio ";
        if (ThrowInStartAudio) throw std::runtime_error("no sound");
        AudioRunning = StartAudioResult;
        return StartAudioResult;
    }
    bool DoStopVideo() override
    {
        ++VideoStops;
        Log += "stopvideo ";
        VideoRunning = false;
        return true;
    }
    bool DoStopAudio() override
    {
        ++AudioStops;
        Log += "stopaudio ";
        AudioRunning = false;
        return true;
    }
    bool DoIsVideoRunning() override { return VideoRunning; }
    bool DoIsAudioRunning() override { return AudioRunning; }
};

TEST(AVPlayer, BaseDefaults)
{
    struct Bare : CAVPlayer {
    } p;
    EXPECT_FALSE(p.ReadNext());
    EXPECT_FALSE(p.Open(nullptr, true, true));
    EXPECT_TRUE(p.Close());
    EXPECT_FALSE(p.DoStartAudio(nullptr));
    EXPECT_FALSE(p.DoStartVideo(nullptr));
    EXPECT_TRUE(p.DoStopAudio());
    EXPECT_TRUE(p.DoStopVideo());
    EXPECT_FALSE(p.IsVideoRunning());
    EXPECT_FALSE(p.IsAudioRunning());
    EXPECT_EQ(p.GetPanel(), nullptr);
    EXPECT_EQ(p.GetAudioQueuePercent(), 0);
    EXPECT_EQ(p.GetVideoQueuePercent(), 0);
    // Nothing to play: the base cannot open anything.
    EXPECT_FALSE(p.Play(nullptr, true, true));
    EXPECT_TRUE(p.Suspended());
}

TEST(AVPlayer, PlayStartsSidesInOrderAndRunsTheThread)
{
    TestPlayer p;
    ASSERT_TRUE(p.Play(nullptr, true, true));
    EXPECT_EQ(p.Log, "stopvideo open startvideo stopaudio startaudio ");
    EXPECT_TRUE(p.IsVideoRunning());
    EXPECT_TRUE(p.IsAudioRunning());
    EXPECT_TRUE(WaitUntil([&] { return p.Reads > 3; }, 3000));
    p.Log.clear();
    p.Stop();
    EXPECT_EQ(p.Log, "stopaudio stopvideo close ");
    EXPECT_TRUE(p.Finished());
    EXPECT_FALSE(p.IsVideoRunning());
    EXPECT_FALSE(p.IsAudioRunning());
}

TEST(AVPlayer, FailedPlayLeavesEverythingStoppedAndTheThreadSuspended)
{
    struct Case {
        const char* name;
        bool open, video, audio, throwAudio;
        bool askVideo, askSound;
    } cases[] = {
        {"source does not open", false, true, true, false, true, true},
        {"video does not start", true, false, true, false, true, true},
        {"sound does not start", true, true, false, false, true, true},
        {"sound start throws", true, true, true, true, true, true},
        {"sound alone from a source that does not open", false, true, true, false, false, true},
    };
    for (const auto& c : cases) {
        auto* p = new TestPlayer;
        p->OpenResult = c.open;
        p->StartVideoResult = c.video;
        p->StartAudioResult = c.audio;
        p->ThrowInStartAudio = c.throwAudio;
        EXPECT_FALSE(p->Play(nullptr, c.askVideo, c.askSound)) << c.name;
        EXPECT_TRUE(p->Suspended()) << c.name;
        EXPECT_FALSE(p->IsVideoRunning()) << c.name;
        EXPECT_FALSE(p->IsAudioRunning()) << c.name;
        EXPECT_GE(p->Closes, 1) << c.name;
        EXPECT_EQ(p->Reads, 0) << c.name;
        DWORD t0 = GetTickCount();
        delete p;   // ends cleanly, nothing to wait for
        EXPECT_LT(GetTickCount() - t0, 1000u) << c.name;
    }
}

TEST(AVPlayer, StartingARunningSideStopsItFirst)
{
    TestPlayer p;
    ASSERT_TRUE(p.Play(nullptr, true, true));
    p.Log.clear();
    EXPECT_TRUE(p.StartVideo(nullptr));
    EXPECT_EQ(p.Log, "stopvideo startvideo ");
    p.Log.clear();
    EXPECT_TRUE(p.StartAudio(nullptr));
    EXPECT_EQ(p.Log, "stopaudio startaudio ");
    // A failed start stops the side again, so nothing half-started survives.
    p.Log.clear();
    p.ThrowInStartAudio = true;
    EXPECT_FALSE(p.StartAudio(nullptr));
    EXPECT_EQ(p.Log, "stopaudio startaudio stopaudio ");
    EXPECT_FALSE(p.IsAudioRunning());
    EXPECT_TRUE(p.IsVideoRunning());
}

TEST(AVPlayer, StopTwiceFindsNothingLeft)
{
    auto* p = new TestPlayer;
    ASSERT_TRUE(p->Play(nullptr, true, true));
    p->Stop();
    int closes = p->Closes;
    p->Stop();
    EXPECT_EQ(p->Closes, closes + 1);   // Close is called, but there is nothing to wait for
    EXPECT_FALSE(p->IsAudioRunning());
    delete p;
}

TEST(AVPlayer, ThreadEndsByItselfWhileTheSidesKeepRunning)
{
    TestPlayer p;
    p.ReadLimit = 5;
    ASSERT_TRUE(p.Play(nullptr, true, true));
    EXPECT_TRUE(WaitUntil([&] { return p.Finished(); }, 3000));
    EXPECT_EQ(p.Reads, 5);
    EXPECT_TRUE(p.IsVideoRunning());
    EXPECT_TRUE(p.IsAudioRunning());
    p.Stop();
    EXPECT_FALSE(p.IsAudioRunning());
}

} // namespace
