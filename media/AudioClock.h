// The clock of the sound being heard: which packet's samples the output device
// is playing now, and how far into them it is. A sound player writes ahead of
// the device by up to its whole ring of buffers (and the device keeps a little
// more), so the stamp of the packet last written runs that far ahead of what
// is heard; pictures paced by it would come early.
//
// A packet's stamp is the capture moment of its first sample (see
// COggEncoder), so the clock at a sample is the stamp of its packet plus the
// sound before it in the packet. A packet stamped like the one before it
// continues that one's span (a packet written in pieces).
#pragma once
#include <cstdint>
#include <deque>

class CAudioClock {
public:
    // bytesPerSecond: of the output format (8000 for 8-bit mono at 8000 Hz).
    explicit CAudioClock(uint32_t bytesPerSecond);

    // Forgets everything written; the next device position counts from 0 again
    // (a device opened afresh).
    void Reset();
    // The samples of the packet stamped `stamp` go to the device next, `bytes`
    // of them; they continue the span before when it has the same stamp.
    void Written(int32_t stamp, uint32_t bytes);
    // Of the last bytes announced by Written, `bytes` never reached the device.
    void Unwritten(uint32_t bytes);
    // The stamp being heard when the device has played `playedBytes` of what was
    // written (its byte position), in the stamps' milliseconds; -1 before
    // anything was written. At the end of what was written, and past it (an
    // output that ran dry), the clock is the end of the last span.
    int32_t Heard(uint32_t playedBytes);

    uint32_t WrittenBytes() const { return FWritten; }

private:
    struct Span {
        uint32_t Start; // device byte position of the span's first sample
        int32_t Stamp;
    };
    uint32_t FBytesPerSecond;
    uint32_t FWritten = 0;
    // Oldest first; spans the device has played past are dropped as it goes.
    std::deque<Span> FSpans;
};
