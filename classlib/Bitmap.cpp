#include "Bitmap.h"
#include <cstring>
#include <vector>

namespace {

// BITMAPINFO with room for a 256-colour table or three masks.
struct TDIBInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
    int ColorCount() const
    {
        if (Header.biBitCount > 8) return Header.biCompression == BI_BITFIELDS ? 3 : 0;
        return Header.biClrUsed ? static_cast<int>(Header.biClrUsed) : 1 << Header.biBitCount;
    }
    int Size() const { return static_cast<int>(sizeof(BITMAPINFOHEADER) + ColorCount() * sizeof(RGBQUAD)); }
};

void SetMasks(TDIBInfo& bi, DWORD r, DWORD g, DWORD b)
{
    DWORD* m = reinterpret_cast<DWORD*>(bi.Colors);
    m[0] = r;
    m[1] = g;
    m[2] = b;
}

// The header and standard colour table of a DIB in the given pixel format.
void MakeInfo(TDIBInfo& bi, int w, int h, TPixelFormat pf)
{
    std::memset(&bi, 0, sizeof(bi));
    bi.Header.biSize = sizeof(BITMAPINFOHEADER);
    bi.Header.biWidth = w;
    bi.Header.biHeight = h;
    bi.Header.biPlanes = 1;
    bi.Header.biBitCount = static_cast<WORD>(PixelFormatBits(pf));
    bi.Header.biCompression = BI_RGB;
    switch (pf) {
    case pf1bit:
        bi.Colors[1].rgbRed = bi.Colors[1].rgbGreen = bi.Colors[1].rgbBlue = 255;
        break;
    case pf4bit: {
        static const BYTE vga[16][3] = {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
                                        {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {128, 128, 128},
                                        {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
                                        {0, 255, 255}, {255, 255, 255}};
        for (int i = 0; i < 16; ++i) {
            bi.Colors[i].rgbRed = vga[i][0];
            bi.Colors[i].rgbGreen = vga[i][1];
            bi.Colors[i].rgbBlue = vga[i][2];
        }
        break;
    }
    case pf8bit:
        for (int i = 0; i < 256; ++i) bi.Colors[i].rgbRed = bi.Colors[i].rgbGreen = bi.Colors[i].rgbBlue = BYTE(i);
        break;
    case pf16bit:
        bi.Header.biCompression = BI_BITFIELDS;
        SetMasks(bi, 0xF800, 0x07E0, 0x001F);
        break;
    default:
        break;
    }
}

int StrideOf(int w, int bits) { return ((w * bits + 31) / 32) * 4; }

} // namespace

int PixelFormatBits(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 24;
    }
}

// ---- TBitmapCanvas ----
void TBitmapCanvas::CreateHandle()
{
    if (!FMemDC) FMemDC = CreateCompatibleDC(nullptr);
    HBITMAP h = FBitmap->FHandle.Get();
    if (h && !FOldBitmap) FOldBitmap = SelectObject(FMemDC, h);
    FHandle = FMemDC;
}

void TBitmapCanvas::FreeContext()
{
    if (!FMemDC) return;
    DeselectHandles();
    if (FOldBitmap) SelectObject(FMemDC, FOldBitmap);
    FOldBitmap = nullptr;
    DeleteDC(FMemDC);
    FMemDC = nullptr;
    FHandle = nullptr;
    FState = 0;
}

// ---- TBitmap ----
TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat)
{
    FPixelFormat = AFormat;
    FHandleType = AFormat == pfDevice ? bmDDB : bmDIB;
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap()
{
    FreeCanvasContext();
}

void TBitmap::FreeCanvasContext()
{
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::NewImage(int w, int h, TPixelFormat pf, TBitmapHandleType ht, const void* srcBits,
                       const BITMAPINFO* srcInfo)
{
    FreeCanvasContext();
    HBITMAP old = FHandle.Release();
    int oldW = FWidth, oldH = FHeight;
    FBits = nullptr;
    FBitCount = 0;
    HBITMAP nb = nullptr;
    if (w > 0 && h > 0) {
        HDC screen = GetDC(nullptr);
        if (ht == bmDDB && pf == pfDevice) {
            nb = CreateCompatibleBitmap(screen, w, h);
        } else if (ht == bmDDB && pf == pf1bit) {
            nb = CreateBitmap(w, h, 1, 1, nullptr);
        } else {
            if (pf == pfDevice) pf = pf24bit;
            ht = bmDIB;
            TDIBInfo bi;
            if (srcInfo && srcInfo->bmiHeader.biBitCount <= 8) {
                // Keep the file's colour table.
                MakeInfo(bi, w, h, pf);
                int n = srcInfo->bmiHeader.biClrUsed ? static_cast<int>(srcInfo->bmiHeader.biClrUsed)
                                                     : 1 << srcInfo->bmiHeader.biBitCount;
                if (n > 256) n = 256;
                bi.Header.biClrUsed = n;
                std::memcpy(bi.Colors, srcInfo->bmiColors, n * sizeof(RGBQUAD));
            } else {
                MakeInfo(bi, w, h, pf);
            }
            nb = CreateDIBSection(screen, bi.Info(), DIB_RGB_COLORS, &FBits, nullptr, 0);
            if (nb) FBitCount = bi.Header.biBitCount;
            if (nb && srcBits && srcInfo) SetDIBits(screen, nb, 0, h, srcBits, srcInfo, DIB_RGB_COLORS);
        }
        ReleaseDC(nullptr, screen);
        if (!nb) {
            if (old) DeleteObject(old);
            FWidth = FHeight = 0;
            throw EOutOfMemory("Out of system resources");
        }
        if (!srcBits) {
            // White background, then what the old picture had in common with the new.
            TMemoryDC dst;
            HGDIOBJ o1 = SelectObject(dst.Get(), nb);
            PatBlt(dst.Get(), 0, 0, w, h, WHITENESS);
            if (old) {
                TMemoryDC src;
                HGDIOBJ o2 = SelectObject(src.Get(), old);
                BitBlt(dst.Get(), 0, 0, oldW < w ? oldW : w, oldH < h ? oldH : h, src.Get(), 0, 0, SRCCOPY);
                SelectObject(src.Get(), o2);
            }
            SelectObject(dst.Get(), o1);
        }
    }
    if (old) DeleteObject(old);
    FHandle.Reset(nb);
    FWidth = nb ? w : 0;
    FHeight = nb ? h : 0;
    if (!nb) {
        FWidth = w > 0 ? w : 0;
        FHeight = h > 0 ? h : 0;
    }
    FPixelFormat = pf;
    FHandleType = ht;
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (AWidth == FWidth && AHeight == FHeight && (FHandle || !AWidth || !AHeight)) return;
    NewImage(AWidth, AHeight, FPixelFormat, FHandleType);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat) return;
    TBitmapHandleType ht = Value == pfDevice ? bmDDB : bmDIB;
    if (Empty()) {
        FPixelFormat = Value;
        FHandleType = ht;
        if (FWidth && FHeight) NewImage(FWidth, FHeight, Value, ht);
        return;
    }
    NewImage(FWidth, FHeight, Value, ht);
    Changed();
}

void TBitmap::SetMonochrome(bool Value)
{
    if (Value == GetMonochrome() && (!Value || FHandleType == bmDDB)) return;
    if (Value) {
        NewImage(FWidth, FHeight, pf1bit, bmDDB);
        FPixelFormat = pf1bit;
        FHandleType = bmDDB;
    } else {
        NewImage(FWidth, FHeight, pfDevice, bmDDB);
    }
    Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType Value)
{
    if (Value == FHandleType) return;
    TPixelFormat pf = FPixelFormat;
    if (Value == bmDIB && pf == pfDevice) pf = pf24bit;
    if (Value == bmDDB && pf != pf1bit) pf = pfDevice;
    if (Empty()) {
        FHandleType = Value;
        FPixelFormat = pf;
        return;
    }
    NewImage(FWidth, FHeight, pf, Value);
    Changed();
}

HBITMAP TBitmap::GetHandle()
{
    if (!FHandle && FWidth > 0 && FHeight > 0) NewImage(FWidth, FHeight, FPixelFormat, FHandleType);
    return FHandle.Get();
}

void TBitmap::SetHandle(HBITMAP Value)
{
    FreeCanvasContext();
    FHandle.Reset(Value);
    FBits = nullptr;
    FBitCount = 0;
    FWidth = FHeight = 0;
    if (Value) {
        DIBSECTION ds = {};
        int n = GetObjectA(Value, sizeof(ds), &ds);
        FWidth = ds.dsBm.bmWidth;
        FHeight = ds.dsBm.bmHeight;
        if (n == sizeof(DIBSECTION) && ds.dsBm.bmBits) {
            FBits = ds.dsBm.bmBits;
            FBitCount = ds.dsBmih.biBitCount;
            FHandleType = bmDIB;
            switch (FBitCount) {
            case 1: FPixelFormat = pf1bit; break;
            case 4: FPixelFormat = pf4bit; break;
            case 8: FPixelFormat = pf8bit; break;
            case 16: FPixelFormat = ds.dsBmih.biCompression == BI_BITFIELDS ? pf16bit : pf15bit; break;
            case 24: FPixelFormat = pf24bit; break;
            case 32: FPixelFormat = pf32bit; break;
            default: FPixelFormat = pfCustom; break;
            }
        } else {
            FHandleType = bmDDB;
            FPixelFormat = ds.dsBm.bmBitsPixel == 1 ? pf1bit : pfDevice;
        }
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle()
{
    FreeCanvasContext();
    HBITMAP h = FHandle.Release();
    FBits = nullptr;
    FBitCount = 0;
    FWidth = FHeight = 0;
    return h;
}

TCanvas* TBitmap::GetCanvas()
{
    if (!FCanvas) {
        FCanvas.reset(new TBitmapCanvas(this));
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

int TBitmap::RowStride() const { return StrideOf(FWidth, FBitCount ? FBitCount : 24); }

void* TBitmap::ScanLine(int Row)
{
    if (FHandleType != bmDIB || !FBits) SetHandleType(bmDIB);
    if (!FBits || Row < 0 || Row >= FHeight) throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    // DIB sections are bottom-up: the top row is stored last.
    return static_cast<BYTE*>(FBits) + static_cast<size_t>(FHeight - 1 - Row) * StrideOf(FWidth, FBitCount);
}

TColor TBitmap::GetTransparentColor()
{
    if (FTransparentColor == clDefault || FTransparentMode == tmAuto) {
        if (Empty()) return clDefault;
        return GetCanvas()->GetPixel(0, FHeight - 1);
    }
    return FTransparentColor;
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    if (Value == tmAuto) FTransparentColor = clDefault;
    Changed();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (Empty()) return;
    HDC dst = ACanvas->GetHandle();
    int oldMode = SetStretchBltMode(dst, FPixelFormat == pf1bit ? BLACKONWHITE : COLORONCOLOR);
    if (FTransparent) {
        COLORREF key = ColorToRGB(GetTransparentColor());
        HDC src = GetCanvas()->GetHandle();
        GdiTransparentBlt(dst, R.left, R.top, R.Width(), R.Height(), src, 0, 0, FWidth, FHeight, key);
    } else if (FBits && FBitCount >= 16) {
        // Straight from the bits: no memory DC, which keeps drawing usable from any thread.
        GdiFlush();
        TDIBInfo bi;
        MakeInfo(bi, FWidth, FHeight, FPixelFormat);
        StretchDIBits(dst, R.left, R.top, R.Width(), R.Height(), 0, 0, FWidth, FHeight, FBits, bi.Info(),
                      DIB_RGB_COLORS, ACanvas->GetCopyMode());
    } else {
        HDC src = GetCanvas()->GetHandle();
        StretchBlt(dst, R.left, R.top, R.Width(), R.Height(), src, 0, 0, FWidth, FHeight, ACanvas->GetCopyMode());
    }
    SetStretchBltMode(dst, oldMode);
}

void TBitmap::LoadFromDIB(const void* Data, size_t Size)
{
    const BYTE* p = static_cast<const BYTE*>(Data);
    if (Size < sizeof(BITMAPCOREHEADER)) throw EInvalidGraphic("Bitmap image is not valid");
    DWORD hsize = *reinterpret_cast<const DWORD*>(p);
    std::vector<BYTE> info;
    const BYTE* colors;
    int bits, w, h;
    DWORD compression = BI_RGB, clrUsed = 0;
    if (hsize == sizeof(BITMAPCOREHEADER)) {
        auto* ch = reinterpret_cast<const BITMAPCOREHEADER*>(p);
        w = ch->bcWidth;
        h = ch->bcHeight;
        bits = ch->bcBitCount;
        colors = p + hsize;
        int n = bits <= 8 ? 1 << bits : 0;
        if (hsize + n * 3 > Size) throw EInvalidGraphic("Bitmap image is not valid");
        // Turn the core header into an info header with an RGBQUAD table.
        info.assign(sizeof(BITMAPINFOHEADER) + n * sizeof(RGBQUAD), 0);
        auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        bih->biSize = sizeof(BITMAPINFOHEADER);
        bih->biWidth = w;
        bih->biHeight = h;
        bih->biPlanes = 1;
        bih->biBitCount = static_cast<WORD>(bits);
        auto* q = reinterpret_cast<RGBQUAD*>(bih + 1);
        for (int i = 0; i < n; ++i) {
            q[i].rgbBlue = colors[i * 3];
            q[i].rgbGreen = colors[i * 3 + 1];
            q[i].rgbRed = colors[i * 3 + 2];
        }
        colors += n * 3;
    } else {
        if (hsize < sizeof(BITMAPINFOHEADER) || hsize > Size) throw EInvalidGraphic("Bitmap image is not valid");
        auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
        w = bih->biWidth;
        h = bih->biHeight;
        bits = bih->biBitCount;
        compression = bih->biCompression;
        clrUsed = bih->biClrUsed;
        int n = bits <= 8 ? (clrUsed ? static_cast<int>(clrUsed) : 1 << bits) : 0;
        if (n > 256) throw EInvalidGraphic("Bitmap image is not valid");
        int masks = (compression == BI_BITFIELDS && hsize == sizeof(BITMAPINFOHEADER)) ? 3 : 0;
        size_t infoLen = sizeof(BITMAPINFOHEADER) + (n + masks) * sizeof(RGBQUAD);
        if (hsize + (n + masks) * sizeof(RGBQUAD) > Size) throw EInvalidGraphic("Bitmap image is not valid");
        info.assign(infoLen, 0);
        std::memcpy(info.data(), bih, sizeof(BITMAPINFOHEADER));
        reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
        if (hsize > sizeof(BITMAPINFOHEADER) && compression == BI_BITFIELDS) {
            // Masks inside a V4/V5 header.
            std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), p + 40, 12);
        } else {
            std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), p + hsize, (n + masks) * sizeof(RGBQUAD));
        }
        colors = p + hsize + (n + masks) * sizeof(RGBQUAD);
    }
    int ah = h < 0 ? -h : h;
    if (w <= 0 || ah == 0 || w > 32767 || ah > 32767) throw EInvalidGraphic("Bitmap image is not valid");
    size_t bitsLen = Size - (colors - p);
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        if (bitsLen < static_cast<size_t>(StrideOf(w, bits)) * ah) throw EInvalidGraphic("Bitmap image is not valid");
    }
    TPixelFormat pf;
    switch (bits) {
    case 1: pf = pf1bit; break;
    case 4: pf = pf4bit; break;
    case 8: pf = pf8bit; break;
    case 16: {
        bool is565 = compression == BI_BITFIELDS &&
                     reinterpret_cast<const DWORD*>(info.data() + sizeof(BITMAPINFOHEADER))[1] == 0x07E0;
        pf = is565 ? pf16bit : pf15bit;
        break;
    }
    case 24: pf = pf24bit; break;
    case 32: pf = pf32bit; break;
    default: throw EInvalidGraphic("Bitmap image is not valid");
    }
    NewImage(w, ah, pf, bmDIB, colors, reinterpret_cast<const BITMAPINFO*>(info.data()));
    Changed();
}

void TBitmap::LoadFromStream(TStream* Stream)
{
    BITMAPFILEHEADER fh;
    Stream->ReadBuffer(&fh, sizeof(fh));
    if (fh.bfType != 0x4D42) throw EInvalidGraphic("Bitmap image is not valid");
    long long rest = Stream->GetSize() - Stream->GetPosition();
    long long want = fh.bfSize > sizeof(fh) ? static_cast<long long>(fh.bfSize) - sizeof(fh) : rest;
    if (want > rest) want = rest;
    if (want <= 0) throw EInvalidGraphic("Bitmap image is not valid");
    std::vector<BYTE> dib(static_cast<size_t>(want));
    Stream->ReadBuffer(dib.data(), static_cast<long>(want));
    // The bits start at bfOffBits; normally right after the colour table.
    DWORD hsize = dib.size() >= 4 ? *reinterpret_cast<DWORD*>(dib.data()) : 0;
    if (fh.bfOffBits > sizeof(fh) && hsize >= sizeof(BITMAPINFOHEADER)) {
        auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
        int n = bih->biBitCount <= 8 ? (bih->biClrUsed ? static_cast<int>(bih->biClrUsed) : 1 << bih->biBitCount) : 0;
        int masks = (bih->biCompression == BI_BITFIELDS && hsize == sizeof(BITMAPINFOHEADER)) ? 3 : 0;
        size_t expected = hsize + (n + masks) * sizeof(RGBQUAD);
        size_t actual = fh.bfOffBits - sizeof(fh);
        if (actual > expected && actual < dib.size()) dib.erase(dib.begin() + expected, dib.begin() + actual);
    }
    LoadFromDIB(dib.data(), dib.size());
}

void TBitmap::SaveToStream(TStream* Stream)
{
    if (Empty()) return;
    int bits = FBitCount ? FBitCount : (FPixelFormat == pf1bit ? 1 : 24);
    TPixelFormat pf = FBitCount ? FPixelFormat : (bits == 1 ? pf1bit : pf24bit);
    TDIBInfo bi;
    MakeInfo(bi, FWidth, FHeight, pf);
    bi.Header.biBitCount = static_cast<WORD>(bits);
    int stride = StrideOf(FWidth, bits);
    std::vector<BYTE> data(static_cast<size_t>(stride) * FHeight);
    HDC screen = GetDC(nullptr);
    FreeCanvasContext();
    if (bits <= 8) {
        // The real colour table of the bitmap.
        TMemoryDC mdc;
        HGDIOBJ o = SelectObject(mdc.Get(), FHandle.Get());
        if (FBitCount) GetDIBColorTable(mdc.Get(), 0, 1u << bits, bi.Colors);
        SelectObject(mdc.Get(), o);
    }
    GetDIBits(screen, FHandle.Get(), 0, FHeight, data.data(), bi.Info(), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    bi.Header.biSizeImage = static_cast<DWORD>(data.size());
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + bi.Size();
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(data.size());
    Stream->WriteBuffer(&fh, sizeof(fh));
    Stream->WriteBuffer(&bi, bi.Size());
    Stream->WriteBuffer(data.data(), static_cast<long>(data.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName)
{
    HRSRC r = FindResourceA(Instance, ResName.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!r) throw EInvalidGraphic("Resource " + ResName + " not found");
    HGLOBAL g = LoadResource(Instance, r);
    const void* p = g ? LockResource(g) : nullptr;
    if (!p) throw EInvalidGraphic("Resource " + ResName + " not found");
    LoadFromDIB(p, SizeofResource(Instance, r));
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    HRSRC r = FindResourceA(Instance, MAKEINTRESOURCEA(ResID), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!r) throw EInvalidGraphic("Resource " + IntToStr(ResID) + " not found");
    HGLOBAL g = LoadResource(Instance, r);
    const void* p = g ? LockResource(g) : nullptr;
    if (!p) throw EInvalidGraphic("Resource " + IntToStr(ResID) + " not found");
    LoadFromDIB(p, SizeofResource(Instance, r));
}

void TBitmap::CopyFrom(HBITMAP src, int w, int h)
{
    TMemoryDC sdc, ddc;
    HGDIOBJ o1 = SelectObject(sdc.Get(), src);
    HGDIOBJ o2 = SelectObject(ddc.Get(), FHandle.Get());
    BitBlt(ddc.Get(), 0, 0, w, h, sdc.Get(), 0, 0, SRCCOPY);
    SelectObject(sdc.Get(), o1);
    SelectObject(ddc.Get(), o2);
}

void TBitmap::Assign(TPersistent* Source)
{
    if (Source == this) return;
    if (!Source) {
        FreeImage();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        FTransparent = b->FTransparent;
        FTransparentColor = b->FTransparentColor;
        FTransparentMode = b->FTransparentMode;
        if (b->Empty()) {
            FreeImage();
            FWidth = b->FWidth;
            FHeight = b->FHeight;
            FPixelFormat = b->FPixelFormat;
            FHandleType = b->FHandleType;
            Changed();
            return;
        }
        b->FreeCanvasContext();
        if (b->FBits && b->FBitCount) {
            GdiFlush();
            TDIBInfo bi;
            MakeInfo(bi, b->FWidth, b->FHeight, b->FPixelFormat);
            if (b->FBitCount <= 8) {
                TMemoryDC mdc;
                HGDIOBJ o = SelectObject(mdc.Get(), b->FHandle.Get());
                GetDIBColorTable(mdc.Get(), 0, 1u << b->FBitCount, bi.Colors);
                SelectObject(mdc.Get(), o);
            }
            NewImage(b->FWidth, b->FHeight, b->FPixelFormat, bmDIB, b->FBits, bi.Info());
        } else {
            NewImage(b->FWidth, b->FHeight, b->FPixelFormat, b->FHandleType);
            CopyFrom(b->FHandle.Get(), b->FWidth, b->FHeight);
        }
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        // Any other picture is drawn onto a white 24-bit bitmap of its size.
        FreeImage();
        FPixelFormat = pf24bit;
        FHandleType = bmDIB;
        FTransparent = g->GetTransparent();
        NewImage(g->GetWidth(), g->GetHeight(), pf24bit, bmDIB);
        if (!Empty()) {
            TCanvas* c = GetCanvas();
            g->Draw(c, TRect(0, 0, FWidth, FHeight));
            FreeCanvasContext();
        }
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::FreeImage()
{
    FreeCanvasContext();
    FHandle.Reset();
    FBits = nullptr;
    FBitCount = 0;
    FWidth = FHeight = 0;
}
