// Watches a running viewer the way a person would: the video panel on the
// screen (which numbered picture is shown, and from when) and the sound the
// control plays (the software sound card appends it to a file in real time,
// so the file's growth tells when each sample was played). All times are on
// the media clock of this process, the clock that stamps the broadcast.
#pragma once
#include "HostRun.h"
#include <cstdint>
#include <string>
#include <vector>

class TPlaybackProbe {
public:
    struct TSeenFrame {
        uint32_t Number;
        uint32_t Time;   // when the screen first showed it
    };

    // The panel's place in the form's client area; SoundFile: the Windows path
    // of the sound card's output file (SOFTCARD_OUT).
    TPlaybackProbe(THostRun& Host, int PanelX, int PanelY, int PanelWidth, int PanelHeight,
                   const std::string& SoundFile);

    // One look at the screen and at the sound file.
    void Poll();
    // Polls about every 10 ms for Ms, serving synchronous calls in between.
    void Watch(DWORD Ms);

    const std::vector<TSeenFrame>& Frames() const { return FFrames; }
    // When each beep (a loud start after at least 30 ms of quiet) reached the sound card.
    std::vector<uint32_t> BeepTimes();
    // Samples played so far (16-bit mono at 8000 Hz).
    uint64_t SamplesPlayed() const { return FSoundBytes / 2; }

private:
    struct TSoundMark {
        uint64_t Bytes;
        uint32_t Time;
    };
    uint64_t SoundFileSize();

    THostRun& FHost;
    int FX, FY, FWidth, FHeight;
    std::string FSoundFile;
    std::vector<TSeenFrame> FFrames;
    std::vector<TSoundMark> FMarks;
    uint64_t FSoundBytes = 0;
    std::vector<uint32_t> FPixels;
};
