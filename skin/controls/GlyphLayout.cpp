#include "GlyphLayout.h"
#include "SkinDrawHelpers.h"
#include <algorithm>

namespace Skinctrls {

void CalcGlyphTextLayout(int Layout, const TRect& R, int GW, int GH, int TW, int TH, int S, int M, int& TX,
                         int& TY, int& GX, int& GY)
{
    const int cx = R.left + R.Width() / 2, cy = R.top + R.Height() / 2;
    if (M == -1) {
        const int hw = (TW + GW + S) / 2, hh = (TH + GH + S) / 2;
        switch (Layout) {
        case blGlyphLeft: GX = cx - hw; GY = cy - GH / 2; TX = cx + hw - TW; TY = cy - TH / 2; break;
        case blGlyphRight: GX = cx + hw - GW; GY = cy - GH / 2; TX = cx - hw; TY = cy - TH / 2; break;
        case blGlyphTop: GX = cx - GW / 2; GY = cy - hh; TX = cx - TW / 2; TY = cy + hh - TH; break;
        case blGlyphBottom: GX = cx - GW / 2; GY = cy + hh - GH; TX = cx - TW / 2; TY = cy - hh; break;
        default: break;
        }
        return;
    }
    switch (Layout) {
    case blGlyphLeft: GX = R.left + M; GY = cy - GH / 2; TX = GX + GW + S; TY = cy - TH / 2; break;
    case blGlyphRight: GX = R.right - GW - M; GY = cy - GH / 2; TX = GX - S - TW; TY = cy - TH / 2; break;
    case blGlyphTop: GX = cx - GW / 2; GY = R.top + M; TX = cx - TW / 2; TY = GY + GH + S; break;
    case blGlyphBottom: GX = cx - GW / 2; GY = R.bottom - GH - M; TX = cx - TW / 2; TY = GY - S - TH; break;
    default: break;
    }
}

namespace {

TSize MeasureCaption(TCanvas* C, const std::string& Caption)
{
    if (Caption.empty()) return TSize(0, 0);
    TRect r(0, 0, 0, 0);
    C->DrawText(Caption, r, DT_CALCRECT);
    return TSize(r.Width(), r.Height());
}

void DrawCaption(TCanvas* C, const std::string& Caption, int TX, int TY)
{
    if (Caption.empty()) return;
    TRect r(TX, TY, TX, TY);
    C->DrawText(Caption, r, DT_CALCRECT);
    r.right += 2;
    C->DrawText(Caption, r, DT_CENTER | DT_VCENTER);
}

template <class DrawGlyphFn>
void LayOut(TCanvas* C, const TRect& R, int Margin, int Spacing, TspButtonLayout Layout, const std::string& Caption,
            int GW, int GH, bool Down, DrawGlyphFn DrawGlyphAt)
{
    const TSize t = MeasureCaption(C, Caption);
    C->GetBrush()->SetStyle(bsClear);
    int tx = 0, ty = 0, gx = 0, gy = 0;
    CalcGlyphTextLayout(Layout, R, GW, GH, t.cx, t.cy, Spacing, Margin, tx, ty, gx, gy);
    if (Down) {
        ++tx;
        ++ty;
        ++gx;
        ++gy;
    }
    DrawCaption(C, Caption, tx, ty);
    DrawGlyphAt(gx, gy);
    C->GetBrush()->SetStyle(bsClear);
}

}  // namespace

void DrawGlyphAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, TspButtonLayout Layout,
                      const std::string& Caption, TBitmap* Glyph, int NumGlyphs, int GlyphNum, bool Down)
{
    // Cell counts come from properties and skins: keep them where a division works.
    NumGlyphs = std::clamp(NumGlyphs, 1, 4);
    GlyphNum = std::clamp(GlyphNum, 1, NumGlyphs);
    const bool has = Glyph && !Glyph->Empty();
    const int gw = has ? Glyph->GetWidth() / NumGlyphs : 0, gh = has ? Glyph->GetHeight() : 0;
    LayOut(Cnvs, R, Margin, Spacing, Layout, Caption, gw, gh, Down, [&](int x, int y) {
        if (has && gw > 0) Sputils::DrawGlyph(Cnvs, x, y, Glyph, NumGlyphs, GlyphNum);
    });
}

void DrawImageAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, TspButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TCustomImageList* IL, bool Down, bool Enabled)
{
    const bool has = IL && ImageIndex >= 0 && ImageIndex < IL->GetCount();
    const int gw = has ? IL->GetWidth() : 0, gh = has ? IL->GetHeight() : 0;
    LayOut(Cnvs, R, Margin, Spacing, Layout, Caption, gw, gh, Down, [&](int x, int y) {
        if (has && gw != 0) IL->Draw(Cnvs, x, y, ImageIndex, Enabled);
    });
}

}  // namespace Skinctrls
