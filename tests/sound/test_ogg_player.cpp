// The sound player on the real devices: sound captured through waveIn,
// encoded in the capture callback as the broadcasting program does, played
// through waveOut; the audio clock follows the stamps in real time.
#include "test_gtest.h"
#include "WaitUntil.h"
#include "EncodeHelpers.h"
#include "MediaClock.h"
#include "WaveIn.h"
#include <algorithm>
#include <mutex>

using namespace soundtest;

namespace {

struct Broadcast {
    COggEncoder Encoder;
    std::mutex Lock;
    Payloads Out;
    int Buffers = 0;

    static int32_t OnSound(uint8_t* data, int32_t bytes, DWORD_PTR user)
    {
        Broadcast* b = reinterpret_cast<Broadcast*>(user);
        std::lock_guard<std::mutex> g(b->Lock);
        b->Encoder.Encode(data, bytes);
        b->Out.push_back(TakePages(b->Encoder, true));
        // Headers every 10 buffers, collected without flush, like the 2-second timer.
        if (++b->Buffers % 10 == 0) {
            b->Encoder.WriteHeaders();
            b->Out.push_back(TakePages(b->Encoder, false));
        }
        return WAVEIN_CB_REQUEUE;
    }
};

class SoundPlayer : public testing::Test {
protected:
    void SetUp() override
    {
        InFile = SoftcardPath("SOFTCARD_IN");
        OutFile = SoftcardPath("SOFTCARD_OUT");
        ASSERT_FALSE(InFile.empty()) << "SOFTCARD_IN is not set: run through ctest";
        DeleteFileA(OutFile.c_str());
    }

    // Captures seconds of known sound through the real input path and encodes it.
    Payloads CaptureEncoded(const std::vector<int16_t>& known, int buffers)
    {
        std::vector<uint8_t> bytes = LittleEndian(known);
        EXPECT_TRUE(WriteFileBytes(InFile, bytes.data(), bytes.size()));
        Broadcast b;
        EXPECT_TRUE(b.Encoder.Init(1, 8000, 16, -0.1f));
        CWaveIn in(4, 1600);
        WAVEFORMATEX f = {WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
        EXPECT_TRUE(in.Open(WAVE_MAPPER, f, &Broadcast::OnSound, reinterpret_cast<DWORD_PTR>(&b)));
        EXPECT_TRUE(in.Start());
        EXPECT_TRUE(WaitUntil([&] {
            std::lock_guard<std::mutex> g(b.Lock);
            return b.Buffers >= buffers;
        }, buffers * 100 + 5000));
        in.Stop();
        // Stop has waited for the callback: the encoder is ours alone again.
        in.Close();
        Payloads out;
        for (auto& p : b.Out)
            if (!p.empty()) out.push_back(p);
        return out;
    }

    std::string InFile, OutFile;
};

TEST_F(SoundPlayer, CapturedSoundPlaysBackWithTheClockInRealTime)
{
    std::vector<int16_t> known = Tone(440, 6 * 8000, 12000);
    Payloads payloads = CaptureEncoded(known, 50);
    ASSERT_GE(payloads.size(), 30u);
    std::vector<Packet> packets = PacketsOf(payloads);
    ASSERT_FALSE(packets.empty());
    int32_t firstStamp = int32_t(StampOf(packets.front())), lastStamp = firstStamp;
    for (const Packet& p : packets) lastStamp = std::max(lastStamp, int32_t(StampOf(p)));
    // Stamps of real-time capture span the captured time.
    EXPECT_GE(lastStamp - firstStamp, 3000);

    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    size_t next = 0;
    auto feed = [&] {
        while (next < payloads.size() && !queue.IsFull()) queue.Push(ToBlock(payloads[next++]));
    };
    feed();
    ASSERT_TRUE(player.Start());
    struct Sample {
        DWORD wall;
        int32_t clock;
    };
    std::vector<Sample> seen;
    DWORD t0 = GetTickCount();
    while (GetTickCount() - t0 < 8000) {
        feed();
        int32_t c = player.GetClock();
        if (c != -1) seen.push_back({GetTickCount(), c});
        if (next >= payloads.size() && queue.IsEmpty() && GetTickCount() - t0 > 1000 && c == -1) break;
        Sleep(20);
    }
    player.Stop();
    ASSERT_GT(seen.size(), 50u);
    // The clock follows the stamps and advances at the pace of the sound; a
    // stamp is where its packet's sound starts, so the clock goes on through
    // the last packet (a Vorbis packet here holds 32 ms).
    for (auto& s : seen) {
        EXPECT_GE(s.clock, firstStamp);
        EXPECT_LE(s.clock, lastStamp + 40);
    }
    const Sample& a = seen[seen.size() / 5];
    const Sample& b = seen[seen.size() * 4 / 5];
    double rate = double(b.clock - a.clock) / double(b.wall - a.wall);
    EXPECT_GT(rate, 0.5) << "clock advanced " << (b.clock - a.clock) << " ms in " << (b.wall - a.wall) << " ms";
    EXPECT_LT(rate, 1.5) << "clock advanced " << (b.clock - a.clock) << " ms in " << (b.wall - a.wall) << " ms";

    // What the device played is the captured tone.
    std::vector<int16_t> played = FromLittleEndian(ReadFileBytes(OutFile));
    ASSERT_GT(played.size(), 3u * 8000);
    std::vector<double> x = FromSigned16(played);
    EXPECT_GT(ToneEnergy(x, 440), 50 * ToneEnergy(x, 1000));
    // Decoding the same payloads without a device gives the same samples.
    Decoded d = Decode(payloads);
    std::vector<uint8_t> nonSilent;
    for (int16_t v : played)
        if (v != 0) nonSilent.push_back(static_cast<uint8_t>((v >> 8) + 128));
    std::vector<uint8_t> expected;
    for (uint8_t u : d.samples)
        if (u != 128) expected.push_back(u);
    ASSERT_GT(expected.size(), 3u * 8000);
    size_t same = 0;
    while (same < nonSilent.size() && same < expected.size() && nonSilent[same] == expected[same]) ++same;
    EXPECT_GT(same, expected.size() * 9 / 10);
}

TEST_F(SoundPlayer, StoppingMidStreamReturnsPromptly)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    Payloads payloads = EncodeStream(enc, SpeechLike(10 * 8000), true, false, 20);
    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    for (size_t i = 0; i < payloads.size() && !queue.IsFull(); ++i)
        if (!payloads[i].empty()) queue.Push(ToBlock(payloads[i]));
    ASSERT_TRUE(player.Start());
    ASSERT_TRUE(WaitUntil([&] { return player.GetClock() != -1; }, 3000));
    Sleep(500);
    DWORD t0 = GetTickCount();
    player.Stop();
    DWORD spent = GetTickCount() - t0;
    EXPECT_LT(spent, 1500u);
    EXPECT_EQ(player.GetClock(), -1);
    EXPECT_TRUE(player.Finished());
    // The queue is still the caller's.
    while (void* b = queue.Pop()) HeapFreeBlock(b);
}

TEST_F(SoundPlayer, StoppingWhilePrebufferingReturnsPromptly)
{
    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    ASSERT_TRUE(player.Start());
    Sleep(100);
    DWORD t0 = GetTickCount();
    player.Stop();
    EXPECT_LT(GetTickCount() - t0, 500u);
}

} // namespace
