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

// The tab scroller's size, whatever the default item height.
constexpr int ScrollerWidth = 36, ScrollerHeight = 18;

}  // namespace

TspSkinTabControl::TspSkinTabControl(TComponent* AOwner)
    : TTabControl(AOwner), FDefaultFont(new TFont), FCanvas(new TControlCanvas(this))
{
    Skintabs::ResetTabFont(FDefaultFont.get());
    Skintabs::ResetTabFont(GetFont());
}

TspSkinTabControl::~TspSkinTabControl() = default;

void TspSkinTabControl::GetSkinData() { FIndex = Skintabs::ReadTabSkin(FSD, FSkinDataName, FSkin, FPicture); }

TBitmap* TspSkinTabControl::BackgroundPicture() const
{
    if (!Skinned() || FSkin.BGPictureIndex == -1) return nullptr;
    TBitmap* b = SkinPicture(FSD, FSkin.BGPictureIndex);
    return b && !b->Empty() ? b : nullptr;
}

void TspSkinTabControl::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (Value && !Value->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TTabControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) {
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
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
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
        f->SetColor(FSkin.FontColors[tabNormal]);
        if (UseSkinFont) {
            ApplySkinFontFields(f, FSkin.Font);
            f->SetCharset(FDefaultFont->GetCharset());
        } else {
            f->Assign(FDefaultFont.get());
        }
    }
    ApplyItemHeight(FSkin.TabLooks[tabNormal].Height());
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
    // With a background picture there is no frame: the display rectangle
    // reaches the control's edges.
    const bool plain = Skinned() && BackgroundPicture() != nullptr;
    const TRect borders = plain ? TRect(0, 0, 0, 0)
                                : TRect(FSkin.BorderLeft(), FSkin.BorderTop(), FSkin.BorderRight(), FSkin.BorderBottom());
    Skintabs::AdjustDisplayRect(R, GetTabPosition(), cw, ch, Skinned(), borders);
}

void TspSkinTabControl::CorrectItemRect(RECT& R) { Skintabs::CorrectItemRect(R, GetTabPosition(), GetMultiLine()); }

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
    Skintabs::PaintPlainFace(C, GetWidth(), GetHeight(), GetDisplayRect());
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
    const TRect f = Skintabs::FrameAround(s, GetDisplayRect());
    // No sheet covers the middle: the frame's client part is tiled over F first.
    TRect middle = s.ClientRect;
    middle.Offset(s.SkinRect.left, s.SkinRect.top);
    Skintabs::TilePiece(C, f, FPicture, middle);
    if (!s.TabsBGRect.IsEmpty())
        Skintabs::TilePiece(C, Skintabs::TabsBand(GetTabPosition(), f, w, h), FPicture, s.TabsBGRect);
    // The ring only: the middle tiled above stays.
    Skintabs::DrawFrame(C, s, FPicture, f);
}

void TspSkinTabControl::DrawTabs(TCanvas* C)
{
    const int cur = GetTabIndexInWindow();
    for (int i = 0, count = GetTabs()->GetCount(); i < count; ++i) DrawTab(i, GetItemRect(i), i == cur, i == FHotTab, C);
}

void TspSkinTabControl::DrawTab(int TabIndex, const TRect& R, bool Active, bool MouseIn, TCanvas* C)
{
    if (TabIndex < 0 || TabIndex >= GetTabs()->GetCount()) return;
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
    l.Text = GetTabs()->Get(TabIndex);
    TCustomImageList* il = GetImages();
    if (il && TabIndex < il->GetCount()) {
        l.Images = il;
        l.ImageIndex = TabIndex;
    }
    Skintabs::DrawTab(C, R, l);
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
int TspSkinTabControl::GetInVisibleItemCount() { return Skintabs::TabsOutside(this, FUpDown ? FUpDown->GetWidth() : 0); }

int TspSkinTabControl::GetPosition() { return Skintabs::TabsScrolledOut(this); }

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
    Skintabs::ShowScroller(this, FUpDown, ScrollerWidth, ScrollerHeight, FSD, FSkin.UpDown,
                           [this](TObject* Sender) { OnUpDownChange(Sender); });
}

void TspSkinTabControl::PlaceSkinUpDown() { Skintabs::PlaceScroller(this, FUpDown); }

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
    Skintabs::ScrollTabsTo(this, FUpDown->GetPosition());
}

void TspSkinTabControl::TabsChanged()
{
    TTabControl::TabsChanged();
    FollowTabRow();
}
