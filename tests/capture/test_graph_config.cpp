// The capture configuration's text and stream forms and the hexadecimal helpers.
#include "test_gtest.h"
#include "GraphConfig.h"
#include "VideoCapture.h"
#include <cstring>

namespace {

std::vector<BYTE> B(std::initializer_list<int> v)
{
    std::vector<BYTE> r;
    for (int x : v) r.push_back(static_cast<BYTE>(x));
    return r;
}

TEST(GraphConfigHex, BytesToStrAndBack)
{
    EXPECT_EQ(Utils::BytesToStr(B({0x00, 0xAB, 0xFF})), "00ABFF");
    EXPECT_EQ(Utils::BytesToStr({}), "");
    const struct {
        const char* Text;
        std::vector<BYTE> Bytes;
    } cases[] = {
        {"abc", B({0x0A, 0xBC})},             // odd: as if "0" stood in front
        {"1G23", B({0x00, 0x00})},            // stops at the first bad pair
        {"12G3", B({0x12, 0x00})},
        {"00abFF", B({0x00, 0xAB, 0xFF})},    // either case
        {"", B({})},
        {"7", B({0x07})},
    };
    for (const auto& c : cases) EXPECT_EQ(Utils::StrToBytes(c.Text), c.Bytes) << c.Text;
}

TEST(GraphConfigHex, GuidInMemoryOrder)
{
    EXPECT_EQ(Utils::GUIDToStr(MEDIASUBTYPE_YUY2), "5955593200001000800000AA00389B71");
    GUID g = Utils::StrToGUID("5955593200001000800000AA00389B71");
    EXPECT_TRUE(IsEqualGUID(g, MEDIASUBTYPE_YUY2));
    // Bytes the text does not supply are zero.
    GUID part = Utils::StrToGUID("59555932");
    EXPECT_EQ(part.Data1, 0x32595559u);
    EXPECT_EQ(part.Data2, 0);
    EXPECT_EQ(part.Data4[7], 0);
}

TEST(GraphConfig, DefaultsAndTheTextOfAllTrue)
{
    TGraphConfig c;
    EXPECT_FALSE(c.WantCapture);
    EXPECT_TRUE(c.WantAudioPreview);
    EXPECT_EQ(c.TempCaptureFileName, "captemp.avi");
    EXPECT_EQ(c.CaptureFileName, "capture.avi");
    EXPECT_EQ(c.DVResolution, dvrFull);
    EXPECT_EQ(c.PixelFormat, pf24bit);

    c.WantCapture = c.WantPreview = c.WantBitmaps = c.WantAudio = c.WantDVAudio = c.WantAudioPreview = true;
    c.DoPreallocFile = c.UseTempFile = true;
    c.PreallocFileSize = 0;
    const std::string text = c.SaveGraph();
    EXPECT_EQ(text.rfind("PreallocFileSize=0,", 0), 0u) << text;
    EXPECT_EQ(text,
              "PreallocFileSize=0,TempCaptureFileName=captemp.avi,CaptureFileName=capture.avi,DVResolution=1,"
              "PixelFormat=6,VCapSource=,ACapSource=,AComp=,VComp=,"
              "ACapModeMediaSubType=00000000000000000000000000000000,ACapModeSampleRate=0,"
              "ACapModeAvgSampleRate=0,ACapModeSampleSize=0,ACapModeChannels=0,"
              "VCapModeMediaSubType=00000000000000000000000000000000,VCapModeWidth=0,VCapModeHeight=0,"
              "VCapModeBits=0,VCompState=");
}

TEST(GraphConfig, FalseFlagsAreWrittenFirstInTheirOrder)
{
    TGraphConfig c;
    c.WantAudioPreview = false;
    const std::string text = c.SaveGraph();
    EXPECT_EQ(text.rfind("WantBitmaps=0,WantCapture=0,WantPreview=0,WantDVAudio=0,WantAudio=0,WantAudioPreview=0,"
                         "DoPreallocFile=0,UseTempFile=0,PreallocFileSize=0,",
                         0),
              0u)
        << text;
}

TEST(GraphConfig, RestoreTable)
{
    const struct {
        const char* Text;
        std::function<bool(const TGraphConfig&)> Check;
        const char* What;
    } cases[] = {
        {"", [](const TGraphConfig& c) { return c.WantCapture && c.WantPreview && c.UseTempFile; },
         "missing flags are on"},
        {"WantPreview=0", [](const TGraphConfig& c) { return !c.WantPreview && c.WantCapture; },
         "without WantCapture capture is on"},
        {"WantAudio=x,WantBitmaps=-1", [](const TGraphConfig& c) { return c.WantAudio && !c.WantBitmaps; },
         "not a number is on; not above 0 is off"},
        {"DVResolution=7", [](const TGraphConfig& c) { return c.DVResolution == 1; }, "DV 7 gives 1"},
        {"DVResolution=261", [](const TGraphConfig& c) { return c.DVResolution == 1; }, "DV 261 is 5, then 1"},
        {"DVResolution=260", [](const TGraphConfig& c) { return c.DVResolution == 4; }, "DV 260 is 4"},
        {"DVResolution=0", [](const TGraphConfig& c) { return c.DVResolution == 0; }, "DV 0"},
        {"PixelFormat=12", [](const TGraphConfig& c) { return c.PixelFormat == 6; }, "pixel format 12 gives 6"},
        {"PixelFormat=8", [](const TGraphConfig& c) { return c.PixelFormat == 8; }, "pixel format 8"},
        {"TempCaptureFileName=,CaptureFileName=",
         [](const TGraphConfig& c) { return c.TempCaptureFileName == "captemp.avi" && c.CaptureFileName == "capture.avi"; },
         "empty names give the defaults"},
        {"\"CaptureFileName=c:\\my films\\a.avi\",PreallocFileSize=12",
         [](const TGraphConfig& c) { return c.CaptureFileName == "c:\\my films\\a.avi" && c.PreallocFileSize == 12; },
         "quoted names"},
        {"VCapModeMediaSubType=5955593200001000800000AA00389B71,VCapModeWidth=640,VCapModeHeight=480,VCapModeBits=16",
         [](const TGraphConfig& c) {
             return IsEqualGUID(c.VCapMode.SubType, MEDIASUBTYPE_YUY2) && c.VCapMode.Width == 640 &&
                    c.VCapMode.Height == 480 && c.VCapMode.BitCount == 16;
         },
         "video mode"},
        {"ACapModeSampleRate=8000,ACapModeAvgSampleRate=16000,ACapModeSampleSize=16,ACapModeChannels=1",
         [](const TGraphConfig& c) {
             return c.ACapMode.SamplesPerSec == 8000 && c.ACapMode.AvgBytesPerSec == 16000 &&
                    c.ACapMode.BitsPerSample == 16 && c.ACapMode.Channels == 1;
         },
         "sound mode"},
        {"VCompState=00abFF", [](const TGraphConfig& c) { return c.VCompState == B({0, 0xAB, 0xFF}); }, "state"},
    };
    for (const auto& c : cases) {
        TGraphConfig cfg;
        cfg.RestoreGraph(c.Text);
        EXPECT_TRUE(c.Check(cfg)) << c.What << ": " << c.Text;
    }
}

TEST(GraphConfig, StreamRoundTrip)
{
    TGraphConfig c;
    c.WantPreview = c.WantBitmaps = true;
    c.VCapSource = "Cam, \"the\" first";
    c.VCapMode.SubType = MEDIASUBTYPE_RGB24;
    c.VCapMode.Width = 320;
    c.VCompState = B({1, 2, 3, 250});
    TMemoryStream ms;
    ASSERT_TRUE(c.SaveGraphToStream(&ms));
    const std::string text = c.SaveGraph();
    ASSERT_EQ(ms.GetSize(), static_cast<long long>(4 + text.size()));
    const BYTE* p = static_cast<const BYTE*>(ms.Memory());
    EXPECT_EQ(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24, static_cast<int>(text.size()));

    ms.SetPosition(0);
    TGraphConfig back;
    ASSERT_TRUE(back.RestoreGraphFromStream(&ms));
    EXPECT_EQ(back.SaveGraph(), text);
    EXPECT_EQ(back.VCapSource, c.VCapSource);
    EXPECT_FALSE(back.RestoreGraphFromStream(nullptr));
    EXPECT_FALSE(c.SaveGraphToStream(nullptr));
}

TEST(GraphConfig, StreamWithABadLengthIsRefused)
{
    const struct {
        std::vector<BYTE> Data;
        const char* What;
    } cases[] = {
        {B({5, 0, 0}), "short length"},
        {B({10, 0, 0, 0, 'a', 'b'}), "short text"},
        {B({0xFF, 0xFF, 0xFF, 0xFF, 'a'}), "negative length"},
        {B({0xFF, 0xFF, 0xFF, 0x7F, 'a'}), "length beyond the stream"},
    };
    for (const auto& c : cases) {
        TMemoryStream ms;
        ms.Write(c.Data.data(), static_cast<long>(c.Data.size()));
        ms.SetPosition(0);
        TGraphConfig cfg;
        cfg.VCapSource = "kept";
        EXPECT_FALSE(cfg.RestoreGraphFromStream(&ms)) << c.What;
        EXPECT_EQ(cfg.VCapSource, "kept") << c.What;
    }
}

} // namespace
