// The moving test picture of the pattern camera and its media types.
#include "PatternCamera.h"
#include <cstring>

namespace {

struct Rgb { BYTE r, g, b; };

const Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                      {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
const Rgb kBand = {64, 64, 64};
const Rgb kWhite = {255, 255, 255};
const Rgb kBlack = {0, 0, 0};
const Rgb kDigit = {255, 255, 0};

// Segments a (top), b, c, d, e, f, g (middle) as bits 0..6.
const BYTE kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

class Canvas {
public:
    Canvas(BYTE* bits, int w, int h) : FBits(bits), FW(w), FH(h) {}
    // Rectangle in top-down picture coordinates, clipped to the picture.
    void Fill(int x0, int y0, int x1, int y1, Rgb c)
    {
        if (x0 < 0) x0 = 0;
        if (y0 < 0) y0 = 0;
        if (x1 > FW) x1 = FW;
        if (y1 > FH) y1 = FH;
        for (int y = y0; y < y1; ++y) {
            BYTE* p = FBits + static_cast<size_t>(FH - 1 - y) * FW * 3 + static_cast<size_t>(x0) * 3;
            for (int x = x0; x < x1; ++x) {
                *p++ = c.b;
                *p++ = c.g;
                *p++ = c.r;
            }
        }
    }
private:
    BYTE* FBits;
    int FW, FH;
};

void DrawDigit(Canvas& cv, int x, int y, int dw, int dh, int t, int digit)
{
    BYTE s = kSegments[digit % 10];
    int mid = y + (dh - t) / 2;
    if (s & 0x01) cv.Fill(x, y, x + dw, y + t, kDigit);
    if (s & 0x02) cv.Fill(x + dw - t, y, x + dw, mid + t, kDigit);
    if (s & 0x04) cv.Fill(x + dw - t, mid, x + dw, y + dh, kDigit);
    if (s & 0x08) cv.Fill(x, y + dh - t, x + dw, y + dh, kDigit);
    if (s & 0x10) cv.Fill(x, mid, x + t, y + dh, kDigit);
    if (s & 0x20) cv.Fill(x, y, x + t, mid + t, kDigit);
    if (s & 0x40) cv.Fill(x, mid, x + dw, mid + t, kDigit);
}

} // namespace

void DrawPatternFrame(BYTE* bits, int w, int h, unsigned n)
{
    Canvas cv(bits, w, h);
    const int bandTop = h * 2 / 3;
    for (int k = 0; k < 8; ++k)
        cv.Fill(k * w / 8, 0, (k + 1) * w / 8, bandTop, kBars[k]);
    cv.Fill(0, bandTop, w, h, kBand);

    const int u = h / 48 > 0 ? h / 48 : 1;
    const int side = h / 12 > 0 ? h / 12 : 1;
    const int step = w / 80 > 0 ? w / 80 : 1;
    const int span = w - side > 1 ? w - side : 1;
    const int boxX = static_cast<int>((static_cast<unsigned long long>(n) * step) % span);
    const int boxY = bandTop + 2 * u;
    cv.Fill(boxX, boxY, boxX + side, boxY + side, kWhite);

    const int dh = 4 * u;
    const int dw = dh * 3 / 5 > 2 ? dh * 3 / 5 : 3;
    const int t = dh / 8 > 0 ? dh / 8 : 1;
    const int digits = 6;
    const int digitY = boxY + side + u;
    int x = w - 2 * u - dw;
    unsigned v = n;
    for (int i = 0; i < digits; ++i) {
        DrawDigit(cv, x, digitY, dw, dh, t, static_cast<int>(v % 10));
        v /= 10;
        x -= dw + 2 * t;
    }

    const int stripTop = h - h / 12;
    for (int i = 0; i < 16; ++i) {
        bool bit = ((n >> (15 - i)) & 1u) != 0;
        cv.Fill(i * w / 16, stripTop, (i + 1) * w / 16, h, bit ? kWhite : kBlack);
    }
}

bool MakeModeType(int mode, REFERENCE_TIME interval, AM_MEDIA_TYPE& mt)
{
    std::memset(&mt, 0, sizeof(mt));
    if (mode < 0 || mode >= kPatternModeCount) return false;
    auto* vih = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
    if (!vih) return false;
    std::memset(vih, 0, sizeof(*vih));
    const int w = kPatternModes[mode].Width, h = kPatternModes[mode].Height;
    const DWORD size = static_cast<DWORD>(w) * h * 3;
    vih->AvgTimePerFrame = interval;
    vih->dwBitRate = static_cast<DWORD>(static_cast<double>(size) * 8 * 10000000.0 / interval);
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = w;
    vih->bmiHeader.biHeight = h;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = 24;
    vih->bmiHeader.biCompression = BI_RGB;
    vih->bmiHeader.biSizeImage = size;
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    mt.bFixedSizeSamples = TRUE;
    mt.bTemporalCompression = FALSE;
    mt.lSampleSize = size;
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof(VIDEOINFOHEADER);
    mt.pbFormat = reinterpret_cast<BYTE*>(vih);
    return true;
}

void FreeMediaTypeFields(AM_MEDIA_TYPE& mt)
{
    if (mt.pbFormat) CoTaskMemFree(mt.pbFormat);
    if (mt.pUnk) mt.pUnk->Release();
    mt.pbFormat = nullptr;
    mt.cbFormat = 0;
    mt.pUnk = nullptr;
}

bool CopyMediaTypeFields(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src)
{
    dst = src;
    dst.pbFormat = nullptr;
    if (src.cbFormat && src.pbFormat) {
        dst.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src.cbFormat));
        if (!dst.pbFormat) {
            dst.cbFormat = 0;
            dst.pUnk = nullptr;
            return false;
        }
        std::memcpy(dst.pbFormat, src.pbFormat, src.cbFormat);
    } else {
        dst.cbFormat = 0;
    }
    if (dst.pUnk) dst.pUnk->AddRef();
    return true;
}

int ModeOfType(const AM_MEDIA_TYPE* mt)
{
    if (!mt || !IsEqualGUID(mt->majortype, MEDIATYPE_Video) || !IsEqualGUID(mt->subtype, MEDIASUBTYPE_RGB24) ||
        !IsEqualGUID(mt->formattype, FORMAT_VideoInfo) || !mt->pbFormat || mt->cbFormat < sizeof(VIDEOINFOHEADER))
        return -1;
    const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(mt->pbFormat);
    if (vih->bmiHeader.biBitCount != 24 || vih->bmiHeader.biCompression != BI_RGB) return -1;
    for (int i = 0; i < kPatternModeCount; ++i)
        if (vih->bmiHeader.biWidth == kPatternModes[i].Width && vih->bmiHeader.biHeight == kPatternModes[i].Height)
            return i;
    return -1;
}

bool TypeMatches(const AM_MEDIA_TYPE* partial, const AM_MEDIA_TYPE& full)
{
    if (!partial) return true;
    if (!IsEqualGUID(partial->majortype, GUID_NULL) && !IsEqualGUID(partial->majortype, full.majortype)) return false;
    if (!IsEqualGUID(partial->subtype, GUID_NULL) && !IsEqualGUID(partial->subtype, full.subtype)) return false;
    if (!IsEqualGUID(partial->formattype, GUID_NULL)) {
        if (!IsEqualGUID(partial->formattype, full.formattype)) return false;
        // A complete type must be one we produce.
        if (partial->pbFormat && ModeOfType(partial) != ModeOfType(&full)) return false;
    }
    return true;
}
