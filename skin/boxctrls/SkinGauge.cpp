#include "SkinGauge.h"
#include "EffectBmp.h"
#include "GdiHandles.h"
#include "SkinControls.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinImage.h"
#include "SkinParentImage.h"
#include "SkinRangeMath.h"

using SkinRange::RoundEven;

TspSkinGauge::TspSkinGauge(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "gauge";
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

bool TspSkinGauge::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinGaugeControl*>(Rec) != nullptr;
}

void TspSkinGauge::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (!Skinned()) return;
    const auto* r = static_cast<const TspDataSkinGaugeControl*>(CurrentRecord());
    const auto a = SkinRange::BoundCoords(r->ProgressArea.left, r->ProgressArea.top, r->ProgressArea.right,
                                          r->ProgressArea.bottom);
    FSkinProgressArea = TRect(a.left, a.top, a.right, a.bottom);
    FProgressRect = ClipToPicture(r->ProgressRect, FElement.Picture);
    // Caps longer than the picture part would read outside it.
    const int len = FVertical ? FProgressRect.Height() : FProgressRect.Width();
    FBeginOffset = r->BeginOffset < 0 ? 0 : (r->BeginOffset > len ? len : r->BeginOffset);
    FEndOffset = r->EndOffset < 0 ? 0 : (r->EndOffset > len - FBeginOffset ? len - FBeginOffset : r->EndOffset);
    FVertical = r->Vertical;
    FSkinFont = r->Font;
    // A gauge stretched to a size of its own has no shaped window.
    if (!FUseSkinSize) FElement.Mask = nullptr;
    int w = GetWidth(), h = GetHeight();
    CalcSize(w, h);
}

void TspSkinGauge::CalcSize(int& W, int& H)
{
    const int askedW = W, askedH = H;
    TspSkinCustomControl::CalcSize(W, H);
    if (Skinned()) {
        FProgressArea = FSkinProgressArea;
        if (FElement.GetResizeMode() != rmFixed && FUseSkinSize) {
            if (FVertical) FProgressArea.bottom += H - FElement.SkinRect.Height();
            else FProgressArea.right += W - FElement.SkinRect.Width();
        }
    }
    if (!FUseSkinSize) {
        W = askedW;
        H = askedH;
    }
}

TRect TspSkinGauge::CalcProgressRect(const TRect& Area) const
{
    TRect r = Area;
    const double f = SkinRange::Fraction(FValue, FMinValue, FMaxValue);
    if (FVertical) r.top = r.bottom - RoundEven(f * Area.Height());
    else r.right = r.left + RoundEven(f * Area.Width());
    return r;
}

int TspSkinGauge::Percent() const
{
    return RoundEven(SkinRange::Fraction(FValue, FMinValue, FMaxValue) * 100);
}

std::string TspSkinGauge::ProgressTextToShow() const
{
    std::string s;
    if (FShowProgressText) s = FProgressText;
    if (FShowPercent) s += std::to_string(Percent()) + "%";
    return s;
}

// ---- values

void TspSkinGauge::SetValue(int Value)
{
    const int v = SkinRange::ClampValue(Value, FMinValue, FMaxValue);
    if (v == FValue) return;
    FValue = v;
    Repaint();
}

void TspSkinGauge::SetMinValue(int Value)
{
    FMinValue = Value;
    if (FValue < FMinValue) FValue = FMinValue;
    Repaint();
}

void TspSkinGauge::SetMaxValue(int Value)
{
    FMaxValue = Value;
    if (FValue > FMaxValue) FValue = FMaxValue;
    Repaint();
}

void TspSkinGauge::SetVertical(bool Value)
{
    FVertical = Value;
    if (IsDesigning() && !IsLoading()) FSkinDataName = Value ? "vgauge" : "gauge";
    Repaint();
}

void TspSkinGauge::SetShowProgressText(bool Value)
{
    FShowProgressText = Value;
    Repaint();
}

void TspSkinGauge::SetProgressText(const std::string& Value)
{
    FProgressText = Value;
    Repaint();
}

void TspSkinGauge::SetShowPercent(bool Value)
{
    FShowPercent = Value;
    Repaint();
}

void TspSkinGauge::SetTextAlphaBlend(bool Value)
{
    FTextAlphaBlend = Value;
    if (Skinned() && HasText()) Repaint();
}

void TspSkinGauge::SetTextAlphaBlendValue(BYTE Value)
{
    FTextAlphaBlendValue = Value;
    if (Skinned() && FTextAlphaBlend && HasText()) Repaint();
}

void TspSkinGauge::SetUseSkinSize(bool Value)
{
    FUseSkinSize = Value;
    ChangeSkinData();
}

// ---- drawing

void TspSkinGauge::DrawProgress(TCanvas* C, const TRect& P, int W, int H)
{
    TBitmap* pic = FElement.Picture;
    const TRect& R = FProgressRect;
    if (!pic || R.IsEmpty()) return;
    const int b = FBeginOffset, e = FEndOffset;
    if (!FVertical) {
        const int mid = R.Width() - b - e;
        if (mid <= 0) return;
        // A progress too short for both caps shows its tiled middle alone, so
        // that a small value still shows (rather than nothing at all).
        const bool caps = P.Width() >= b + e;
        const int from = caps ? P.left + b : P.left, to = caps ? P.right - e : P.right;
        if (to > from)
            for (const auto& t : Sputils::TileSpan(from, to, mid, 0, W))
                Sputils::CopyPiece(C, TRect(t.Start, P.top, t.Start + t.Length, P.top + R.Height()), pic,
                                   TRect(R.left + b, R.top, R.left + b + t.Length, R.bottom));
        if (P.Width() >= b + e) {
            Sputils::CopyPiece(C, TRect(P.left, P.top, P.left + b, P.top + R.Height()), pic,
                               TRect(R.left, R.top, R.left + b, R.bottom));
            Sputils::CopyPiece(C, TRect(P.right - e, P.top, P.right, P.top + R.Height()), pic,
                               TRect(R.right - e, R.top, R.right, R.bottom));
        }
        return;
    }
    const int mid = R.Height() - b - e;
    if (mid <= 0) return;
    const bool caps = P.Height() >= b + e;
    const int top = caps ? P.top + b : P.top, bottom = caps ? P.bottom - e : P.bottom;
    if (bottom > top) {
        // Tiles are laid from the bottom up; the topmost one is cut at its top.
        // Tiles below the image are skipped whole, keeping the others in place.
        int y = bottom;
        if (y > H + mid) y -= (y - H) / mid * mid;
        for (; y > top && y > 0;) {
            const int len = y - top < mid ? y - top : mid;
            Sputils::CopyPiece(C, TRect(P.left, y - len, P.left + R.Width(), y), pic,
                               TRect(R.left, R.bottom - e - len, R.right, R.bottom - e));
            y -= len;
        }
    }
    if (P.Height() >= b + e) {
        Sputils::CopyPiece(C, TRect(P.left, P.top, P.left + R.Width(), P.top + b), pic,
                           TRect(R.left, R.top, R.right, R.top + b));
        Sputils::CopyPiece(C, TRect(P.left, P.bottom - e, P.left + R.Width(), P.bottom), pic,
                           TRect(R.left, R.bottom - e, R.right, R.bottom));
    }
}

void TspSkinGauge::DrawProgressText(TCanvas* C, int W, int H)
{
    const std::string s = ProgressTextToShow();
    if (s.empty()) return;
    if (Skinned()) ApplySkinFont(C, FSkinFont, FSkinFont.Color);
    else C->GetFont()->Assign(FDefaultFont.get());
    C->GetBrush()->SetStyle(bsClear);
    const auto ext = C->TextExtent(s);
    if (!FVertical) {
        C->TextOut(W / 2 - ext.cx / 2, H / 2 - ext.cy / 2, s);
        return;
    }
    // The canvas font has no escapement of its own: a turned copy reads upwards.
    LOGFONTA lf{};
    GetObjectA(C->GetFont()->GetHandle(), sizeof(lf), &lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    TGdiObject<HFONT> turned(CreateFontIndirectA(&lf));
    if (!turned) return;
    HDC dc = C->GetHandle();
    HGDIOBJ old = SelectObject(dc, turned.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(C->GetFont()->GetColor()));
    TextOutA(dc, W / 2 - ext.cy / 2, ext.cx / 2 + H / 2, s.c_str(), static_cast<int>(s.size()));
    SelectObject(dc, old);
}

void TspSkinGauge::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    if (!FElement.Picture) return;
    DrawProgress(B->GetCanvas(), CalcProgressRect(FProgressArea), B->GetWidth(), B->GetHeight());
    if (!FUseSkinSize) return;   // Paint draws the text on the stretched image
    if (FTextAlphaBlend && HasText()) {
        TBitmap plain(B->GetWidth(), B->GetHeight(), pf24bit);
        plain.GetCanvas()->Draw(0, 0, B);
        DrawProgressText(B->GetCanvas(), B->GetWidth(), B->GetHeight());
        TspEffectBmp text(B), back(&plain);
        text.Morph(&back, 1.0 - FTextAlphaBlendValue / 255.0);
        text.Draw(B->GetCanvas()->GetHandle(), 0, 0);
        return;
    }
    DrawProgressText(B->GetCanvas(), B->GetWidth(), B->GetHeight());
}

void TspSkinGauge::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* C = B->GetCanvas();
    const int w = B->GetWidth(), h = B->GetHeight();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clWindow);
    C->FillRect(TRect(0, 0, w, h));
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(TRect(0, 0, w, h));
    const TRect p = CalcProgressRect(TRect(1, 1, w - 1, h - 1));
    if (!p.IsEmpty()) {
        C->GetBrush()->SetColor(clPlainHotFill);
        C->FillRect(p);
    }
    DrawProgressText(C, w, h);
}

void TspSkinGauge::Paint()
{
    GetSkinData();
    if (FUseSkinSize || !Skinned()) {
        TspSkinCustomControl::Paint();
        return;
    }
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    // The element at its own size, stretched to the control's.
    const int sw = FElement.SkinRect.Width(), sh = FElement.SkinRect.Height();
    if (sw <= 0 || sh <= 0) return;
    TBitmap own(sw, sh, pf24bit);
    Sputils::CopyPiece(own.GetCanvas(), TRect(0, 0, sw, sh), FElement.Picture, FElement.SkinRect);
    DrawProgress(own.GetCanvas(), CalcProgressRect(FSkinProgressArea), sw, sh);
    TBitmap b(w, h, pf24bit);
    b.GetCanvas()->StretchDraw(TRect(0, 0, w, h), &own);
    DrawProgressText(b.GetCanvas(), w, h);
    PresentImage(&b);
}
