#include "SkinTabs.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "EffectBmp.h"
#include "ImgList.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinUpDown.h"
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


// ---- skin element, rectangles, frame and tabs ----

namespace {

TPoint ClampPoint(const TPoint& P, int W, int H)
{
    return TPoint(std::max(0, std::min<int>(P.x, W)), std::max(0, std::min<int>(P.y, H)));
}

}  // namespace

void ResetTabFont(TFont* F)
{
    F->SetName("Arial");
    F->SetHeight(14);
    F->SetStyle(0);
    F->SetColor(clBtnText);
}

int ReadTabSkin(TspSkinData* Data, const std::string& Name, TTabSkin& S, TBitmap*& Picture)
{
    S = TTabSkin();
    Picture = nullptr;
    if (!Data || Data->Empty) return -1;
    const int index = Data->GetControlIndex(Name);
    if (index < 0 || index >= static_cast<int>(Data->CtrlList.size())) return -1;
    // A record of another kind, or one without a picture, a skin rectangle or a
    // tab look, holds nothing to draw from: the control stays unskinned (its own
    // size, system colours) rather than drawing from values it never read.
    auto* rec = dynamic_cast<const TspDataSkinTabControl*>(Data->CtrlList[index].get());
    TBitmap* pic = rec ? SkinPicture(Data, rec->PictureIndex) : nullptr;
    if (!pic) return -1;
    const TRect skinRect = ClipToPicture(rec->SkinRect, pic);
    const TspTabLooks& looks = rec->TabLooks;
    const TRect tabRect = ClipToPicture(looks[tabNormal], pic);
    if (skinRect.IsEmpty() || tabRect.IsEmpty()) return -1;
    Picture = pic;
    TTabSkin& s = S;
    const int sw = skinRect.Width(), sh = skinRect.Height();
    s.SkinRect = skinRect;
    // The client part and the points lie inside the skin rectangle, so the
    // borders taken from them are never negative.
    const TPoint clTL = ClampPoint(rec->ClientRect.TopLeft(), sw, sh);
    const TPoint clBR = ClampPoint(rec->ClientRect.BottomRight(), sw, sh);
    s.ClientRect = TRect(clTL.x, clTL.y, std::max(clTL.x, clBR.x), std::max(clTL.y, clBR.y));
    s.LeftTop = ClampPoint(rec->LeftTopPoint, sw, sh);
    s.RightTop = ClampPoint(rec->RightTopPoint, sw, sh);
    s.LeftBottom = ClampPoint(rec->LeftBottomPoint, sw, sh);
    s.RightBottom = ClampPoint(rec->RightBottomPoint, sw, sh);
    TspTabLooks& l = s.TabLooks;
    l[tabNormal] = tabRect;
    l[tabActive] = looks[tabActive].IsEmpty() ? tabRect : ClipToPicture(looks[tabActive], pic);
    // A null focused look falls back to the active look as read, and a null one
    // of those to the active look as kept (never to an empty picture); a null
    // mouse-in look to the normal one.
    l[tabFocused] = ClipToPicture(looks[tabFocused].IsEmpty() ? looks[tabActive] : looks[tabFocused], pic);
    if (l[tabFocused].IsEmpty()) l[tabFocused] = l[tabActive];
    l[tabMouseIn] = ClipToPicture(looks[tabMouseIn], pic);
    if (l[tabMouseIn].IsEmpty()) l[tabMouseIn] = tabRect;
    s.TabsBGRect = ClipToPicture(rec->TabsBGRect, pic);
    s.TabLeftOffset = rec->TabLeftOffset;
    s.TabRightOffset = rec->TabRightOffset;
    s.Font = rec->Font;
    s.FontColors[tabNormal] = rec->Font.Color;
    s.FontColors[tabActive] = rec->ActiveFontColor;
    s.FontColors[tabFocused] = rec->FocusFontColor;
    s.FontColors[tabMouseIn] = rec->MouseInFontColor;
    s.UpDown = rec->UpDown;
    s.BGPictureIndex = rec->BGPictureIndex;
    return index;
}

void AdjustDisplayRect(RECT& R, TTabPosition Pos, int CW, int CH, bool Skinned, const TRect& Borders)
{
    // The native control measures its own frame; ours is the skin's. Of its answer
    // only the sides next to the tabs are kept (moved by our frame's width there).
    if (Skinned) {
        const int l = Borders.left, t = Borders.top, r = Borders.right, b = Borders.bottom;
        R.left = Pos == tpLeft ? R.left + l - 4 : l;
        R.right = Pos == tpRight ? R.right + 4 - r : CW - r;
        R.top += t - 6;
        R.bottom = Pos == tpBottom ? R.bottom + 4 - b : CH - b;
    } else {
        R.left = Pos == tpLeft || Pos == tpRight ? R.left - 3 : 1;
        R.right = Pos == tpRight ? R.right + 3 : CW - 1;
        R.top = Pos == tpBottom ? 1 : R.top - 5;
        R.bottom = Pos == tpBottom ? R.bottom + 3 : CH - 1;
    }
    if (R.right < R.left) R.right = R.left;
    if (R.bottom < R.top) R.bottom = R.top;
}

void CorrectItemRect(RECT& R, TTabPosition Pos, bool MultiLine)
{
    // Our tabs sit against the control's edge, where the native ones keep a
    // 2-pixel margin.
    const int along = MultiLine ? 0 : -2;
    switch (Pos) {
    case tpTop: OffsetRect(&R, along, -2); break;
    case tpBottom: OffsetRect(&R, along, 2); break;
    case tpLeft: OffsetRect(&R, -2, 0); break;
    case tpRight: OffsetRect(&R, 2, 0); break;
    }
}

void PaintPlainFace(TCanvas* C, int W, int H, TRect D)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, W, H));
    D.Inflate(1, 1);
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(D);
}

TRect FrameAround(const TTabSkin& S, const TRect& D)
{
    return TRect(D.left - S.BorderLeft(), D.top - S.BorderTop(), D.right + S.BorderRight(), D.bottom + S.BorderBottom());
}

TRect TabsBand(TTabPosition Pos, const TRect& F, int W, int H)
{
    switch (Pos) {
    case tpTop: return TRect(0, 0, W, F.top);
    case tpBottom: return TRect(0, F.bottom, W, H);
    case tpLeft: return TRect(0, 0, F.left, H);
    case tpRight: return TRect(F.right, 0, W, H);
    }
    return TRect();
}

void DrawFrame(TCanvas* C, const TTabSkin& S, TBitmap* Picture, const TRect& F)
{
    const int fw = F.Width(), fh = F.Height();
    if (fw <= 0 || fh <= 0) return;
    Sputils::TSkinImageArgs a;
    a.Skin = {S.LeftTop, S.RightTop, S.LeftBottom, S.RightBottom, S.ClientRect};
    a.Target = a.Skin.Grown(fw - S.SkinRect.Width(), fh - S.SkinRect.Height());
    a.Source = Picture;
    a.SourceRect = S.SkinRect;
    a.Width = std::min(fw, MaxSkinControlSide);
    a.Height = std::min(fh, MaxSkinControlSide);
    TBitmap frame;
    Sputils::CreateSkinImage(&frame, a);
    C->Draw(F.left, F.top, &frame);
}

void DrawTab(TCanvas* C, const TRect& R, const TTabLook& L)
{
    const bool side = L.Position == tpLeft || L.Position == tpRight;
    const int w = std::min(side ? R.Height() : R.Width(), MaxSkinControlSide);
    const int h = std::min(side ? R.Width() : R.Height(), MaxSkinControlSide);
    if (w <= 0 || h <= 0) return;
    const TspTabState state = TabState(L.Active, L.Focused, L.MouseIn);
    TBitmap b(w, h, pf24bit);
    if (!L.Skin) {
        TCanvas* bc = b.GetCanvas();
        bc->GetBrush()->SetStyle(bsSolid);
        TRect inner(0, 0, w, h);
        if (L.Active) {
            bc->GetBrush()->SetColor(clPlainHotFrame);
            bc->FrameRect(inner);
            inner.Inflate(-1, -1);
        }
        bc->GetBrush()->SetColor(PlainTabFills[state]);
        bc->FillRect(inner);
        bc->SetFont(L.Font);
    } else {
        const TTabSkin& s = *L.Skin;
        const TRect& sr = s.TabLooks[state];
        const int lo = std::max(0, std::min(s.TabLeftOffset, sr.Width()));
        const int ro = std::max(0, std::min(s.TabRightOffset, sr.Width() - lo));
        if (L.Stretch) {
            TBitmap look;
            Sputils::CreateHSkinImage(lo, ro, &look, L.Picture, sr, w, sr.Height());
            b.GetCanvas()->StretchDraw(TRect(0, 0, w, h), &look);
        } else {
            // The tab keeps the look's own height: a taller active look overhangs.
            Sputils::CreateHSkinImage(lo, ro, &b, L.Picture, sr, w, sr.Height());
        }
        TCanvas* bc = b.GetCanvas();
        if (L.UseSkinFont) {
            bc->GetFont()->SetName(s.Font.Name);
            bc->GetFont()->SetStyle(s.Font.Style);
            bc->GetFont()->SetHeight(ClampFontHeight(L.FontHeight));
            bc->GetFont()->SetCharset(L.Font->GetCharset());
        } else {
            bc->SetFont(L.Font);
        }
        bc->GetFont()->SetColor(s.FontColors[state]);
    }
    if (b.Empty()) return;
    TCanvas* bc = b.GetCanvas();
    bc->GetBrush()->SetStyle(bsClear);
    if (L.Images) {
        DrawTabImageAndText(bc, b.GetWidth(), b.GetHeight(), L.Text, L.Images, L.ImageIndex, L.Enabled);
    } else {
        TRect tr(0, 0, w, std::min<int>(h, b.GetHeight()));
        bc->DrawText(L.Text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (L.Position == tpLeft) DrawRotate90_1(C, &b, R.left, R.top);
    else if (L.Position == tpRight) DrawRotate90_2(C, &b, R.left, R.top);
    else C->Draw(R.left, R.top, &b);
}

// ---- scroller ----
int TabsOutside(TCustomTabControl* T, int UpDownWidth)
{
    const int limit = T->GetWidth() - 3 - UpDownWidth;
    int n = 0;
    for (int v = 0, count = T->GetTabCount(); v < count; ++v) {
        const TRect r = T->GetItemRect(v);
        if (r.right > limit || r.right <= 0) ++n;
    }
    return n;
}

int TabsScrolledOut(TCustomTabControl* T)
{
    // Only the window's tabs are counted: a hidden page has no item rectangle, and
    // its empty one would read as scrolled out.
    int n = 0;
    for (int v = 0, count = T->GetTabCount(); v < count; ++v)
        if (T->GetItemRect(v).right <= 0) ++n;
    return n;
}

void PlaceScroller(TCustomTabControl* T, TControl* U)
{
    const int uw = U->GetWidth(), uh = U->GetHeight();
    U->SetBounds(T->GetWidth() - uw, T->GetTabPosition() == tpTop ? 0 : T->GetHeight() - uh, uw, uh);
}

void ShowScroller(TCustomTabControl* T, TspSkinUpDown*& Slot, int W, int H, TspSkinData* Data,
                  const std::string& Name, TNotifyEvent OnChange)
{
    auto* u = new TspSkinUpDown(T);
    Slot = u;
    u->SetVisible(false);
    u->SetParent(T);
    u->SetBounds(0, 0, W, H);
    PlaceScroller(T, u);
    u->SetMin(0);
    u->SetMax(TabsOutside(T, u->GetWidth()));
    u->SetPosition(TabsScrolledOut(T));
    u->Increment = 1;
    u->OnChange = std::move(OnChange);
    u->SetSkinDataName(Name);
    u->SetSkinData(Data);
    u->SetVisible(true);
}

void ScrollTabsTo(TCustomTabControl* T, int Target)
{
    // Wine's tab control moves its first visible tab one step towards the thumb
    // position per message (Windows jumps there): send it until it arrives or
    // stops moving.
    for (int i = 0, count = T->GetTabCount(); i <= count; ++i) {
        const int before = TabsScrolledOut(T);
        T->Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, Target), 0);
        const int after = TabsScrolledOut(T);
        if (after == Target || after == before) break;
    }
}

}  // namespace Skintabs
