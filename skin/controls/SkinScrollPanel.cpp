#include "SkinScrollPanel.h"
#include "Bitmap.h"
#include "SkinData.h"
#include "SkinElement.h"
#include "SkinTabs.h"
#include <algorithm>

TspSkinScrollPanel::TspSkinScrollPanel(TComponent* AOwner) : TspSkinControl(AOwner), FScroller(this, false)
{
    FScroller.FetchSkin = [this] { GetSkinData(); };
    SetControlStyle(GetControlStyle() | csAcceptsControls);
    FSkinDataName = "panel";
    SetBounds(GetLeft(), GetTop(), 150, 30);
}

TspSkinScrollPanel::~TspSkinScrollPanel() = default;

void TspSkinScrollPanel::GetSkinData()
{
    // Skinned through its two named elements only: the contract's index stays -1.
    FIndex = -1;
    FPanelSkin = nullptr;
    FScroller.FetchArrowSkin(FSD, true);
    if (!FSD || FSD->Empty) return;
    FPanelSkin = dynamic_cast<const TspDataSkinPanelControl*>(FSD->ControlRecord(FSD->GetControlIndex("panel")));
}

void TspSkinScrollPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinControl::Notification(AComponent, Operation);
    // The elements went with their skin.
    if (Operation == opRemove && !FSD) {
        FPanelSkin = nullptr;
        FScroller.FetchArrowSkin(nullptr, false);
    }
}

void TspSkinScrollPanel::ChangeSkinData()
{
    TspSkinControl::ChangeSkinData();
    FScroller.PaintArrows();
}

void TspSkinScrollPanel::SetScrollType(TspScrollType Value)
{
    if (Value == FScrollType) return;
    FScrollType = Value;
    // The children stay where they are; the arrows go until the next computation.
    FScroller.Reset();
    FScroller.SetVertical(Value == stVertical);
    FScroller.VerticalRules = Value == stVertical;
    RecreateWnd();
    Invalidate();
}

void TspSkinScrollPanel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value) UpDateSize();
}

void TspSkinScrollPanel::SetScrollOffset(int Value)
{
    if (Value >= 0) FScroller.ScrollOffset = Value;
}

void TspSkinScrollPanel::SetScrollTimerInterval(int Value)
{
    if (Value > 0) FScroller.ScrollTimerInterval = Value;
}

void TspSkinScrollPanel::UpDateSize() { SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

void TspSkinScrollPanel::Loaded()
{
    TspSkinControl::Loaded();
    if (FAutoSize) UpDateSize();
}

TRect TspSkinScrollPanel::GetClientRect()
{
    TRect r = TspSkinControl::GetClientRect();
    if (HandleAllocated()) return r;
    // No window yet: the arrows' room as the window will have it.
    const int arrows = (FScroller.Buttons[0].Visible ? 1 : 0) + (FScroller.Buttons[1].Visible ? 1 : 0);
    if (FScroller.Vertical()) r.bottom = std::max<int>(r.top, r.bottom - arrows * TspArrowScroller::ArrowSize);
    else r.right = std::max<int>(r.left, r.right - arrows * TspArrowScroller::ArrowSize);
    return r;
}

void TspSkinScrollPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldW = GetWidth(), oldH = GetHeight();
    if (FAutoSize) {
        int edge = 0;
        for (int i = 0; i < GetControlCount(); ++i) {
            TControl* c = GetControl(i);
            if (!c->GetVisible()) continue;
            edge = std::max(edge, FScrollType == stVertical ? c->GetLeft() + c->GetWidth() : c->GetTop() + c->GetHeight());
        }
        if (edge != 0) {
            if (FScrollType == stVertical) AWidth = edge;
            else AHeight = edge;
        }
    }
    FWidthGrowth = (oldW != 0 && AWidth > oldW) ? AWidth - oldW : 0;
    FHeightGrowth = (oldH != 0 && AHeight > oldH) ? AHeight - oldH : 0;
    // Known before the window moves: the computation the move runs uses it.
    FScroller.Growth = FScrollType == stVertical ? FHeightGrowth : FWidthGrowth;
    TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (GetAlign() != alNone) FScroller.GetRange();
}

void TspSkinScrollPanel::AdjustClientRect(TRect& Rect)
{
    Rect = FScroller.ScrolledRect(GetClientRect());
    TspSkinControl::AdjustClientRect(Rect);
}

void TspSkinScrollPanel::AlignControls(TControl* AControl, TRect& Rect)
{
    TspSkinControl::AlignControls(AControl, Rect);
    FScroller.GetRange();
}

// ---- painting ----
void TspSkinScrollPanel::FillFace(TBitmap* B)
{
    TCanvas* c = B->GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(GetClientRect());
}

void TspSkinScrollPanel::CreateControlDefaultImage(TBitmap* B) { FillFace(B); }

void TspSkinScrollPanel::CreateControlSkinImage(TBitmap* B) { FillFace(B); }

void TspSkinScrollPanel::Paint()
{
    GetSkinData();
    if (!FPanelSkin) {
        TspSkinControl::Paint();
        return;
    }
    const TRect client = GetClientRect();
    const int w = std::min(client.Width(), MaxSkinControlSide), h = std::min(client.Height(), MaxSkinControlSide);
    if (w < 1 || h < 1) return;
    TBitmap b(w, h, pf24bit);
    const TRect all(0, 0, w, h);
    // A background picture when the element names one that exists, else the
    // element's middle; an element with neither shows the plain face.
    TBitmap* tile = SkinPicture(FSD, FPanelSkin->BGPictureIndex);
    TRect piece;
    if (FPanelSkin->BGPictureIndex != -1 && tile && !tile->Empty()) {
        piece = TRect(0, 0, tile->GetWidth(), tile->GetHeight());
    } else {
        tile = SkinPicture(FSD, FPanelSkin->PictureIndex);
        piece = FPanelSkin->ClientRect;
        piece.Offset(FPanelSkin->SkinRect.left, FPanelSkin->SkinRect.top);
    }
    if (tile && !ClipToPicture(piece, tile).IsEmpty()) Skintabs::TilePiece(b.GetCanvas(), all, tile, piece);
    else FillFace(&b);
    GetCanvas()->Draw(0, 0, &b);
}

// ---- messages ----
void TspSkinScrollPanel::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    TspSkinControl::WndProc(Message);
    FScroller.CalcSize(Message);
}

void TspSkinScrollPanel::WMNCPaint(TMessage& Message)
{
    if (!FScroller.Buttons[0].Visible && !FScroller.Buttons[1].Visible) {
        TspSkinControl::WndProc(Message);
        return;
    }
    GetSkinData();
    FScroller.PaintArrows();
    Message.Result = 0;
}

void TspSkinScrollPanel::WMSizeArrows(TMessage& Message)
{
    TspSkinControl::WndProc(Message);
    FScroller.PlaceArrows();
    GetSkinData();
    FScroller.PaintArrows();
}

void TspSkinScrollPanel::WMTimer(TMessage& Message)
{
    TspSkinControl::WndProc(Message);
    if (Message.WParam == TspArrowScroller::TimerId) FScroller.TimerTick();
}

void TspSkinScrollPanel::CMMouseLeave(TMessage& Message)
{
    TspSkinControl::CMMouseLeave(Message);
    if (!IsDesigning()) FScroller.MouseLeave();
}

void TspSkinScrollPanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_SIZE: WMSizeArrows(Message); return;
    case WM_TIMER: WMTimer(Message); return;
    case WM_NCHITTEST:
        if (!IsDesigning() && FScroller.HitTest(Message)) return;
        break;
    case WM_NCMOUSEMOVE: FScroller.NCMouseMove(static_cast<int>(Message.WParam)); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: FScroller.NCButtonDown(static_cast<int>(Message.WParam)); break;
    case WM_NCLBUTTONUP: FScroller.NCButtonUp(static_cast<int>(Message.WParam)); break;
    case WM_MOUSEMOVE: FScroller.ClientMouseMove(); break;
    case WM_WINDOWPOSCHANGED:
        TspSkinControl::WndProc(Message);
        if (GetAlign() == alNone) FScroller.GetRange();
        return;
    default: break;
    }
    TspSkinControl::WndProc(Message);
}
