#include "SkinTabs.h"
#include "Bitmap.h"
#include "ControlCanvas.h"
#include "ImgList.h"
#include "ScopeGuard.h"
#include "GdiHandles.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include <algorithm>

namespace {

// Tiles the picture piece S over the band D from its top-left corner; the last
// column and row are cut to the band. An empty piece tiles nothing.
void TilePiece(TCanvas* C, const TRect& D, TBitmap* Pic, TRect S)
{
    S = ClipToPicture(S, Pic);
    if (S.IsEmpty() || D.IsEmpty()) return;
    const int sw = S.Width(), sh = S.Height();
    for (int y = D.top; y < D.bottom; y += sh)
        for (int x = D.left; x < D.right; x += sw) {
            const int w = std::min(sw, D.right - x), h = std::min(sh, D.bottom - y);
            Sputils::CopyPiece(C, TRect(x, y, x + w, y + h), Pic, TRect(S.left, S.top, S.left + w, S.top + h));
        }
}

void ResetFont(TFont* F)
{
    F->SetName("Arial");
    F->SetHeight(14);
    F->SetStyle(0);
    F->SetColor(clBtnText);
}

}  // namespace

// ---- TspSkinPageControl ----
TspSkinPageControl::TspSkinPageControl(TComponent* AOwner)
    : TPageControl(AOwner), FDefaultFont(new TFont), FCanvas(new TControlCanvas(this))
{
    ResetFont(FDefaultFont.get());
    ResetFont(GetFont());
}

TspSkinPageControl::~TspSkinPageControl() = default;

void TspSkinPageControl::GetSkinData()
{
    FRec = nullptr;
    FPicture = nullptr;
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    if (FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) {
        FIndex = -1;
        return;
    }
    // A record of another kind, or one without a picture or a skin rectangle,
    // holds nothing to draw a tab from: the control stays unskinned rather than
    // drawing from values it never read.
    auto* rec = dynamic_cast<const TspDataSkinTabControl*>(FSD->CtrlList[FIndex].get());
    TBitmap* pic = rec ? SkinPicture(FSD, rec->PictureIndex) : nullptr;
    if (!rec || !pic || IsNullSkinRect(ClipToPicture(rec->SkinRect, pic)) || IsNullSkinRect(rec->TabRect)) {
        FIndex = -1;
        return;
    }
    FRec = rec;
    FPicture = pic;
}

void TspSkinPageControl::SetSkinData(TspSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (Value) Value->FreeNotification(this);
    if (Value && !Value->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TPageControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) {
        FSD = nullptr;
        FRec = nullptr;
        FPicture = nullptr;
        FIndex = -1;
    }
}

void TspSkinPageControl::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TspSkinPageControl::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = std::max(0, std::min(Value, 0x7FFF));
    GetSkinData();
    if (!Skinned()) {
        SetItemSize(GetTabWidth(), FDefaultItemHeight);
        Change();
        Realign();
    }
}

void TspSkinPageControl::UpDateTabs()
{
    GetSkinData();
    int h = GetTabHeight() > 0 ? GetTabHeight() : (Skinned() ? FRec->TabRect.Height() : FDefaultItemHeight);
    SetItemSize(GetTabWidth(), h);
    Realign();
}

void TspSkinPageControl::Loaded()
{
    TPageControl::Loaded();
    GetSkinData();
    if (!Skinned()) {
        SetItemSize(GetTabWidth(), GetTabHeight() > 0 ? GetTabHeight() : FDefaultItemHeight);
        Change();
        Realign();
    }
}

void TspSkinPageControl::ChangeSkinData()
{
    GetSkinData();
    TFont* f = GetFont();
    if (!Skinned()) {
        f->Assign(FDefaultFont.get());
        SetItemSize(GetTabWidth(), GetTabHeight() > 0 ? GetTabHeight() : FDefaultItemHeight);
    } else {
        if (UseSkinFont) {
            f->SetName(FRec->FontName);
            f->SetHeight(FRec->FontHeight);
            f->SetStyle(FRec->FontStyle);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
        f->SetColor(FRec->FontColor);
        SetItemSize(GetTabWidth(), GetTabHeight() > 0 ? GetTabHeight() : FRec->TabRect.Height());
    }
    Change();
    Realign();
    if (GetActivePage()) GetActivePage()->Invalidate();
}

void TspSkinPageControl::Change()
{
    TPageControl::Change();
    Invalidate();
}

void TspSkinPageControl::WndProc(TMessage& Message)
{
    TPageControl::WndProc(Message);
    if (Message.Msg == TCM_ADJUSTRECT && !Message.WParam && Message.LParam) {
        // The native control measures its own frame; ours is the skin's.
        RECT& r = *reinterpret_cast<RECT*>(Message.LParam);
        const int cw = GetWidth(), ch = GetHeight();
        GetSkinData();
        if (Skinned()) {
            const TRect& cl = FRec->ClientRect;
            const int sw = FRec->SkinRect.Width(), sh = FRec->SkinRect.Height();
            r.left = cl.left;
            r.right = cw - (sw - cl.right);
            r.top += cl.top - 6;
            r.bottom = ch - (sh - cl.bottom);
        } else {
            r.left = 1;
            r.right = cw - 1;
            r.top -= 5;
            r.bottom = ch - 1;
        }
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
    } else if (Message.Msg == TCM_GETITEMRECT && Message.Result && Message.LParam) {
        RECT& r = *reinterpret_cast<RECT*>(Message.LParam);
        OffsetRect(&r, GetMultiLine() ? 0 : -2, -2);
    }
}

void TspSkinPageControl::WMPaint(TMessage& Message)
{
    // The whole face is ours: never let the native control paint it.
    TFlagScope<TControlState> customPaint(FControlState, csCustomPaint);
    TPageControl::WMPaint(Message);
}

void TspSkinPageControl::WMEraseBkgnd(TMessage& Message)
{
    if (GetPageCount() > 0) Message.Result = 1;
    else TPageControl::WMEraseBkgnd(Message);
}

void TspSkinPageControl::WMSize(TMessage& Message)
{
    GetSkinData();
    TPageControl::WMSize(Message);
}

void TspSkinPageControl::PaintWindow(HDC DC)
{
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TSaveDCGuard save(DC);
    TPaintDCScope painting(*FCanvas, DC);
    TBitmap buffer(std::min(w, MaxSkinControlSide), std::min(h, MaxSkinControlSide), pf24bit);
    if (Skinned()) PaintSkinWindow(buffer.GetCanvas());
    else PaintDefaultWindow(buffer.GetCanvas());
    DrawTabs(buffer.GetCanvas());
    FCanvas->Draw(0, 0, &buffer);
}

void TspSkinPageControl::PaintDefaultWindow(TCanvas* C)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    TRect d = GetDisplayRect();
    d.Inflate(1, 1);
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(d);
}

void TspSkinPageControl::PaintSkinWindow(TCanvas* C)
{
    const TspDataSkinTabControl& s = *FRec;
    const TRect d = GetDisplayRect();
    const int sw = s.SkinRect.Width(), sh = s.SkinRect.Height();
    TRect f(d.left - s.ClientRect.left, d.top - s.ClientRect.top, d.right + (sw - s.ClientRect.right),
            d.bottom + (sh - s.ClientRect.bottom));
    if (!IsNullSkinRect(s.TabsBGRect)) TilePiece(C, TRect(0, 0, GetWidth(), f.top), FPicture, s.TabsBGRect);
    else {
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(TRect(0, 0, GetWidth(), std::max(0, f.top)));
    }
    const int fw = std::max(f.Width(), 0), fh = std::max(f.Height(), 0);
    if (fw <= 0 || fh <= 0) return;
    // Eight-point frame at F: the right points move with the width, the bottom
    // ones with the height; the element's middle fills the inside under the sheet.
    const int dw = fw - sw, dh = fh - sh;
    TBitmap frame;
    TRect ncl = s.ClientRect;
    ncl.right += dw;
    ncl.bottom += dh;
    Sputils::CreateSkinImage(s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect,
                             s.LeftTopPoint, TPoint(s.RightTopPoint.x + dw, s.RightTopPoint.y),
                             TPoint(s.LeftBottomPoint.x, s.LeftBottomPoint.y + dh),
                             TPoint(s.RightBottomPoint.x + dw, s.RightBottomPoint.y + dh), ncl, &frame, FPicture,
                             s.SkinRect, fw, fh, true);
    C->Draw(f.left, f.top, &frame);
}

void TspSkinPageControl::DrawTabs(TCanvas* C)
{
    const int cur = GetTabIndexInWindow();
    int v = 0;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->GetTabVisible()) continue;
        DrawTab(i, GetItemRect(v), v == cur, v == FHotTab, C);
        ++v;
    }
}

void TspSkinPageControl::DrawTab(int PageIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C)
{
    if (PageIndex < 0 || PageIndex >= GetPageCount()) return;
    TTabSheet* page = GetPage(PageIndex);
    const int w = std::min(R.Width(), MaxSkinControlSide), h = std::min(R.Height(), MaxSkinControlSide);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    TCanvas* bc = b.GetCanvas();
    if (!Skinned()) {
        bc->GetBrush()->SetStyle(bsSolid);
        TRect inner(0, 0, w, h);
        if (Active) {
            bc->GetBrush()->SetColor(clNavy);
            bc->FrameRect(inner);
            inner.Inflate(-1, -1);
        }
        TColor fill = clBtnFace;
        if (MouseIn && !Active) fill = 0xD2BDB6;
        else if (Active) fill = Focused() ? 0xB59385 : 0xD2BDB6;
        bc->GetBrush()->SetColor(fill);
        bc->FillRect(inner);
        bc->SetFont(GetFont());
    } else {
        const TspDataSkinTabControl& s = *FRec;
        const TRect active = IsNullSkinRect(s.ActiveTabRect) ? s.TabRect : s.ActiveTabRect;
        const TRect focus = IsNullSkinRect(s.FocusTabRect) ? s.ActiveTabRect : s.FocusTabRect;
        TRect sr;
        if (MouseIn && !Active && !IsNullSkinRect(s.MouseInTabRect)) sr = s.MouseInTabRect;
        else if (Active && Focused() && !IsNullSkinRect(focus)) sr = focus;
        else if (!Active) sr = s.TabRect;
        else sr = active;
        sr = ClipToPicture(sr, FPicture);
        if (!sr.IsEmpty()) {
            const int lo = std::max(0, std::min(s.TabLeftOffset, sr.Width()));
            const int ro = std::max(0, std::min(s.TabRightOffset, sr.Width() - lo));
            if (GetTabHeight() > 0) {
                TBitmap t;
                Sputils::CreateHSkinImage(lo, ro, &t, FPicture, sr, w, sr.Height());
                bc->StretchDraw(TRect(0, 0, w, h), &t);
            } else {
                // The tab keeps the look's own height: a taller active look overhangs.
                b.SetSize(w, std::min(sr.Height(), MaxSkinControlSide));
                Sputils::CreateHSkinImage(lo, ro, &b, FPicture, sr, w, sr.Height());
            }
        }
        bc = b.GetCanvas();
        if (UseSkinFont) {
            bc->GetFont()->SetName(s.FontName);
            bc->GetFont()->SetStyle(s.FontStyle);
            bc->GetFont()->SetHeight(s.FontHeight);
            bc->GetFont()->SetCharset(GetFont()->GetCharset());
        } else {
            bc->SetFont(GetFont());
        }
        TColor fc = s.FontColor;
        if (MouseIn && !Active) fc = s.MouseInFontColor;
        else if (Active && Focused()) fc = s.FocusFontColor;
        else if (Active) fc = s.ActiveFontColor;
        bc->GetFont()->SetColor(fc);
    }
    bc->GetBrush()->SetStyle(bsClear);
    const int bw = b.GetWidth(), bh = b.GetHeight();
    TCustomImageList* il = GetImages();
    // The image only while the page's index names an image of the list.
    const int ii = page->GetImageIndex();
    const bool image = il && PageIndex < il->GetCount() && ii >= 0 && ii < il->GetCount();
    std::string text = page->GetText();
    if (image) {
        TRect m(0, 0, 0, 0);
        bc->DrawText(text, m, DT_CALCRECT | DT_SINGLELINE);
        const int tw = m.Width() + 2, th = m.Height();
        const int iw = il->GetWidth(), ih = il->GetHeight();
        const int x0 = bw / 2 - (iw + tw + 2) / 2;
        TRect tr(x0 + iw + 2, bh / 2 - th / 2, x0 + iw + 2 + tw, bh / 2 - th / 2 + th);
        bc->DrawText(text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        il->Draw(bc, x0, bh / 2 - ih / 2, ii, page->GetEnabled());
    } else {
        TRect tr(0, 0, w, std::min(h, bh));
        bc->DrawText(text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    C->Draw(R.left, R.top, &b);
}

int TspSkinPageControl::PageOfTab(int V) const
{
    int v = 0;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->GetTabVisible()) continue;
        if (v++ == V) return i;
    }
    return -1;
}

void TspSkinPageControl::RedrawTab(int PageIndex, int V, bool MouseIn)
{
    if (!GetHandle() || PageIndex < 0) return;
    GetSkinData();
    HDC dc = GetDC(GetHandle());
    if (!dc) return;
    {
        TPaintDCScope painting(*FCanvas, dc);
        DrawTab(PageIndex, GetItemRect(V), false, MouseIn, FCanvas.get());
    }
    ReleaseDC(GetHandle(), dc);
}

void TspSkinPageControl::TestActive(int X, int Y)
{
    FOldHotPage = FHotPage;
    FOldHotTab = FHotTab;
    int v = 0, page = GetPageCount(), tab = -1;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->GetTabVisible()) continue;
        TRect r = GetItemRect(v);
        if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) {
            page = i;
            tab = v;
            break;
        }
        ++v;
    }
    FHotPage = page;
    FHotTab = tab;
    if (FHotTab == FOldHotTab) return;
    const int cur = GetTabIndexInWindow();
    if (FOldHotTab != -1 && FOldHotTab != cur && FOldHotTab < GetPageCount())
        RedrawTab(PageOfTab(FOldHotTab), FOldHotTab, false);
    if (FHotTab != -1 && FHotTab != cur && FHotTab < GetPageCount()) RedrawTab(FHotPage, FHotTab, true);
}

void TspSkinPageControl::CMMouseLeave(TMessage& Message)
{
    TPageControl::CMMouseLeave(Message);
    const int cur = GetTabIndexInWindow();
    for (int* t : {&FOldHotTab, &FHotTab}) {
        if (*t != -1 && *t != cur && *t < GetPageCount()) RedrawTab(PageOfTab(*t), *t, false);
        *t = -1;
    }
    FHotPage = FOldHotPage = -1;
}

void TspSkinPageControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TPageControl::MouseMove(Shift, X, Y);
    if (!IsDesigning()) TestActive(X, Y);
}

void TspSkinPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPageControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && !IsDesigning()) TestActive(X, Y);
}

// ---- TspSkinCustomTabSheet ----
TspSkinCustomTabSheet::TspSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}

void TspSkinCustomTabSheet::WMEraseBkgnd(TMessage& Message)
{
    PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TspSkinCustomTabSheet::WMSize(TMessage& Message)
{
    TTabSheet::WMSize(Message);
    Invalidate();
}

void TspSkinCustomTabSheet::PaintBG(HDC DC)
{
    const int w = GetWidth(), h = GetHeight();
    auto* pc = dynamic_cast<TspSkinPageControl*>(GetParent());
    if (w < 1 || h < 1 || !DC || !GetParent()) return;
    TCanvas c;
    c.SetHandle(DC);
    TBitmap* tile = nullptr;
    TRect piece;
    if (pc) {
        pc->GetSkinData();
        if (pc->Skinned()) {
            const TspDataSkinTabControl& s = *pc->FRec;
            tile = SkinPicture(pc->FSD, s.BGPictureIndex);
            if (tile) {
                piece = TRect(0, 0, tile->GetWidth(), tile->GetHeight());
            } else {
                tile = pc->FPicture;
                piece = s.ClientRect;
                piece.Offset(s.SkinRect.left, s.SkinRect.top);
            }
        }
    }
    if (tile && !ClipToPicture(piece, tile).IsEmpty()) {
        TilePiece(&c, TRect(0, 0, w, h), tile, piece);
    } else {
        c.GetBrush()->SetStyle(bsSolid);
        c.GetBrush()->SetColor(clBtnFace);
        c.FillRect(TRect(0, 0, w, h));
    }
    c.SetHandle(nullptr);
}
