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

// ---- TspSkinPageControl ----
TspSkinPageControl::TspSkinPageControl(TComponent* AOwner)
    : TPageControl(AOwner), FDefaultFont(new TFont), FCanvas(new TControlCanvas(this))
{
    Skintabs::ResetTabFont(FDefaultFont.get());
    Skintabs::ResetTabFont(GetFont());
}

TspSkinPageControl::~TspSkinPageControl() = default;

void TspSkinPageControl::GetSkinData() { FIndex = Skintabs::ReadTabSkin(FSD, FSkinDataName, FSkin, FPicture); }

void TspSkinPageControl::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (Value && !Value->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TPageControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) {
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
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
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
            ApplySkinFontFields(f, FSkin.Font);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
        f->SetColor(FSkin.FontColors[tabNormal]);
    }
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
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
    const int cw = GetClientWidth(), ch = GetClientHeight();
    GetSkinData();
    const TRect borders(FSkin.BorderLeft(), FSkin.BorderTop(), FSkin.BorderRight(), FSkin.BorderBottom());
    Skintabs::AdjustDisplayRect(R, GetTabPosition(), cw, ch, Skinned(), borders);
}

void TspSkinPageControl::CorrectItemRect(RECT& R) { Skintabs::CorrectItemRect(R, GetTabPosition(), GetMultiLine()); }

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
    Skintabs::PaintPlainFace(C, GetWidth(), GetHeight(), GetDisplayRect());
}

void TspSkinPageControl::PaintSkinWindow(TCanvas* C)
{
    const TTabSkin& s = FSkin;
    const TRect f = Skintabs::FrameAround(s, GetDisplayRect());
    // The strip behind the tabs: the skin's tiles, or the face colour when the
    // element has none (the buffer is not cleared).
    const int w = GetWidth(), h = GetHeight();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(TRect(0, 0, w, h));
    if (!s.TabsBGRect.IsEmpty())
        Skintabs::TilePiece(C, Skintabs::TabsBand(GetTabPosition(), f, w, h), FPicture, s.TabsBGRect);
    Skintabs::DrawFrame(C, s, FPicture, f);
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
    Skintabs::TTabLook l;
    l.Skin = Skinned() ? &FSkin : nullptr;
    l.Picture = FPicture;
    l.Position = GetTabPosition();
    l.Active = Active;
    l.MouseIn = MouseIn;
    l.Focused = Focused();
    l.Stretch = GetTabHeight() > 0;
    l.UseSkinFont = UseSkinFont;
    l.Font = GetFont();
    l.FontHeight = ClampFontHeight(FSkin.Font.Height);
    l.Text = page->GetText();
    TCustomImageList* il = GetImages();
    // An image only while the page's index names one of the list.
    const int ii = page->GetImageIndex();
    if (il && PageIndex < il->GetCount() && ii >= 0 && ii < il->GetCount()) {
        l.Images = il;
        l.ImageIndex = ii;
        l.Enabled = page->GetEnabled();
    }
    Skintabs::DrawTab(C, R, l);
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
int TspSkinPageControl::GetInVisibleItemCount() { return Skintabs::TabsOutside(this, FUpDown ? FUpDown->GetWidth() : 0); }

int TspSkinPageControl::GetPosition() { return Skintabs::TabsScrolledOut(this); }

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
    const int h = std::max(1, std::min(FDefaultItemHeight, MaxSkinControlSide / 2));
    Skintabs::ShowScroller(this, FUpDown, 2 * h, h, FSD, FSkin.UpDown,
                           [this](TObject* Sender) { OnUpDownChange(Sender); });
}

void TspSkinPageControl::PlaceSkinUpDown() { Skintabs::PlaceScroller(this, FUpDown); }

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
    Skintabs::ScrollTabsTo(this, FUpDown->GetPosition());
}

void TspSkinPageControl::TabsChanged()
{
    TPageControl::TabsChanged();
    // New tabs may overflow the row (the native control then makes its arrows) or fit again.
    FollowTabRow();
}
