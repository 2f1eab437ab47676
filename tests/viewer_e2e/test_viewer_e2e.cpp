// The viewer control end to end, as a visitor meets it: the viewer host (a
// process of its own, unattended) embeds the real control, registered with
// regsvr32, with the address, port and layout of a broadcast on this machine.
// The broadcast comes from the program's own server classes and encoders
// (TestBroadcaster). What the visitor would see and hear is read from the
// screen and from the sound card's output; what the operator would get comes
// from the main-window stand-in of the broadcaster.
#include "MediaClock.h"
#include "SysUtils.h"
#include "ViewerPictures.h"
#include "ViewerRun.h"
#include "test_gtest.h"
#include "WaitUntil.h"
#include <algorithm>
#include <map>

namespace {

// The host closes itself after this long, should a test leave it running.
const int HostSeconds = 120;
// How long the playback is watched (beeps come every 4 s).
const DWORD WatchMs = 20000;

std::string Joined(const std::vector<std::string>& Lines)
{
    std::string s;
    for (const std::string& l : Lines) s += "  " + l + "\n";
    return s;
}

uint32_t ScreenColor(TColor Color)
{
    COLORREF c = static_cast<COLORREF>(Color);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class ViewerEndToEnd : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The control as a visitor's machine has it: registered by its file.
        ASSERT_EQ(0, Regsvr32(QUENDA_DLL));
        Run = new TViewerRun(GetCurrentDir() + "\\viewer_e2e", HOST_PROGRAM, HostSeconds);
        std::string error;
        Started = Run->Start(error);
        ASSERT_TRUE(Started) << error << "\n" << Joined(Run->Host().LogLines());
    }
    static void TearDownTestSuite()
    {
        delete Run;
        Run = nullptr;
    }
    void SetUp() override
    {
        if (!Started) GTEST_SKIP() << "the viewing session did not start";
    }

    static TViewerRun* Run;
    static bool Started;
};
TViewerRun* ViewerEndToEnd::Run = nullptr;
bool ViewerEndToEnd::Started = false;

TEST_F(ViewerEndToEnd, ControlStartsAfterItsAddressBoxAndOpensThreeStreams)
{
    // The constructor's box shows the built-in address and port, and the start
    // connects only after the page's values are set.
    std::vector<std::string> log = Run->Host().LogLines();
    auto at = [&](const std::string& prefix) {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
        return -1;
    };
    int box = at("message-box \"Quenda\" \"127.0.0.1:8080\" closed");
    int created = at("created {FFD85318-7565-4886-945C-D31E428F0947}");
    int port = at("set port \"" + IntToStr(Run->Broadcaster().Port()) + "\" dispid=21 hr=0x00000000");
    EXPECT_GE(box, 0) << Joined(log);
    EXPECT_GT(created, box) << Joined(log);
    EXPECT_GT(port, created) << Joined(log);
    TTestBroadcaster& b = Run->Broadcaster();
    EXPECT_TRUE(PumpUntil([&] { return b.Streams(1) == 1 && b.Streams(2) == 1 && b.Streams(3) == 1; }, 15000))
        << "video " << b.Streams(1) << ", chat " << b.Streams(2) << ", audio " << b.Streams(3);
}

TEST_F(ViewerEndToEnd, PlaysVideoAndSoundInStep)
{
    TPlaybackProbe& probe = Run->Probe();
    // Up to the first picture: the player waits for a key frame and for its
    // queue to fill past half.
    DWORD start = GetTickCount();
    while (probe.Frames().empty() && GetTickCount() - start < 20000) probe.Watch(100);
    ASSERT_FALSE(probe.Frames().empty()) << "no picture of the broadcast reached the screen";
    const uint32_t firstPicture = probe.Frames().front().Time;
    probe.Watch(WatchMs);

    std::map<uint32_t, uint32_t> stamps;
    std::vector<TTestBroadcaster::TFrame> frames = Run->Broadcaster().Frames();
    for (const auto& f : frames) stamps[f.Number] = f.Stamp;
    const auto& seen = probe.Frames();

    // Video plays: the pictures come in their order, and most of those sent in
    // the watched time reach the screen.
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i].Number, seen[i - 1].Number) << "at " << i;
    EXPECT_GT(seen.size(), WatchMs / 125 * 7 / 10) << "pictures shown: " << seen.size();

    // Sound plays: every beep sent long enough ago reached the sound card.
    std::vector<uint32_t> beepStamps = Run->Broadcaster().BeepStamps();
    std::vector<uint32_t> heard = probe.BeepTimes();
    ASSERT_GE(heard.size(), WatchMs / 4000 - 1) << "beeps sent " << beepStamps.size();

    // In step: once the start is over (from 6 s after the first picture, when
    // a picture paced by itself would long have run ahead of the sound), each
    // beep reaches the sound card close to the showing of the last picture
    // stamped before it. The sound card plays what the player handed it a
    // little later (its output buffers), hence the uneven window.
    int checked = 0;
    for (uint32_t t : heard) {
        if (static_cast<int32_t>(t - firstPicture) < 6000) continue;
        uint32_t stamp = 0;
        for (uint32_t b : beepStamps)
            if (static_cast<int32_t>(t - b) > 0) stamp = b;
        uint32_t number = 0;
        for (const auto& f : frames)
            if (static_cast<int32_t>(stamp - f.Stamp) >= 0) number = f.Number;
        auto shown = std::find_if(seen.begin(), seen.end(), [&](const TPlaybackProbe::TSeenFrame& s) {
            return s.Number == number;
        });
        if (shown == seen.end()) continue;
        int32_t soundBehindPicture = static_cast<int32_t>(t - shown->Time);
        EXPECT_GE(soundBehindPicture, -400) << "beep stamped " << stamp;
        EXPECT_LE(soundBehindPicture, 600) << "beep stamped " << stamp << ": the picture ran ahead of the sound";
        // The picture waits for the sound: it is as late as the sound is.
        int32_t pictureDelay = static_cast<int32_t>(shown->Time - stamps[number]);
        int32_t soundDelay = static_cast<int32_t>(t - stamp);
        EXPECT_GT(pictureDelay, soundDelay - 700) << "beep stamped " << stamp;
        ++checked;
    }
    EXPECT_GE(checked, 2);
}

TEST_F(ViewerEndToEnd, ChatLineReachesTheOperatorAsTyped)
{
    THostRun& host = Run->Host();
    TTestBroadcaster& b = Run->Broadcaster();
    // The chat stream's first text shows in the chat box.
    EXPECT_TRUE(PumpUntil([&] { return host.ChatText().find("Enter password") != std::string::npos; }, 10000))
        << host.ChatText();

    // Typed into the input line and sent with the Send button; "+", "&", "="
    // and "%" arrive as typed (the server lower-cases what it reads).
    const std::string typed = "hello + & = 100% ok";
    host.SetInputText(typed);
    host.Click(Prop3::SendX + 34, Prop3::SendY + 9);
    auto reached = [&] {
        for (const std::string& t : b.ChatTexts())
            if (t.size() >= typed.size() && t.compare(t.size() - typed.size(), typed.size(), typed) == 0) return true;
        return false;
    };
    ASSERT_TRUE(PumpUntil(reached, 10000)) << "texts: " << Joined(b.ChatTexts());
    // The operator's window shows it and sends it back to the visitor's chat.
    EXPECT_TRUE(PumpUntil([&] { return host.ChatText().find(typed) != std::string::npos; }, 10000)) << host.ChatText();
}

TEST_F(ViewerEndToEnd, CallButtonRaisesAndClearsTheAlarm)
{
    THostRun& host = Run->Host();
    TTestBroadcaster& b = Run->Broadcaster();
    const int lampX = Prop3::CallLampX + 9, lampY = Prop3::CallLampY + 19; // on the disc, beside its letter
    uint32_t lamp = 0;
    ASSERT_TRUE(host.PixelAt(lampX, lampY, lamp));
    EXPECT_EQ(ScreenColor(ViewerPictures::LampOff), lamp);

    host.Click(Prop3::CallX + 34, Prop3::CallY + 9);
    ASSERT_TRUE(PumpUntil([&] { return b.Alarms().size() >= 1; }, 10000));
    EXPECT_EQ(1, b.Alarms()[0].first);
    EXPECT_EQ("127.0.0.1", b.Alarms()[0].second);
    auto lampShows = [&](TColor Color) { return host.PixelAt(lampX, lampY, lamp) && lamp == ScreenColor(Color); };
    EXPECT_TRUE(PumpUntil([&] { return lampShows(ViewerPictures::LampAlarm); }, 5000)) << std::hex << lamp;

    host.Click(Prop3::CallX + 34, Prop3::CallY + 9);
    ASSERT_TRUE(PumpUntil([&] { return b.Alarms().size() >= 2; }, 10000));
    EXPECT_EQ(0, b.Alarms()[1].first);
    EXPECT_TRUE(PumpUntil([&] { return lampShows(ViewerPictures::LampOff); }, 5000)) << std::hex << lamp;
}

TEST_F(ViewerEndToEnd, ClosingTheHostEndsTheStreams)
{
    THostRun& host = Run->Host();
    PostMessageA(host.HostWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitEnd(20000));
    EXPECT_EQ(0u, host.ExitCode());
    std::vector<std::string> log = host.LogLines();
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "closed")) << Joined(log);
    TTestBroadcaster& b = Run->Broadcaster();
    EXPECT_TRUE(PumpUntil([&] { return b.Streams(1) + b.Streams(2) + b.Streams(3) == 0; }, 15000))
        << "video " << b.Streams(1) << ", chat " << b.Streams(2) << ", audio " << b.Streams(3);
}

} // namespace
