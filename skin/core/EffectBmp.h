// The effect bitmap: a 24-bit pixel buffer in which the skin engine blends, fades
// and filters images (morph transitions between control states, inactive-window
// effects, quarter turns for the tabs) before they are drawn.
#pragma once
#include "Bitmap.h"
#include "Classes.h"
#include "GdiHandles.h"
#include "Types.h"

class TspEffectBmp : public TObject {
public:
    TspEffectBmp(int AWidth, int AHeight);
    explicit TspEffectBmp(HBITMAP ABitmap);
    // The bitmap's own canvas may hold its handle selected: it lets go first.
    explicit TspEffectBmp(TBitmap* ABitmap);
    TspEffectBmp(const TspEffectBmp& Source);
    TspEffectBmp& operator=(const TspEffectBmp&) = delete;
    ~TspEffectBmp() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Size() const { return FSize; }
    int RowStride() const { return FWidth * 3 + FWidth % 4; }
    HBITMAP Handle() const { return FHandle.Get(); }

    void Draw(HDC DC, int X, int Y);
    void Stretch(HDC DC, int X, int Y, int AWidth, int AHeight);
    // Puts the part (SX, SY, AWidth, AHeight) of the buffer at (X, Y); clipped to the buffer.
    void DrawRect(HDC DC, int X, int Y, int SX, int SY, int AWidth, int AHeight);

    // One pixel as a raw 24-bit value, blue in the low byte; 0 outside the buffer.
    DWORD GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, DWORD Value);
    // The address of a row; null outside the buffer.
    BYTE* GetLine(int Row) const;
    // Copies Width x 3 bytes of a row out of or into the buffer.
    void GetScanLine(int Row, void* Line) const;
    void SetLine(int Row, const void* Line);

    void Morph(const TspEffectBmp* Other, double K);
    void MorphRect(const TspEffectBmp* Other, double K, const TRect& R, int X, int Y);
    void MorphGrad(const TspEffectBmp* Other, double K);
    void MorphHGrad(const TspEffectBmp* Other, double K);
    void MorphVGrad(const TspEffectBmp* Other, double K);
    void MorphLeftGrad(const TspEffectBmp* Other, double K);
    void MorphRightGrad(const TspEffectBmp* Other, double K);
    void MorphLeftSlide(const TspEffectBmp* Other, double K);
    void MorphRightSlide(const TspEffectBmp* Other, double K);
    void MorphPush(const TspEffectBmp* Other, double K);

    void CopyRect(const TspEffectBmp* Other, const TRect& R, int X, int Y);
    void Resize(TspEffectBmp* Target) const;

    void ChangeBrightness(double K);
    void ChangeDarkness(double K);
    void GrayScale();
    void AddMonoNoise(int Amount);
    void AddColorNoise(int Amount);
    void SplitBlur(int Distance);
    void Invert();
    void Mosaic(int BlockSize);
    void Rotate90_1(TspEffectBmp* Target) const;
    void Rotate90_2(TspEffectBmp* Target) const;

    // Reals become channel values by rounding half to even, then clamping to 0..255.
    static BYTE RoundChannel(double V);

private:
    void Allocate(int AWidth, int AHeight);
    bool SameSize(const TspEffectBmp* Other) const;
    BYTE* Pixel(int X, int Y) const { return FBits + static_cast<size_t>(Y) * RowStride() + X * 3; }

    TBitmapHandle FHandle;
    int FWidth = 0;
    int FHeight = 0;
    int FSize = 0;
    BYTE* FBits = nullptr;
    BITMAPINFOHEADER FBmpHeader{};
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Unused;   // 24-bit pixels use no colour table
    } FBmpInfo{};
};
