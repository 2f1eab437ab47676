// The sound player's parser and decoder, without a device: known sound in,
// the same sound and the stamps out; damaged input does no harm.
#include "test_gtest.h"
#include "EncodeHelpers.h"
#include "MediaClock.h"

using namespace soundtest;

namespace {

TEST(OggCodec, EightBitConversionClampsInsteadOfWrapping)
{
    struct { float x; int byte; } cases[] = {
        {0.0f, 128}, {-1.0f, 0}, {127.0f / 128, 255}, {0.5f, 192}, {-0.5f, 64},
        // Louder than the 8-bit range: the nearest extreme, never the opposite one.
        {0.999f, 255}, {1.0f, 255}, {1.7f, 255}, {-1.0001f, 0}, {-3.0f, 0},
    };
    for (auto& c : cases) EXPECT_EQ(COggCodec::ToUnsigned8(c.x), c.byte) << c.x;
}

TEST(OggDecoder, KnownSoundComesBackWithRateLengthAndStamps)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    std::vector<int16_t> tone = Tone(440, 16000);
    Payloads payloads = EncodeStream(enc, tone);
    std::vector<Packet> packets = PacketsOf(payloads);
    Decoded d = Decode(payloads);
    EXPECT_EQ(d.rate, 8000);
    EXPECT_EQ(d.channels, 1);
    ASSERT_EQ(d.samples.size(), tone.size());
    // The clock after each packet is that packet's stamp.
    ASSERT_EQ(d.clocks.size(), packets.size());
    for (size_t i = 0; i < packets.size(); ++i) EXPECT_EQ(d.clocks[i], int32_t(StampOf(packets[i]))) << i;
    // Same sound: the decoded samples follow the original closely.
    std::vector<double> in = FromSigned16(tone), out = FromUnsigned8(d.samples);
    EXPECT_GT(Correlation(in, out), 0.9);
    EXPECT_GT(ToneEnergy(out, 440), 50 * ToneEnergy(out, 1000));
}

TEST(OggDecoder, SpeechLikeSoundSurvivesTheRoundTrip)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    std::vector<int16_t> speech = SpeechLike(24000);
    Decoded d = Decode(EncodeStream(enc, speech));
    ASSERT_EQ(d.samples.size(), speech.size());
    EXPECT_GT(Correlation(FromSigned16(speech), FromUnsigned8(d.samples)), 0.7);
}

TEST(OggDecoder, PageCutInTwoIsParsedOnceTheRestArrives)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    Payloads payloads = EncodeStream(enc, Tone(440, 8000));
    std::vector<uint8_t> all;
    for (auto& p : payloads) all.insert(all.end(), p.begin(), p.end());
    size_t total = PacketsOf(payloads).size();

    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    // The first half of the first page only: no packet yet.
    std::vector<uint8_t> first(all.begin(), all.begin() + 20), rest(all.begin() + 20, all.end());
    queue.Push(ToBlock(first));
    EXPECT_EQ(player.GetPacket(), nullptr);
    EXPECT_EQ(player.GetClock(), -1);
    EXPECT_TRUE(queue.IsEmpty());
    queue.Push(ToBlock(rest));
    Decoded d = DecodeWith(player, queue, {});
    EXPECT_EQ(size_t(d.packets), total);
    EXPECT_EQ(d.samples.size(), 8000u);
}

TEST(OggDecoder, StreamJoinedInTheMiddleStartsAtTheNextHeaderSet)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    // Headers every 10 buffers (a second), none at the start.
    Payloads payloads = EncodeStream(enc, Tone(440, 24000), false, true, 10);
    // Join after the stream's first page, as a late viewer does.
    Payloads joined(payloads.begin() + 3, payloads.end());
    std::vector<Packet> packets = PacketsOf(payloads);
    size_t firstId = 0;
    while (firstId < packets.size() && VorbisTypeOf(packets[firstId]) != 1) ++firstId;
    ASSERT_LT(firstId, packets.size());

    CSyncFIFO queue(30);
    COggPlayer player(&queue);
    Decoded d = DecodeWith(player, queue, joined);
    EXPECT_EQ(player.Codec().HeaderState(), 0);
    // Nothing before the first complete header set (a second in, less the
    // encoder's look-ahead), everything after it: as much as a decoder that
    // had the whole stream, which could not start earlier either.
    EXPECT_GT(d.samples.size(), 0u);
    EXPECT_LT(d.samples.size(), 24000u - 5 * 800);
    EXPECT_EQ(d.samples.size(), Decode(payloads).samples.size());
    EXPECT_GT(ToneEnergy(FromUnsigned8(d.samples), 440), 50 * ToneEnergy(FromUnsigned8(d.samples), 1000));
}

// Packets too short for their stamp (or with nothing behind it) never reach
// the decoder and leave the clock alone.
TEST(OggDecoder, ShortPacketsAreDroppedAndLeaveTheClockAlone)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    std::vector<Packet> real = PacketsOf(EncodeStream(enc, Tone(440, 8000)));
    PageWriter w(77);
    std::vector<std::vector<uint8_t>> shorts = {{}, {0x10}, {0x10, 0x20, 0x30}, {0x10, 0x20, 0x30, 0x40}};
    std::vector<int32_t> expectedClocks;
    size_t k = 0;
    for (const Packet& p : real) {
        w.Add(p.bytes, p.granule, p.eos);
        expectedClocks.push_back(int32_t(StampOf(p)));
        if (!p.eos) w.Add(shorts[k++ % shorts.size()], p.granule);
    }
    Decoded d = Decode({w.Flush()});
    EXPECT_EQ(d.clocks, expectedClocks);
    // The new framing moves the granule positions, so the end of the stream is
    // trimmed less exactly than in the encoder's own pages.
    EXPECT_GE(d.samples.size(), 8000u);
    EXPECT_LE(d.samples.size(), 8000u + 2048);
    EXPECT_GT(ToneEnergy(FromUnsigned8(d.samples), 440), 50 * ToneEnergy(FromUnsigned8(d.samples), 1000));
}

TEST(OggDecoder, DamagedInputDoesNoHarm)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    Payloads good = EncodeStream(enc, Tone(440, 8000));
    std::vector<uint8_t> all;
    for (auto& p : good) all.insert(all.end(), p.begin(), p.end());

    std::vector<uint8_t> noise(5000);
    unsigned r = 12345;
    for (auto& b : noise) b = static_cast<uint8_t>((r = r * 1103515245u + 12345u) >> 16);
    std::vector<uint8_t> fakeCapture = {'O', 'g', 'g', 'S', 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> flipped = all;
    for (size_t i = 40; i < flipped.size(); i += 97) flipped[i] ^= 0x5A;   // bad checksums
    std::vector<uint8_t> truncated(all.begin(), all.begin() + all.size() / 2);
    // Stamped packets whose Vorbis parts are garbage, headers included.
    PageWriter garbage(good.empty() ? 1 : 99);
    for (int i = 0; i < 40; ++i) {
        std::vector<uint8_t> p(4 + (i * 37) % 300);
        for (auto& b : p) b = static_cast<uint8_t>((r = r * 1103515245u + 12345u) >> 16);
        if (i % 10 == 0) p[4] = 1;
        if (i % 10 == 1) p[4] = 3;
        if (i % 10 == 2) p[4] = 5;
        garbage.Add(p, i * 100);
    }
    struct { const char* name; std::vector<uint8_t> bytes; } cases[] = {
        {"noise", noise}, {"capture pattern then noise", fakeCapture}, {"flipped bytes", flipped},
        {"truncated", truncated}, {"garbage packets", garbage.Flush()},
    };
    for (auto& c : cases) {
        CSyncFIFO queue(30);
        COggPlayer player(&queue);
        // The damaged input, then a whole good stream: the good one still plays.
        Payloads in{c.bytes};
        in.insert(in.end(), good.begin(), good.end());
        Decoded d = DecodeWith(player, queue, in);
        EXPECT_GE(d.samples.size(), 4000u) << c.name;
        EXPECT_EQ(player.GetClock(), -1) << c.name;
    }
}

// A page of a new logical stream (the live sound replaced by a recording)
// re-initialises the parser, and the sound goes on with the new stream. A
// recording made by the same encoder has the live stream's serial number: its
// pages simply continue the stream.
TEST(OggDecoder, SwitchToAnotherStreamKeepsTheSound)
{
    Payloads a, b;
    int serialA = 0;
    {
        COggEncoder enc;
        ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
        serialA = enc.SerialNo();
        a = EncodeStream(enc, Tone(440, 8000), true, false);
    }
    {
        COggEncoder enc;
        ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
        b = EncodeStream(enc, Tone(1000, 8000), true, false, 5);
    }
    struct { const char* name; int serial; } cases[] = {
        {"new serial number", serialA ^ 0x1234}, {"same serial number", serialA}};
    for (auto& c : cases) {
        Payloads second;
        for (auto& p : b) second.push_back(WithSerial(p, c.serial));
        CSyncFIFO queue(30);
        COggPlayer player(&queue);
        Decoded first = DecodeWith(player, queue, a);
        Decoded then = DecodeWith(player, queue, second);
        EXPECT_GT(first.samples.size(), 6000u) << c.name;
        std::vector<double> x = FromUnsigned8(then.samples);
        ASSERT_GT(x.size(), 6000u) << c.name;
        EXPECT_GT(ToneEnergy(x, 1000), 50 * ToneEnergy(x, 440)) << c.name;
    }
}

} // namespace
