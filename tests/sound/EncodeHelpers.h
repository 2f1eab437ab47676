// Encoding known sound into timed audio payloads, and decoding payloads back
// through the sound player's own parser and decoder.
#pragma once
#include "OggEncoder.h"
#include "OggPlayer.h"
#include "PlayerBlocks.h"
#include "SoundFixtures.h"
#include <cstdlib>
#include <vector>

namespace soundtest {

using Payloads = std::vector<std::vector<uint8_t>>;

inline std::vector<uint8_t> TakePages(COggEncoder& enc, bool flush)
{
    uint8_t* data = nullptr;
    int32_t length = 0;
    std::vector<uint8_t> out;
    if (enc.GetPages(flush, data, length)) out.assign(data, data + length);
    std::free(data);
    return out;
}

// Encodes 16-bit mono sound in 100 ms buffers as the broadcasting program
// does (collect with flush after each buffer). The headers come first when
// asked, and again every headerEvery buffers (0: never).
inline Payloads EncodeStream(COggEncoder& enc, const std::vector<int16_t>& pcm, bool headersFirst = true,
                             bool endStream = true, int headerEvery = 0)
{
    Payloads out;
    if (headersFirst) {
        enc.WriteHeaders();
        out.push_back(TakePages(enc, true));
    }
    std::vector<uint8_t> bytes = LittleEndian(pcm);
    int buffers = 0;
    for (size_t at = 0; at < bytes.size(); at += 1600) {
        size_t n = std::min<size_t>(1600, bytes.size() - at);
        enc.Encode(bytes.data() + at, static_cast<int32_t>(n));
        ++buffers;
        if (headerEvery && buffers % headerEvery == 0) {
            enc.WriteHeaders();
            out.push_back(TakePages(enc, false));
        }
        out.push_back(TakePages(enc, true));
    }
    if (endStream) {
        enc.Encode(nullptr, 0);
        out.push_back(TakePages(enc, true));
    }
    return out;
}

inline void* ToBlock(const std::vector<uint8_t>& payload)
{
    void* b = HeapAllocZero(payload.size());
    if (b && !payload.empty()) std::memcpy(b, payload.data(), payload.size());
    return b;
}

struct Decoded {
    std::vector<uint8_t> samples;   // 8-bit unsigned
    std::vector<int32_t> clocks;    // the player's clock after each packet
    int packets = 0;
    long rate = 0;
    int channels = 0;
};

// Feeds payloads (each as one player block) to a player that is not started
// and takes packets until the parser runs dry.
inline Decoded DecodeWith(COggPlayer& player, CSyncFIFO& queue, const Payloads& payloads)
{
    Decoded d;
    size_t next = 0;
    for (;;) {
        while (next < payloads.size() && !queue.IsFull()) {
            if (payloads[next].empty()) {
                ++next;
                continue;
            }
            queue.Push(ToBlock(payloads[next++]));
        }
        ogg_packet* p = player.GetPacket();
        if (!p) {
            if (next >= payloads.size()) break;
            continue;
        }
        EXPECT_GT(p->bytes, 0);
        ++d.packets;
        d.clocks.push_back(player.GetClock());
        void* s = player.Codec().Decode(p);
        delete p;
        if (s) {
            const uint8_t* b = static_cast<const uint8_t*>(s);
            d.samples.insert(d.samples.end(), b, b + HeapBlockSize(s));
            HeapFreeBlock(s);
        }
    }
    d.rate = player.Codec().Rate();
    d.channels = player.Codec().Channels();
    return d;
}

inline Decoded Decode(const Payloads& payloads)
{
    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    player.Codec().Init();
    return DecodeWith(player, queue, payloads);
}

} // namespace soundtest
