// The effect bitmap's pixel work walks the section's memory directly; every
// factor that a caller passes is sanitised (clamped, a NaN counts as 0) and every
// rectangle is clipped, so no argument can reach outside a buffer.
#include "EffectBmp.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A buffer larger than this is refused and stays empty.
const long long MaxEffectBytes = 256LL * 1024 * 1024;

double Clamp01(double K)
{
    if (std::isnan(K)) return 0;
    return std::min(1.0, std::max(0.0, K));
}

int RoundInt(double V)
{
    if (std::isnan(V)) return 0;
    V = std::nearbyint(V);   // the default rounding mode: halves to the even neighbour
    if (V > 2147483647.0) return 2147483647;
    if (V < -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(V);
}

// Own with weight T and other with weight 1 - T, per channel.
inline void Blend3(BYTE* Own, const BYTE* Other, double T)
{
    for (int c = 0; c < 3; ++c) Own[c] = TspEffectBmp::RoundChannel(Own[c] * T + Other[c] * (1 - T));
}

unsigned NoiseSeed()
{
    static unsigned seed = GetTickCount() | 1;
    return seed;
}

// A small pseudo-random sequence for the noise effects (no shared C library state).
class TNoise {
public:
    TNoise() : FState(NoiseSeed()) {}
    int Next(int N)
    {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return static_cast<int>(FState % static_cast<unsigned>(N));
    }
private:
    unsigned FState;
};

}  // namespace

BYTE TspEffectBmp::RoundChannel(double V)
{
    int i = RoundInt(V);
    return static_cast<BYTE>(std::min(255, std::max(0, i)));
}

TspEffectBmp::TspEffectBmp(int AWidth, int AHeight)
{
    Allocate(AWidth, AHeight);
}

TspEffectBmp::TspEffectBmp(HBITMAP ABitmap)
{
    BITMAP info{};
    if (!ABitmap || !GetObjectA(ABitmap, sizeof info, &info)) {
        Allocate(0, 0);
        return;
    }
    Allocate(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    if (!FBits) return;
    TWindowDC screen(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = FBmpHeader;
    if (!GetDIBits(screen.Get(), ABitmap, 0, FHeight, FBits, &bi, DIB_RGB_COLORS))
        std::memset(FBits, 0, static_cast<size_t>(FSize));
}

TspEffectBmp::TspEffectBmp(TBitmap* ABitmap)
    : TspEffectBmp(ABitmap && !ABitmap->Empty() ? (ABitmap->Dormant(), ABitmap->GetHandle()) : HBITMAP(nullptr))
{
}

TspEffectBmp::TspEffectBmp(const TspEffectBmp& Source) : TObject()
{
    Allocate(Source.FWidth, Source.FHeight);
    if (FBits && Source.FBits) std::memcpy(FBits, Source.FBits, static_cast<size_t>(FSize));
}

TspEffectBmp::~TspEffectBmp() = default;

void TspEffectBmp::Allocate(int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    const long long size = (static_cast<long long>(AWidth) * 3 + AWidth % 4) * AHeight;
    if (size > MaxEffectBytes) AWidth = AHeight = 0;
    FWidth = AWidth;
    FHeight = AHeight;
    FSize = (FWidth * 3 + FWidth % 4) * FHeight;
    FBmpHeader = BITMAPINFOHEADER{};
    FBmpHeader.biSize = sizeof(BITMAPINFOHEADER);
    FBmpHeader.biWidth = FWidth;
    FBmpHeader.biHeight = -FHeight;   // rows top first
    FBmpHeader.biPlanes = 1;
    FBmpHeader.biBitCount = 24;
    FBmpHeader.biCompression = BI_RGB;
    FBmpInfo.Header = FBmpHeader;
    FBits = nullptr;
    if (FWidth == 0 || FHeight == 0) return;
    void* bits = nullptr;
    FHandle.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&FBmpInfo), DIB_RGB_COLORS, &bits,
                                   nullptr, 0));
    if (!FHandle || !bits) {
        FHandle.Reset();
        FWidth = FHeight = FSize = 0;
        return;
    }
    FBits = static_cast<BYTE*>(bits);
    std::memset(FBits, 0, static_cast<size_t>(FSize));
}

bool TspEffectBmp::SameSize(const TspEffectBmp* Other) const
{
    return Other && Other->FBits && FBits && Other->FWidth == FWidth && Other->FHeight == FHeight;
}

void TspEffectBmp::Draw(HDC DC, int X, int Y)
{
    if (!FBits || !DC) return;
    StretchDIBits(DC, X, Y, FWidth, FHeight, 0, 0, FWidth, FHeight, FBits,
                  reinterpret_cast<BITMAPINFO*>(&FBmpInfo), DIB_RGB_COLORS, SRCCOPY);
}

void TspEffectBmp::Stretch(HDC DC, int X, int Y, int AWidth, int AHeight)
{
    if (!FBits || !DC || AWidth <= 0 || AHeight <= 0) return;
    int old = SetStretchBltMode(DC, COLORONCOLOR);
    StretchDIBits(DC, X, Y, AWidth, AHeight, 0, 0, FWidth, FHeight, FBits,
                  reinterpret_cast<BITMAPINFO*>(&FBmpInfo), DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(DC, old);
}

void TspEffectBmp::DrawRect(HDC DC, int X, int Y, int SX, int SY, int AWidth, int AHeight)
{
    if (!FBits || !DC) return;
    // Clip the part to the buffer, moving the destination with it.
    if (SX < 0) { X -= SX; AWidth += SX; SX = 0; }
    if (SY < 0) { Y -= SY; AHeight += SY; SY = 0; }
    AWidth = std::min(AWidth, FWidth - SX);
    AHeight = std::min(AHeight, FHeight - SY);
    if (AWidth <= 0 || AHeight <= 0) return;
    TMemoryDC mem(DC);
    TSelectGuard sel(mem.Get(), FHandle.Get());
    BitBlt(DC, X, Y, AWidth, AHeight, mem.Get(), SX, SY, SRCCOPY);
}

DWORD TspEffectBmp::GetPixel(int X, int Y) const
{
    if (!FBits || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
    const BYTE* p = Pixel(X, Y);
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

void TspEffectBmp::SetPixel(int X, int Y, DWORD Value)
{
    if (!FBits || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
    BYTE* p = Pixel(X, Y);
    p[0] = Value & 0xFF;
    p[1] = (Value >> 8) & 0xFF;
    p[2] = (Value >> 16) & 0xFF;
}

BYTE* TspEffectBmp::GetLine(int Row) const
{
    if (!FBits || Row < 0 || Row >= FHeight) return nullptr;
    return Pixel(0, Row);
}

void TspEffectBmp::GetScanLine(int Row, void* Line) const
{
    if (BYTE* p = GetLine(Row)) std::memcpy(Line, p, static_cast<size_t>(FWidth) * 3);
}

void TspEffectBmp::SetLine(int Row, const void* Line)
{
    if (BYTE* p = GetLine(Row)) std::memcpy(p, Line, static_cast<size_t>(FWidth) * 3);
}

void TspEffectBmp::Morph(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const double k = Clamp01(K);
    MorphRect(Other, k, TRect(0, 0, FWidth, FHeight), 0, 0);
}

void TspEffectBmp::MorphRect(const TspEffectBmp* Other, double K, const TRect& R, int X, int Y)
{
    if (!Other || !Other->FBits || !FBits) return;
    const double k = Clamp01(K);
    // Rows and columns of this buffer whose partner in the other lies inside it too.
    const long long dx = static_cast<long long>(X) - R.left, dy = static_cast<long long>(Y) - R.top;
    const long long x0 = std::max<long long>({R.left, 0, -dx}), x1 = std::min<long long>({R.right, FWidth, Other->FWidth - dx});
    const long long y0 = std::max<long long>({R.top, 0, -dy}), y1 = std::min<long long>({R.bottom, FHeight, Other->FHeight - dy});
    for (long long y = y0; y < y1; ++y)
        for (long long x = x0; x < x1; ++x) {
            BYTE* own = Pixel(int(x), int(y));
            const BYTE* other = Other->Pixel(int(x + dx), int(y + dy));
            for (int c = 0; c < 3; ++c) own[c] = RoundChannel((1 - k) * own[c] + k * other[c]);
        }
}

void TspEffectBmp::MorphGrad(const TspEffectBmp* Other, double K)
{
    if (FWidth < FHeight) MorphVGrad(Other, K);
    else MorphHGrad(Other, K);
}

void TspEffectBmp::MorphHGrad(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    const int a = RoundInt(W * Clamp01(K));
    const int g = (W - a) / 2;
    const double s = g != 0 ? 1.0 / g : 1.0;
    const int L = std::max(W / 2 - a / 2, 0), R = std::min(W / 2 + a / 2, W - 1);
    for (int y = 0; y < FHeight; ++y) {
        for (int x = L; x <= R; ++x) std::memcpy(Pixel(x, y), Other->Pixel(x, y), 3);
        double t = 0;
        for (int x = L; x >= 0; --x, t = std::min(1.0, t + s)) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
        t = 0;
        for (int x = R; x < W; ++x, t = std::min(1.0, t + s)) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
    }
}

void TspEffectBmp::MorphVGrad(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int H = FHeight;
    const int a = RoundInt(H * Clamp01(K));
    const int g = (H - 1 - a) / 2;
    const double s = g > 0 ? 1.0 / g : 0.0;
    const int T = std::max(H / 2 - a / 2, 0), B = std::min(H / 2 + a / 2, H - 1);
    const int rowBytes = FWidth * 3;
    for (int y = T; y <= B; ++y) std::memcpy(Pixel(0, y), Other->Pixel(0, y), rowBytes);
    double t = 0;
    for (int y = T; y >= 0; --y, t = std::min(1.0, t + s))
        for (int x = 0; x < FWidth; ++x) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
    t = 0;
    for (int y = B; y < H; ++y, t = std::min(1.0, t + s))
        for (int x = 0; x < FWidth; ++x) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
}

void TspEffectBmp::MorphLeftGrad(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    int a = RoundInt(W * Clamp01(K));
    if (a < 1) a = 1;
    if (a > W - 1) a = W - 1;
    const double s = a > 0 ? 1.0 / a : 1.0;   // a one-column buffer: no zero divisor
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = 0; x <= a; ++x, t = std::min(1.0, t + s)) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
    }
}

void TspEffectBmp::MorphRightGrad(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    const int b = std::min(std::max(W - RoundInt(W * Clamp01(K)), 0), W - 1);
    const double s = W - b > 0 ? 1.0 / (W - b) : 1.0;
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = W - 1; x >= b; --x, t = std::min(1.0, t + s)) Blend3(Pixel(x, y), Other->Pixel(x, y), t);
    }
}

void TspEffectBmp::MorphLeftSlide(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    int a = RoundInt(W * Clamp01(K));
    if (a < 1) a = 1;
    if (a > W - 1) a = W - 1;
    if (a <= 0) return;
    for (int y = 0; y < FHeight; ++y) std::memcpy(Pixel(0, y), Other->Pixel(W - a, y), static_cast<size_t>(a) * 3);
}

void TspEffectBmp::MorphRightSlide(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    int a = RoundInt(W * Clamp01(K));
    if (a < 1) a = 1;
    if (a > W - 1) a = W - 1;
    if (a <= 0) return;
    for (int y = 0; y < FHeight; ++y) std::memcpy(Pixel(W - a, y), Other->Pixel(0, y), static_cast<size_t>(a) * 3);
}

void TspEffectBmp::MorphPush(const TspEffectBmp* Other, double K)
{
    if (!SameSize(Other)) return;
    const int W = FWidth;
    const int a = std::min(std::max(RoundInt(W * Clamp01(K)), 0), W - 1);
    std::vector<BYTE> row(static_cast<size_t>(W) * 3);
    for (int y = 0; y < FHeight; ++y) {
        std::memcpy(row.data(), Pixel(0, y), row.size());
        // Own moves right by a + 1 columns; the other's right end fills columns 0..a.
        if (W - a - 1 > 0) std::memcpy(Pixel(a + 1, y), row.data(), static_cast<size_t>(W - a - 1) * 3);
        std::memcpy(Pixel(0, y), Other->Pixel(W - a - 1, y), static_cast<size_t>(a + 1) * 3);
    }
}

void TspEffectBmp::CopyRect(const TspEffectBmp* Other, const TRect& R, int X, int Y)
{
    if (!Other || !Other->FBits || !FBits) return;
    // The rectangle's right and bottom sides count as inside.
    TRect r(R.left, R.top, std::min<int>(R.right, FWidth - 1) + 1, std::min<int>(R.bottom, FHeight - 1) + 1);
    const long long dx = static_cast<long long>(X) - r.left, dy = static_cast<long long>(Y) - r.top;
    const long long x0 = std::max<long long>({r.left, 0, -dx}), x1 = std::min<long long>({r.right, FWidth, Other->FWidth - dx});
    const long long y0 = std::max<long long>({r.top, 0, -dy}), y1 = std::min<long long>({r.bottom, FHeight, Other->FHeight - dy});
    if (x1 <= x0) return;
    for (long long y = y0; y < y1; ++y)
        std::memcpy(Pixel(int(x0), int(y)), Other->Pixel(int(x0 + dx), int(y + dy)), static_cast<size_t>(x1 - x0) * 3);
}

void TspEffectBmp::Resize(TspEffectBmp* Target) const
{
    if (!Target || !Target->FBits || !FBits) return;
    const double sx = double(Target->FWidth - 1) / FWidth, sy = double(Target->FHeight - 1) / FHeight;
    const int bw = RoundInt(sx) + 1, bh = RoundInt(sy) + 1;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const BYTE* p = Pixel(x, y);
            const int tx = RoundInt(sx * x), ty = RoundInt(sy * y);
            for (int j = std::max(ty, 0); j < std::min(ty + bh, Target->FHeight); ++j)
                for (int i = std::max(tx, 0); i < std::min(tx + bw, Target->FWidth); ++i)
                    std::memcpy(Target->Pixel(i, j), p, 3);
        }
}

void TspEffectBmp::ChangeBrightness(double K)
{
    const double k = Clamp01(K);
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int i = 0; i < FWidth * 3; ++i) p[i] = RoundChannel((1 - k) * p[i] + 255 * k);
    }
}

void TspEffectBmp::ChangeDarkness(double K)
{
    const double k = std::isnan(K) ? 0 : K;
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int i = 0; i < FWidth * 3; ++i) p[i] = RoundChannel((1 - k) * p[i]);
    }
}

void TspEffectBmp::GrayScale()
{
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            BYTE g = RoundChannel(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void TspEffectBmp::AddMonoNoise(int Amount)
{
    if (Amount <= 0) return;
    TNoise noise;
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            const int d = noise.Next(Amount) - Amount / 2;
            for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>(std::min(255, std::max(0, p[c] + d)));
        }
    }
}

void TspEffectBmp::AddColorNoise(int Amount)
{
    if (Amount <= 0) return;
    TNoise noise;
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            // Red, green, blue in that order, each its own draw.
            for (int c = 2; c >= 0; --c) {
                const int d = noise.Next(Amount) - Amount / 2;
                p[c] = static_cast<BYTE>(std::min(255, std::max(0, p[c] + d)));
            }
        }
    }
}

void TspEffectBmp::SplitBlur(int Distance)
{
    if (Distance <= 0 || !FBits) return;
    const int n = Distance;
    for (int y = 0; y < FHeight; ++y) {
        // In place: the row above has already been blurred when it is read.
        const BYTE* up = GetLine(y - n >= 0 ? y - n : y);
        const BYTE* down = GetLine(y + n < FHeight ? y + n : y);
        BYTE* own = GetLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const int l = (x - n >= 0 ? x - n : x) * 3, r = (x + n < FWidth ? x + n : x) * 3;
            for (int c = 0; c < 3; ++c) own[x * 3 + c] = static_cast<BYTE>((up[l + c] + down[l + c] + up[r + c] + down[r + c]) / 4);
        }
    }
}

void TspEffectBmp::Invert()
{
    for (int y = 0; y < FHeight; ++y) {
        BYTE* p = GetLine(y);
        for (int i = 0; i < FWidth * 3; ++i) p[i] = 255 - p[i];
    }
}

void TspEffectBmp::Mosaic(int BlockSize)
{
    if (BlockSize <= 0) return;
    for (int by = 0; by < FHeight; by += BlockSize)
        for (int bx = 0; bx < FWidth; bx += BlockSize) {
            BYTE c[3];
            std::memcpy(c, Pixel(bx, by), 3);
            for (int y = by; y < std::min(by + BlockSize, FHeight); ++y)
                for (int x = bx; x < std::min(bx + BlockSize, FWidth); ++x) std::memcpy(Pixel(x, y), c, 3);
        }
}

void TspEffectBmp::Rotate90_1(TspEffectBmp* Target) const
{
    // A target of the wrong size is refused: it would be written outside.
    if (!Target || !Target->FBits || !FBits || Target->FWidth != FHeight || Target->FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) std::memcpy(Target->Pixel(y, FWidth - 1 - x), Pixel(x, y), 3);
}

void TspEffectBmp::Rotate90_2(TspEffectBmp* Target) const
{
    if (!Target || !Target->FBits || !FBits || Target->FWidth != FHeight || Target->FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) std::memcpy(Target->Pixel(FHeight - 1 - y, x), Pixel(x, y), 3);
}
