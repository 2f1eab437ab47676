#include "SkinTabbedControl.h"
#include "Bitmap.h"
#include "ControlCanvas.h"
#include "GdiHandles.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinUpDown.h"
#include <algorithm>

template <class TBase>
TspSkinTabbedControl<TBase>::TspSkinTabbedControl(TComponent* AOwner)
    : TBase(AOwner), FDefaultFont(new TFont), FCanvas(new TControlCanvas(this))
{
    Skintabs::ResetTabFont(FDefaultFont.get());
    Skintabs::ResetTabFont(this->GetFont());
}

template <class TBase>
TspSkinTabbedControl<TBase>::~TspSkinTabbedControl() = default;

template <class TBase>
void TspSkinTabbedControl<TBase>::GetSkinData()
{
    FIndex = Skintabs::ReadTabSkin(FSD, FSkinDataName, FSkin, FPicture);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (Value && !Value->Empty && !this->IsDesigning()) ChangeSkinData();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) {
        FSkin = TTabSkin();
        FPicture = nullptr;
        FIndex = -1;
    }
    if (AComponent == FUpDown) FUpDown = nullptr;
}

template <class TBase>
void TspSkinTabbedControl<TBase>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::ApplyItemHeight(int SkinnedHeight)
{
    const int h = this->GetTabHeight();
    this->SetItemSize(this->GetTabWidth(), h > 0 ? h : (Skinned() ? SkinnedHeight : FDefaultItemHeight));
}

template <class TBase>
void TspSkinTabbedControl<TBase>::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = std::max(0, std::min(Value, 0x7FFF));
    GetSkinData();
    if (!Skinned()) {
        this->SetItemSize(this->GetTabWidth(), FDefaultItemHeight);
        ChangeAndRealign();
    }
}

template <class TBase>
void TspSkinTabbedControl<TBase>::ChangeAndRealign()
{
    auto alive = FAlive.Watch();
    Change();
    if (*alive) this->Realign();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::UpDateTabs()
{
    GetSkinData();
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
    if (!OneRow()) HideSkinUpDown();
    this->Realign();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::Loaded()
{
    TBase::Loaded();
    GetSkinData();
    if (!Skinned()) {
        ApplyItemHeight(0);
        ChangeAndRealign();
    }
}

template <class TBase>
void TspSkinTabbedControl<TBase>::ChangeSkinData()
{
    GetSkinData();
    TFont* f = this->GetFont();
    if (!Skinned()) {
        f->Assign(FDefaultFont.get());
    } else {
        if (UseSkinFont) {
            ApplySkinFontFields(f, FSkin.Font);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
        if (UseSkinFont || FSkinColourOnOwnFont) f->SetColor(FSkin.FontColors[tabNormal]);
    }
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
    auto alive = FAlive.Watch();
    Change();
    if (!*alive) return;
    this->Realign();
    SkinApplied();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::Change()
{
    auto alive = FAlive.Watch();
    if (FUpDown) FUpDown->SetPosition(GetPosition());
    if (!*alive) return;
    NativeChange();
    if (*alive) this->Invalidate();
}

template <class TBase>
bool TspSkinTabbedControl<TBase>::OneRow() const
{
    // The system control (Wine too) makes side tabs multi-line: they never scroll.
    const TTabPosition p = this->GetTabPosition();
    return !this->GetMultiLine() && (p == tpTop || p == tpBottom);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::FollowTabRow()
{
    if (!FFollowRowWhileDesigning && this->IsDesigning()) return;
    if (OneRow()) CheckScroll();
    else if (FUpDown) HideSkinUpDown();   // rows of tabs never scroll
}

// ---- window procedure ----
template <class TBase>
void TspSkinTabbedControl<TBase>::WndProc(TMessage& Message)
{
    TBase::WndProc(Message);
    switch (Message.Msg) {
    case TCM_ADJUSTRECT:
        if (!Message.WParam && Message.LParam) AdjustDisplayRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case TCM_GETITEMRECT:
        // Whatever the answer (see GetItemRect), the rectangle of a tab that exists is filled in.
        if (Message.LParam && static_cast<int>(Message.WParam) < this->GetTabCount())
            CorrectItemRect(*reinterpret_cast<RECT*>(Message.LParam));
        break;
    case WM_SIZE:
        FollowTabRow();
        break;
    default:
        break;
    }
}

template <class TBase>
TRect TspSkinTabbedControl<TBase>::FrameBorders() const
{
    return TRect(FSkin.BorderLeft(), FSkin.BorderTop(), FSkin.BorderRight(), FSkin.BorderBottom());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::AdjustDisplayRect(RECT& R)
{
    const int cw = this->GetClientWidth(), ch = this->GetClientHeight();
    GetSkinData();
    Skintabs::AdjustDisplayRect(R, this->GetTabPosition(), cw, ch, Skinned(), FrameBorders());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::CorrectItemRect(RECT& R)
{
    Skintabs::CorrectItemRect(R, this->GetTabPosition(), this->GetMultiLine());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::WMPaint(TMessage& Message)
{
    // The whole face is ours: the native control never paints it.
    TFlagScope<TControlState> customPaint(this->FControlState, csCustomPaint);
    TBase::WMPaint(Message);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::WMScroll(TMessage& Message)
{
    TBase::WMScroll(Message);
    if (Message.Msg == WM_HSCROLL) this->Invalidate();
}

// ---- painting ----
template <class TBase>
void TspSkinTabbedControl<TBase>::PaintWindow(HDC DC)
{
    const int w = this->GetWidth(), h = this->GetHeight();
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

template <class TBase>
void TspSkinTabbedControl<TBase>::PaintDefaultWindow(TCanvas* C)
{
    Skintabs::PaintPlainFace(C, this->GetWidth(), this->GetHeight(), this->GetDisplayRect());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::FillFace(TCanvas* C)
{
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, this->GetWidth(), this->GetHeight()));
}

template <class TBase>
void TspSkinTabbedControl<TBase>::PaintStripAndFrame(TCanvas* C, const TRect& F)
{
    if (!FSkin.TabsBGRect.IsEmpty()) {
        const TRect band = Skintabs::TabsBand(this->GetTabPosition(), F, this->GetWidth(), this->GetHeight());
        Skintabs::TilePiece(C, band, FPicture, FSkin.TabsBGRect);
    }
    Skintabs::DrawFrame(C, FSkin, FPicture, F);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::PaintSkinWindow(TCanvas* C)
{
    const TRect f = Skintabs::FrameAround(FSkin, this->GetDisplayRect());
    FillFace(C);
    PaintStripAndFrame(C, f);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::DrawTabs(TCanvas* C)
{
    const int cur = this->GetTabIndexInWindow();
    for (int v = 0, count = VisibleTabCount(); v < count; ++v)
        DrawTab(v, this->GetItemRect(v), v == cur, v == FHotTab, C);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::DrawTab(int V, const TRect& R, bool Active, bool MouseIn, TCanvas* C)
{
    Skintabs::TTabLook l;
    if (!DescribeTab(V, l)) return;
    l.Skin = Skinned() ? &FSkin : nullptr;
    l.Picture = FPicture;
    l.Position = this->GetTabPosition();
    l.Active = Active;
    l.MouseIn = MouseIn;
    l.Focused = this->Focused();
    l.Stretch = this->GetTabHeight() > 0;
    l.UseSkinFont = UseSkinFont;
    l.Font = this->GetFont();
    l.FontHeight = ClampFontHeight(FSkin.Font.Height);
    Skintabs::DrawTab(C, R, l);
}

// ---- hot tab ----
template <class TBase>
void TspSkinTabbedControl<TBase>::RedrawTab(int V, bool MouseIn)
{
    if (!this->HandleAllocated() || V < 0) return;
    GetSkinData();
    TWindowDC dc(this->GetHandle());
    if (!dc.Get()) return;
    TPaintDCScope painting(*FCanvas, dc.Get());
    DrawTab(V, this->GetItemRect(V), false, MouseIn, FCanvas.get());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::TestActive(int X, int Y)
{
    FOldHotTab = FHotTab;
    int tab = -1;
    for (int v = 0, count = VisibleTabCount(); v < count; ++v)
        if (this->GetItemRect(v).Contains(TPoint(X, Y))) {
            tab = v;
            break;
        }
    FHotTab = tab;
    if (FHotTab == FOldHotTab) return;
    const int cur = this->GetTabIndexInWindow();
    if (FOldHotTab != -1 && FOldHotTab != cur) RedrawTab(FOldHotTab, false);
    if (FHotTab != -1 && FHotTab != cur) RedrawTab(FHotTab, true);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    const int cur = this->GetTabIndexInWindow();
    for (int* t : {&FOldHotTab, &FHotTab}) {
        if (*t != -1 && *t != cur) RedrawTab(*t, false);
        *t = -1;
    }
}

template <class TBase>
void TspSkinTabbedControl<TBase>::MouseMove(TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TBase::MouseMove(Shift, X, Y);
    if (*alive && !this->IsDesigning()) TestActive(X, Y);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TBase::MouseDown(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && !this->IsDesigning()) TestActive(X, Y);
}

// ---- scroller ----
template <class TBase>
int TspSkinTabbedControl<TBase>::GetInVisibleItemCount()
{
    return Skintabs::TabsOutside(this, FUpDown ? FUpDown->GetWidth() : 0);
}

template <class TBase>
int TspSkinTabbedControl<TBase>::GetPosition()
{
    return Skintabs::TabsScrolledOut(this);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::CheckScroll()
{
    if (!this->HandleAllocated()) return;
    this->DestroyNativeScroller();
    const int hidden = GetInVisibleItemCount();
    if (hidden == 0 && FUpDown) HideSkinUpDown();
    else if (hidden > 0 && !FUpDown) ShowSkinUpDown();
    if (!FUpDown) return;
    // Counted again: the scroller now standing over the strip hides more of it.
    FUpDown->SetMax(GetInVisibleItemCount());
    PlaceSkinUpDown();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::ShowSkinUpDown()
{
    const TSize s = ScrollerSize();
    Skintabs::ShowScroller(this, FUpDown, s.cx, s.cy, FSD, FSkin.UpDown,
                           [this](TObject* Sender) { OnUpDownChange(Sender); });
}

template <class TBase>
void TspSkinTabbedControl<TBase>::PlaceSkinUpDown()
{
    Skintabs::PlaceScroller(this, FUpDown);
}

template <class TBase>
void TspSkinTabbedControl<TBase>::HideSkinUpDown()
{
    TspSkinUpDown* u = FUpDown;
    FUpDown = nullptr;
    delete u;
}

template <class TBase>
void TspSkinTabbedControl<TBase>::RebuildSkinUpDown()
{
    if (!FUpDown) return;
    HideSkinUpDown();
    CheckScroll();
}

template <class TBase>
void TspSkinTabbedControl<TBase>::OnUpDownChange(TObject*)
{
    if (!FUpDown) return;
    FUpDown->SetMax(GetInVisibleItemCount());
    Skintabs::ScrollTabsTo(this, FUpDown->GetPosition());
}

template <class TBase>
void TspSkinTabbedControl<TBase>::TabsChanged()
{
    TBase::TabsChanged();
    // New tabs may overflow the row (the native control then makes its arrows) or fit again.
    FollowTabRow();
}

template class TspSkinTabbedControl<TPageControl>;
template class TspSkinTabbedControl<TTabControl>;
