#include "SkinTabs.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "EffectBmp.h"
#include "ImgList.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include <algorithm>

namespace Skintabs {

namespace {

void DrawTurned(TCanvas* Cnvs, TBitmap* B, int X, int Y, bool Clockwise)
{
    if (!Cnvs || !B || B->Empty()) return;
    TspEffectBmp source(B);
    TspEffectBmp turned(source.Height(), source.Width());
    if (Clockwise) source.Rotate90_2(&turned);
    else source.Rotate90_1(&turned);
    turned.Draw(Cnvs->GetHandle(), X, Y);
}

}  // namespace

void DrawRotate90_1(TCanvas* Cnvs, TBitmap* B, int X, int Y) { DrawTurned(Cnvs, B, X, Y, false); }

void DrawRotate90_2(TCanvas* Cnvs, TBitmap* B, int X, int Y) { DrawTurned(Cnvs, B, X, Y, true); }

void DrawTabImageAndText(TCanvas* Cnvs, int W, int H, const std::string& Text, TCustomImageList* IL,
                         int ImageIndex, bool Enabled)
{
    if (!Cnvs || !IL) return;
    TRect m(0, 0, 0, 0);
    Cnvs->DrawText(Text, m, DT_CALCRECT | DT_SINGLELINE);
    const int tw = m.Width() + 2, th = m.Height();
    const int iw = IL->GetWidth(), ih = IL->GetHeight();
    const int x0 = W / 2 - (iw + tw + 2) / 2;
    TRect tr(x0 + iw + 2, H / 2 - th / 2, x0 + iw + 2 + tw, H / 2 - th / 2 + th);
    Cnvs->DrawText(Text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (ImageIndex >= 0 && ImageIndex < IL->GetCount()) IL->Draw(Cnvs, x0, H / 2 - ih / 2, ImageIndex, Enabled);
}

void TilePiece(TCanvas* Cnvs, const TRect& D, TBitmap* Picture, const TRect& S)
{
    const TRect piece = ClipToPicture(S, Picture);
    if (!Cnvs || piece.IsEmpty() || D.IsEmpty()) return;
    const int sw = piece.Width(), sh = piece.Height();
    for (int y = D.top; y < D.bottom; y += sh)
        for (int x = D.left; x < D.right; x += sw) {
            const int w = std::min<int>(sw, D.right - x), h = std::min<int>(sh, D.bottom - y);
            Sputils::CopyPiece(Cnvs, TRect(x, y, x + w, y + h), Picture,
                               TRect(piece.left, piece.top, piece.left + w, piece.top + h));
        }
}

}  // namespace Skintabs
