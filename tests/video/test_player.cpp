// The video player against an injected sound clock: pre-buffering, frames
// shown at their stamps, late frames, pacing without a clock, damaged input,
// and stopping while it plays.
#include "test_gtest.h"
#include "WaitUntil.h"
#include "MediaClock.h"
#include "Mpeg4Player.h"
#include "PlayerBlocks.h"
#include "VideoTestSupport.h"
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

using namespace videotest;

namespace {

const int W = 160, H = 120;
const int kGrey = 128; // the buffering view's background

uint8_t Level(int i) { return static_cast<uint8_t>(20 + 10 * i); }

// Frames i = 0..count-1 of flat pictures at Level(i), compressed as the program does.
std::vector<CompressedFrame> FlatFrames(int count, int w = W, int h = H)
{
    TestCompressor enc;
    EXPECT_TRUE(enc.Open(w, h));
    std::vector<CompressedFrame> frames(count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(enc.Compress(Flat(w, h, Level(i)).data(), 10000, frames[i]), ICERR_OK);
    return frames;
}

void* Payload(uint32_t stamp, const std::vector<uint8_t>& frame, size_t keep = SIZE_MAX)
{
    size_t len = std::min(keep, frame.size());
    uint8_t* b = static_cast<uint8_t*>(HeapAllocZero(4 + len));
    PutStamp(b, stamp);
    std::copy(frame.begin(), frame.begin() + len, b + 4);
    return b;
}

void* RawBlock(std::vector<uint8_t> bytes)
{
    uint8_t* b = static_cast<uint8_t*>(HeapAllocZero(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), b);
    return b;
}

// A queue that frees what is left in it.
struct Queue : CSyncFIFO {
    Queue() : CSyncFIFO(30) {}
    ~Queue() override
    {
        while (void* b = Pop()) HeapFreeBlock(b);
    }
};

struct Repaint {
    DWORD Tick;
    int32_t State;
    int Level;   // the centre pixel's grey as the panel paints it
};

// Records every repaint instead of drawing on a screen: what the panel would
// show at that moment, read back by painting it onto a bitmap.
class Player : public CMpeg4Player {
public:
    Player(CSyncFIFO* q) : CMpeg4Player(W, H, q, true), FCanvas(new TBitmap(W, H, pf24bit)) {}
    ~Player() override { Stop(); }
    std::vector<Repaint> Events()
    {
        std::lock_guard<std::mutex> g(FMutex);
        return FEvents;
    }
    // The distinct pictures shown, in order.
    std::vector<int> Shown()
    {
        std::vector<int> out;
        for (auto& e : Events())
            if (e.State < 0 && (out.empty() || std::abs(out.back() - e.Level) > 4)) out.push_back(e.Level);
        return out;
    }
    // Waits (bounded) until the picture of the given level has been shown.
    bool WaitShown(int level, DWORD ms = 2000)
    {
        for (DWORD t0 = GetTickCount(); GetTickCount() - t0 < ms; Sleep(5)) {
            auto s = Shown();
            if (!s.empty() && std::abs(s.back() - level) <= 4) return true;
        }
        return false;
    }
protected:
    void RepaintPanel() override
    {
        GetPanel()->PaintTo(FCanvas->GetCanvas(), W, H);
        const uint8_t* p = static_cast<const uint8_t*>(FCanvas->ScanLine(H / 2)) + 3 * (W / 2);
        std::lock_guard<std::mutex> g(FMutex);
        FEvents.push_back({GetTickCount(), GetPanel()->GetState(), p[1]});
    }
private:
    std::unique_ptr<TBitmap> FCanvas;
    std::mutex FMutex;
    std::vector<Repaint> FEvents;
};

bool Near(int a, int b) { return std::abs(a - b) <= 4; }

TEST(Mpeg4Player, DelayWithoutClock)
{
    struct { int32_t decode, percent, delay; } cases[] = {
        {20, 50, 80}, {20, 96, 70}, {0, 0, 110}, {90, 50, 30}, {0, 100, 90}, {-50, 0, 130}, {10, 53, 89},
    };
    for (auto& c : cases) EXPECT_EQ(CMpeg4Player::FrameDelay(c.decode, c.percent), c.delay) << c.decode << "/" << c.percent;
}

TEST(Mpeg4Player, PrebuffersUntilTheQueueIsMoreThanHalfFull)
{
    auto frames = FlatFrames(16);
    Queue q;
    Player p(&q);
    for (int i = 0; i < 15; ++i) q.Push(Payload(0, frames[i].Data));
    ASSERT_TRUE(p.Start());
    // "Loading 100 % ..." with a full bar, and nothing taken yet.
    ASSERT_TRUE(WaitUntil([&] { return p.GetPanel()->GetState() == 100; }, 2000));
    EXPECT_EQ(q.GetCount(), 15);
    ASSERT_FALSE(p.Events().empty());
    EXPECT_EQ(p.Events().front().State, 0);
    EXPECT_TRUE(p.Shown().empty());
    q.Push(Payload(0, frames[15].Data));          // the 16th starts playback
    EXPECT_TRUE(p.WaitShown(Level(0)));
    EXPECT_EQ(p.GetFrameWidth(), W);
    EXPECT_EQ(p.GetFrameHeight(), H);
}

TEST(Mpeg4Player, FramesWaitForTheClockToReachTheirStamps)
{
    auto frames = FlatFrames(20);
    Queue q;
    Player p(&q);
    ASSERT_TRUE(p.Start());
    p.SetClock(900);
    for (int i = 0; i < 20; ++i) q.Push(Payload(1000 + 100 * i, frames[i].Data));

    Sleep(300);
    EXPECT_TRUE(p.Shown().empty()) << "frame 0 is stamped 1000, the clock says 900";
    p.SetClock(1000);
    ASSERT_TRUE(p.WaitShown(Level(0), 500));

    // Frames 1 and 2 are due (late ones go at once), frame 3 at 1300 is not.
    DWORD t0 = GetTickCount();
    p.SetClock(1250);
    ASSERT_TRUE(p.WaitShown(Level(2), 500));
    EXPECT_LT(GetTickCount() - t0, 300u);
    Sleep(300);
    EXPECT_TRUE(Near(p.Shown().back(), Level(2)));

    // Everything late: the rest follows in order, about 10 ms apart.
    p.SetClock(100000);
    ASSERT_TRUE(p.WaitShown(Level(19), 3000));
    std::vector<int> shown = p.Shown();
    ASSERT_EQ(shown.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(Near(shown[i], Level(i))) << i << ": " << shown[i];
}

TEST(Mpeg4Player, ClockGoingAwayEndsTheWait)
{
    auto frames = FlatFrames(16);
    Queue q;
    Player p(&q);
    ASSERT_TRUE(p.Start());
    p.SetClock(5000);
    for (int i = 0; i < 16; ++i) q.Push(Payload(5200 + i, frames[i].Data));
    Sleep(300);
    EXPECT_TRUE(p.Shown().empty());
    p.SetClock(-1);
    EXPECT_TRUE(p.WaitShown(Level(0), 500));
}

TEST(Mpeg4Player, PacesItselfWithoutAClock)
{
    auto frames = FlatFrames(20);
    Queue q;
    Player p(&q);
    for (int i = 0; i < 20; ++i) q.Push(Payload(1000 + 100 * i, frames[i].Data));
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(p.WaitShown(Level(5), 3000));
    // Six pictures at roughly 90 ms each (queue above half): well over 300 ms, well under 1 s.
    auto events = p.Events();
    DWORD first = 0, fifth = 0;
    for (auto& e : events) {
        if (e.State < 0 && !first) first = e.Tick;
        if (e.State < 0 && Near(e.Level, Level(5)) && !fifth) fifth = e.Tick;
    }
    EXPECT_GT(fifth - first, 300u);
    EXPECT_LT(fifth - first, 1000u);
}

TEST(Mpeg4Player, DamagedInputIsDroppedAndABadFrameWaitsForTheNextKeyFrame)
{
    auto frames = FlatFrames(20);
    ASSERT_TRUE(frames[16].Key);
    std::vector<uint8_t> damaged = frames[3].Data;
    for (size_t i = 8; i < damaged.size(); i += 3) damaged[i] ^= 0x5A;
    // A key frame start whose VOL claims a size no broadcast has.
    std::vector<uint8_t> hugeKey = frames[0].Data;
    hugeKey[13] |= 0x0F;
    hugeKey[14] = 0xFF;

    Queue q;
    Player p(&q);
    q.Push(RawBlock({1, 2}));                    // shorter than a stamp
    q.Push(RawBlock({0, 0, 0, 0}));              // a stamp and no frame
    q.Push(Payload(0, frames[0].Data, 12));      // key frame too short for its size
    q.Push(Payload(0, hugeKey));
    q.Push(Payload(0, frames[1].Data));          // no key frame seen yet
    for (int i = 0; i < 20; ++i) q.Push(Payload(0, i == 3 ? damaged : frames[i].Data));
    ASSERT_TRUE(p.Start());
    p.SetClock(100000);
    ASSERT_TRUE(p.WaitShown(Level(19), 5000));
    std::vector<int> shown = p.Shown();
    std::vector<int> want = {0, 1, 2, 16, 17, 18, 19};
    ASSERT_EQ(shown.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_TRUE(Near(shown[i], Level(want[i]))) << i << ": " << shown[i];
    EXPECT_EQ(p.GetFrameWidth(), W);
}

// A key frame damaged in the middle of playback: the frames predicted from it
// are not decoded against the picture before it; the next key frame goes on.
TEST(Mpeg4Player, ADamagedKeyFrameMidStreamWaitsForTheNextKeyFrame)
{
    auto frames = FlatFrames(20);
    ASSERT_TRUE(frames[16].Key);
    for (int i = 17; i < 20; ++i) ASSERT_FALSE(frames[i].Key);
    TestCompressor next;
    ASSERT_TRUE(next.Open(W, H));
    CompressedFrame fresh;
    ASSERT_EQ(next.Compress(Flat(W, H, Level(25)).data(), 10000, fresh), ICERR_OK);
    ASSERT_TRUE(fresh.Key);

    Queue q;
    Player p(&q);
    for (int i = 0; i < 20; ++i) q.Push(i == 16 ? Payload(0, frames[i].Data, 12) : Payload(0, frames[i].Data));
    ASSERT_TRUE(p.Start());
    p.SetClock(100000);
    ASSERT_TRUE(p.WaitShown(Level(15), 5000));
    q.Push(Payload(0, fresh.Data));
    ASSERT_TRUE(p.WaitShown(Level(25), 5000));
    std::vector<int> shown = p.Shown();
    ASSERT_EQ(shown.size(), 17u);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(Near(shown[i], Level(i))) << i << ": " << shown[i];
    EXPECT_TRUE(Near(shown[16], Level(25))) << shown[16];
}

TEST(Mpeg4Player, KeyFrameOfAnotherSizeReopensTheDecoder)
{
    auto little = FlatFrames(17);
    auto large = FlatFrames(2, 320, 240);
    Queue q;
    Player p(&q);
    for (int i = 0; i < 17; ++i) q.Push(Payload(0, little[i].Data));
    q.Push(Payload(0, large[0].Data));
    q.Push(Payload(0, large[1].Data));
    ASSERT_TRUE(p.Start());
    p.SetClock(100000);
    for (DWORD t0 = GetTickCount(); p.Shown().size() < 19 && GetTickCount() - t0 < 5000;) Sleep(5);
    std::vector<int> shown = p.Shown();
    ASSERT_EQ(shown.size(), 19u);
    EXPECT_TRUE(Near(shown[17], Level(0)));
    EXPECT_TRUE(Near(shown[18], Level(1)));
    EXPECT_EQ(p.GetFrameWidth(), 320);
    EXPECT_EQ(p.GetFrameHeight(), 240);
}

TEST(Mpeg4Player, StopReturnsPromptlyWhateverThePlayerIsDoing)
{
    auto frames = FlatFrames(16);
    enum Case { Prebuffering, WaitingForClock, PacingWithoutClock, NeverStarted };
    for (Case c : {Prebuffering, WaitingForClock, PacingWithoutClock, NeverStarted}) {
        Queue q;
        std::unique_ptr<Player> p(new Player(&q));
        if (c != Prebuffering) {
            for (int i = 0; i < 16; ++i) q.Push(Payload(1000000, frames[i].Data));
        }
        if (c != NeverStarted) {
            ASSERT_TRUE(p->Start());
        }
        if (c == WaitingForClock) p->SetClock(0);
        Sleep(200);
        DWORD t0 = GetTickCount();
        p->Stop();
        p->Stop();
        p.reset();
        // Generous: this catches a stop that waits on the stream, not a slow machine.
        EXPECT_LT(GetTickCount() - t0, 2000u) << "case " << c;
    }
}

// The broadcasting program's player has the GUI thread repaint: it makes no
// progress while the GUI thread is busy, and a stop on the GUI thread serves
// the repaint it is waiting for.
TEST(Mpeg4Player, RepaintsThroughTheGuiThread)
{
    auto frames = FlatFrames(20);
    Queue q;
    for (int i = 0; i < 20; ++i) q.Push(Payload(0, frames[i].Data));
    CMpeg4Player p(W, H, &q);
    ASSERT_TRUE(p.Start());
    Sleep(300);
    EXPECT_EQ(q.GetCount(), 20) << "blocked in its first repaint";
    for (DWORD t0 = GetTickCount(); q.GetCount() > 15 && GetTickCount() - t0 < 3000;) CheckSynchronize(10);
    EXPECT_LE(q.GetCount(), 15);
    EXPECT_EQ(p.GetPanel()->GetState(), -1);
    DWORD t0 = GetTickCount();
    p.Stop();
    EXPECT_LT(GetTickCount() - t0, 500u);
}

} // namespace
