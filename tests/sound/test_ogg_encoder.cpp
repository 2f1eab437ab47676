// The encoder and the timed audio payload it produces.
#include "test_gtest.h"
#include "EncodeHelpers.h"
#include "MediaClock.h"
#include <algorithm>

using namespace soundtest;

namespace {

TEST(OggEncoder, InitRejectsImpossibleSettingsAndCloseIsIdempotent)
{
    COggEncoder enc;
    EXPECT_TRUE(enc.Close());   // never initialised: nothing happens
    EXPECT_FALSE(enc.Init(0, 8000, 16, -0.1f));
    EXPECT_FALSE(enc.Ready());
    EXPECT_FALSE(enc.Init(1, 0, 16, -0.1f));
    EXPECT_FALSE(enc.Ready());
    EXPECT_TRUE(enc.Close());
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    EXPECT_TRUE(enc.Ready());
    EXPECT_GE(enc.SerialNo(), 0);
    EXPECT_LE(enc.SerialNo(), 32767);
    EXPECT_TRUE(enc.Close());
    EXPECT_FALSE(enc.Ready());
    EXPECT_EQ(enc.Channels(), 0);
    EXPECT_TRUE(enc.Close());
    // Usable again after Close.
    EXPECT_TRUE(enc.Init(1, 8000, 16, -0.1f));
}

TEST(OggEncoder, InputSampleConversion)
{
    struct { uint8_t b; float v; } eight[] = {{128, 0.0f}, {0, -1.0f}, {255, 127.0f / 128}, {192, 0.5f}, {64, -0.5f}};
    for (auto& c : eight) EXPECT_FLOAT_EQ(COggEncoder::Sample8(c.b), c.v) << int(c.b);
    struct { uint8_t le[2]; float v; } sixteen[] = {
        {{0x00, 0x00}, 0.0f}, {{0x00, 0x80}, -1.0f}, {{0xFF, 0x7F}, 32767.0f / 32768}, {{0x00, 0x40}, 0.5f}};
    for (auto& c : sixteen) EXPECT_FLOAT_EQ(COggEncoder::Sample16(c.le), c.v);
}

TEST(OggEncoder, UnsupportedSampleSizeIsRefused)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 24, -0.1f));
    uint8_t pcm[300] = {};
    EXPECT_FALSE(enc.Encode(pcm, sizeof pcm));
}

// Every packet carries a stamp of the shared clock and, behind it, a Vorbis
// packet: the three headers first, audio after them. Header stamps are the
// moment they were written; an audio stamp is when its first sample was
// captured, which for sound handed over as it is captured lies no further
// back than the sound encoded so far (here all of it is handed over at once,
// faster than it could be captured).
TEST(OggEncoder, PacketsCarryTheClockAndVorbisPacketsBehindIt)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    uint32_t before = MediaClockMs();
    Payloads payloads = EncodeStream(enc, SpeechLike(8000));
    uint32_t after = MediaClockMs();
    std::vector<Packet> packets = PacketsOf(payloads);
    ASSERT_GT(packets.size(), 5u);
    EXPECT_EQ(VorbisTypeOf(packets[0]), 1);
    EXPECT_EQ(std::string(packets[0].bytes.begin() + 5, packets[0].bytes.begin() + 11), "vorbis");
    EXPECT_TRUE(packets[0].bos);
    EXPECT_EQ(VorbisTypeOf(packets[1]), 3);
    EXPECT_EQ(VorbisTypeOf(packets[2]), 5);
    const int32_t soundMs = 1000;
    for (size_t i = 0; i < packets.size(); ++i) {
        const Packet& p = packets[i];
        ASSERT_GT(p.bytes.size(), 4u) << i;
        int32_t stamp = static_cast<int32_t>(StampOf(p));
        EXPECT_LE(stamp, static_cast<int32_t>(after)) << i;
        if (i < 3) {
            EXPECT_GE(stamp, static_cast<int32_t>(before)) << "header " << i;
            continue;
        }
        EXPECT_EQ(VorbisTypeOf(p) & 1, 0) << "audio packet " << i;
        EXPECT_GE(stamp, std::max(0, static_cast<int32_t>(before) - soundMs)) << i;
    }
    EXPECT_TRUE(packets.back().eos);
}

// The stamping rule by itself: a packet ending at a granule position and
// decoding to so many samples, against the input counted so far and the
// capture moment of its end.
TEST(OggEncoder, AudioPacketStampIsTheCaptureOfItsFirstSample)
{
    struct {
        const char* name;
        int64_t endGranule, sampleCount, capturedSamples;
        uint32_t capturedEnd;
        int32_t rate;
        uint32_t stamp;
    } cases[] = {
        {"a packet inside the buffer just captured", 768, 256, 1600, 5000, 8000, 4864},
        {"the stream's first packet decodes to nothing", 0, 0, 1600, 5000, 8000, 4800},
        {"a packet of an earlier buffer still held back", 1024, 256, 2400, 5000, 8000, 4796},
        {"a short last packet at the stream's end", 8000, 64, 8000, 9000, 8000, 8992},
        {"a packet whose sound starts at the end of the input", 1856, 256, 1600, 5000, 8000, 5000},
        {"half a millisecond rounds up", 1600, 4, 1600, 5000, 8000, 4999},
        {"another rate", 44100, 1024, 44100, 7000, 44100, 6977},
        {"more samples than the end granule", 100, 300, 800, 5000, 8000, 4900},
        {"sound from before the clock's zero", 768, 256, 1600, 100, 8000, 0},
        {"no rate: the capture moment", 768, 256, 1600, 5000, 0, 5000},
        {"across the sign of the clock", 768, 256, 1600, 0x80000010u, 8000, 0x80000010u - 136},
    };
    for (const auto& c : cases)
        EXPECT_EQ(COggEncoder::AudioPacketStamp(c.endGranule, c.sampleCount, c.capturedSamples, c.capturedEnd, c.rate),
                  c.stamp)
            << c.name;
}

// Through the encoder and the player's own parser and decoder: sound captured
// steadily from a known moment (buffers of 100 ms, each handed over as it
// ends), so sample i was captured at start + i / 8 ms. Each packet that
// decodes to sound is stamped with the capture moment of its first decoded
// sample, whatever the buffer sizes, the look-ahead, and the header sets in
// between; header packets keep the moment they were written.
TEST(OggEncoder, PacketsAreStampedWithTheCaptureOfTheirFirstDecodedSample)
{
    const uint32_t start = 50000;
    struct {
        const char* name;
        int32_t bufferSamples;
        int headerEvery;  // buffers between header sets (0: only at the start)
    } cases[] = {{"buffers of 100 ms", 800, 0}, {"buffers of 100 ms, headers every 2 s", 800, 20},
                 {"buffers of 37 ms", 296, 7}, {"buffers of 1 s", 8000, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COggEncoder enc;
        ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
        uint32_t headersFrom = MediaClockMs();
        enc.WriteHeaders();
        Payloads payloads{TakePages(enc, true)};
        std::vector<uint8_t> pcm = LittleEndian(SpeechLike(6 * 8000));
        const int32_t bytes = 2 * c.bufferSamples;
        int buffers = 0;
        for (size_t at = 0; at + bytes <= pcm.size(); at += bytes) {
            uint32_t end = start + static_cast<uint32_t>((at + bytes) / 2 / 8);
            ASSERT_TRUE(enc.Encode(pcm.data() + at, bytes, end));
            payloads.push_back(TakePages(enc, true));
            if (c.headerEvery && ++buffers % c.headerEvery == 0) {
                enc.WriteHeaders();
                payloads.push_back(TakePages(enc, false));
            }
        }
        uint32_t headersTo = MediaClockMs();

        CSyncFIFO queue(30);
        COggPlayer player(&queue);
        player.Codec().Init();
        size_t next = 0, decoded = 0;
        int sounding = 0;
        for (;;) {
            while (next < payloads.size() && !queue.IsFull()) {
                if (!payloads[next].empty()) queue.Push(ToBlock(payloads[next]));
                ++next;
            }
            ogg_packet* p = player.GetPacket();
            if (!p) {
                if (next >= payloads.size()) break;
                continue;
            }
            uint32_t stamp = static_cast<uint32_t>(player.GetClock());
            bool header = p->bytes > 0 && (p->packet[0] & 1);
            void* s = player.Codec().Decode(p);
            delete p;
            if (header) {
                EXPECT_GE(stamp, headersFrom);
                EXPECT_LE(stamp, headersTo);
            }
            if (!s) continue;
            // Exact but for rounding to the millisecond.
            uint32_t expected = start + static_cast<uint32_t>((decoded * 1000 + 4000) / 8000);
            EXPECT_EQ(stamp, expected) << "packet starting at sample " << decoded;
            decoded += HeapBlockSize(s);
            HeapFreeBlock(s);
            ++sounding;
        }
        EXPECT_GT(decoded, 5u * 8000);
        EXPECT_GT(sounding, 150);
    }
}

TEST(OggEncoder, LengthIsWholeSamplesAndStreamKeepsItExactly)
{
    // 1600 and 1601 bytes of 16-bit mono both write 800 samples; the decoder
    // gives back exactly what went in once the stream has ended.
    for (int32_t bufferBytes : {1600, 1601}) {
        COggEncoder enc;
        ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
        enc.WriteHeaders();
        Payloads payloads{TakePages(enc, true)};
        std::vector<uint8_t> pcm = LittleEndian(SpeechLike(8000));
        pcm.resize(10 * 1601);
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(enc.Encode(pcm.data() + i * bufferBytes, bufferBytes));
            payloads.push_back(TakePages(enc, true));
        }
        enc.Encode(nullptr, 0);
        payloads.push_back(TakePages(enc, true));
        Decoded d = Decode(payloads);
        EXPECT_EQ(d.samples.size(), 8000u) << bufferBytes;
        EXPECT_EQ(d.rate, 8000);
        EXPECT_EQ(d.channels, 1);
    }
}

TEST(OggEncoder, EmptyInputEndsTheStream)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    Payloads payloads = EncodeStream(enc, SpeechLike(4000));
    std::vector<uint8_t> more = LittleEndian(SpeechLike(1600));
    EXPECT_TRUE(enc.Encode(more.data(), static_cast<int32_t>(more.size())));
    // Later input makes no further audio.
    EXPECT_TRUE(TakePages(enc, true).empty());
    EXPECT_EQ(Decode(payloads).samples.size(), 4000u);
}

// Input shorter than one sample frame (a byte of 16-bit sound, an odd byte of
// stereo) carries no sound and is passed over: the stream goes on.
TEST(OggEncoder, InputShorterThanOneSampleFrameIsIgnored)
{
    struct { int32_t channels, bits, shortBytes; } cases[] = {{1, 16, 1}, {2, 16, 3}, {2, 8, 1}};
    for (auto& c : cases) {
        COggEncoder enc;
        ASSERT_TRUE(enc.Init(c.channels, 8000, c.bits, -0.1f));
        enc.WriteHeaders();
        Payloads payloads{TakePages(enc, true)};
        const int32_t frameBytes = c.channels * c.bits / 8;
        std::vector<uint8_t> pcm(static_cast<size_t>(8000 * frameBytes), 0x40);
        for (int i = 0; i < 10; ++i) {
            const int32_t half = 400 * frameBytes;
            ASSERT_TRUE(enc.Encode(pcm.data() + 2 * i * half, half));
            payloads.push_back(TakePages(enc, false));
            if (i == 4) {
                EXPECT_TRUE(enc.Encode(pcm.data(), c.shortBytes));
                payloads.push_back(TakePages(enc, false));
            }
            ASSERT_TRUE(enc.Encode(pcm.data() + (2 * i + 1) * half, half));
            payloads.push_back(TakePages(enc, false));
        }
        enc.Encode(nullptr, 0);
        payloads.push_back(TakePages(enc, true));
        Decoded d = Decode(payloads);
        EXPECT_EQ(d.samples.size(), static_cast<size_t>(8000 * c.channels))
            << c.channels << " channels, " << c.bits << " bits, " << c.shortBytes << " bytes";
    }
}

TEST(OggEncoder, HeadersAgainOnRequestWithFreshStampsAndContinuingNumbers)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    // As in the program: sound first, headers two seconds later.
    std::vector<uint8_t> pcm = LittleEndian(SpeechLike(16000));
    Payloads payloads;
    for (int i = 0; i < 10; ++i) {
        enc.Encode(pcm.data() + i * 1600, 1600);
        payloads.push_back(TakePages(enc, true));
    }
    Sleep(30);
    uint32_t headerTime = MediaClockMs();
    enc.WriteHeaders();
    // The stream's first page has gone out: the headers alone fill no page.
    EXPECT_TRUE(TakePages(enc, false).empty());
    enc.Encode(pcm.data() + 16000, 1600);
    payloads.push_back(TakePages(enc, true));
    std::vector<Packet> packets = PacketsOf(payloads);
    size_t id = 0;
    while (id < packets.size() && VorbisTypeOf(packets[id]) != 1) ++id;
    ASSERT_LT(id + 2, packets.size());
    EXPECT_GT(id, 0u);   // audio came before
    EXPECT_EQ(VorbisTypeOf(packets[id + 1]), 3);
    EXPECT_EQ(VorbisTypeOf(packets[id + 2]), 5);
    for (size_t k = id; k < id + 3; ++k) {
        EXPECT_GE(StampOf(packets[k]), headerTime);
        EXPECT_EQ(packets[k].packetno, packets[k - 1].packetno + 1);
    }
    // The sound encoded after them follows in the same collection.
    EXPECT_GT(packets.size(), id + 3);
}

TEST(OggEncoder, EmptyCollectionReportsNothing)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    uint8_t* data = reinterpret_cast<uint8_t*>(1);
    int32_t length = 7;
    EXPECT_FALSE(enc.GetPages(true, data, length));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(length, 0);
}

} // namespace
