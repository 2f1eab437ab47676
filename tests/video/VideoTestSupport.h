// Moving test pictures, a compressor opened the way the broadcasting program
// opens it, and picture comparison, shared by the video tests.
#pragma once
#include "Mpeg4Codec.h"
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace videotest {

// A 24-bit bottom-up DIB of a moving scene: a diagonal colour gradient that
// drifts, and a bright box that crosses the picture. `frame` sets the motion.
inline std::vector<uint8_t> Pattern(int w, int h, int frame)
{
    int stride = CMpeg4Codec::RowBytes(w);
    std::vector<uint8_t> dib(static_cast<size_t>(stride) * h);
    int boxX = (frame * 7) % (w - w / 5), boxY = (frame * 3) % (h - h / 5);
    for (int y = 0; y < h; ++y) {
        int top = h - 1 - y; // DIB row y holds picture row top
        uint8_t* row = &dib[static_cast<size_t>(y) * stride];
        for (int x = 0; x < w; ++x) {
            bool inBox = x >= boxX && x < boxX + w / 5 && top >= boxY && top < boxY + h / 5;
            row[3 * x + 0] = inBox ? 230 : static_cast<uint8_t>((x * 255) / w);
            row[3 * x + 1] = inBox ? 240 : static_cast<uint8_t>(((x + top + 2 * frame) * 255) / (w + h + 200));
            row[3 * x + 2] = inBox ? 40 : static_cast<uint8_t>((top * 255) / h);
        }
    }
    return dib;
}

// A DIB of one flat colour (grey level), for pictures told apart by their value.
inline std::vector<uint8_t> Flat(int w, int h, uint8_t level)
{
    return std::vector<uint8_t>(static_cast<size_t>(CMpeg4Codec::RowBytes(w)) * h, level);
}

// Peak signal-to-noise ratio in dB over the picture bytes (padding excluded).
inline double Psnr(const uint8_t* a, const uint8_t* b, int w, int h)
{
    int stride = CMpeg4Codec::RowBytes(w);
    double se = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) {
            double d = double(a[y * stride + x]) - double(b[y * stride + x]);
            se += d * d;
        }
    double mse = se / (double(w) * h * 3);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

struct CompressedFrame {
    std::vector<uint8_t> Data;
    bool Key = false;
};

// The compressor side as the broadcasting program drives it: ICOpen by the
// handler code in compress mode, the output format from the codec, an output
// buffer of width x height x 3, ICCompress with the program's quality.
class TestCompressor {
public:
    ~TestCompressor() { Close(); }
    bool Open(int w, int h)
    {
        FHic = ICOpen(ICTYPE_VIDEO, kMpeg4Handler, ICMODE_COMPRESS);
        if (!FHic) return false;
        std::memset(&FIn, 0, sizeof FIn);
        FIn.biSize = sizeof FIn;
        FIn.biWidth = w;
        FIn.biHeight = h;
        FIn.biPlanes = 1;
        FIn.biBitCount = 24;
        FIn.biCompression = BI_RGB;
        FIn.biSizeImage = w * h * 3;
        LRESULT size = ICCompressGetFormatSize(FHic, &FIn);
        if (size < static_cast<LRESULT>(sizeof(BITMAPINFOHEADER))) return false;
        FOutFormat.assign(size, 0);
        if (ICCompressGetFormat(FHic, &FIn, OutFormat()) != ICERR_OK) return false;
        FCapacity = OutFormat()->biSizeImage;
        FOut.assign(static_cast<size_t>(w) * h * 3, 0);
        return ICCompressBegin(FHic, &FIn, OutFormat()) == ICERR_OK;
    }
    LRESULT Compress(const uint8_t* dib, DWORD quality, CompressedFrame& f, DWORD flags = 0)
    {
        DWORD ckid = 0, keyFlags = 0;
        OutFormat()->biSizeImage = FCapacity;
        LRESULT r = ICCompress(FHic, flags, OutFormat(), FOut.data(), &FIn, const_cast<uint8_t*>(dib), &ckid,
                               &keyFlags, FFrameNumber++, 0, quality, nullptr, nullptr);
        if (r == ICERR_OK) {
            f.Data.assign(FOut.begin(), FOut.begin() + OutFormat()->biSizeImage);
            f.Key = keyFlags != 0;
        }
        return r;
    }
    void Close()
    {
        if (FHic) {
            ICCompressEnd(FHic);
            ICClose(FHic);
        }
        FHic = nullptr;
    }
    HIC Handle() const { return FHic; }
    BITMAPINFOHEADER* OutFormat() { return reinterpret_cast<BITMAPINFOHEADER*>(FOutFormat.data()); }
    void SetCapacity(DWORD c) { FCapacity = c; }

private:
    HIC FHic = nullptr;
    BITMAPINFOHEADER FIn{};
    std::vector<uint8_t> FOutFormat;
    std::vector<uint8_t> FOut;
    DWORD FCapacity = 0;
    LONG FFrameNumber = 0;
};

} // namespace videotest
