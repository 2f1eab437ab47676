// TBitmap: a device-dependent bitmap or a DIB section (1, 8, 16, 24 or 32 bits
// per pixel) with a canvas, scan-line access, a transparent colour, and BMP
// files and resources.
#pragma once
#include "Graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected while it is held.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }
    // Lets go of the memory DC (before the bitmap's handle changes).
    void FreeContext();
protected:
    void CreateHandle() override;
private:
    TBitmap* FBitmap;
    HDC FMemDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pfDevice);
    ~TBitmap() override;

    bool Empty() const override { return !FHandle || FWidth == 0 || FHeight == 0; }
    int GetWidth() const override { return FWidth; }
    void SetWidth(int Value) override { SetSize(Value, FHeight); }
    int GetHeight() const override { return FHeight; }
    void SetHeight(int Value) override { SetSize(FWidth, Value); }
    // Keeps the picture that fits; new area is white.
    void SetSize(int AWidth, int AHeight);

    TPixelFormat GetPixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);      // converts the picture
    TBitmapHandleType GetHandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType Value);
    bool GetMonochrome() const { return FPixelFormat == pf1bit; }
    // A monochrome device bitmap: drawn, its bits take the text and background colours.
    void SetMonochrome(bool Value);

    HBITMAP GetHandle();
    void SetHandle(HBITMAP Value);                // takes ownership
    HBITMAP ReleaseHandle();                      // gives ownership away; the bitmap is empty after
    TCanvas* GetCanvas();

    // Row Row of a DIB (top row 0); a device bitmap is turned into a DIB first.
    void* ScanLine(int Row);
    // Bytes from one row's start to the next (a DIB's rows are padded to 4 bytes).
    int RowStride() const;

    TColor GetTransparentColor();
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // A BMP resource (RT_BITMAP) of a module.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // A packed DIB: BITMAPINFOHEADER (or core header), colour table, bits.
    void LoadFromDIB(const void* Data, size_t Size);
    void Assign(TPersistent* Source) override;
    void FreeImage();
    // Lets go of the canvas DC so the bitmap can be selected elsewhere (image lists, brushes).
    void Dormant() { FreeCanvasContext(); }
    // Called after the canvas drew on the bitmap.
    void Modified() { Changed(); }

private:
    friend class TBitmapCanvas;
    void NewImage(int w, int h, TPixelFormat pf, TBitmapHandleType ht, const void* srcBits = nullptr,
                  const BITMAPINFO* srcInfo = nullptr);
    void CopyFrom(HBITMAP src, int w, int h);
    void FreeCanvasContext();
    TBitmapHandle FHandle;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FBitCount = 0;                 // of the DIB section; 0 for a device bitmap
    TPixelFormat FPixelFormat = pfDevice;
    TBitmapHandleType FHandleType = bmDDB;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

int PixelFormatBits(TPixelFormat Format);
