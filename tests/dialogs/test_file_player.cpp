// The recording player's reader: each side waits for its first flagged record,
// a full queue refuses a record that is then read again, the video queue is
// held at half without a sound side, and the start and stop paths.
#include "test_gtest.h"
#include "AVFilePlayer.h"
#include "DialogTestKit.h"
#include "Mpeg4Panel.h"
#include "PlayerBlocks.h"
#include "Streams.h"
#include <memory>

using namespace dlgtest;

namespace {

struct Rec {
    int Kind;
    int FlagByte;
    std::string Payload;
};

std::string RecordingBytes(const std::vector<Rec>& records)
{
    std::string bytes;
    for (const Rec& r : records) {
        uint32_t h = static_cast<uint32_t>(r.Payload.size()) | (static_cast<uint32_t>(r.FlagByte) << 16) |
                     (static_cast<uint32_t>(r.Kind) << 24);
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((h >> (8 * i)) & 0xFF);
        bytes += r.Payload;
    }
    return bytes;
}

void WriteRecording(const std::string& path, const std::vector<Rec>& records, size_t cutLastBy = 0)
{
    std::string bytes = RecordingBytes(records);
    bytes.resize(bytes.size() - cutLastBy);
    WriteFileText(path, bytes);
}

// The reader alone: the sides are bare queues (no players take from them), and
// the test runs the reading steps itself instead of the player's thread.
class TReaderOnly : public CAVFilePlayer {
public:
    ~TReaderOnly() override { Stop(); }
    bool DoStartAudio(void*) override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        FSoundQueue = std::make_unique<CSyncFIFO>(kQueueCapacity);
        FSoundKeySeen = 0;
        return true;
    }
    bool DoStartVideo(void*) override
    {
        TLockGuard<CMultiThreadClass> hold(FLock);
        FVideoQueue = std::make_unique<CSyncFIFO>(kQueueCapacity);
        FVideoKeySeen = 0;
        return true;
    }
    bool Begin(const std::string& file, bool video, bool sound)
    {
        AVFilePlayerData data{file, 320, 240};
        if (!Open(&data, video, sound)) return false;
        if (video && !StartVideo(&data)) return false;
        if (sound && !StartAudio(&data)) return false;
        return true;
    }
    void Read(int steps)
    {
        for (int i = 0; i < steps; ++i) ReadNext();
    }
    static std::vector<std::string> Drain(CSyncFIFO* q)
    {
        std::vector<std::string> out;
        while (void* b = q ? q->Pop() : nullptr) {
            out.emplace_back(static_cast<const char*>(b), HeapBlockSize(b));
            HeapFreeBlock(b);
        }
        return out;
    }
    std::vector<std::string> TakeVideo() { return Drain(FVideoQueue.get()); }
    std::vector<std::string> TakeSound() { return Drain(FSoundQueue.get()); }
    CSyncFIFO* VideoQueue() { return FVideoQueue.get(); }
    CSyncFIFO* SoundQueue() { return FSoundQueue.get(); }
};

using Lines = std::vector<std::string>;

TEST(FilePlayer, EachSideStartsAtItsFirstFlaggedRecord)
{
    struct Case {
        const char* Name;
        std::vector<Rec> Records;
        Lines Video, Sound;
    } cases[] = {
        {"key frame and header record",
         {{1, 0, "v1"}, {3, 0, "a1"}, {1, 1, "v2"}, {3, 1, ""}, {3, 0, "a2"}, {1, 0, "v3"}},
         {"v2", "v3"},
         {"", "a2"}},
        // The flag is the whole byte here, unlike the looping reader's bit.
        {"flag byte 2", {{1, 2, "k"}, {1, 0, "n"}, {3, 2, "h"}}, {"k", "n"}, {"h"}},
        // A kind that is neither video nor sound is treated as video.
        {"unknown kind", {{7, 1, "x"}, {2, 0, "y"}}, {"x", "y"}, {}},
        {"no flagged record", {{1, 0, "v"}, {3, 0, "a"}}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestFolder folder("fp_gate");
        WriteRecording(folder + "r.str", c.Records);
        TReaderOnly p;
        ASSERT_TRUE(p.Begin(folder + "r.str", true, true));
        p.Read(static_cast<int>(c.Records.size()) + 2);
        EXPECT_EQ(p.TakeVideo(), c.Video);
        EXPECT_EQ(p.TakeSound(), c.Sound);
    }
}

TEST(FilePlayer, AFullQueueRefusesTheRecordWhichIsReadAgainLater)
{
    TTestFolder folder("fp_full");
    std::vector<Rec> recs = {{3, 1, "h"}};
    for (int i = 0; i < 30; ++i) recs.push_back({3, 0, "a" + std::to_string(i)});
    recs.push_back({1, 1, "key"});
    WriteRecording(folder + "r.str", recs);
    TReaderOnly p;
    ASSERT_TRUE(p.Begin(folder + "r.str", true, true));
    p.Read(29);
    EXPECT_EQ(p.SoundQueue()->GetCount(), 29);
    // Refused again and again: nothing behind it is read.
    p.Read(5);
    EXPECT_EQ(p.SoundQueue()->GetCount(), 29);
    EXPECT_EQ(p.VideoQueue()->GetCount(), 0);
    // Room again: the refused record comes next, not lost.
    HeapFreeBlock(p.SoundQueue()->Pop());
    p.Read(1);
    Lines sound = p.TakeSound();
    ASSERT_EQ(sound.size(), 29u);
    EXPECT_EQ(sound.front(), "a0");
    EXPECT_EQ(sound.back(), "a28");
    p.Read(3);
    EXPECT_EQ(p.TakeSound(), (Lines{"a29"}));
    EXPECT_EQ(p.TakeVideo(), (Lines{"key"}));
}

TEST(FilePlayer, WithoutASoundSideTheVideoQueueIsHeldAtHalf)
{
    for (bool sound : {false, true}) {
        SCOPED_TRACE(sound ? "with a sound side" : "video only");
        TTestFolder folder("fp_half");
        std::vector<Rec> recs;
        for (int i = 0; i < 35; ++i) recs.push_back({1, 1, "f" + std::to_string(i)});
        WriteRecording(folder + "r.str", recs);
        TReaderOnly p;
        ASSERT_TRUE(p.Begin(folder + "r.str", true, sound));
        p.Read(40);
        // 16 of 30 is where the video player starts; with sound the queue fills to 29.
        EXPECT_EQ(p.VideoQueue()->GetCount(), sound ? 29 : 16);
    }
}

TEST(FilePlayer, TheEndOfTheFileIdlesAndARecordCutShortWaitsForTheRest)
{
    TTestFolder folder("fp_end");
    WriteRecording(folder + "whole.str", {{1, 1, "k"}});
    TReaderOnly whole;
    ASSERT_TRUE(whole.Begin(folder + "whole.str", true, true));
    EXPECT_TRUE(whole.ReadNext());
    EXPECT_TRUE(whole.ReadNext());
    EXPECT_TRUE(whole.ReadNext());
    EXPECT_EQ(whole.TakeVideo(), (Lines{"k"}));

    // A recording still being written: its last record is half there, then the
    // writer adds the rest and one more record.
    const std::string growing = folder + "growing.str";
    WriteRecording(growing, {{1, 1, "k"}, {1, 0, "0123456789"}}, 4);
    TReaderOnly cut;
    ASSERT_TRUE(cut.Begin(growing, true, true));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(cut.ReadNext()) << i;
    EXPECT_EQ(cut.TakeVideo(), (Lines{"k"}));
    {
        std::string all = RecordingBytes({{1, 1, "k"}, {1, 0, "0123456789"}, {3, 1, "s"}});
        TFileStream out(growing, fmOpenReadWrite | fmShareDenyNone);
        long long had = out.Seek(0, soEnd);
        out.WriteBuffer(all.data() + had, static_cast<long>(all.size() - had));
    }
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(cut.ReadNext()) << i;
    EXPECT_EQ(cut.TakeVideo(), (Lines{"0123456789"}));
    EXPECT_EQ(cut.TakeSound(), (Lines{"s"}));
}

TEST(FilePlayer, AFileThatCannotBeOpenedStartsNothing)
{
    TTestFolder folder("fp_missing");
    std::unique_ptr<CAVFilePlayer> p(new CAVFilePlayer);
    AVFilePlayerData data{folder + "absent.str", 320, 240};
    EXPECT_FALSE(p->Play(&data, true, true));
    EXPECT_FALSE(p->IsVideoRunning());
    EXPECT_FALSE(p->IsAudioRunning());
    EXPECT_EQ(p->GetPanel(), nullptr);
    EXPECT_TRUE(p->Suspended());
    EXPECT_EQ(p->GetSoundClock(), -1);
    p.reset();
}

// Stopping while both sides still wait for their queues to fill ends at once.
TEST(FilePlayer, StoppingDuringPrebufferingDoesNotWaitForTheQueues)
{
    TTestFolder folder("fp_prebuffer");
    WriteRecording(folder + "r.str", {{3, 1, ""}, {1, 1, "not a frame"}});
    std::unique_ptr<CAVFilePlayer> p(new CAVFilePlayer);
    AVFilePlayerData data{folder + "r.str", 320, 240};
    ASSERT_TRUE(p->Play(&data, true, true));
    ASSERT_NE(p->GetPanel(), nullptr);
    // Still buffering a while later.
    EXPECT_FALSE(PumpUntil([&] { return p->GetPanel()->GetState() < 0; }, 200));
    DWORD t0 = GetTickCount();
    p->Stop();
    EXPECT_LT(GetTickCount() - t0, 3000u);
    EXPECT_FALSE(p->IsVideoRunning());
    EXPECT_FALSE(p->IsAudioRunning());
}

} // namespace
