// Real-time factor (seconds of sound per second of CPU) of the broadcast
// sound path: encoding 100 ms buffers of 8000 Hz 16-bit mono speech-like
// sound with headers every 2 s, as the capture callback does, and decoding
// the payloads to 8-bit PCM through the sound player's parser and decoder.
// Usage: bench_sound [seconds of sound, default 60] [least CPU seconds per side, default 2]
#include "OggEncoder.h"
#include "OggPlayer.h"
#include "PlayerBlocks.h"
#include "SoundFixtures.h"
#include <windows.h>
#include <mmsystem.h>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// CPU time of this thread in seconds (kernel + user), never clock().
double ThreadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto s = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e7;
    };
    return s(kernel) + s(user);
}

std::vector<std::vector<uint8_t>> Encode(const std::vector<uint8_t>& pcm, double& cpu)
{
    std::vector<std::vector<uint8_t>> payloads;
    COggEncoder enc;
    double t0 = ThreadCpuSeconds();
    enc.Init(1, 8000, 16, -0.1f);
    int buffers = 0;
    for (size_t at = 0; at + 1600 <= pcm.size(); at += 1600) {
        enc.Encode(pcm.data() + at, 1600);
        uint8_t* data = nullptr;
        int32_t length = 0;
        if (enc.GetPages(true, data, length)) payloads.emplace_back(data, data + length);
        std::free(data);
        if (++buffers % 20 == 0) {
            enc.WriteHeaders();
            if (enc.GetPages(false, data, length)) payloads.emplace_back(data, data + length);
            std::free(data);
        }
    }
    enc.Close();
    cpu = ThreadCpuSeconds() - t0;
    return payloads;
}

size_t Decode(const std::vector<std::vector<uint8_t>>& payloads, double& cpu)
{
    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    size_t samples = 0, next = 0;
    double t0 = ThreadCpuSeconds();
    for (;;) {
        while (next < payloads.size() && !queue.IsFull()) {
            void* b = HeapAllocZero(payloads[next].size());
            std::memcpy(b, payloads[next].data(), payloads[next].size());
            queue.Push(b);
            ++next;
        }
        ogg_packet* p = player.GetPacket();
        if (!p) {
            if (next >= payloads.size()) break;
            continue;
        }
        void* s = player.Codec().Decode(p);
        delete p;
        if (s) {
            samples += HeapBlockSize(s);
            HeapFreeBlock(s);
        }
    }
    cpu = ThreadCpuSeconds() - t0;
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    double minCpu = argc > 2 ? std::atof(argv[2]) : 2.0;
    if (seconds < 1) seconds = 1;
    if (minCpu < 0.1) minCpu = 0.1;
    std::vector<uint8_t> pcm = soundtest::LittleEndian(soundtest::SpeechLike(seconds * 8000));
    // Repeat each side until it has used enough CPU time for the thread
    // clock's coarse ticks not to matter.
    double encCpu = 0, decCpu = 0;
    DWORD encWall = 0, decWall = 0;
    int encRounds = 0, decRounds = 0;
    size_t bytes = 0, samples = 0;
    std::vector<std::vector<uint8_t>> payloads;
    while (encCpu < minCpu) {
        double cpu = 0;
        DWORD t0 = timeGetTime();
        payloads = Encode(pcm, cpu);
        encWall += timeGetTime() - t0;
        encCpu += cpu;
        ++encRounds;
    }
    for (auto& p : payloads) bytes += p.size();
    while (decCpu < minCpu) {
        double cpu = 0;
        DWORD t0 = timeGetTime();
        samples = Decode(payloads, cpu);
        decWall += timeGetTime() - t0;
        decCpu += cpu;
        ++decRounds;
    }
    std::printf("sound: %d s of speech-like sound, 8000 Hz 16-bit mono, quality -0.1, headers every 2 s\n", seconds);
    std::printf("encode: real-time factor %.0f (CPU), %.0f (wall); %d rounds; payload %.0f bytes/s\n",
                seconds * encRounds / encCpu, seconds * encRounds * 1000.0 / (encWall ? encWall : 1), encRounds,
                double(bytes) / seconds);
    std::printf("decode: real-time factor %.0f (CPU), %.0f (wall); %d rounds; %zu samples out\n",
                seconds * decRounds / decCpu, seconds * decRounds * 1000.0 / (decWall ? decWall : 1), decRounds,
                samples);
    std::fflush(stdout);
    return 0;
}
