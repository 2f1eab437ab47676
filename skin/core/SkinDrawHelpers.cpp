// Glyphs are drawn with the canvas's pen; a line covers its first point up to,
// not including, its second, as the platform draws lines.
#include "SkinDrawHelpers.h"
#include "SkinDefaultColors.h"
#include <memory>

namespace Sputils {

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// A line that includes both its ends (the arrows' rows and columns).
void InclusiveLine(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    C->MoveTo(X1, Y1);
    if (X1 == X2) C->LineTo(X2, Y2 + 1);   // a column (or one pixel)
    else C->LineTo(X2 + 1, Y2);            // a row
}

void PenColor(TCanvas* C, TColor Color)
{
    C->GetPen()->SetColor(Color);
    C->GetPen()->SetWidth(1);
}

void HollowRect(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(X1, Y1, X2, Y2);
}

TPoint Center(const TRect& R) { return TPoint(R.left + R.Width() / 2, R.top + R.Height() / 2); }

}  // namespace

void CorrectTextbyWidth(TCanvas* C, std::string& S, int W)
{
    if (C->TextWidth(S) <= W) return;
    std::string t = S;
    while (!t.empty()) {
        t.pop_back();
        if (C->TextWidth(t + "...") <= W) break;
    }
    S = t + "...";
}

void SPDrawText(TCanvas* Cnvs, const std::string& S, const TRect& R)
{
    TRect r = R;
    Cnvs->DrawText(S, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void SPDrawText2(TCanvas* Cnvs, const std::string& S, const TRect& R)
{
    SPDrawText3(Cnvs, S, R, 0);
}

void SPDrawText3(TCanvas* Cnvs, const std::string& S, const TRect& R, int HOffset)
{
    const int y = R.top + R.Height() / 2 - Cnvs->TextHeight(S) / 2;
    Cnvs->TextRect(R, R.left + HOffset + 2, y, S);
}

void DrawTrackArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color)
{
    PenColor(Cnvs, Color);
    const TPoint c = Center(R);
    InclusiveLine(Cnvs, c.x - 2, c.y, c.x + 2, c.y);
    InclusiveLine(Cnvs, c.x - 1, c.y + 1, c.x + 1, c.y + 1);
    InclusiveLine(Cnvs, c.x, c.y + 2, c.x, c.y + 2);
}

void DrawArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color, TspArrowDirection Direction)
{
    const TPoint c = Center(R);
    if (Direction < adLeft || Direction > adDown) return;
    PenColor(Cnvs, Color);
    switch (Direction) {
    case adLeft:   // tip at cx - 2
        for (int i = 0; i <= 3; ++i) InclusiveLine(Cnvs, c.x - 2 + i, c.y - i, c.x - 2 + i, c.y + i);
        break;
    case adRight:   // tip at cx + 2
        for (int n = 3; n >= 0; --n) InclusiveLine(Cnvs, c.x + 2 - n, c.y - n, c.x + 2 - n, c.y + n);
        break;
    case adUp:   // tip at cy - 2
        for (int i = 0; i <= 3; ++i) InclusiveLine(Cnvs, c.x - i, c.y - 2 + i, c.x + i, c.y - 2 + i);
        break;
    case adDown:   // tip at cy + 2
        for (int n = 3; n >= 0; --n) InclusiveLine(Cnvs, c.x - n, c.y + 2 - n, c.x + n, c.y + 2 - n);
        break;
    case adNone: break;
    }
}

void DrawRadioImage(TCanvas* Cnvs, int X, int Y, TColor Color)
{
    PenColor(Cnvs, Color);
    Cnvs->GetBrush()->SetStyle(bsSolid);
    Cnvs->GetBrush()->SetColor(Color);
    Cnvs->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas* Cnvs, int X, int Y, TColor Color)
{
    PenColor(Cnvs, Color);
    for (int i = 0; i <= 2; ++i) {
        const TPoint pts[3] = {TPoint(X, Y + 5 - i), TPoint(X + 2, Y + 7 - i), TPoint(X + 7, Y + 2 - i)};
        Cnvs->Polyline(pts, 3);
    }
}

void DrawGlyph(TCanvas* Cnvs, int X, int Y, TBitmap* FGlyph, int FNumGlyphs, int FGlyphNum)
{
    // A cell count or number outside the strip draws nothing rather than reading past it.
    if (!FGlyph || FGlyph->Empty() || FNumGlyphs <= 0 || FGlyphNum < 1 || FGlyphNum > FNumGlyphs) return;
    const int gw = FGlyph->GetWidth() / FNumGlyphs, gh = FGlyph->GetHeight();
    if (gw <= 0) return;
    auto cell = std::make_unique<TBitmap>(gw, gh);
    cell->GetCanvas()->CopyRect(TRect(0, 0, gw, gh), FGlyph->GetCanvas(),
                                TRect((FGlyphNum - 1) * gw, 0, FGlyphNum * gw, gh));
    // The bottom-left pixel's colour shows nothing, unless the glyph names its own.
    if (FGlyph->GetTransparentMode() == tmFixed) cell->SetTransparentColor(FGlyph->GetTransparentColor());
    cell->SetTransparent(true);
    Cnvs->Draw(X, Y, cell.get());
}

void DrawCloseImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    Line(C, X + 1, Y + 1, X + 9, Y + 9);
    Line(C, X + 9, Y + 1, X + 1, Y + 9);
    Line(C, X + 2, Y + 1, X + 10, Y + 9);
    Line(C, X + 8, Y + 1, X, Y + 9);
}

void DrawRCloseImage(TCanvas* C, const TRect& R, TColor Color)
{
    const TPoint c = Center(R);
    DrawCloseImage(C, c.x - 5, c.y - 5, Color);
}

void DrawSysMenuImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    HollowRect(C, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    Line(C, X + 1, Y + 8, X + 9, Y + 8);
    Line(C, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    HollowRect(C, X, Y, X + 11, Y + 10);
    HollowRect(C, X, Y, X + 11, Y + 2);
}

void DrawRestoreImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    HollowRect(C, X + 2, Y, X + 10, Y + 6);
    HollowRect(C, X + 2, Y, X + 10, Y + 2);
    HollowRect(C, X, Y + 4, X + 7, Y + 10);
    HollowRect(C, X, Y + 4, X + 7, Y + 6);
}

void DrawRollUpImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    for (int i = 0; i <= 4; ++i) Line(C, X + 5 - i, Y + 2 + i, X + 5 + i, Y + 2 + i);
}

void DrawRestoreRollUpImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    for (int i = 0; i <= 4; ++i) Line(C, X + 5 - i, Y + 6 - i, X + 5 + i, Y + 6 - i);
}

void DrawMTImage(TCanvas* C, int X, int Y, TColor Color)
{
    PenColor(C, Color);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color);
    C->Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

void Frm3D(TCanvas* Canvas, const TRect& Rect, TColor TopColor, TColor BottomColor)
{
    Canvas->GetPen()->SetWidth(1);
    const int l = Rect.left, t = Rect.top, r = Rect.right - 1, b = Rect.bottom - 1;
    Canvas->GetPen()->SetColor(TopColor);
    const TPoint top[3] = {TPoint(l, b), TPoint(l, t), TPoint(r, t)};
    Canvas->Polyline(top, 3);
    Canvas->GetPen()->SetColor(BottomColor);
    const TPoint bottom[3] = {TPoint(r, t), TPoint(r, b), TPoint(l - 1, b)};
    Canvas->Polyline(bottom, 3);
}

void DrawPlainFace(TCanvas* C, const TRect& R, TspLookState State)
{
    const TspPlainLook& look = PlainLooks[State];
    C->GetBrush()->SetColor(look.Fill);
    C->FillRect(R);
    C->GetBrush()->SetColor(look.Frame);
    C->FrameRect(R);
}

int Max(int A, int B) { return A > B ? A : B; }
int Min(int A, int B) { return A < B ? A : B; }
TRect NullRect() { return TRect(0, 0, 0, 0); }
bool IsNullRect(const TRect& R) { return R.right - R.left <= 0 || R.bottom - R.top <= 0; }
bool IsNullPoint(const TPoint& P) { return P.x == 0 || P.y == 0; }

bool PointInRect(const TRect& R, const TPoint& P)
{
    return P.x >= R.left && P.x <= R.right && P.y >= R.top && P.y <= R.bottom;
}

bool RectInRect(const TRect& R1, const TRect& R2)
{
    return PtInRect(&R2, R1.TopLeft()) && PtInRect(&R2, R1.BottomRight());
}

void RectToCenter(TRect& R, const TRect& Bounds)
{
    const int w = R.Width(), h = R.Height();
    R.left = Bounds.left + (Bounds.Width() - w) / 2;
    R.top = Bounds.top + (Bounds.Height() - h) / 2;
    R.right = R.left + w;
    R.bottom = R.top + h;
}

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }
bool EqRects(const TRect& R1, const TRect& R2) { return R1 == R2; }

}  // namespace Sputils
