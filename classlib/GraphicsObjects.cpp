#include "GraphicsObjects.h"
#include "Bitmap.h"

COLORREF ColorToRGB(TColor Color)
{
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color) & 0x00FFFFFF;
}

int ScreenPixelsPerInch()
{
    static int ppi = 0;
    if (!ppi) {
        HDC dc = GetDC(nullptr);
        ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        if (ppi <= 0) ppi = 96;
    }
    return ppi;
}

void TGraphicsObject::Changed()
{
    Lock();
    HGDIOBJ old = DetachObject();
    Unlock();
    // Listeners (a canvas that has the old object selected) let go of it first.
    try {
        if (OnChange) OnChange(this);
    } catch (...) {
        if (old) DeleteObject(old);
        throw;
    }
    if (old) DeleteObject(old);
}

// ---- TFont ----
TFont::TFont() : FName("MS Sans Serif"), FPixelsPerInch(ScreenPixelsPerInch())
{
    FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

HFONT TFont::GetHandle()
{
    Lock();
    if (!FHandle) {
        LOGFONTA lf = {};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
        lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = FCharset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle.Reset(CreateFontIndirectA(&lf));
    }
    HFONT h = FHandle.Get();
    Unlock();
    return h;
}

void TFont::SetHandle(HFONT Value)
{
    LOGFONTA lf = {};
    if (!Value || !GetObjectA(Value, sizeof(lf), &lf)) return;
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
             (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    FCharset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
    Changed();
}

void TFont::SetName(const std::string& Value)
{
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

int TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    // The colour is not part of the GDI font; only listeners care.
    if (OnChange) OnChange(this);
}

void TFont::SetCharset(BYTE Value)
{
    if (Value == FCharset) return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

bool TFont::SameAs(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FPitch == o.FPitch;
}

void TFont::Assign(TPersistent* Source)
{
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (f == this) return;
        if (SameAs(*f)) return;
        FName = f->FName;
        // Heights are kept in pixels; a font of another resolution keeps its point size.
        FHeight = f->FPixelsPerInch == FPixelsPerInch ? f->FHeight : -MulDiv(f->GetSize(), FPixelsPerInch, 72);
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

// ---- TPen ----
HPEN TPen::GetHandle()
{
    Lock();
    if (!FHandle) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle.Reset(CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor)));
    }
    HPEN h = FHandle.Get();
    Unlock();
    return h;
}

void TPen::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode) return;
    FMode = Value;
    if (OnChange) OnChange(this);
}

void TPen::Assign(TPersistent* Source)
{
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        if (p == this) return;
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

// ---- TBrush ----
TBrush::TBrush() = default;
TBrush::~TBrush() = default;

HBRUSH TBrush::GetHandle()
{
    Lock();
    if (!FHandle) {
        HBRUSH h;
        if (FBitmap && !FBitmap->Empty()) {
            h = CreatePatternBrush(FBitmap->GetHandle());
        } else if (FStyle == bsSolid) {
            h = CreateSolidBrush(ColorToRGB(FColor));
        } else if (FStyle == bsClear) {
            LOGBRUSH lb = {BS_NULL, 0, 0};
            h = CreateBrushIndirect(&lb);
        } else {
            static const int hatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                        HS_DIAGCROSS};
            h = CreateHatchBrush(hatch[FStyle], ColorToRGB(FColor));
        }
        FHandle.Reset(h);
    }
    HBRUSH h = FHandle.Get();
    Unlock();
    return h;
}

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value)
{
    FBitmap = Value;
    Changed();
}

void TBrush::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        if (b == this) return;
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}
