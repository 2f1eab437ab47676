// The encoder and the timed audio payload it produces.
#include "test_gtest.h"
#include "EncodeHelpers.h"
#include "MediaClock.h"

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

// Every packet carries a stamp of the shared clock at encoding time and, behind
// it, a Vorbis packet: the three headers first, audio after them.
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
    uint32_t last = 0;
    for (size_t i = 0; i < packets.size(); ++i) {
        const Packet& p = packets[i];
        ASSERT_GT(p.bytes.size(), 4u) << i;
        uint32_t stamp = StampOf(p);
        EXPECT_GE(stamp, before) << i;
        EXPECT_LE(stamp, after) << i;
        EXPECT_GE(stamp, last) << i;
        last = stamp;
        if (i >= 3) {
            EXPECT_EQ(VorbisTypeOf(p) & 1, 0) << "audio packet " << i;
        }
    }
    EXPECT_TRUE(packets.back().eos);
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
