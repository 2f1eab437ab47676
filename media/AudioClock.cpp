#include "AudioClock.h"

CAudioClock::CAudioClock(uint32_t bytesPerSecond) : FBytesPerSecond(bytesPerSecond ? bytesPerSecond : 1) {}

void CAudioClock::Reset()
{
    FWritten = 0;
    FSpans.clear();
}

void CAudioClock::Written(int32_t stamp, uint32_t bytes)
{
    if (!bytes) return;
    // The rest of the same packet: the span grows.
    if (FSpans.empty() || FSpans.back().Stamp != stamp) FSpans.push_back({FWritten, stamp});
    FWritten += bytes;
}

void CAudioClock::Unwritten(uint32_t bytes)
{
    // Positions are compared as differences, so they may wrap round.
    while (!FSpans.empty() && FWritten - FSpans.back().Start <= bytes) {
        bytes -= FWritten - FSpans.back().Start;
        FWritten = FSpans.back().Start;
        FSpans.pop_back();
    }
    if (!FSpans.empty()) FWritten -= bytes;
}

int32_t CAudioClock::Heard(uint32_t playedBytes)
{
    if (FSpans.empty()) return -1;
    // A device cannot be ahead of what it was given; a position that says so
    // is taken as the end of what was written.
    if (static_cast<int32_t>(playedBytes - FWritten) > 0) playedBytes = FWritten;
    // Spans wholly played are of no further use (the last one stays).
    while (FSpans.size() > 1 && static_cast<int32_t>(playedBytes - FSpans[1].Start) >= 0) FSpans.pop_front();
    const Span& s = FSpans.front();
    // Before the first span still known (cannot happen with one device): its start.
    if (static_cast<int32_t>(playedBytes - s.Start) < 0) playedBytes = s.Start;
    // The stamp is the moment the span's first sample was captured.
    uint32_t into = playedBytes - s.Start;
    uint32_t ms = static_cast<uint32_t>(static_cast<uint64_t>(into) * 1000 / FBytesPerSecond);
    return static_cast<int32_t>(static_cast<uint32_t>(s.Stamp) + ms);
}
