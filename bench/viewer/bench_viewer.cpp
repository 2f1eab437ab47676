// Glass-to-glass delay of the viewer: from a frame's capture stamp to the
// moment the screen shows it in the viewer host, over a broadcast on this
// machine (the test broadcaster, the real control in the viewer host), set
// against the delay the design itself imposes: each player waits until its
// queue is more than half full (16 of 30 packets), and the video waits for
// the sound's clock.
//   bench_viewer [seconds]      (default 60)
#include "Forms.h"
#include "MediaClock.h"
#include "SysUtils.h"
#include "ViewerRun.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

const int PrebufferPackets = 16;      // more than half of a queue of 30
const int SoundOutputBytes = 8 * 256; // the sound player's output buffers, 8-bit at 8000 Hz

struct TStats {
    size_t Count = 0;
    double Mean = 0;
    int Min = 0, Median = 0, P95 = 0, Max = 0;
};

TStats Summarise(std::vector<int> v)
{
    TStats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.Count = v.size();
    double sum = 0;
    for (int x : v) sum += x;
    s.Mean = sum / v.size();
    s.Min = v.front();
    s.Max = v.back();
    s.Median = v[v.size() / 2];
    s.P95 = v[std::min(v.size() - 1, v.size() * 95 / 100)];
    return s;
}

void Print(const char* label, const TStats& s)
{
    std::printf("  %-34s n=%-5zu mean %6.0f  min %5d  median %5d  p95 %5d  max %5d ms\n", label, s.Count, s.Mean, s.Min,
                s.Median, s.P95, s.Max);
}

int Run(int seconds)
{
    TTestBroadcaster::TOptions o;
    std::string folder = IncludeTrailingPathDelimiter(ModuleFolder()) + "viewer_bench";
    TViewerRun run(folder, HOST_PROGRAM, seconds + 30);
    std::string error;
    if (!run.Start(error)) {
        std::fprintf(stderr, "bench_viewer: %s\n", error.c_str());
        return 1;
    }
    std::printf("viewer glass-to-glass delay: %d s of broadcast, %dx%d video every %lu ms, sound in %lu ms packets\n",
                seconds, o.Width, o.Height, static_cast<unsigned long>(o.FrameMs),
                static_cast<unsigned long>(o.SoundMs));
    std::fflush(stdout);
    run.Probe().Watch(static_cast<DWORD>(seconds) * 1000);

    std::map<uint32_t, uint32_t> stamps;
    for (const auto& f : run.Broadcaster().Frames()) stamps[f.Number] = f.Stamp;
    std::vector<int> delays;
    const auto& seen = run.Probe().Frames();
    uint32_t firstSeen = seen.empty() ? 0 : seen.front().Time;
    for (const auto& s : seen) {
        auto it = stamps.find(s.Number);
        if (it != stamps.end()) delays.push_back(static_cast<int32_t>(s.Time - it->second));
    }
    // Once the start is over: the steady delay, from 10 s after the first picture.
    std::vector<int> steady;
    for (size_t i = 0; i < seen.size(); ++i)
        if (static_cast<int32_t>(seen[i].Time - firstSeen) >= 10000) {
            auto it = stamps.find(seen[i].Number);
            if (it != stamps.end()) steady.push_back(static_cast<int32_t>(seen[i].Time - it->second));
        }

    // The sound beside the picture: a beep's arrival at the sound card against
    // the first showing of the last frame stamped no later than the beep.
    std::vector<uint32_t> beepStamps = run.Broadcaster().BeepStamps();
    std::vector<uint32_t> beepTimes = run.Probe().BeepTimes();
    std::vector<int> soundDelays, offsets;
    auto frames = run.Broadcaster().Frames();
    for (uint32_t t : beepTimes) {
        // The beep heard at t is the latest one stamped before t.
        uint32_t stamp = 0;
        bool found = false;
        for (uint32_t b : beepStamps)
            if (static_cast<int32_t>(t - b) > 0 && (!found || static_cast<int32_t>(b - stamp) > 0)) {
                stamp = b;
                found = true;
            }
        if (!found) continue;
        soundDelays.push_back(static_cast<int32_t>(t - stamp));
        uint32_t number = 0;
        bool haveFrame = false;
        for (const auto& f : frames)
            if (static_cast<int32_t>(stamp - f.Stamp) >= 0) {
                number = f.Number;
                haveFrame = true;
            }
        if (!haveFrame) continue;
        for (const auto& s : seen)
            if (s.Number == number) {
                offsets.push_back(static_cast<int32_t>(t - s.Time));
                break;
            }
    }
    // The same beeps against the picture captured with them: the frame last
    // stamped at or before the beep's own capture moment. The packet's stamp
    // above is the capture of the packet's first sample, a little before the
    // beep when it starts inside the packet.
    // A frame stands for the time until the next one: the beep should be heard
    // as far after the frame's first showing as it was captured after the
    // frame, so that offset (up to one frame interval) is taken off as well.
    std::vector<uint32_t> beepCaptures = run.Broadcaster().BeepCaptures();
    std::vector<int> captureOffsets, alignedOffsets;
    for (uint32_t t : beepTimes) {
        uint32_t captured = 0;
        bool found = false;
        for (uint32_t c : beepCaptures)
            if (static_cast<int32_t>(t - c) > 0 && (!found || static_cast<int32_t>(c - captured) > 0)) {
                captured = c;
                found = true;
            }
        if (!found) continue;
        uint32_t number = 0, frameStamp = 0;
        bool haveFrame = false;
        for (const auto& f : frames)
            if (static_cast<int32_t>(captured - f.Stamp) >= 0) {
                number = f.Number;
                frameStamp = f.Stamp;
                haveFrame = true;
            }
        if (!haveFrame) continue;
        for (const auto& s : seen)
            if (s.Number == number) {
                captureOffsets.push_back(static_cast<int32_t>(t - s.Time));
                alignedOffsets.push_back(static_cast<int32_t>(t - s.Time) - static_cast<int32_t>(captured - frameStamp));
                break;
            }
    }
    run.Stop();

    std::printf("  frames sent %zu, shown %zu (%zu different pictures read from the screen)\n", stamps.size(),
                delays.size(), seen.size());
    std::printf("  beeps sent %zu, heard %zu; %.1f s of sound played\n", beepStamps.size(), beepTimes.size(),
                run.Probe().SamplesPlayed() / 8000.0);
    Print("picture: capture stamp -> screen", Summarise(delays));
    Print("  the same after the first 10 s", Summarise(steady));
    Print("sound: beep stamp -> sound card", Summarise(soundDelays));
    Print("sound card behind the picture", Summarise(offsets));
    Print("  behind the picture captured with it", Summarise(captureOffsets));
    Print("  the same, less the beep's lead on it", Summarise(alignedOffsets));
    std::printf("  imposed by the design: video queue %d frames x %lu ms = %lu ms before the first picture;\n"
                "    the picture then follows the sound's clock, whose queue holds %d packets x %lu ms = %lu ms,\n"
                "    and the sound output %d ms more\n",
                PrebufferPackets, static_cast<unsigned long>(o.FrameMs),
                static_cast<unsigned long>(PrebufferPackets * o.FrameMs), PrebufferPackets,
                static_cast<unsigned long>(o.SoundMs), static_cast<unsigned long>(PrebufferPackets * o.SoundMs),
                SoundOutputBytes * 1000 / 8000);
    return delays.empty() ? 2 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    Application->Initialize();
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (seconds < 5 || seconds > 3600) {
        std::fprintf(stderr, "usage: bench_viewer [seconds]   (5 to 3600, default 60)\n");
        return 1;
    }
    int rc = 1;
    try {
        rc = Run(seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_viewer: %s\n", e.what());
    }
    std::fflush(stdout);
    std::fflush(stderr);
    // Static destructors would run after Wine has let go of its DLLs.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
