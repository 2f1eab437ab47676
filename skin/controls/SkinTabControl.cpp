#include "SkinTabControl.h"
#include "Bitmap.h"
#include "ControlCanvas.h"
#include "GdiHandles.h"
#include "ImgList.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinImage.h"
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

// The tab scroller's size, whatever the default item height.
constexpr int ScrollerWidth = 36, ScrollerHeight = 18;

}  // namespace

TspSkinTabControl::TspSkinTabControl(TComponent* AOwner)
    : TTabControl(AOwner), FDefaultFont(new TFont), FCanvas(new TControlCanvas(this))
{
    ResetFont(FDefaultFont.get());
    ResetFont(GetFont());
}

TspSkinTabControl::~TspSkinTabControl() = default;

void TspSkinTabControl::GetSkinData()
{
    FSkin = TTabSkin();
    FPicture = nullptr;
    FIndex = -1;
    if (!FSD || FSD->Empty) return;
    const int index = FSD->GetControlIndex(FSkinDataName);
    if (index < 0 || index >= static_cast<int>(FSD->CtrlList.size())) return;
    // A record of another kind, or one without a picture, a skin rectangle or a
    // tab look, holds nothing to draw from: the control stays unskinned.
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
    const TPoint clTL = ClampPoint(rec->ClientRect.TopLeft(), sw, sh);
    const TPoint clBR = ClampPoint(rec->ClientRect.BottomRight(), sw, sh);
    s.ClientRect = TRect(clTL.x, clTL.y, std::max(clTL.x, clBR.x), std::max(clTL.y, clBR.y));
    s.LeftTop = ClampPoint(rec->LeftTopPoint, sw, sh);
    s.RightTop = ClampPoint(rec->RightTopPoint, sw, sh);
    s.LeftBottom = ClampPoint(rec->LeftBottomPoint, sw, sh);
    s.RightBottom = ClampPoint(rec->RightBottomPoint, sw, sh);
    s.TabRect = tabRect;
    s.ActiveTabRect = IsNullSkinRect(rec->ActiveTabRect) ? tabRect : ClipToPicture(rec->ActiveTabRect, pic);
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

TBitmap* TspSkinTabControl::BackgroundPicture() const
{
    if (!Skinned() || FSkin.BGPictureIndex == -1) return nullptr;
    TBitmap* b = SkinPicture(FSD, FSkin.BGPictureIndex);
    return b && !b->Empty() ? b : nullptr;
}

void TspSkinTabControl::SetSkinData(TspSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (Value) Value->FreeNotification(this);
    if (Value && !Value->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TTabControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FSkin = TTabSkin();
        FPicture = nullptr;
        FIndex = -1;
    }
    if (AComponent == FUpDown) FUpDown = nullptr;
}

void TspSkinTabControl::SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

void TspSkinTabControl::ApplyItemHeight(int SkinnedHeight)
{
    SetItemSize(GetTabWidth(), GetTabHeight() > 0 ? GetTabHeight() : (Skinned() ? SkinnedHeight : FDefaultItemHeight));
}

void TspSkinTabControl::SetDefaultItemHeight(int Value)
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

void TspSkinTabControl::UpDateTabs()
{
    GetSkinData();
    ApplyItemHeight(FSkin.TabRect.Height());
    if (!OneRow()) HideSkinUpDown();
    Realign();
}

void TspSkinTabControl::Loaded()
{
    TTabControl::Loaded();
    GetSkinData();
    if (!Skinned()) {
        ApplyItemHeight(0);
        auto alive = FAlive.Watch();
        Change();
        if (*alive) Realign();
    }
}

void TspSkinTabControl::ChangeSkinData()
{
    GetSkinData();
    TFont* f = GetFont();
    if (!Skinned()) {
        f->Assign(FDefaultFont.get());
    } else {
        // The colour first: without the skin's font the default font's colour stays.
        f->SetColor(FSkin.FontColor);
        if (UseSkinFont) {
            f->SetName(FSkin.FontName);
            f->SetHeight(ClampFontHeight(FSkin.FontHeight));
            f->SetStyle(FSkin.FontStyle);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
    }
    ApplyItemHeight(FSkin.TabRect.Height());
    auto alive = FAlive.Watch();
    Change();
    if (!*alive) return;
    Realign();
    Invalidate();
    if (FUpDown) {
        // Rebuilt so that it wears the new skin's scroller element.
        HideSkinUpDown();
        CheckScroll();
    }
}

void TspSkinTabControl::Change()
{
    auto alive = FAlive.Watch();
    if (FUpDown) FUpDown->SetPosition(GetPosition());
    if (!*alive) return;
    // Without a window there is no selection to read back: the tab index kept
    // for the window stays.
    if (HandleAllocated()) TTabControl::Change();
    else TCustomTabControl::Change();
    if (*alive) Invalidate();
}

bool TspSkinTabControl::OneRow() const
{
    // The system control makes side tabs multi-line: they never scroll.
    return !GetMultiLine() && (GetTabPosition() == tpTop || GetTabPosition() == tpBottom);
}

void TspSkinTabControl::FollowTabRow()
{
    if (OneRow()) CheckScroll();
    else if (FUpDown) HideSkinUpDown();
}

// ---- window procedure ----
void TspSkinTabControl::WndProc(TMessage& Message)
{
    TTabControl::WndProc(Message);
    switch (Message.Msg) {
    case TCM_ADJUSTRECT:
        if (!Message.WParam && Message.LParam) AdjustDisplayRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case TCM_GETITEMRECT:
        if (Message.LParam && static_cast<int>(Message.WParam) < GetTabCount())
            CorrectItemRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case WM_SIZE:
        // At design time too: the native arrows never show.
        FollowTabRow();
        break;
    default:
        break;
    }
}

void TspSkinTabControl::AdjustDisplayRect(RECT& R)
{
    const int cw = GetClientWidth(), ch = GetClientHeight();
    GetSkinData();
    const TTabPosition pos = GetTabPosition();
    if (Skinned()) {
        // With a background picture there is no frame: the display rectangle
        // reaches the control's edges.
        const bool plain = BackgroundPicture() != nullptr;
        const int l = plain ? 0 : FSkin.BorderLeft(), t = plain ? 0 : FSkin.BorderTop();
        const int r = plain ? 0 : FSkin.BorderRight(), b = plain ? 0 : FSkin.BorderBottom();
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

void TspSkinTabControl::CorrectItemRect(RECT& R)
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

void TspSkinTabControl::WMPaint(TMessage& Message)
{
    // The whole face is ours, with child controls or without: the native control
    // never paints it.
    TFlagScope<TControlState> customPaint(FControlState, csCustomPaint);
    TTabControl::WMPaint(Message);
}

void TspSkinTabControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TspSkinTabControl::WMScroll(TMessage& Message)
{
    TTabControl::WMScroll(Message);
    if (Message.Msg == WM_HSCROLL) Invalidate();
}

// ---- painting ----
void TspSkinTabControl::PaintWindow(HDC DC)
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

void TspSkinTabControl::PaintDefaultWindow(TCanvas* C)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    TRect d = GetDisplayRect();
    d.Inflate(1, 1);
    C->GetBrush()->SetColor(clBtnShadow);
    C->FrameRect(d);
}

void TspSkinTabControl::PaintSkinWindow(TCanvas* C)
{
    const TTabSkin& s = FSkin;
    const int w = GetWidth(), h = GetHeight();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, w, h));
    if (TBitmap* bg = BackgroundPicture()) {
        // A plain tiled picture: no frame, no tabs background.
        if (w < 1 || h < 1) return;
        Skintabs::TilePiece(C, TRect(0, 0, w, h), bg, TRect(0, 0, bg->GetWidth(), bg->GetHeight()));
        return;
    }
    const TRect d = GetDisplayRect();
    const int sw = s.SkinRect.Width(), sh = s.SkinRect.Height();
    const TRect f(d.left - s.BorderLeft(), d.top - s.BorderTop(), d.right + s.BorderRight(), d.bottom + s.BorderBottom());
    // No sheet covers the middle: the frame's client part is tiled over F first.
    TRect middle = s.ClientRect;
    middle.Offset(s.SkinRect.left, s.SkinRect.top);
    Skintabs::TilePiece(C, f, FPicture, middle);
    TRect band;
    switch (GetTabPosition()) {
    case tpTop: band = TRect(0, 0, w, f.top); break;
    case tpBottom: band = TRect(0, f.bottom, w, h); break;
    case tpLeft: band = TRect(0, 0, f.left, h); break;
    case tpRight: band = TRect(f.right, 0, w, h); break;
    }
    if (!IsNullSkinRect(s.TabsBGRect)) Skintabs::TilePiece(C, band, FPicture, s.TabsBGRect);
    const int fw = f.Width(), fh = f.Height();
    if (fw <= 0 || fh <= 0) return;
    const int dw = fw - sw, dh = fh - sh;
    TRect ncl = s.ClientRect;
    ncl.right += dw;
    ncl.bottom += dh;
    // The ring only: the middle tiled above stays.
    TBitmap frame;
    Sputils::CreateSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.ClientRect, s.LeftTop,
                             TPoint(s.RightTop.x + dw, s.RightTop.y), TPoint(s.LeftBottom.x, s.LeftBottom.y + dh),
                             TPoint(s.RightBottom.x + dw, s.RightBottom.y + dh), ncl, &frame, FPicture, s.SkinRect,
                             std::min(fw, MaxSkinControlSide), std::min(fh, MaxSkinControlSide), true);
    C->Draw(f.left, f.top, &frame);
}

void TspSkinTabControl::DrawTabs(TCanvas* C)
{
    const int cur = GetTabIndexInWindow();
    for (int i = 0, count = GetTabs()->GetCount(); i < count; ++i) DrawTab(i, GetItemRect(i), i == cur, i == FHotTab, C);
}

void TspSkinTabControl::DrawTab(int TabIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C)
{
    if (TabIndex < 0 || TabIndex >= GetTabs()->GetCount()) return;
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
            bc->GetFont()->SetHeight(ClampFontHeight(s.FontHeight));
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
    const std::string text = GetTabs()->Get(TabIndex);
    TCustomImageList* il = GetImages();
    if (il && TabIndex < il->GetCount()) {
        Skintabs::DrawTabImageAndText(bc, b.GetWidth(), b.GetHeight(), text, il, TabIndex, true);
    } else {
        TRect tr(0, 0, w, std::min<int>(h, b.GetHeight()));
        bc->DrawText(text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (GetTabPosition() == tpLeft) Skintabs::DrawRotate90_1(C, &b, R.left, R.top);
    else if (GetTabPosition() == tpRight) Skintabs::DrawRotate90_2(C, &b, R.left, R.top);
    else C->Draw(R.left, R.top, &b);
}

// ---- hot tab ----
void TspSkinTabControl::RedrawTab(int I, bool MouseIn)
{
    if (!HandleAllocated() || I < 0) return;
    GetSkinData();
    TWindowDC dc(GetHandle());
    if (!dc.Get()) return;
    TPaintDCScope painting(*FCanvas, dc.Get());
    DrawTab(I, GetItemRect(I), false, MouseIn, FCanvas.get());
}

void TspSkinTabControl::TestActive(int X, int Y)
{
    FOldHotTab = FHotTab;
    int tab = -1;
    for (int i = 0, count = GetTabs()->GetCount(); i < count; ++i)
        if (GetItemRect(i).Contains(TPoint(X, Y))) {
            tab = i;
            break;
        }
    FHotTab = tab;
    if (FHotTab == FOldHotTab) return;
    const int cur = GetTabIndexInWindow();
    if (FOldHotTab != -1 && FOldHotTab != cur) RedrawTab(FOldHotTab, false);
    if (FHotTab != -1 && FHotTab != cur) RedrawTab(FHotTab, true);
}

void TspSkinTabControl::CMMouseLeave(TMessage& Message)
{
    TTabControl::CMMouseLeave(Message);
    const int cur = GetTabIndexInWindow();
    for (int* t : {&FOldHotTab, &FHotTab}) {
        if (*t != -1 && *t != cur) RedrawTab(*t, false);
        *t = -1;
    }
}

void TspSkinTabControl::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TTabControl::MouseMove(Shift, X, Y);
    if (*alive && !IsDesigning()) TestActive(X, Y);
}

void TspSkinTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TTabControl::MouseDown(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && !IsDesigning()) TestActive(X, Y);
}

// ---- scroller ----
int TspSkinTabControl::GetInVisibleItemCount()
{
    const int limit = GetWidth() - 3 - (FUpDown ? FUpDown->GetWidth() : 0);
    int n = 0;
    for (int i = 0, count = GetTabCount(); i < count; ++i) {
        const TRect r = GetItemRect(i);
        if (r.right > limit || r.right <= 0) ++n;
    }
    return n;
}

int TspSkinTabControl::GetPosition()
{
    int n = 0;
    for (int i = 0, count = GetTabCount(); i < count; ++i)
        if (GetItemRect(i).right <= 0) ++n;
    return n;
}

void TspSkinTabControl::CheckScroll()
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

void TspSkinTabControl::ShowSkinUpDown()
{
    auto* u = new TspSkinUpDown(this);
    FUpDown = u;
    u->SetVisible(false);
    u->SetParent(this);
    u->SetBounds(0, 0, ScrollerWidth, ScrollerHeight);
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

void TspSkinTabControl::PlaceSkinUpDown()
{
    const int uw = FUpDown->GetWidth(), uh = FUpDown->GetHeight();
    FUpDown->SetBounds(GetWidth() - uw, GetTabPosition() == tpTop ? 0 : GetHeight() - uh, uw, uh);
}

void TspSkinTabControl::HideSkinUpDown()
{
    TspSkinUpDown* u = FUpDown;
    FUpDown = nullptr;
    delete u;
}

void TspSkinTabControl::OnUpDownChange(TObject*)
{
    if (!FUpDown) return;
    FUpDown->SetMax(GetInVisibleItemCount());
    const int target = FUpDown->GetPosition();
    // Wine's tab control moves its first visible tab one step towards the thumb
    // position per message: send it until it arrives or stops moving.
    for (int i = 0, count = GetTabCount(); i <= count; ++i) {
        const int before = GetPosition();
        Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target), 0);
        const int after = GetPosition();
        if (after == target || after == before) break;
    }
}

void TspSkinTabControl::TabsChanged()
{
    TTabControl::TabsChanged();
    FollowTabRow();
}
