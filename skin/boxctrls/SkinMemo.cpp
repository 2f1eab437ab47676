#include "SkinMemo.h"
#include "Form.h"
#include "GdiHandles.h"
#include "SkinBoxControls.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinBarSync.h"
#include "SkinScrollBar.h"

int TspSkinMemo2::LineHeight(TFont* Font)
{
    TWindowDC dc(nullptr);
    if (!dc.Get()) return 0;
    TSelectGuard sel(dc.Get(), Font->GetHandle());
    SIZE sz = {0, 0};
    GetTextExtentPoint32A(dc.Get(), "Wq", 2, &sz);
    return sz.cy;
}

TspSkinMemo2::TspSkinMemo2(TComponent* AOwner) : TMemo(AOwner)
{
    GetFont()->SetName("Arial");
    GetFont()->SetHeight(14);
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->Assign(GetFont());
    FDefaultFont->OnChange = [this](TObject* S) { OnDefaultFontChange(S); };
    SetScrollBars(ssBoth);
}

TspSkinMemo2::~TspSkinMemo2()
{
    FSysMenu.Free();
}

void TspSkinMemo2::CreateParams(TCreateParams& Params)
{
    TMemo::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.Style &= ~WS_BORDER;
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TspSkinMemo2::Notification(TComponent* AComponent, TOperation Operation)
{
    TMemo::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
    FVScrollBar.Removed(AComponent, Operation);
    FHScrollBar.Removed(AComponent, Operation);
    FSysMenu.Removed(AComponent);
}

// ---- scroll bars ----
void TspSkinMemo2::SetVScrollBar(TspSkinScrollBar* Value)
{
    FVScrollBar.Set(Value);
    if (Value) {
        Value->SetRange(0, 0, 0, 0);
        Value->OnChange = [this](TObject* S) { OnVScrollBarChange(S); };
    }
    UpDateScrollRange();
}

void TspSkinMemo2::SetHScrollBar(TspSkinScrollBar* Value)
{
    FHScrollBar.Set(Value);
    if (Value) {
        Value->SetRange(0, 0, 0, 0);
        Value->OnChange = [this](TObject* S) { OnHScrollBarChange(S); };
    }
    UpDateScrollRange();
}

void TspSkinMemo2::UpDateScrollRange()
{
    if (!HandleAllocated()) return;
    auto sync = [this](TspSkinScrollBar* Bar, int Which, int Visible) {
        if (!Bar) return;
        if (!GetEnabled()) {
            Bar->SetEnabled(false);
            return;
        }
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (!GetScrollInfo(FHandle, Which, &si)) si.nMin = si.nMax = si.nPos = si.nPage = 0;
        const int pos = si.nPos, hi = si.nMax;
        // The bar's page is the EDIT's own page when it keeps one, so that the
        // bar's last position is the EDIT's last scroll position (a page one
        // larger would leave the bar a line short of the memo's end).
        const int page = si.nPage > 0 ? static_cast<int>(si.nPage) : Visible;
        if (hi - si.nMin + 1 > page) {
            Bar->SetRange(0, hi, pos, page);
            if (!Bar->GetEnabled()) Bar->SetEnabled(true);
        } else {
            Bar->SetRange(0, 0, 0, 0);
            if (Bar->GetEnabled()) Bar->SetEnabled(false);
        }
    };
    if (FVScrollBar) {
        RECT r;
        ::GetClientRect(FHandle, &r);
        const int lh = LineHeight(GetFont());
        // A font without height counts one line, never a division by zero.
        sync(FVScrollBar, SB_VERT, lh > 0 ? (r.bottom - r.top) / lh : 1);
    }
    if (FHScrollBar) sync(FHScrollBar, SB_HORZ, FHScrollBar->GetWidth());
}

void TspSkinMemo2::OnVScrollBarChange(TObject*)
{
    if (!FVScrollBar) return;
    Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FVScrollBar->GetPosition()), 0);
    Invalidate();
}

void TspSkinMemo2::OnHScrollBarChange(TObject*)
{
    if (!FHScrollBar) return;
    Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->GetPosition()), 0);
    Invalidate();
}

void TspSkinMemo2::Change()
{
    TMemo::Change();
    UpDateScrollRange();
}

// ---- skin ----
void TspSkinMemo2::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !IsDesigning()) ChangeSkinData();
}

void TspSkinMemo2::GetSkinData()
{
    FIndex = -1;
    if (!FSD || FSD->Empty) return;
    const int index = FSD->GetControlIndex(FSkinDataName);
    const auto* r = dynamic_cast<const TspDataSkinMemoControl*>(FSD->ControlRecord(index));
    if (!r) return;
    FIndex = index;
    FSkinFont = r->Font;
    FSkinFont.Height = ClampFontHeight(FSkinFont.Height);
    FActiveFontColor = r->ActiveFontColor;
    FBGColor = r->BGColor;
    FActiveBGColor = r->ActiveBGColor;
}

void TspSkinMemo2::ChangeSkinData()
{
    GetSkinData();
    if (!Skinned()) {
        GetFont()->Assign(FDefaultFont.get());
    } else {
        if (UseSkinFont) {
            ApplySkinFontFields(GetFont(), FSkinFont);
            GetFont()->SetCharset(FDefaultFont->GetCharset());
        } else {
            GetFont()->Assign(FDefaultFont.get());
        }
        GetFont()->SetColor(HandleAllocated() && Focused() ? FActiveFontColor : FSkinFont.Color);
        SetColor(FBGColor);
    }
    UpDateScrollRange();
    RecreateWnd();
    // Its place beside the memo is taken anew.
    Skinbars::ReapplyAlign(FVScrollBar);
}

void TspSkinMemo2::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (!Skinned()) GetFont()->Assign(Value);
}

void TspSkinMemo2::OnDefaultFontChange(TObject*)
{
    if (!Skinned()) GetFont()->Assign(FDefaultFont.get());
}

void TspSkinMemo2::SetHotLook(bool Hot)
{
    if (!Skinned()) return;
    GetFont()->SetColor(Hot ? FActiveFontColor : FSkinFont.Color);
    SetColor(Hot ? FActiveBGColor : FBGColor);
}

// ---- context menu ----
void TspSkinMemo2::CreateSysPopupMenu()
{
    const std::string text = GetText();
    FSysMenu.Create(this, GetSelLength() > 0, GetSelText() == text, ContextMenuReadOnly());
}

void TspSkinMemo2::WMContextMenu(TMessage& Message)
{
    if (GetPopupMenu()) {
        TMemo::WMContextMenu(Message);
        return;
    }
    CreateSysPopupMenu();
    FSysMenu.Popup(this, Message.LParam, ScreenCentreOf(this));
    Message.Result = 0;
}

void TspSkinMemo2::WMAfterDispatch(TMessage& Message)
{
    FSysMenu.Free();
    Message.Result = 0;
}

// ---- messages ----
void TspSkinMemo2::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_AFTERDISPATCH: WMAfterDispatch(Message); break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_CHAR:
    case WM_KEYDOWN: WMTextMoved(Message); break;
    default: TMemo::Dispatch(Message); break;
    }
}

void TspSkinMemo2::WMTextMoved(TMessage& Message)
{
    // Each of these can move the text: its ordinary handling, then the bars follow.
    TMemo::Dispatch(Message);
    UpDateScrollRange();
}

void TspSkinMemo2::WMNCCalcSize(TMessage& Message)
{
    // No frame and no visible scroll bars: the client area is the whole window.
    Message.Result = 0;
}

void TspSkinMemo2::WMMouseWheel(TMessage& Message)
{
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    Perform(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    Message.Result = 0;
}

void TspSkinMemo2::WMSize(TMessage& Message)
{
    TMemo::WMSize(Message);
    UpDateScrollRange();
}

void TspSkinMemo2::WMSetFocus(TMessage& Message)
{
    TMemo::WMSetFocus(Message);
    if (!FMouseIn) SetHotLook(true);
}

void TspSkinMemo2::WMKillFocus(TMessage& Message)
{
    TMemo::WMKillFocus(Message);
    if (!FMouseIn) SetHotLook(false);
}

void TspSkinMemo2::WMLButtonDown(TMessage& Message)
{
    FLButtonDown = true;
    TMemo::WMLButtonDown(Message);
}

void TspSkinMemo2::WMLButtonUp(TMessage& Message)
{
    TMemo::WMLButtonUp(Message);
    if (FLButtonDown) UpDateScrollRange();
    FLButtonDown = false;
}

void TspSkinMemo2::WMMouseMove(TMessage& Message)
{
    TMemo::WMMouseMove(Message);
    if (FLButtonDown) UpDateScrollRange();   // a drag selection scrolls the text
}

void TspSkinMemo2::CMMouseEnter(TMessage& Message)
{
    TMemo::CMMouseEnter(Message);
    FMouseIn = true;
    if (!(HandleAllocated() && Focused())) SetHotLook(true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TspSkinMemo2::CMMouseLeave(TMessage& Message)
{
    TMemo::CMMouseLeave(Message);
    FMouseIn = false;
    if (!(HandleAllocated() && Focused())) SetHotLook(false);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TspSkinMemo2::CMEnabledChanged(TMessage& Message)
{
    TMemo::CMEnabledChanged(Message);
    UpDateScrollRange();
}
