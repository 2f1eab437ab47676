#include "ScrollingWinControl.h"
#include <algorithm>

// ---- TControlScrollBar ----
int TControlScrollBar::ClientSize()
{
    TRect r = FControl->GetClientRect();
    return FKind == sbHorizontal ? r.Width() : r.Height();
}

void TControlScrollBar::SetRange(int Value)
{
    if (Value < 0) Value = 0;
    if (Value == FRange) return;
    FRange = Value;
    Update();
}

void TControlScrollBar::SetPosition(int Value)
{
    int maxPos = FRange - ClientSize();
    if (Value > maxPos) Value = maxPos;
    if (Value < 0) Value = 0;
    if (Value == FPosition) return;
    int delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal) FControl->ScrollBy(delta, 0);
    else FControl->ScrollBy(0, delta);
    Update();
}

void TControlScrollBar::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    Update();
}

bool TControlScrollBar::IsScrollBarVisible() { return FVisible && FRange > ClientSize(); }

void TControlScrollBar::Update()
{
    HWND h = FControl->GetWindowHandle();
    if (!h || FControl->FUpdatingScrollBars) return;
    FControl->FUpdatingScrollBars = true;
    int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
    if (IsScrollBarVisible()) {
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, FRange - 1, static_cast<UINT>(ClientSize()), FPosition, 0};
        ShowScrollBar(h, bar, TRUE);
        SetScrollInfo(h, bar, &si, TRUE);
    } else {
        if (FPosition) {
            int delta = FPosition;
            FPosition = 0;
            if (FKind == sbHorizontal) FControl->ScrollBy(delta, 0);
            else FControl->ScrollBy(0, delta);
        }
        ShowScrollBar(h, bar, FALSE);
    }
    FControl->FUpdatingScrollBars = false;
}

// ---- TScrollingWinControl ----
TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FHorzScrollBar(new TControlScrollBar(this, sbHorizontal)),
      FVertScrollBar(new TControlScrollBar(this, sbVertical))
{
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (Value == FAutoScroll) return;
    FAutoScroll = Value;
    if (Value) CalcAutoRange();
    else {
        FHorzScrollBar->SetRange(0);
        FVertScrollBar->SetRange(0);
    }
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    FHorzScrollBar->Update();
    FVertScrollBar->Update();
}

void TScrollingWinControl::CalcAutoRange()
{
    if (!FAutoScroll) return;
    int right = 0, bottom = 0;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (!c->GetVisible()) continue;
        if (c->GetAlign() != alNone && c->GetAlign() != alLeft && c->GetAlign() != alTop) continue;
        right = std::max(right, c->GetLeft() + c->GetWidth() + FHorzScrollBar->FPosition);
        bottom = std::max(bottom, c->GetTop() + c->GetHeight() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->SetRange(right);
    FVertScrollBar->SetRange(bottom);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    TWinControl::AlignControls(AControl, Rect);
    CalcAutoRange();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (!DeltaX && !DeltaY) return;
    DisableAlign();
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (!w->HandleAllocated()) {
                w->FLeft += DeltaX;
                w->FTop += DeltaY;
            }
        } else {
            c->FLeft += DeltaX;
            c->FTop += DeltaY;
        }
    }
    if (FHandle) {
        // The window's children move with the pixels (their bounds follow through WM_MOVE).
        ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        for (TWinControl* w : FWinControls) w->UpdateBounds();
    }
    FControlState &= ~csAlignmentNeeded;
    --FAlignLevel;
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl || !ContainsControl(AControl)) return;
    TRect c = GetClientRect();
    int l = AControl->GetLeft(), t = AControl->GetTop();
    if (l < 0) FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + l);
    else if (l + AControl->GetWidth() > c.Width())
        FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + l + AControl->GetWidth() - c.Width());
    if (t < 0) FVertScrollBar->SetPosition(FVertScrollBar->FPosition + t);
    else if (t + AControl->GetHeight() > c.Height())
        FVertScrollBar->SetPosition(FVertScrollBar->FPosition + t + AControl->GetHeight() - c.Height());
}

void TScrollingWinControl::WMScroll(TMessage& Message)
{
    if (Message.LParam) {
        TWinControl::WMScroll(Message);
        return;
    }
    TControlScrollBar* bar = Message.Msg == WM_HSCROLL ? FHorzScrollBar.get() : FVertScrollBar.get();
    int pos = bar->FPosition, page = bar->ClientSize();
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= bar->Increment; break;
    case SB_LINEDOWN: pos += bar->Increment; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si = {sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(FHandle, Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = bar->FRange; break;
    default: break;
    }
    bar->SetPosition(pos);
    Message.Result = 0;
}

void TScrollingWinControl::WMSize(TMessage& Message)
{
    TWinControl::WMSize(Message);
    FHorzScrollBar->Update();
    FVertScrollBar->Update();
}

// ---- TScrollBox ----
TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    SetAutoScroll(true);
    SetBounds(0, 0, 185, 41);
    FParentColor = true;
    FTabStop = false;
}

void TScrollBox::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WinClassName = "TScrollBox";
}
