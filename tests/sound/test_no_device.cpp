// Without any sound device (SOFTCARD_DEFAULT names one that does not exist):
// capture does not open, and the sound player still runs its clock and stops
// at once instead of waiting for buffers that never come back.
#include "test_gtest.h"
#include "EncodeHelpers.h"
#include "WaveIn.h"
#include <algorithm>
#include <cstdint>

using namespace soundtest;

namespace {

int32_t Ignore(uint8_t*, int32_t, DWORD_PTR) { return WAVEIN_CB_REQUEUE; }

TEST(NoSoundDevice, CaptureDoesNotOpen)
{
    CWaveIn in(4, 1600);
    WAVEFORMATEX f = {WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    EXPECT_FALSE(in.Open(WAVE_MAPPER, f, &Ignore, 0));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_TRUE(in.Close());
}

TEST(NoSoundDevice, PlayerFollowsThePacketsAndStopsAtOnce)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    Payloads payloads = EncodeStream(enc, SpeechLike(4 * 8000), true, false);
    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    for (size_t i = 0; i < payloads.size() && !queue.IsFull(); ++i)
        if (!payloads[i].empty()) queue.Push(ToBlock(payloads[i]));
    ASSERT_TRUE(player.Start());
    EXPECT_FALSE(player.Output().IsOpen());
    std::vector<Packet> packets = PacketsOf(payloads);
    bool sawClock = false;
    DWORD t0 = GetTickCount();
    while (GetTickCount() - t0 < 3000 && !sawClock) {
        int32_t c = player.GetClock();
        if (c != -1) {
            sawClock = true;
            // Header packets carry the moment they were written, audio
            // packets the capture of their sound: the clock is one of them.
            int32_t lowest = INT32_MAX, highest = INT32_MIN;
            for (const Packet& p : packets) {
                lowest = std::min(lowest, int32_t(StampOf(p)));
                highest = std::max(highest, int32_t(StampOf(p)));
            }
            EXPECT_GE(c, lowest);
            EXPECT_LE(c, highest);
        }
        Sleep(2);
    }
    EXPECT_TRUE(sawClock);
    DWORD stopStart = GetTickCount();
    player.Stop();
    EXPECT_LT(GetTickCount() - stopStart, 500u);
    while (void* b = queue.Pop()) HeapFreeBlock(b);
}

} // namespace
