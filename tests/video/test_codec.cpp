// The installed MPEG-4 codec through ICOpen, as the program compresses and the
// players decompress: key frames, the frame size in the stream, picture quality.
#include "test_gtest.h"
#include "Mpeg4Codec.h"
#include "PlayerBlocks.h"
#include "VideoTestSupport.h"
#include <cstring>
#include <memory>

using namespace videotest;

namespace {

struct BlockFree {
    void operator()(void* p) const { HeapFreeBlock(p); }
};
using Picture = std::unique_ptr<void, BlockFree>;

// At the program's quality (7500) every decoded picture of the moving
// sequence keeps at least this PSNR against its source, over the RGB bytes
// (the saturated box loses most, through the 4:2:0 colour planes; measured
// 29.0 dB at 160x120 and 31.9 dB at 320x240).
const double kMinPsnrAtProgramQuality = 28.0;
const DWORD kProgramQuality = 7500;

TEST(Mpeg4Codec, InstalledUnderTheHandlerCodeForBothDirections)
{
    EXPECT_EQ(kMpeg4Handler, mmioFOURCC('D', 'v', 'x', 'x'));
    HIC c = ICOpen(ICTYPE_VIDEO, kMpeg4Handler, ICMODE_COMPRESS);
    HIC d = ICOpen(ICTYPE_VIDEO, kMpeg4Handler, ICMODE_DECOMPRESS);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(d, nullptr);
    ICINFO info{};
    ASSERT_EQ(ICGetInfo(c, &info, sizeof info), static_cast<LRESULT>(sizeof info));
    EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
    EXPECT_EQ(info.fccHandler, kMpeg4Handler);
    EXPECT_TRUE(info.dwFlags & VIDCF_QUALITY);
    ICClose(c);
    ICClose(d);
    EXPECT_EQ(ICOpen(ICTYPE_VIDEO, mmioFOURCC('D', 'v', 'x', 'y'), ICMODE_DECOMPRESS), nullptr);
}

TEST(Mpeg4Codec, MovingPatternRoundTripsWithKeyFramesThatCarryTheSize)
{
    struct { int w, h; } sizes[] = {{160, 120}, {320, 240}};
    for (auto s : sizes) {
        SCOPED_TRACE(testing::Message() << s.w << "x" << s.h);
        TestCompressor enc;
        ASSERT_TRUE(enc.Open(s.w, s.h));
        EXPECT_EQ(enc.OutFormat()->biCompression, kMpeg4StreamFormat);
        CMpeg4Codec dec;
        ASSERT_TRUE(dec.Open(s.w, s.h));
        double worst = 99;
        for (int i = 0; i < 40; ++i) {
            std::vector<uint8_t> src = Pattern(s.w, s.h, i);
            CompressedFrame f;
            ASSERT_EQ(enc.Compress(src.data(), kProgramQuality, f), ICERR_OK) << i;
            // A key frame at the start and then at a steady interval; only they open with the VOL.
            bool expectKey = i % 16 == 0;
            EXPECT_EQ(f.Key, expectKey) << i;
            int32_t len = static_cast<int32_t>(f.Data.size());
            EXPECT_EQ(CMpeg4Codec::IsKeyFrame(f.Data.data(), len), expectKey) << i;
            if (expectKey) {
                int32_t w = 0, h = 0;
                ASSERT_TRUE(CMpeg4Codec::ReadFrameSize(f.Data.data(), len, w, h)) << i;
                EXPECT_EQ(w, s.w);
                EXPECT_EQ(h, s.h);
            }
            Picture pic(dec.Decode(f.Data.data(), len));
            ASSERT_TRUE(pic) << i;
            EXPECT_EQ(HeapBlockSize(pic.get()), 2u * s.w * s.h * 3);
            worst = std::min(worst, Psnr(src.data(), static_cast<uint8_t*>(pic.get()), s.w, s.h));
        }
        EXPECT_GE(worst, kMinPsnrAtProgramQuality);
    }
}

TEST(Mpeg4Codec, QualityValueIsHonoured)
{
    const int w = 320, h = 240;
    std::vector<uint8_t> src = Pattern(w, h, 5);
    struct { DWORD quality; size_t bytes; double psnr; } rows[] = {{1000, 0, 0}, {5000, 0, 0}, {7500, 0, 0},
                                                                    {10000, 0, 0}};
    for (auto& r : rows) {
        TestCompressor enc;
        CMpeg4Codec dec;
        ASSERT_TRUE(enc.Open(w, h));
        ASSERT_TRUE(dec.Open(w, h));
        CompressedFrame f;
        ASSERT_EQ(enc.Compress(src.data(), r.quality, f), ICERR_OK);
        Picture pic(dec.Decode(f.Data.data(), static_cast<int32_t>(f.Data.size())));
        ASSERT_TRUE(pic);
        r.bytes = f.Data.size();
        r.psnr = Psnr(src.data(), static_cast<uint8_t*>(pic.get()), w, h);
    }
    for (size_t i = 1; i < sizeof rows / sizeof rows[0]; ++i) {
        EXPECT_GT(rows[i].bytes, rows[i - 1].bytes) << rows[i].quality;
        EXPECT_GT(rows[i].psnr, rows[i - 1].psnr) << rows[i].quality;
    }
}

TEST(Mpeg4Codec, KeyFrameOnRequestAndSmallOutputBufferRefused)
{
    const int w = 160, h = 120;
    TestCompressor enc;
    ASSERT_TRUE(enc.Open(w, h));
    CompressedFrame f;
    ASSERT_EQ(enc.Compress(Pattern(w, h, 0).data(), kProgramQuality, f), ICERR_OK);
    ASSERT_EQ(enc.Compress(Pattern(w, h, 1).data(), kProgramQuality, f), ICERR_OK);
    EXPECT_FALSE(f.Key);
    ASSERT_EQ(enc.Compress(Pattern(w, h, 2).data(), kProgramQuality, f, ICCOMPRESS_KEYFRAME), ICERR_OK);
    EXPECT_TRUE(f.Key);
    EXPECT_TRUE(CMpeg4Codec::IsKeyFrame(f.Data.data(), static_cast<int32_t>(f.Data.size())));
    // A buffer announced smaller than the frame: refused, nothing written past it.
    enc.SetCapacity(64);
    EXPECT_NE(enc.Compress(Pattern(w, h, 3).data(), 10000, f, ICCOMPRESS_KEYFRAME), ICERR_OK);
}

TEST(Mpeg4Codec, DecoderRefusesWhatItCannotShowAndWaitsForTheNextKeyFrame)
{
    const int w = 160, h = 120;
    TestCompressor enc;
    ASSERT_TRUE(enc.Open(w, h));
    std::vector<CompressedFrame> frames(20);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(enc.Compress(Pattern(w, h, i).data(), kProgramQuality, frames[i]), ICERR_OK);
    ASSERT_TRUE(frames[16].Key);
    auto decode = [](CMpeg4Codec& d, const std::vector<uint8_t>& data, size_t len) {
        return Picture(d.Decode(data.data(), static_cast<int32_t>(len)));
    };

    CMpeg4Codec dec;
    ASSERT_TRUE(dec.Open(w, h));
    std::vector<uint8_t> garbage(600);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
    EXPECT_FALSE(decode(dec, garbage, garbage.size()));
    EXPECT_FALSE(decode(dec, frames[1].Data, frames[1].Data.size())) << "a P frame before any key frame";
    EXPECT_FALSE(decode(dec, frames[0].Data, 12)) << "a key frame cut short";
    EXPECT_TRUE(decode(dec, frames[0].Data, frames[0].Data.size()));
    EXPECT_TRUE(decode(dec, frames[1].Data, frames[1].Data.size()));
    std::vector<uint8_t> damaged = frames[2].Data;
    for (size_t i = 8; i < damaged.size(); i += 3) damaged[i] ^= 0x5A;
    EXPECT_FALSE(decode(dec, damaged, damaged.size()));
    for (int i = 3; i < 16; ++i) EXPECT_FALSE(decode(dec, frames[i].Data, frames[i].Data.size())) << i;
    EXPECT_TRUE(decode(dec, frames[16].Data, frames[16].Data.size()));
    EXPECT_TRUE(decode(dec, frames[17].Data, frames[17].Data.size()));

    // A decoder opened for another size gives no picture rather than overrunning its buffer.
    CMpeg4Codec other;
    ASSERT_TRUE(other.Open(w / 2, h / 2));
    EXPECT_FALSE(decode(other, frames[0].Data, frames[0].Data.size()));
    // Closed: nothing.
    dec.Close();
    EXPECT_FALSE(decode(dec, frames[16].Data, frames[16].Data.size()));
}

// A picture block given back is decoded into again, and then holds exactly
// what a fresh decoder's fresh block holds (row padding and the unused second
// half still zero); a block of another size, or one given back after the
// decoder closed, is freed instead of reused.
TEST(Mpeg4Codec, PictureBlockGivenBackIsReusedWithTheSameContents)
{
    const int w = 162, h = 120; // 486 bytes of a row padded to 488
    const int w2 = 80, h2 = 60;
    TestCompressor enc;
    ASSERT_TRUE(enc.Open(w, h));
    std::vector<CompressedFrame> frames(6);
    for (int i = 0; i < 6; ++i) ASSERT_EQ(enc.Compress(Pattern(w, h, i).data(), kProgramQuality, frames[i]), ICERR_OK);
    const size_t blockBytes = 2u * CMpeg4Codec::RowBytes(w) * h;

    CMpeg4Codec reusing, fresh;
    ASSERT_TRUE(reusing.Open(w, h));
    ASSERT_TRUE(fresh.Open(w, h));
    void* first = reusing.Decode(frames[0].Data.data(), static_cast<int32_t>(frames[0].Data.size()));
    ASSERT_NE(first, nullptr);
    HeapFreeBlock(fresh.Decode(frames[0].Data.data(), static_cast<int32_t>(frames[0].Data.size())));
    reusing.Release(first);
    for (int i = 1; i < 6; ++i) {
        SCOPED_TRACE(i);
        const auto& f = frames[i].Data;
        void* again = reusing.Decode(f.data(), static_cast<int32_t>(f.size()));
        Picture expected(fresh.Decode(f.data(), static_cast<int32_t>(f.size())));
        ASSERT_NE(again, nullptr);
        ASSERT_TRUE(expected);
        EXPECT_EQ(again, first) << "the block given back is decoded into";
        ASSERT_EQ(HeapBlockSize(again), blockBytes);
        EXPECT_EQ(std::memcmp(again, expected.get(), blockBytes), 0);
        reusing.Release(again);
    }

    // A frame the codec refuses keeps the held block for the next one.
    std::vector<uint8_t> garbage(600);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
    EXPECT_EQ(reusing.Decode(garbage.data(), static_cast<int32_t>(garbage.size())), nullptr);
    void* old = reusing.Decode(frames[0].Data.data(), static_cast<int32_t>(frames[0].Data.size()));
    EXPECT_EQ(old, first);
    ASSERT_NE(old, nullptr);

    // Opened again at another size: the held block is gone, and an old-size
    // block given back late is not taken for a new picture.
    ASSERT_TRUE(reusing.Open(w2, h2));
    reusing.Release(old);
    TestCompressor smallEnc;
    ASSERT_TRUE(smallEnc.Open(w2, h2));
    CompressedFrame key;
    ASSERT_EQ(smallEnc.Compress(Pattern(w2, h2, 0).data(), kProgramQuality, key), ICERR_OK);
    Picture smaller(reusing.Decode(key.Data.data(), static_cast<int32_t>(key.Data.size())));
    ASSERT_TRUE(smaller);
    EXPECT_EQ(HeapBlockSize(smaller.get()), 2u * CMpeg4Codec::RowBytes(w2) * (h2));
    // Closed: a block given back is simply freed.
    reusing.Close();
    reusing.Release(smaller.release());
}

// A key frame header built bit by bit: VO and VOL start codes, then the VOL
// fields up to the height, with or without control parameters (and VBV).
std::vector<uint8_t> VolHeader(int w, int h, bool control)
{
    std::vector<uint8_t> out = {0, 0, 1, 0x00, 0, 0, 1, 0x20};
    uint32_t cur = 0;
    int n = 0;
    auto put = [&](uint32_t v, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            cur = (cur << 1) | ((v >> i) & 1);
            if (++n == 8) {
                out.push_back(static_cast<uint8_t>(cur));
                cur = 0;
                n = 0;
            }
        }
    };
    put(0, 1);       // random_accessible_vol
    put(1, 8);       // simple object type
    put(1, 1);       // is_object_layer_identifier
    put(1, 4);       // verid
    put(1, 3);       // priority
    put(1, 4);       // square pixels
    put(control, 1); // vol_control_parameters
    if (control) {
        put(1, 2);  // 4:2:0
        put(1, 1);  // low delay
        put(1, 1);  // vbv_parameters
        for (int i = 0; i < 79; ++i) put(1, 1);
    }
    put(0, 2);      // rectangular
    put(1, 1);
    put(8, 16);     // time increment resolution
    put(1, 1);
    put(0, 1);      // no fixed VOP rate
    put(1, 1);
    put(static_cast<uint32_t>(w), 13);
    put(1, 1);
    put(static_cast<uint32_t>(h), 13);
    put(1, 1);
    put(0, 1);
    while (n) put(1, 1);
    for (int i = 0; i < 8; ++i) out.push_back(0x55);
    return out;
}

TEST(Mpeg4Codec, FrameSizeReadInBothVolLayoutsAndCheckedBeforeUse)
{
    struct {
        int w, h;
        bool control;
        size_t cut;   // bytes kept (0 = all)
        bool ok;
    } cases[] = {
        {320, 240, false, 0, true}, {320, 240, true, 0, true}, {160, 120, false, 0, true},
        {640, 480, true, 0, true},  {320, 240, false, 16, false}, {320, 240, false, 17, true},
        {320, 240, true, 27, false}, {320, 240, true, 28, true}, {4000, 240, false, 0, false},
        {320, 0, true, 0, false},   {8, 8, false, 0, false},
    };
    for (auto& c : cases) {
        std::vector<uint8_t> f = VolHeader(c.w, c.h, c.control);
        int32_t len = static_cast<int32_t>(c.cut ? c.cut : f.size());
        int32_t w = -1, h = -1;
        bool ok = CMpeg4Codec::ReadFrameSize(f.data(), len, w, h);
        EXPECT_EQ(ok, c.ok) << c.w << "x" << c.h << " control " << c.control << " cut " << c.cut;
        if (c.ok && ok) {
            EXPECT_EQ(w, c.w);
            EXPECT_EQ(h, c.h);
        }
        if (!ok) {
            EXPECT_EQ(w, -1);
        }
    }
    // Without the start codes of a key frame nothing is read.
    std::vector<uint8_t> f = VolHeader(320, 240, false);
    f[7] = 0xB6;
    int32_t w, h;
    EXPECT_FALSE(CMpeg4Codec::ReadFrameSize(f.data(), static_cast<int32_t>(f.size()), w, h));
    EXPECT_FALSE(CMpeg4Codec::ReadFrameSize(nullptr, 40, w, h));
}

} // namespace
