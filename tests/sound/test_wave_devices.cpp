// The real waveIn and waveOut paths, on the prefix's sound device: known
// sound goes in through the input file, what is played comes out in the
// output file (SOFTCARD_IN, SOFTCARD_OUT; 16-bit mono, 8000 per second).
#include "test_gtest.h"
#include "WaitUntil.h"
#include "PlayerBlocks.h"
#include "SoundFixtures.h"
#include "WaveIn.h"
#include "WaveOut.h"
#include <atomic>
#include <mutex>

using namespace soundtest;

namespace {

WAVEFORMATEX Pcm(int bits, int rate = 8000, int channels = 1)
{
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(channels);
    f.nSamplesPerSec = static_cast<DWORD>(rate);
    f.wBitsPerSample = static_cast<WORD>(bits);
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    return f;
}

struct Capture {
    std::mutex Lock;
    std::vector<uint8_t> Data;
    std::vector<DWORD> Times;
    std::vector<int32_t> Sizes;
    int32_t Result = WAVEIN_CB_REQUEUE;
    DWORD SleepMs = 0;
    std::atomic<int> Calls{0};
    std::atomic<bool> Inside{false};

    size_t Buffers()
    {
        std::lock_guard<std::mutex> g(Lock);
        return Sizes.size();
    }
    static int32_t Callback(uint8_t* data, int32_t bytes, DWORD_PTR user)
    {
        Capture* c = reinterpret_cast<Capture*>(user);
        c->Inside = true;
        {
            std::lock_guard<std::mutex> g(c->Lock);
            c->Data.insert(c->Data.end(), data, data + bytes);
            c->Times.push_back(GetTickCount());
            c->Sizes.push_back(bytes);
        }
        ++c->Calls;
        if (c->SleepMs) Sleep(c->SleepMs);
        c->Inside = false;
        return c->Result;
    }
};

class WaveDevices : public testing::Test {
protected:
    void SetUp() override
    {
        InFile = SoftcardPath("SOFTCARD_IN");
        OutFile = SoftcardPath("SOFTCARD_OUT");
        ASSERT_FALSE(InFile.empty()) << "SOFTCARD_IN is not set: run through ctest";
        ASSERT_FALSE(OutFile.empty()) << "SOFTCARD_OUT is not set: run through ctest";
        ASSERT_GT(waveInGetNumDevs(), 0u);
        ASSERT_GT(waveOutGetNumDevs(), 0u);
        Known = SpeechLike(5 * 8000);
        std::vector<uint8_t> bytes = LittleEndian(Known);
        ASSERT_TRUE(WriteFileBytes(InFile, bytes.data(), bytes.size()));
        DeleteFileA(OutFile.c_str());
    }
    std::string InFile, OutFile;
    std::vector<int16_t> Known;
};

TEST_F(WaveDevices, CaptureDeliversTheKnownSoundInRealTime)
{
    CWaveIn in(4, 1600);
    Capture cap;
    ASSERT_TRUE(in.Open(WAVE_MAPPER, Pcm(16), &Capture::Callback, reinterpret_cast<DWORD_PTR>(&cap)));
    DWORD t0 = GetTickCount();
    ASSERT_TRUE(in.Start());
    EXPECT_TRUE(WaitUntil([&] { return cap.Buffers() >= 12; }, 6000));
    DWORD spent = GetTickCount() - t0;
    in.Stop();
    in.Close();
    ASSERT_GE(cap.Sizes.size(), 12u);
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(cap.Sizes[i], 1600) << i;
    // 12 buffers of 100 ms: real time, not faster.
    EXPECT_GE(spent, 1000u);
    EXPECT_GE(cap.Times[11] - cap.Times[1], 700u);
    // Exactly the known sound, from its beginning.
    std::vector<int16_t> got = FromLittleEndian(cap.Data);
    ASSERT_GE(got.size(), 12 * 800u);
    size_t same = 0;
    while (same < got.size() && same < Known.size() && got[same] == Known[same]) ++same;
    EXPECT_GE(same, 12 * 800u);
}

TEST_F(WaveDevices, CallbackResultsControlTheRing)
{
    struct { int32_t result; size_t expected; const char* name; } cases[] = {
        {WAVEIN_CB_STOP, 1, "stop at once"},
        {WAVEIN_CB_DROP, 4, "each buffer leaves the ring"},
    };
    for (auto& c : cases) {
        CWaveIn in(4, 1600);
        Capture cap;
        cap.Result = c.result;
        ASSERT_TRUE(in.Open(WAVE_MAPPER, Pcm(16), &Capture::Callback, reinterpret_cast<DWORD_PTR>(&cap)));
        ASSERT_TRUE(in.Start());
        EXPECT_TRUE(WaitUntil([&] { return cap.Buffers() >= c.expected; }, 3000)) << c.name;
        Sleep(700);
        EXPECT_EQ(cap.Buffers(), c.expected) << c.name;
        // Closing still unprepares and closes normally.
        EXPECT_TRUE(in.Close()) << c.name;
        EXPECT_FALSE(in.IsOpen());
    }
}

TEST_F(WaveDevices, StopThenStartResumesDelivery)
{
    CWaveIn in(4, 1600);
    Capture cap;
    ASSERT_TRUE(in.Open(WAVE_MAPPER, Pcm(16), &Capture::Callback, reinterpret_cast<DWORD_PTR>(&cap)));
    ASSERT_TRUE(in.Start());
    ASSERT_TRUE(WaitUntil([&] { return cap.Buffers() >= 2; }, 3000));
    in.Stop();
    size_t atStop = cap.Buffers();
    Sleep(400);
    EXPECT_EQ(cap.Buffers(), atStop);
    ASSERT_TRUE(in.Start());
    EXPECT_TRUE(WaitUntil([&] { return cap.Buffers() >= atStop + 3; }, 3000));
    in.Close();
}

// Stop returns only when no callback runs any more: what the callback uses
// (the encoder, the recording) may be closed right after it.
TEST_F(WaveDevices, StopWaitsForARunningCallback)
{
    CWaveIn in(4, 1600);
    Capture cap;
    cap.SleepMs = 250;
    ASSERT_TRUE(in.Open(WAVE_MAPPER, Pcm(16), &Capture::Callback, reinterpret_cast<DWORD_PTR>(&cap)));
    ASSERT_TRUE(in.Start());
    ASSERT_TRUE(WaitUntil([&] { return cap.Inside.load(); }, 3000));
    in.Stop();
    EXPECT_FALSE(cap.Inside.load());
    int calls = cap.Calls;
    Sleep(300);
    EXPECT_EQ(cap.Calls.load(), calls);
    in.Close();
}

TEST_F(WaveDevices, RejectedFormatOpensNothing)
{
    CWaveIn in(4, 1600);
    Capture cap;
    EXPECT_TRUE(in.Close());   // never opened
    WAVEFORMATEX bad = Pcm(16);
    bad.wFormatTag = 0x7777;
    EXPECT_FALSE(CWaveIn::CheckFormat(WAVE_MAPPER, bad));
    EXPECT_FALSE(in.Open(WAVE_MAPPER, bad, &Capture::Callback, reinterpret_cast<DWORD_PTR>(&cap)));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(in.Start());
    CWaveOut out(8, 256);
    EXPECT_FALSE(out.Open(WAVE_MAPPER, bad, nullptr, 0));
    EXPECT_FALSE(out.IsOpen());
    EXPECT_TRUE(CWaveIn::CheckFormat(WAVE_MAPPER, Pcm(16)));
    EXPECT_TRUE(CWaveOut::CheckFormat(WAVE_MAPPER, Pcm(8)));
}

// What the output file holds, as 8-bit samples; the device may add silence
// of its own where it ran dry, so silence is left out on both sides.
std::vector<uint8_t> Played(const std::string& file)
{
    std::vector<int16_t> s = FromLittleEndian(ReadFileBytes(file));
    std::vector<uint8_t> out;
    for (int16_t v : s)
        if (v != 0) out.push_back(static_cast<uint8_t>((v >> 8) + 128));
    return out;
}

void OnDone(DWORD_PTR user) { InterlockedIncrement(reinterpret_cast<LONG*>(user)); }

TEST_F(WaveDevices, OutputSendsOnlyFullBuffersUntilFlushed)
{
    CWaveOut out(8, 256);
    LONG done = 0;
    ASSERT_TRUE(out.Open(WAVE_MAPPER, Pcm(8), &OnDone, reinterpret_cast<DWORD_PTR>(&done)));
    std::vector<uint8_t> sound(300);
    for (size_t i = 0; i < sound.size(); ++i) {
        int v = 1 + int(i * 7) % 250;
        sound[i] = static_cast<uint8_t>(v >= 128 ? v + 1 : v);   // never 128, the silence
    }
    out.Write(sound.data(), 300);
    // One 256-byte buffer played; 44 bytes wait in the next one.
    EXPECT_TRUE(WaitUntil([&] { return done >= 1; }, 2000));
    Sleep(150);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(Played(OutFile), std::vector<uint8_t>(sound.begin(), sound.begin() + 256));
    out.Flush();
    EXPECT_TRUE(WaitUntil([&] { return done >= 2; }, 2000));
    out.Drain();
    out.Close();
    EXPECT_EQ(Played(OutFile), sound);
}

TEST_F(WaveDevices, OutputRunsInRealTimeAndBlocksWhileAllBuffersAreQueued)
{
    CWaveOut out(8, 256);
    ASSERT_TRUE(out.Open(WAVE_MAPPER, Pcm(8), nullptr, 0));
    std::vector<uint8_t> sound(8000);   // one second
    for (size_t i = 0; i < sound.size(); ++i) sound[i] = static_cast<uint8_t>(128 + 60 * std::sin(2 * Pi * 300 * i / 8000.0) + 1) | 1;
    DWORD t0 = GetTickCount();
    // 8 buffers of 32 ms: the writer waits for the device most of the second.
    for (size_t at = 0; at < sound.size(); at += 500) out.Write(sound.data() + at, 500);
    DWORD writing = GetTickCount() - t0;
    out.Drain();
    DWORD total = GetTickCount() - t0;
    out.Close();
    EXPECT_GE(writing, 600u);
    EXPECT_GE(total, 900u);
    EXPECT_LT(total, 5000u);
    EXPECT_EQ(Played(OutFile), sound);
}

TEST_F(WaveDevices, CancelReleasesABlockedWriterAtOnce)
{
    CWaveOut out(2, 4000);   // two half-second buffers
    ASSERT_TRUE(out.Open(WAVE_MAPPER, Pcm(8), nullptr, 0));
    std::vector<uint8_t> sound(16000, 100);
    struct Args {
        CWaveOut* Out;
        std::vector<uint8_t>* Sound;
        DWORD Ended;
    } args{&out, &sound, 0};
    struct Writer {
        static DWORD WINAPI Run(LPVOID p)
        {
            Args* a = static_cast<Args*>(p);
            a->Out->Write(a->Sound->data(), static_cast<int32_t>(a->Sound->size()));
            a->Ended = GetTickCount();
            return 0;
        }
    };
    HANDLE h = CreateThread(nullptr, 0, &Writer::Run, &args, 0, nullptr);
    ASSERT_NE(h, nullptr);
    Sleep(300);
    EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_TIMEOUT));   // blocked: both buffers queued
    DWORD cancelled = GetTickCount();
    out.Cancel();
    EXPECT_EQ(WaitForSingleObject(h, 1000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_LT(args.Ended - cancelled, 500u);
    CloseHandle(h);
    out.Close();
}

} // namespace
