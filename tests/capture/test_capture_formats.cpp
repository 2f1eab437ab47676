// The checks that stand before every copy of a grabbed frame: where the bitmap
// header of a format block is, how many bytes its pixels need, and the colour
// table or masks drawn with it.
#include "test_gtest.h"
#include "Bitmap.h"
#include "VideoCaptureDShow.h"
#include <algorithm>
#include <vector>
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

// A video info block of a palette picture: the header and then the palette,
// as a VIDEOINFO carries it.
struct PaletteBlock {
    VIDEOINFOHEADER Info;
    RGBQUAD Colors[256];
};

RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

// Frames of 1, 4 and 8 bits draw with their own palette: every entry the
// header allows is handed over, not the first few.
TEST(CaptureFormats, PaletteFramesDrawWithTheirWholeColourTable)
{
    const struct {
        WORD Bits;
        DWORD Used;
        BYTE Index;
    } cases[] = {{1, 0, 1}, {4, 0, 13}, {8, 0, 200}, {8, 0, 255}, {8, 220, 219}};
    for (const auto& c : cases) {
        PaletteBlock block = {};
        block.Info.bmiHeader = Header(8, 2, c.Bits);
        block.Info.bmiHeader.biClrUsed = c.Used;
        for (int i = 0; i < 256; ++i) block.Colors[i] = Quad(10, 20, 30);
        block.Colors[c.Index] = Quad(250, 40, 90);
        AM_MEDIA_TYPE mt = {};
        mt.formattype = FORMAT_VideoInfo;
        mt.pbFormat = reinterpret_cast<BYTE*>(&block);
        mt.cbFormat = sizeof(block);

        TGrabbedFormat format;
        ASSERT_TRUE(format.Assign(mt)) << c.Bits;
        const size_t entries = c.Used ? c.Used : size_t(1) << c.Bits;
        EXPECT_EQ(format.ColorEntries(), entries);
        const size_t stride = ((8u * c.Bits + 31) / 32) * 4;
        ASSERT_EQ(format.ImageBytes(), 2 * stride);

        // Every pixel is the chosen index.
        const BYTE fill = c.Bits == 8 ? c.Index : c.Bits == 4 ? static_cast<BYTE>(c.Index << 4 | c.Index) : 0xFF;
        std::vector<BYTE> pixels(format.ImageBytes(), fill);
        TBitmap bmp(8, 2, pf24bit);
        ASSERT_NE(StretchDIBits(bmp.GetCanvas()->GetHandle(), 0, 0, 8, 2, 0, 0, 8, 2, pixels.data(), format.Info(),
                                DIB_RGB_COLORS, SRCCOPY), 0);
        const BYTE* px = static_cast<const BYTE*>(bmp.ScanLine(1));
        EXPECT_EQ(RGB(px[2], px[1], px[0]), RGB(250, 40, 90)) << c.Bits << " bits, index " << int(c.Index);
    }
}

// Entries the block does not carry are defined (a grey ramp), never bytes
// from behind the block; BI_BITFIELDS frames get their masks.
TEST(CaptureFormats, MissingPaletteAndMasksAreFilledIn)
{
    VIDEOINFOHEADER bare = {};
    bare.bmiHeader = Header(4, 1, 8);
    AM_MEDIA_TYPE mt = {};
    mt.formattype = FORMAT_VideoInfo;
    mt.pbFormat = reinterpret_cast<BYTE*>(&bare);
    mt.cbFormat = sizeof(bare);
    TGrabbedFormat format;
    ASSERT_TRUE(format.Assign(mt));
    ASSERT_EQ(format.ColorEntries(), 256u);
    const RGBQUAD* table = format.Info()->bmiColors;
    EXPECT_EQ(table[0].rgbRed, 0);
    EXPECT_EQ(table[255].rgbGreen, 255);
    EXPECT_EQ(table[128].rgbBlue, 128);

    struct {
        VIDEOINFOHEADER Info;
        DWORD Masks[3];
    } fields = {};
    fields.Info.bmiHeader = Header(4, 1, 16, BI_BITFIELDS);
    fields.Masks[0] = 0x7C00;
    fields.Masks[1] = 0x03E0;
    fields.Masks[2] = 0x001F;
    mt.pbFormat = reinterpret_cast<BYTE*>(&fields);
    mt.cbFormat = sizeof(fields);
    ASSERT_TRUE(format.Assign(mt));
    ASSERT_EQ(format.ColorEntries(), 3u);
    const DWORD* masks = reinterpret_cast<const DWORD*>(format.Info()->bmiColors);
    EXPECT_EQ(masks[0], 0x7C00u);
    EXPECT_EQ(masks[2], 0x001Fu);

    mt.cbFormat = sizeof(VIDEOINFOHEADER);   // masks not in the block: those of 5-6-5
    ASSERT_TRUE(format.Assign(mt));
    EXPECT_EQ(reinterpret_cast<const DWORD*>(format.Info()->bmiColors)[0], 0xF800u);

    fields.Info.bmiHeader = Header(4, 1, 24);
    ASSERT_TRUE(format.Assign(mt));
    EXPECT_EQ(format.ColorEntries(), 0u);
    fields.Info.bmiHeader = Header(4, 1, 12, MAKEFOURCC('I', '4', '2', '0'));
    EXPECT_FALSE(format.Assign(mt));
}

} // namespace
