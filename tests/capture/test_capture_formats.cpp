// The checks that stand before every copy of a grabbed frame: where the bitmap
// header of a format block is, and how many bytes its pixels need.
#include "test_gtest.h"
#include "VideoCaptureDShow.h"
#include <dvdmedia.h>

namespace {

BITMAPINFOHEADER Header(LONG w, LONG h, WORD bits, DWORD compression = BI_RGB)
{
    BITMAPINFOHEADER b = {};
    b.biSize = sizeof(b);
    b.biWidth = w;
    b.biHeight = h;
    b.biPlanes = 1;
    b.biBitCount = bits;
    b.biCompression = compression;
    return b;
}

TEST(CaptureFormats, PixelBytesOfAHeader)
{
    const struct {
        BITMAPINFOHEADER H;
        size_t Bytes;
    } cases[] = {
        {Header(320, 240, 24), 320u * 240 * 3},
        {Header(320, -240, 24), 320u * 240 * 3},              // top-down
        {Header(161, 2, 24), 2u * 484},                       // rows padded to 4 bytes
        {Header(3, 1, 1), 4u},
        {Header(8, 8, 16, BI_BITFIELDS), 8u * 16},
        {Header(640, 480, 12, MAKEFOURCC('I', '4', '2', '0')), 0u},   // compressed: unknown
        {Header(0, 240, 24), 0u},
        {Header(-5, 240, 24), 0u},
        {Header(320, 0, 24), 0u},
        {Header(320, 240, 0), 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DibImageSize(c.H), c.Bytes) << c.H.biWidth << "x" << c.H.biHeight << "x" << c.H.biBitCount;
}

TEST(CaptureFormats, BitmapHeaderOnlyInsideAVideoInfoBlock)
{
    VIDEOINFOHEADER2 block = {};
    block.bmiHeader = Header(320, 240, 24);
    AM_MEDIA_TYPE mt = {};
    mt.pbFormat = reinterpret_cast<BYTE*>(&block);

    mt.formattype = FORMAT_VideoInfo2;
    mt.cbFormat = sizeof(VIDEOINFOHEADER2);
    ASSERT_EQ(FormatBitmapHeader(mt), &block.bmiHeader);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(FormatBitmapHeader(mt)) - mt.pbFormat, 72);

    mt.formattype = FORMAT_VideoInfo;
    EXPECT_EQ(reinterpret_cast<const BYTE*>(FormatBitmapHeader(mt)) - mt.pbFormat, 48);

    const struct {
        GUID Type;
        ULONG Length;
        const char* What;
    } refused[] = {
        {FORMAT_VideoInfo, 48 + sizeof(BITMAPINFOHEADER) - 1, "a block one byte short"},
        {FORMAT_VideoInfo2, 72 + sizeof(BITMAPINFOHEADER) - 1, "a long header's block one byte short"},
        {FORMAT_VideoInfo, 0, "an empty block"},
        {FORMAT_WaveFormatEx, sizeof(VIDEOINFOHEADER2), "a sound format"},
        {GUID_NULL, sizeof(VIDEOINFOHEADER2), "no format"},
    };
    for (const auto& r : refused) {
        mt.formattype = r.Type;
        mt.cbFormat = r.Length;
        EXPECT_EQ(FormatBitmapHeader(mt), nullptr) << r.What;
    }
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof(VIDEOINFOHEADER);
    mt.pbFormat = nullptr;
    EXPECT_EQ(FormatBitmapHeader(mt), nullptr);
}

TEST(CaptureFormats, WideTextRoundTrip)
{
    auto w = ToWide("Test Pattern Camera (2)");
    EXPECT_EQ(w.size(), 24u);
    EXPECT_EQ(FromWide(w.data()), "Test Pattern Camera (2)");
    EXPECT_EQ(FromWide(nullptr), "");
}

} // namespace
