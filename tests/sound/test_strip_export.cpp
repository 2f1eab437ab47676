// Writes a stream with its stamps stripped, for the independent check with
// the standard Vorbis tools (check_vorbis_tools.sh runs after this program).
#include "test_gtest.h"
#include "EncodeHelpers.h"
#include <cstdio>

using namespace soundtest;

namespace {

// Removes the 4-byte stamp from every packet and frames the packets again:
// the identification header alone on the first page, the other headers
// ending the next page, audio after, granule positions and flags kept.
std::vector<uint8_t> StripStamps(const Payloads& payloads, int serial)
{
    std::vector<Packet> packets = PacketsOf(payloads);
    PageWriter w(serial);
    std::vector<uint8_t> out;
    for (size_t i = 0; i < packets.size(); ++i) {
        const Packet& p = packets[i];
        std::vector<uint8_t> bare(p.bytes.begin() + 4, p.bytes.end());
        w.Add(bare, i < 3 ? 0 : p.granule, p.eos);
        if (i == 0 || i == 2) {
            std::vector<uint8_t> pages = w.Flush();
            out.insert(out.end(), pages.begin(), pages.end());
        }
    }
    std::vector<uint8_t> pages = w.Flush();
    out.insert(out.end(), pages.begin(), pages.end());
    return out;
}

TEST(StrippedStream, WrittenForTheVorbisTools)
{
    COggEncoder enc;
    ASSERT_TRUE(enc.Init(1, 8000, 16, -0.1f));
    const int samples = 3 * 8000;
    Payloads payloads = EncodeStream(enc, Tone(440, samples));
    std::vector<Packet> packets = PacketsOf(payloads);
    ASSERT_GT(packets.size(), 3u);
    for (const Packet& p : packets) ASSERT_GT(p.bytes.size(), 4u);
    std::vector<uint8_t> ogg = StripStamps(payloads, enc.SerialNo());
    ASSERT_TRUE(WriteFileBytes("stripped.ogg", ogg.data(), ogg.size()));
    // What the check expects: sample count, rate, channels and the tone.
    std::string expect = std::to_string(samples) + " 8000 1 440\n";
    ASSERT_TRUE(WriteFileBytes("stripped.expect", expect.data(), expect.size()));
    // The stamped stream itself is not standard Vorbis: kept beside it.
    std::vector<uint8_t> stamped;
    for (auto& p : payloads) stamped.insert(stamped.end(), p.begin(), p.end());
    ASSERT_TRUE(WriteFileBytes("stamped.ogg", stamped.data(), stamped.size()));
}

} // namespace
