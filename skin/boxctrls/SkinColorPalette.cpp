#include "SkinColorPalette.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinControls.h"
#include "SkinData.h"
#include <algorithm>
#include <cmath>

using Spcolorctrls::RoundEven;

namespace SpPaletteGeometry {

double CalcDistancePoints(double X1, double Y1, double X2, double Y2)
{
    return std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
}

double CalcArcTan(double X) { return std::atan(X) / CalcRadian; }

double CalcArcSinRadians(double X)
{
    const double root = std::sqrt(std::max(0.0, 1 - X * X));
    if (root < CalcEpsilon) return X < 0 ? -M_PI / 2 : M_PI / 2;
    return std::atan(X / root);
}

double CalcArcCosRadians(double X) { return M_PI / 2 - CalcArcSinRadians(X); }

void CalcAngle360(double& A)
{
    while (A < 0) A += 360;
    while (A >= 360) A -= 360;
}

double CalcAnglePoints(double X1, double Y1, double X2, double Y2)
{
    const double d = CalcDistancePoints(X1, Y1, X2, Y2);
    if (d < CalcEpsilon) return 0;
    double a = CalcArcCosRadians(std::fabs(X2 - X1) / d) / CalcRadian;
    if (std::fabs(Y2 - Y1) >= CalcEpsilon && Y2 < Y1) a = -a;
    if (std::fabs(X2 - X1) >= CalcEpsilon && X2 < X1) a = 180 - a;
    if (std::fabs(a) < CalcEpsilon) a = 0;
    if (a < 0) a += 360;
    return a;
}

double CalcAngle3Points(double X1, double Y1, double X2, double Y2, double X3, double Y3)
{
    double a = CalcAnglePoints(X2, Y2, X3, Y3) - CalcAnglePoints(X2, Y2, X1, Y1);
    CalcAngle360(a);
    return a;
}

void CalcPointSurEllipse(double CX, double CY, double RX, double RY, double Angle, double& X, double& Y)
{
    CalcAngle360(Angle);
    const double t = (90 - Angle) * CalcRadian;
    const double u = RX * std::cos(t), v = RY * std::sin(t);
    double p;
    if (std::fabs(v) < CalcEpsilon)
        p = std::fabs(Angle - 90) < 1e-7 ? 90 : 270;
    else {
        p = CalcArcTan(u / v);
        if (Angle >= 90 && Angle < 270) p += 180;
    }
    X = CX + RX * std::cos(p * CalcRadian);
    Y = CY + RY * std::sin(p * CalcRadian);
}

void CalcRotationPoint(double CX, double CY, double Delta, double PX, double PY, double& X, double& Y)
{
    const double r = CalcDistancePoints(CX, CY, PX, PY);
    CalcPointSurEllipse(CX, CY, r, r, CalcAnglePoints(CX, CY, PX, PY) + Delta, X, Y);
}

}  // namespace SpPaletteGeometry

using namespace SpPaletteGeometry;

namespace {

// A hue of the palette's one scale: degrees clockwise from straight up on the
// ring map to the hue (360 - degrees) / 360, the cursor turns back by hue * 360.
int RingDegrees(double X, double Y, double CX, double CY)
{
    int v = RoundEven(CalcAngle3Points(CX, 0, CX, CY, X, Y));
    return v >= 360 ? 0 : v;
}

bool InEllipse(int L, int T, int R, int B, int X, int Y)
{
    HRGN rgn = CreateEllipticRgn(L, T, R, B);
    const bool in = rgn && PtInRegion(rgn, X, Y);
    if (rgn) DeleteObject(rgn);
    return in;
}

void PutPixel(TBitmap* B, int X, int Y, const TRGB& C)
{
    if (X < 0 || Y < 0 || X >= B->GetWidth() || Y >= B->GetHeight()) return;
    auto* row = static_cast<BYTE*>(B->ScanLine(Y));
    row[X * 4] = C.B;
    row[X * 4 + 1] = C.G;
    row[X * 4 + 2] = C.R;
    row[X * 4 + 3] = 0;
}

}  // namespace

TspColorPalette::TspColorPalette(TBitmap* Picture, TPSPColor* Color) : FPicture(Picture), FColor(Color)
{
    FPicture->SetPixelFormat(pf32bit);
    FPicture->SetSize(PaletteSize, PaletteSize);
    RingOffset = SquareOffset = (FPicture->GetWidth() - PaletteSize) / 2;
}

void TspColorPalette::DrawBackground(TspSkinData* D)
{
    TCanvas* c = FPicture->GetCanvas();
    const TRect all(0, 0, FPicture->GetWidth(), FPicture->GetHeight());
    const int i = D ? D->FindControlElement("panel") : -1;
    auto* rec = dynamic_cast<TspDataSkinCustomControl*>(i >= 0 ? D->ControlRecord(i) : nullptr);
    TBitmap* pic = nullptr;
    if (rec && rec->PictureIndex >= 0 && rec->PictureIndex < static_cast<int>(D->ActivePictures.size()))
        pic = D->ActivePictures[rec->PictureIndex].get();
    TRect src;
    if (rec && pic) {
        src = TRect(rec->SkinRect.left + rec->ClientRect.left, rec->SkinRect.top + rec->ClientRect.top,
                    rec->SkinRect.left + rec->ClientRect.right, rec->SkinRect.top + rec->ClientRect.bottom);
        // A tile outside the skin's picture cannot be drawn: the plain background instead.
        src.left = std::max<LONG>(0, src.left);
        src.top = std::max<LONG>(0, src.top);
        src.right = std::min<LONG>(pic->GetWidth(), src.right);
        src.bottom = std::min<LONG>(pic->GetHeight(), src.bottom);
    }
    if (!pic || src.Width() <= 0 || src.Height() <= 0) {
        c->GetPen()->SetMode(pmCopy);
        c->GetPen()->SetColor(clBtnFace);
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clBtnFace);
        c->Rectangle(all);
        return;
    }
    const int tw = src.Width(), th = src.Height();
    for (int col = 0; col <= all.Width() / tw; ++col)
        for (int row = 0; row <= all.Height() / th; ++row) {
            const int x = col * tw, y = row * th;
            const int w = std::min(tw, all.Width() - x), h = std::min(th, all.Height() - y);
            if (w <= 0 || h <= 0) continue;
            BitBlt(c->GetHandle(), x, y, w, h, pic->GetCanvas()->GetHandle(), src.left, src.top, SRCCOPY);
        }
}

void TspColorPalette::InitPSPPalette(TspSkinData* CtrlSkinData)
{
    TRGB hues[360];
    TPSPColor tmp;
    for (int i = 0; i < 360; ++i) {
        THSL h;
        h.H = i / 360.0;
        h.S = 1.0;
        h.L = 0.47;
        tmp.SeTHSL(h);
        hues[i] = tmp.GetRGB();
    }
    DrawBackground(CtrlSkinData);
    GdiFlush();
    HRGN outer = CreateEllipticRgn(0, 0, PaletteSize, PaletteSize);
    HRGN inner = CreateEllipticRgn(20, 20, 175, 175);
    for (int y = 0; y < PaletteSize; ++y)
        for (int x = 0; x < PaletteSize; ++x) {
            if (!PtInRegion(outer, x, y) || PtInRegion(inner, x, y)) continue;
            const int v = RingDegrees(x, y, 98, 98);
            PutPixel(FPicture, x + RingOffset, y, hues[(360 - v) % 360]);
        }
    DeleteObject(outer);
    DeleteObject(inner);
    DrawSquare();
    TCanvas* c = FPicture->GetCanvas();
    c->GetPen()->SetColor(clWhite);
    c->GetPen()->SetMode(pmXor);
    c->GetBrush()->SetStyle(bsClear);
    DrawCursor();
    FPicture->Modified();
}

void TspColorPalette::DrawSquare()
{
    GdiFlush();
    TPSPColor tmp;
    THSL h;
    h.H = FColor->GetHSL().H;
    for (int y = SquareLo; y <= SquareHi; ++y)
        for (int x = SquareLo; x <= SquareHi; ++x) {
            h.S = (x - SquareLo) / 106.0;
            h.L = (y - SquareLo) / 106.0;
            tmp.SeTHSL(h);
            PutPixel(FPicture, x + SquareOffset, y, tmp.GetRGB());
        }
}

void TspColorPalette::DrawPSPPalette()
{
    DrawSquare();
    DrawCursor();
    FPicture->Modified();
    if (OnRepaint) OnRepaint();
}

TPoint TspColorPalette::SquareCursor() const
{
    return TPoint(RoundEven(106 * FColor->GetHSL().S + SquareLo + SquareOffset),
                  RoundEven(106 * FColor->GetHSL().L + SquareLo));
}

TPoint TspColorPalette::RingCursor() const
{
    double x, y;
    CalcRotationPoint(97, 97, -RoundEven(FColor->GetHSL().H * 360), 97, 97 - (PaletteSize - 20) / 2, x, y);
    return TPoint(RoundEven(x) + RingOffset, RoundEven(y));
}

void TspColorPalette::DrawCursor()
{
    TCanvas* c = FPicture->GetCanvas();
    c->GetPen()->SetColor(clWhite);
    c->GetPen()->SetMode(pmXor);
    c->GetBrush()->SetStyle(bsClear);
    for (const TPoint& p : {SquareCursor(), RingCursor()}) c->Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
}

TClickZonePSP TspColorPalette::ZoneAt(int X, int Y) const
{
    if (X >= SquareLo + SquareOffset && X < SquareHi + SquareOffset && Y >= SquareLo && Y < SquareHi)
        return czpspPCar;
    if (InEllipse(RingOffset, 0, RingOffset + PaletteSize, PaletteSize, X, Y) &&
        !InEllipse(RingOffset + 20, 20, RingOffset + 174, 174, X, Y))
        return czpspPCircle;
    return czpspPnone;
}

BYTE TspColorPalette::HueByteAt(int X, int Y) const
{
    const int a = RingDegrees(X - RingOffset, Y, 97, 97);
    return static_cast<BYTE>(RoundEven((360 - a) / 360.0 * 255));
}

bool TspColorPalette::Act(int X, int Y)
{
    THSLPSP h = FColor->GetHSLPSP();
    switch (Zone) {
    case czpspPCircle: {
        const BYTE hue = HueByteAt(X, Y);
        // The same hue either way round the scale's ends (0 and 255 are both red).
        if (hue == h.H || (hue % 255) == (h.H % 255)) return false;
        DrawCursor();
        h.H = hue;
        FColor->SeTHSLPSP(h);
        if (OnChangeEdits) OnChangeEdits();
        DrawPSPPalette();
        return true;
    }
    case czpspPCar: {
        X = std::max(SquareLo + SquareOffset, std::min(SquareHi + SquareOffset, X));
        Y = std::max<int>(SquareLo, std::min<int>(SquareHi, Y));
        h.S = static_cast<BYTE>(RoundEven((X - SquareOffset - SquareLo) / 106.0 * 255));
        h.L = static_cast<BYTE>(RoundEven((Y - SquareLo) / 106.0 * 255));
        DrawCursor();
        FColor->SeTHSLPSP(h);
        if (OnChangeEdits) OnChangeEdits();
        DrawCursor();
        FPicture->Modified();
        if (OnRepaint) OnRepaint();
        return true;
    }
    default:
        return false;
    }
}

bool TspColorPalette::MouseDown(TMouseButton Button, int X, int Y)
{
    Zone = ZoneAt(X, Y);
    return Button == mbLeft ? Act(X, Y) : false;
}

bool TspColorPalette::MouseMove(TShiftState Shift, int X, int Y)
{
    return (Shift & ssLeft) ? Act(X, Y) : false;
}

bool TspColorPalette::MouseUp(TMouseButton Button, int X, int Y)
{
    const bool changed = Button == mbLeft ? Act(X, Y) : false;
    Zone = czpspPnone;
    return changed;
}
