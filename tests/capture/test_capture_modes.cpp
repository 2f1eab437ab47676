// Mode records: their texts and equality, the DV sizes and the dialog titles.
#include "test_gtest.h"
#include "VideoCapture.h"

namespace {

TVCapMode V(const GUID& sub, int w, int h, int bits)
{
    TVCapMode m = {};
    m.MajorType = MEDIATYPE_Video;
    m.SubType = sub;
    m.Width = w;
    m.Height = h;
    m.BitCount = bits;
    return m;
}

TACapMode A(const GUID& sub, int rate, int bits, int channels, int avg)
{
    TACapMode m = {};
    m.MajorType = MEDIATYPE_Audio;
    m.SubType = sub;
    m.SamplesPerSec = rate;
    m.BitsPerSample = bits;
    m.Channels = channels;
    m.AvgBytesPerSec = avg;
    return m;
}

TEST(CaptureModes, VideoModeTexts)
{
    const struct {
        TVCapMode Mode;
        const char* Text;
    } cases[] = {
        {V(MEDIASUBTYPE_YUY2, 640, 480, 16), "640x480x16b (YUY2)"},
        {V(MEDIASUBTYPE_YUY2, 320, 240, 16), "320x240x16b (YUY2)"},
        {V(MEDIASUBTYPE_RGB24, 160, 120, 24), "160x120x24b (RGB24)"},
        {V(MEDIASUBTYPE_ARGB32, 8, 8, 32), "8x8x32b (ARGB32)"},
        {V(MEDIASUBTYPE_MJPG, 1280, 720, 24), "1280x720x24b"},      // not in the table: no name
        {V(GUID_NULL, 0, 0, 0), "0x0x0b"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetModeString(c.Mode), c.Text);
}

TEST(CaptureModes, SoundModeTexts)
{
    EXPECT_EQ(GetModeString(A(MEDIASUBTYPE_PCM, 8000, 16, 1, 16000)), "8000Hzx16bx1");
    EXPECT_EQ(GetModeString(A(MEDIASUBTYPE_MPEG1AudioPayload, 44100, 0, 2, 16000)), "128kBits/s, 44100Hz, 2");
}

TEST(CaptureModes, VideoEqualityComparesSubtypeSizeAndDepth)
{
    TVCapMode a = V(MEDIASUBTYPE_YUY2, 320, 240, 16);
    TVCapMode b = a;
    b.MajorType = GUID_NULL;
    b.FrameRate = 15;
    EXPECT_TRUE(IsEqualModes(a, b));
    EXPECT_FALSE(IsEqualModes(a, V(MEDIASUBTYPE_UYVY, 320, 240, 16)));
    EXPECT_FALSE(IsEqualModes(a, V(MEDIASUBTYPE_YUY2, 321, 240, 16)));
    EXPECT_FALSE(IsEqualModes(a, V(MEDIASUBTYPE_YUY2, 320, 241, 16)));
    EXPECT_FALSE(IsEqualModes(a, V(MEDIASUBTYPE_YUY2, 320, 240, 24)));
}

TEST(CaptureModes, SoundEqualityByKind)
{
    // PCM: rate and sample size count, the byte rate does not.
    EXPECT_TRUE(IsEqualModes(A(MEDIASUBTYPE_PCM, 8000, 16, 1, 16000), A(MEDIASUBTYPE_PCM, 8000, 16, 1, 99)));
    EXPECT_FALSE(IsEqualModes(A(MEDIASUBTYPE_PCM, 8000, 16, 1, 16000), A(MEDIASUBTYPE_PCM, 8000, 8, 1, 16000)));
    EXPECT_FALSE(IsEqualModes(A(MEDIASUBTYPE_PCM, 8000, 16, 1, 16000), A(MEDIASUBTYPE_PCM, 8000, 16, 2, 16000)));
    // Others: the byte rate and the rate count, the sample size does not.
    const GUID& mp = MEDIASUBTYPE_MPEG1AudioPayload;
    EXPECT_TRUE(IsEqualModes(A(mp, 44100, 0, 2, 16000), A(mp, 44100, 16, 2, 16000)));
    EXPECT_FALSE(IsEqualModes(A(mp, 44100, 0, 2, 16000), A(mp, 44100, 0, 2, 8000)));
    EXPECT_FALSE(IsEqualModes(A(mp, 44100, 0, 2, 16000), A(MEDIASUBTYPE_PCM, 44100, 0, 2, 16000)));
}

TEST(CaptureModes, DVSizesAndOutOfRange)
{
    const int sizes[4][2] = {{720, 576}, {360, 288}, {180, 144}, {88, 72}};
    for (int i = 0; i < DVModeCount; ++i) {
        TVCapMode m = DVMode(i);
        EXPECT_EQ(m.Width, sizes[i][0]);
        EXPECT_EQ(m.Height, sizes[i][1]);
        EXPECT_EQ(m.BitCount, 24);
        EXPECT_TRUE(IsEqualGUID(m.SubType, GUID_NULL));
    }
    EXPECT_EQ(DVMode(4).Width, 0);
    EXPECT_EQ(DVMode(-1).Width, 0);
}

TEST(CaptureModes, DialogTitlesAndSets)
{
    EXPECT_STREQ(DialogTitles[cdVFORMAT], "Video Format");
    EXPECT_STREQ(DialogTitles[cdTVTUNER], "TV Tuner");
    EXPECT_STREQ(DialogTitles[cdACOMPRESSION], "Audio Compressor");
    TCaptureDialogs set;
    EXPECT_TRUE(set.Empty());
    set.Include(cdVCAPTURE_PIN);
    EXPECT_TRUE(set.Contains(cdVCAPTURE_PIN));
    EXPECT_FALSE(set.Contains(cdVCAPTURE));
    set.Clear();
    EXPECT_TRUE(set.Empty());
}

} // namespace
