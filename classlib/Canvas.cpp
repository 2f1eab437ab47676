#include "Canvas.h"
#include "Graphic.h"

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush)
{
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    FPen->OnChange = [this](TObject* s) { PenChanged(s); };
    FBrush->OnChange = [this](TObject* s) { BrushChanged(s); };
}

TCanvas::~TCanvas()
{
    // Derived canvases let go of their DC in their own destructors.
    DeselectHandles();
    FFont->OnChange = nullptr;
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

HDC TCanvas::GetHandle()
{
    RequiredState(csHandleValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (FHandle == Value) return;
    if (FHandle) DeselectHandles();
    FHandle = Value;
    FState = Value ? csHandleValid : 0;
}

void TCanvas::DeselectHandles()
{
    if (FHandle) {
        if (FOldFont) SelectObject(FHandle, FOldFont);
        if (FOldPen) SelectObject(FHandle, FOldPen);
        if (FOldBrush) SelectObject(FHandle, FOldBrush);
    }
    FOldFont = FOldPen = FOldBrush = nullptr;
    FState &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(TCanvasState ReqState)
{
    ValidateHandle();
    if (!FHandle) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
        FState |= csHandleValid;
    }
    TCanvasState need = ReqState & ~FState;
    if (need & csFontValid) SelectFont();
    if (need & csPenValid) SelectPen();
    if (need & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont()
{
    HGDIOBJ old = SelectObject(FHandle, FFont->GetHandle());
    if (!FOldFont) FOldFont = old;
    SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
    FState |= csFontValid;
}

void TCanvas::SelectPen()
{
    HGDIOBJ old = SelectObject(FHandle, FPen->GetHandle());
    if (!FOldPen) FOldPen = old;
    static const int modes[] = {R2_BLACK,      R2_WHITE,       R2_NOP,        R2_NOT,         R2_COPYPEN,
                                R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                                R2_MERGEPEN,   R2_NOTMERGEPEN, R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,
                                R2_NOTXORPEN};
    SetROP2(FHandle, modes[FPen->GetMode()]);
    FState |= csPenValid;
}

void TCanvas::SelectBrush()
{
    HBRUSH b = FBrush->GetHandle();
    UnrealizeObject(b);
    HGDIOBJ old = SelectObject(FHandle, b);
    if (!FOldBrush) FOldBrush = old;
    if (FBrush->GetStyle() == bsSolid) {
        SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        SetBkColor(FHandle, ~ColorToRGB(FBrush->GetColor()) & 0xFFFFFF);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState |= csBrushValid;
}

// A tool that changes is selected out before its GDI object is deleted.
void TCanvas::FontChanged(TObject*)
{
    if ((FState & csFontValid) && FHandle) {
        FState &= ~csFontValid;
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*)
{
    if ((FState & csPenValid) && FHandle) {
        FState &= ~csPenValid;
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*)
{
    if ((FState & csBrushValid) && FHandle) {
        FState &= ~csBrushValid;
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

void TCanvas::Lock()
{
    FLock.Enter();
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    FLock.Leave();
}

bool TCanvas::TryLock()
{
    if (!FLock.TryEnter()) return false;
    ++FLockCount;
    return true;
}

TPoint TCanvas::GetPenPos()
{
    RequiredState(csHandleValid);
    POINT p;
    GetCurrentPositionEx(FHandle, &p);
    return TPoint(p);
}

TRect TCanvas::GetClipRect()
{
    RequiredState(csHandleValid);
    RECT r;
    GetClipBox(FHandle, &r);
    return TRect(r);
}

TColor TCanvas::GetPixel(int X, int Y)
{
    RequiredState(csHandleValid);
    return static_cast<TColor>(::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Value)
{
    Changing();
    RequiredState(csHandleValid | csPenValid);
    ::SetPixel(FHandle, X, Y, ColorToRGB(Value));
    Changed();
}

void TCanvas::MoveTo(int X, int Y)
{
    RequiredState(csHandleValid);
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polygon(FHandle, Points, Count);
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polyline(FHandle, Points, Count);
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FillRect(FHandle, &R, FBrush->GetHandle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(FHandle, &R, FBrush->GetHandle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::DrawFocusRect(FHandle, &R);
    Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ExtFloodFill(FHandle, X, Y, ColorToRGB(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOutA(FHandle, X, Y, TextFlags, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    MoveToEx(FHandle, X + TextExtent(Text).cx, Y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED | TextFlags;
    if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutA(FHandle, X, Y, options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& Text)
{
    RequiredState(csHandleValid | csFontValid);
    SIZE s = {0, 0};
    GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &s);
    return TSize(s);
}

int TCanvas::DrawText(const std::string& Text, TRect& R, UINT Flags)
{
    if (!(Flags & DT_CALCRECT)) Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    // DT_MODIFYSTRING may write into the text; give it room for the ellipsis.
    std::string buf = Text;
    buf.append(5, '\0');
    int h = ::DrawTextA(FHandle, &buf[0], static_cast<int>(Text.size()), &R, Flags);
    if (!(Flags & DT_CALCRECT)) Changed();
    return h;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    Graphic->Draw(this, Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    Graphic->Draw(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    Source->RequiredState(csHandleValid);
    int oldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Source->FHandle, SourceRect.left,
               SourceRect.top, SourceRect.Width(), SourceRect.Height(), FCopyMode);
    SetStretchBltMode(FHandle, oldMode);
    Changed();
}

void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width)
{
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    --R.bottom;
    --R.right;
    for (int i = 0; i < Width; ++i) {
        pen->SetColor(TopColor);
        TPoint top[3] = {TPoint(R.left, R.bottom), TPoint(R.left, R.top), TPoint(R.right, R.top)};
        Canvas->Polyline(top, 3);
        pen->SetColor(BottomColor);
        TPoint bottom[3] = {TPoint(R.right, R.top), TPoint(R.right, R.bottom), TPoint(R.left - 1, R.bottom)};
        Canvas->Polyline(bottom, 3);
        R.Inflate(-1, -1);
    }
    ++R.bottom;
    ++R.right;
}
