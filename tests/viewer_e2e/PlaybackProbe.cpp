#include "PlaybackProbe.h"
#include "FrameCode.h"
#include "MediaClock.h"
#include "TestBroadcaster.h"
#include <cstdlib>

namespace {
const int LoudLevel = 6000;     // of 32767: a beep
const int QuietLevel = 1500;    // below: silence (codec noise included)
const size_t QuietSamples = 240; // 30 ms at 8000 Hz
const size_t RiseSamples = 400;  // 50 ms
} // namespace

TPlaybackProbe::TPlaybackProbe(THostRun& Host, int PanelX, int PanelY, int PanelWidth, int PanelHeight,
                               const std::string& SoundFile)
    : FHost(Host), FX(PanelX), FY(PanelY), FWidth(PanelWidth), FHeight(PanelHeight), FSoundFile(SoundFile)
{
}

uint64_t TPlaybackProbe::SoundFileSize()
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(FSoundFile.c_str(), GetFileExInfoStandard, &a)) return 0;
    return (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}

void TPlaybackProbe::Poll()
{
    uint64_t bytes = SoundFileSize();
    uint32_t now = MediaClockMs();
    if (bytes != FSoundBytes) {
        FSoundBytes = bytes;
        FMarks.push_back({bytes, now});
    }
    if (!FHost.Grab(FX, FY, FWidth, FHeight, FPixels)) return;
    now = MediaClockMs();
    uint32_t number = 0;
    bool ok = FrameCode::Read(FWidth, FHeight,
                              [this](int x, int y) { return FPixels[static_cast<size_t>(y) * FWidth + x]; }, number);
    if (ok && (FFrames.empty() || FFrames.back().Number != number)) FFrames.push_back({number, now});
}

void TPlaybackProbe::Watch(DWORD Ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < Ms) {
        Poll();
        TTestBroadcaster::Pump(8);
    }
}

std::vector<uint32_t> TPlaybackProbe::BeepTimes()
{
    std::vector<uint32_t> times;
    HANDLE in = CreateFileA(FSoundFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE) return times;
    std::vector<int16_t> samples;
    int16_t buf[4096];
    DWORD n = 0;
    while (ReadFile(in, buf, sizeof(buf), &n, nullptr) && n > 0) samples.insert(samples.end(), buf, buf + n / 2);
    CloseHandle(in);
    // A beep starts where the sound leaves a quiet stretch and turns loud soon
    // after (the codec lets a tone fade in over a few milliseconds).
    auto loudSoon = [&](size_t from) {
        for (size_t j = from; j < samples.size() && j < from + RiseSamples; ++j)
            if (std::abs(static_cast<int>(samples[j])) >= LoudLevel) return true;
        return false;
    };
    size_t quiet = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        int level = std::abs(static_cast<int>(samples[i]));
        if (level >= QuietLevel && quiet >= QuietSamples && loudSoon(i)) {
            // Written between the last look that had not seen this byte and the first that had.
            uint64_t at = 2 * static_cast<uint64_t>(i);
            for (size_t m = 0; m < FMarks.size(); ++m) {
                if (FMarks[m].Bytes > at) {
                    uint32_t before = m ? FMarks[m - 1].Time : FMarks[m].Time;
                    times.push_back(before + (FMarks[m].Time - before) / 2);
                    break;
                }
            }
        }
        quiet = level < QuietLevel ? quiet + 1 : 0;
    }
    return times;
}
