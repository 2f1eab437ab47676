// The clock of the sound being heard: which packet's samples the output device
// is playing now, and how far into them it is. A sound player writes ahead of
// the device by up to its whole ring of buffers (and the device keeps a little
// more), so the stamp of the packet last written runs that far ahead of what
// is heard; pictures paced by it would come early.
//
// A stamp is taken when its packet leaves the encoder, after the samples were
// captured, and one captured buffer (100 ms in the broadcasting program)
// comes out as several Vorbis packets with the same stamp. So packets with
// equal stamps are one span, and the stamp belongs to the end of that span:
// the clock at a sample is the stamp less the sound still to come in the span.
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
    // of them; they join the span before when it has the same stamp.
    void Written(int32_t stamp, uint32_t bytes);
    // Of the last bytes announced by Written, `bytes` never reached the device.
    void Unwritten(uint32_t bytes);
    // The stamp being heard when the device has played `playedBytes` of what was
    // written (its byte position), in the stamps' milliseconds; -1 before
    // anything was written. At the end of what was written, and past it (an
    // output that ran dry), the clock is the last stamp.
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
