#include "SkinPageControl.h"
#include "Bitmap.h"
#include "ControlCanvas.h"
#include "GdiHandles.h"
#include "ImgList.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinTabSheet.h"
#include "SkinTabs.h"
#include "SkinUpDown.h"
#include <algorithm>

namespace {

void ResetFont(TFont* F)
{
    F->SetName("Arial");
    F->SetHeight(14);
    F->SetStyle(0);
    F->SetColor(clBtnText);
}

TPoint ClampPoint(const TPoint& P, int W, int H)
{
    return TPoint(std::max(0, std::min<int>(P.x, W)), std::max(0, std::min<int>(P.y, H)));
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
    FSkin = TTabSkin();
    FPicture = nullptr;
    FIndex = -1;
    if (!FSD || FSD->Empty) return;
    const int index = FSD->GetControlIndex(FSkinDataName);
    if (index < 0 || index >= static_cast<int>(FSD->CtrlList.size())) return;
    // A record of another kind, or one without a picture, a skin rectangle or a
    // tab look, holds nothing to draw from: the control stays unskinned (its own
    // size, system colours) rather than drawing from values it never read.
    auto* rec = dynamic_cast<const TspDataSkinTabControl*>(FSD->CtrlList[index].get());
    TBitmap* pic = rec ? SkinPicture(FSD, rec->PictureIndex) : nullptr;
    if (!pic) return;
    const TRect skinRect = ClipToPicture(rec->SkinRect, pic);
    const TRect tabRect = ClipToPicture(rec->TabRect, pic);
    if (IsNullSkinRect(skinRect) || IsNullSkinRect(tabRect)) return;
    FIndex = index;
    FPicture = pic;
    TTabSkin& s = FSkin;
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
    s.TabRect = tabRect;
    s.ActiveTabRect = IsNullSkinRect(rec->ActiveTabRect) ? tabRect : ClipToPicture(rec->ActiveTabRect, pic);
    // A null focused look falls back to the active look as read; a null one of
    // those is resolved at drawing time.
    s.FocusTabRect = ClipToPicture(IsNullSkinRect(rec->FocusTabRect) ? rec->ActiveTabRect : rec->FocusTabRect, pic);
    s.MouseInTabRect = ClipToPicture(rec->MouseInTabRect, pic);
    s.TabsBGRect = ClipToPicture(rec->TabsBGRect, pic);
    s.TabLeftOffset = rec->TabLeftOffset;
    s.TabRightOffset = rec->TabRightOffset;
    s.FontName = rec->FontName;
    s.FontStyle = rec->FontStyle;
    s.FontHeight = rec->FontHeight;
    s.FontColor = rec->FontColor;
    s.ActiveFontColor = rec->ActiveFontColor;
    s.FocusFontColor = rec->FocusFontColor;
    s.MouseInFontColor = rec->MouseInFontColor;
    s.UpDown = rec->UpDown;
    s.BGPictureIndex = rec->BGPictureIndex;
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
    if (Operation != opRemove) return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FSkin = TTabSkin();
        FPicture = nullptr;
        FIndex = -1;
    }
    if (AComponent == FUpDown) FUpDown = nullptr;
}

void TspSkinPageControl::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TspSkinPageControl::ApplyItemHeight(int SkinnedHeight)
{
    SetItemSize(GetTabWidth(), GetTabHeight() > 0 ? GetTabHeight() : (Skinned() ? SkinnedHeight : FDefaultItemHeight));
}

void TspSkinPageControl::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = std::max(0, std::min(Value, 0x7FFF));
    GetSkinData();
    if (!Skinned()) {
        SetItemSize(GetTabWidth(), FDefaultItemHeight);
        auto alive = FAlive.Watch();
        Change();
        if (*alive) Realign();
    }
}

void TspSkinPageControl::UpDateTabs()
{
    GetSkinData();
    ApplyItemHeight(FSkin.TabRect.Height());
    if (!OneRow()) HideSkinUpDown();
    Realign();
}

void TspSkinPageControl::Loaded()
{
    TPageControl::Loaded();
    GetSkinData();
    if (!Skinned()) {
        ApplyItemHeight(0);
        auto alive = FAlive.Watch();
        Change();
        if (*alive) Realign();
    }
}

void TspSkinPageControl::ChangeSkinData()
{
    GetSkinData();
    TFont* f = GetFont();
    if (!Skinned()) {
        f->Assign(FDefaultFont.get());
    } else {
        if (UseSkinFont) {
            f->SetName(FSkin.FontName);
            f->SetHeight(FSkin.FontHeight);
            f->SetStyle(FSkin.FontStyle);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
        f->SetColor(FSkin.FontColor);
    }
    ApplyItemHeight(FSkin.TabRect.Height());
    auto alive = FAlive.Watch();
    Change();
    if (!*alive) return;
    Realign();
    if (FUpDown) {
        // Rebuilt so that it wears the new skin's scroller element.
        HideSkinUpDown();
        CheckScroll();
    }
    if (GetActivePage()) GetActivePage()->Invalidate();
}

void TspSkinPageControl::Change()
{
    auto alive = FAlive.Watch();
    if (FUpDown) FUpDown->SetPosition(GetPosition());
    if (!*alive) return;
    TPageControl::Change();
    if (*alive) Invalidate();
}

bool TspSkinPageControl::OneRow() const
{
    // The system control (Wine too) makes side tabs multi-line: they never scroll.
    return !GetMultiLine() && (GetTabPosition() == tpTop || GetTabPosition() == tpBottom);
}

void TspSkinPageControl::FollowTabRow()
{
    if (IsDesigning()) return;
    if (OneRow()) CheckScroll();
    else if (FUpDown) HideSkinUpDown();   // rows of tabs never scroll
}

// ---- window procedure ----
void TspSkinPageControl::WndProc(TMessage& Message)
{
    TPageControl::WndProc(Message);
    switch (Message.Msg) {
    case TCM_ADJUSTRECT:
        if (!Message.WParam && Message.LParam) AdjustDisplayRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case TCM_GETITEMRECT:
        // Whatever the answer (see GetItemRect), the rectangle of a tab that exists is filled in.
        if (Message.LParam && static_cast<int>(Message.WParam) < GetTabCount())
            CorrectItemRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case WM_SIZE:
        FollowTabRow();
        break;
    default:
        break;
    }
}

void TspSkinPageControl::AdjustDisplayRect(RECT& R)
{
    // The native control measures its own frame; ours is the skin's. Of its answer
    // only the sides next to the tabs are kept (moved by our frame's width there).
    const int cw = GetClientWidth(), ch = GetClientHeight();
    GetSkinData();
    const TTabPosition pos = GetTabPosition();
    if (Skinned()) {
        const int l = FSkin.BorderLeft(), t = FSkin.BorderTop(), r = FSkin.BorderRight(), b = FSkin.BorderBottom();
        R.left = pos == tpLeft ? R.left + l - 4 : l;
        R.right = pos == tpRight ? R.right + 4 - r : cw - r;
        R.top += t - 6;
        R.bottom = pos == tpBottom ? R.bottom + 4 - b : ch - b;
    } else {
        R.left = pos == tpLeft || pos == tpRight ? R.left - 3 : 1;
        R.right = pos == tpRight ? R.right + 3 : cw - 1;
        R.top = pos == tpBottom ? 1 : R.top - 5;
        R.bottom = pos == tpBottom ? R.bottom + 3 : ch - 1;
    }
    if (R.right < R.left) R.right = R.left;
    if (R.bottom < R.top) R.bottom = R.top;
}

void TspSkinPageControl::CorrectItemRect(RECT& R)
{
    // Our tabs sit against the control's edge, where the native ones keep a
    // 2-pixel margin.
    const int along = GetMultiLine() ? 0 : -2;
    switch (GetTabPosition()) {
    case tpTop: OffsetRect(&R, along, -2); break;
    case tpBottom: OffsetRect(&R, along, 2); break;
    case tpLeft: OffsetRect(&R, -2, 0); break;
    case tpRight: OffsetRect(&R, 2, 0); break;
    }
}

void TspSkinPageControl::WMPaint(TMessage& Message)
{
    // The whole face is ours: the native control never paints it.
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

void TspSkinPageControl::WMScroll(TMessage& Message)
{
    TPageControl::WMScroll(Message);
    if (Message.Msg == WM_HSCROLL) Invalidate();
}

// ---- painting ----
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
    const TTabSkin& s = FSkin;
    const TRect d = GetDisplayRect();
    const int sw = s.SkinRect.Width(), sh = s.SkinRect.Height();
    const TRect f(d.left - s.BorderLeft(), d.top - s.BorderTop(), d.right + s.BorderRight(), d.bottom + s.BorderBottom());
    // The strip behind the tabs: the skin's tiles, or the face colour when the
    // element has none (the buffer is not cleared).
    const int w = GetWidth(), h = GetHeight();
    TRect band;
    switch (GetTabPosition()) {
    case tpTop: band = TRect(0, 0, w, f.top); break;
    case tpBottom: band = TRect(0, f.bottom, w, h); break;
    case tpLeft: band = TRect(0, 0, f.left, h); break;
    case tpRight: band = TRect(f.right, 0, w, h); break;
    }
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    if (!IsNullSkinRect(s.TabsBGRect)) Skintabs::TilePiece(C, band, FPicture, s.TabsBGRect);
    const int fw = f.Width(), fh = f.Height();
    if (fw <= 0 || fh <= 0) return;
    // Eight-point frame at F: the right points move with the width difference, the
    // bottom ones with the height difference, the edges repeat between them.
    const int dw = fw - sw, dh = fh - sh;
    TRect ncl = s.ClientRect;
    ncl.right += dw;
    ncl.bottom += dh;
    TBitmap frame;
    Sputils::CreateSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.ClientRect, s.LeftTop,
                             TPoint(s.RightTop.x + dw, s.RightTop.y), TPoint(s.LeftBottom.x, s.LeftBottom.y + dh),
                             TPoint(s.RightBottom.x + dw, s.RightBottom.y + dh), ncl, &frame, FPicture, s.SkinRect,
                             std::min(fw, MaxSkinControlSide), std::min(fh, MaxSkinControlSide), true);
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
    // Side tabs are drawn lying down, then turned.
    const bool side = GetTabPosition() == tpLeft || GetTabPosition() == tpRight;
    const int w = std::min(side ? R.Height() : R.Width(), MaxSkinControlSide);
    const int h = std::min(side ? R.Width() : R.Height(), MaxSkinControlSide);
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h, pf24bit);
    if (!Skinned()) {
        TCanvas* bc = b.GetCanvas();
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
        const TTabSkin& s = FSkin;
        // A focused look that is null (and so an active one read as null) falls
        // back to the active look, never to an empty picture.
        TRect sr;
        if (MouseIn && !Active && !IsNullSkinRect(s.MouseInTabRect)) sr = s.MouseInTabRect;
        else if (Active && Focused() && !IsNullSkinRect(s.FocusTabRect)) sr = s.FocusTabRect;
        else if (!Active) sr = s.TabRect;
        else sr = s.ActiveTabRect;
        const int lo = std::max(0, std::min(s.TabLeftOffset, sr.Width()));
        const int ro = std::max(0, std::min(s.TabRightOffset, sr.Width() - lo));
        if (GetTabHeight() > 0) {
            TBitmap look;
            Sputils::CreateHSkinImage(lo, ro, &look, FPicture, sr, w, sr.Height());
            b.GetCanvas()->StretchDraw(TRect(0, 0, w, h), &look);
        } else {
            // The tab keeps the look's own height: a taller active look overhangs.
            Sputils::CreateHSkinImage(lo, ro, &b, FPicture, sr, w, sr.Height());
        }
        TCanvas* bc = b.GetCanvas();
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
    if (b.Empty()) return;
    TCanvas* bc = b.GetCanvas();
    bc->GetBrush()->SetStyle(bsClear);
    TCustomImageList* il = GetImages();
    // An image only while the page's index names one of the list.
    const int ii = page->GetImageIndex();
    const bool image = il && PageIndex < il->GetCount() && ii >= 0 && ii < il->GetCount();
    if (image) Skintabs::DrawTabImageAndText(bc, b.GetWidth(), b.GetHeight(), page->GetText(), il, ii, page->GetEnabled());
    else {
        TRect tr(0, 0, w, std::min<int>(h, b.GetHeight()));
        bc->DrawText(page->GetText(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (GetTabPosition() == tpLeft) Skintabs::DrawRotate90_1(C, &b, R.left, R.top);
    else if (GetTabPosition() == tpRight) Skintabs::DrawRotate90_2(C, &b, R.left, R.top);
    else C->Draw(R.left, R.top, &b);
}

// ---- hot tab ----
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
    if (!HandleAllocated() || PageIndex < 0) return;
    GetSkinData();
    TWindowDC dc(GetHandle());
    if (!dc.Get()) return;
    TPaintDCScope painting(*FCanvas, dc.Get());
    DrawTab(PageIndex, GetItemRect(V), false, MouseIn, FCanvas.get());
}

void TspSkinPageControl::TestActive(int X, int Y)
{
    FOldHotPage = FHotPage;
    FOldHotTab = FHotTab;
    int v = 0, page = GetPageCount(), tab = -1;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->GetTabVisible()) continue;
        if (GetItemRect(v).Contains(TPoint(X, Y))) {
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
    auto alive = FAlive.Watch();
    TPageControl::MouseMove(Shift, X, Y);
    if (*alive && !IsDesigning()) TestActive(X, Y);
}

void TspSkinPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TPageControl::MouseDown(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && !IsDesigning()) TestActive(X, Y);
}

// ---- scroller ----
int TspSkinPageControl::GetInVisibleItemCount()
{
    const int limit = GetWidth() - 3 - (FUpDown ? FUpDown->GetWidth() : 0);
    int n = 0;
    for (int v = 0, count = GetTabCount(); v < count; ++v) {
        const TRect r = GetItemRect(v);
        if (r.right > limit || r.right <= 0) ++n;
    }
    return n;
}

int TspSkinPageControl::GetPosition()
{
    // Only the window's tabs are counted: a hidden page has no item rectangle, and
    // its empty one would read as scrolled out.
    int n = 0;
    for (int v = 0, count = GetTabCount(); v < count; ++v)
        if (GetItemRect(v).right <= 0) ++n;
    return n;
}

void TspSkinPageControl::CheckScroll()
{
    if (!HandleAllocated()) return;
    DestroyNativeScroller();
    const int hidden = GetInVisibleItemCount();
    if (hidden == 0 && FUpDown) HideSkinUpDown();
    else if (hidden > 0 && !FUpDown) ShowSkinUpDown();
    if (!FUpDown) return;
    // Counted again: the scroller now standing over the strip hides more of it.
    FUpDown->SetMax(GetInVisibleItemCount());
    PlaceSkinUpDown();
}

void TspSkinPageControl::ShowSkinUpDown()
{
    auto* u = new TspSkinUpDown(this);
    FUpDown = u;
    u->SetVisible(false);
    u->SetParent(this);
    const int h = std::max(1, std::min(FDefaultItemHeight, MaxSkinControlSide / 2));
    u->SetBounds(0, 0, 2 * h, h);
    PlaceSkinUpDown();
    u->SetMin(0);
    u->SetMax(GetInVisibleItemCount());
    u->SetPosition(GetPosition());
    u->Increment = 1;
    u->OnChange = [this](TObject* Sender) { OnUpDownChange(Sender); };
    u->SetSkinDataName(FSkin.UpDown);
    u->SetSkinData(FSD);
    u->SetVisible(true);
}

void TspSkinPageControl::PlaceSkinUpDown()
{
    // At the right end of the strip: the top for top tabs, the bottom otherwise.
    const int uw = FUpDown->GetWidth(), uh = FUpDown->GetHeight();
    FUpDown->SetBounds(GetWidth() - uw, GetTabPosition() == tpTop ? 0 : GetHeight() - uh, uw, uh);
}

void TspSkinPageControl::HideSkinUpDown()
{
    TspSkinUpDown* u = FUpDown;
    FUpDown = nullptr;
    delete u;
}

void TspSkinPageControl::OnUpDownChange(TObject*)
{
    if (!FUpDown) return;
    FUpDown->SetMax(GetInVisibleItemCount());
    const int target = FUpDown->GetPosition();
    // Wine's tab control moves its first visible tab one step towards the thumb
    // position per message (Windows jumps there): send it until it arrives or
    // stops moving.
    for (int i = 0, count = GetTabCount(); i <= count; ++i) {
        const int before = GetPosition();
        Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target), 0);
        const int after = GetPosition();
        if (after == target || after == before) break;
    }
}

void TspSkinPageControl::TabsChanged()
{
    TPageControl::TabsChanged();
    // New tabs may overflow the row (the native control then makes its arrows) or fit again.
    FollowTabRow();
}
