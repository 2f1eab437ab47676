#include "SkinToolBar.h"
#include "SkinBevel.h"
#include "SkinImage.h"
#include "SkinSpeedButton.h"

namespace {

template <class F> void ForSpeedButtons(TWinControl* Bar, F Do)
{
    for (int i = 0; i < Bar->GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TspSkinSpeedButton*>(Bar->GetControl(i))) Do(b);
}

}  // namespace

TspSkinToolBar::TspSkinToolBar(TComponent* AOwner) : TspSkinPanel(AOwner), FScroller(this, false)
{
    FScroller.FetchSkin = [this] { GetSkinData(); };
    FSkinDataName = "toolpanel";
    SetBorderStyle(TspSkinBorderStyle::bvNone);
    SetBounds(GetLeft(), GetTop(), GetWidth(), 25);
}

TspSkinToolBar::~TspSkinToolBar()
{
    for (TCustomImageList* l : {FImages, FHotImages, FDisabledImages})
        if (l) l->RemoveFreeNotification(this);
}

void TspSkinToolBar::GetSkinData()
{
    TspSkinPanel::GetSkinData();
    FScroller.FetchArrowSkin(FSD, Skinned());
}

void TspSkinToolBar::ChangeSkinData()
{
    TspSkinPanel::ChangeSkinData();
    // The arrows lie outside the client area that the repaint covers.
    FScroller.PaintArrows();
}

void TspSkinToolBar::SetSkinData(TspSkinData* Value)
{
    TspSkinPanel::SetSkinData(Value);
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControl(i);
        if (auto* b = dynamic_cast<TspSkinSpeedButton*>(c)) b->SetSkinData(Value);
        else if (auto* v = dynamic_cast<TspSkinBevel*>(c)) v->SetSkinData(Value);
    }
    // Also when no skin change ran (no skin): the arrows show the new state.
    FScroller.PaintArrows();
}

void TspSkinToolBar::SetSkinDataName(const std::string& Value)
{
    TspSkinPanel::SetSkinDataName(Value);
    if (!IsDesigning() || IsLoading()) return;
    const std::string big = Value == "bigtoolpanel" ? "big" : "";
    ForSpeedButtons(this, [&](TspSkinSpeedButton* b) { b->SetSkinDataName(big + b->ToolButtonSkinDataName()); });
}

void TspSkinToolBar::Hold(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (Field == Value) return;
    TCustomImageList* old = Field;
    Field = Value;
    // The same list may stand in another slot: it keeps its notification there.
    if (old && old != FImages && old != FHotImages && old != FDisabledImages) old->RemoveFreeNotification(this);
    if (Value) Value->FreeNotification(this);
}

void TspSkinToolBar::SetImages(TCustomImageList* Value)
{
    Hold(FImages, Value);
    RepaintButtons();
}

void TspSkinToolBar::SetHotImages(TCustomImageList* Value) { Hold(FHotImages, Value); }

void TspSkinToolBar::SetDisabledImages(TCustomImageList* Value) { Hold(FDisabledImages, Value); }

void TspSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    ForSpeedButtons(this, [&](TspSkinSpeedButton* b) { b->SetFlat(Value); });
}

void TspSkinToolBar::SetShowCaptions(bool Value)
{
    if (Value == FShowCaptions) return;
    FShowCaptions = Value;
    if (AutoShowHideCaptions) ForSpeedButtons(this, [&](TspSkinSpeedButton* b) { b->SetShowCaption(Value); });
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TspSkinToolBar::RepaintButtons()
{
    ForSpeedButtons(this, [](TspSkinSpeedButton* b) { b->Repaint(); });
}

void TspSkinToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TspSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // The arrow element went with its skin.
    if (!FSD) FScroller.FetchArrowSkin(nullptr, false);
    // A freed list is forgotten before anything can draw from it again.
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
    if (AComponent == FImages) {
        FImages = nullptr;
        RepaintButtons();
    }
}

// ---- scrolling ----
void TspSkinToolBar::SetCanScroll(bool Value)
{
    if (Value == FCanScroll) return;
    FCanScroll = Value;
    if (!Value) {
        // The children go back to their unscrolled places and the arrow area goes.
        const int back = FScroller.Position;
        FScroller.Reset();
        if (back > 0) FScroller.MoveChildren(back);
        if (HWND wnd = GetWindowHandle())
            SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        Realign();
        return;
    }
    FScroller.GetRange();
}

void TspSkinToolBar::SetScrollOffset(int Value)
{
    if (Value >= 0) FScroller.ScrollOffset = Value;
}

void TspSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value > 0) FScroller.ScrollTimerInterval = Value;
}

TRect TspSkinToolBar::GetClientRect()
{
    TRect r = TspSkinPanel::GetClientRect();
    if (HandleAllocated() || !FCanScroll) return r;
    // No window yet: the arrows' room as the window will have it.
    if (FScroller.Buttons[0].Visible) r.right -= TspArrowScroller::ArrowSize;
    if (FScroller.Buttons[1].Visible) r.right -= TspArrowScroller::ArrowSize;
    if (r.right < r.left) r.right = r.left;
    return r;
}

void TspSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The growth is known before the window moves: the computation that the
    // move itself runs already scrolls the children back by it.
    const int old = GetWidth();
    if (FCanScroll) FScroller.Growth = (old != 0 && AWidth > old) ? AWidth - old : 0;
    TspSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FCanScroll && GetAlign() != alNone) FScroller.GetRange();
}

void TspSkinToolBar::AdjustClientRect(TRect& Rect)
{
    TspSkinPanel::AdjustClientRect(Rect);
    // Only a bar that scrolls lays its children out along the scrolled row.
    if (!FCanScroll || !FScroller.ArrowsVisible()) return;
    const TRect client = GetClientRect();
    TRect r = FScroller.ScrolledRect(client);
    if (!Skinned() || IsDesigning()) {
        r.top = 1;
        r.bottom = GetHeight() - 1;
    } else {
        r.top = FElement.NewClRect.top;
        r.bottom = FElement.NewClRect.bottom;
    }
    if (r.bottom < r.top) r.bottom = r.top;
    Rect = r;
}

void TspSkinToolBar::AlignControls(TControl* AControl, TRect& Rect)
{
    TspSkinPanel::AlignControls(AControl, Rect);
    // Children that moved, came or went may no longer fit (or fit again).
    if (FCanScroll) FScroller.GetRange();
}

void TspSkinToolBar::CreateControlSkinImage(TBitmap* B)
{
    const TspSkinElement& e = FElement;
    if (FScroller.ArrowsVisible() && e.ResizeMode == rmHorizontal && e.Picture) {
        const int sw = e.SkinRect.Width();
        const int lo = std::max(0, std::min<int>(e.LTPoint.x, sw));
        const int ro = std::max(0, std::min<int>(sw - e.RTPoint.x, sw - lo));
        Sputils::CreateHSkinImage3(lo, ro, B, e.Picture, e.SkinRect, GetWidth(), GetHeight());
        return;
    }
    TspSkinPanel::CreateControlSkinImage(B);
}

void TspSkinToolBar::WMNCCalcSize(TMessage& Message)
{
    if (!FCanScroll) {
        TspSkinPanel::WndProc(Message);
        return;
    }
    GetSkinData();
    TspSkinPanel::WndProc(Message);
    FScroller.CalcSize(Message);
}

void TspSkinToolBar::WMNCPaint(TMessage& Message)
{
    if (!FCanScroll || !FScroller.ArrowsVisible()) {
        TspSkinPanel::WndProc(Message);
        return;
    }
    GetSkinData();
    FScroller.PaintArrows();
    Message.Result = 0;
}

void TspSkinToolBar::WMSizeArrows(TMessage& Message)
{
    TspSkinPanel::WndProc(Message);
    if (FCanScroll && FScroller.ArrowsVisible()) {
        FScroller.PlaceArrows();
        GetSkinData();
        FScroller.PaintArrows();
    }
}

void TspSkinToolBar::WMTimer(TMessage& Message)
{
    TspSkinPanel::WndProc(Message);
    if (FCanScroll && Message.WParam == TspArrowScroller::TimerId) FScroller.TimerTick();
}

void TspSkinToolBar::CMMouseLeave(TMessage& Message)
{
    TspSkinPanel::CMMouseLeave(Message);
    if (FCanScroll && !IsDesigning()) FScroller.MouseLeave();
}

void TspSkinToolBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_SIZE: WMSizeArrows(Message); return;
    case WM_TIMER: WMTimer(Message); return;
    case WM_NCHITTEST:
        if (FCanScroll && !IsDesigning() && FScroller.HitTest(Message)) return;
        break;
    case WM_NCMOUSEMOVE:
        if (FCanScroll) FScroller.NCMouseMove(static_cast<int>(Message.WParam));
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (FCanScroll) FScroller.NCButtonDown(static_cast<int>(Message.WParam));
        break;
    case WM_NCLBUTTONUP:
        if (FCanScroll) FScroller.NCButtonUp(static_cast<int>(Message.WParam));
        break;
    case WM_MOUSEMOVE:
        if (FCanScroll) FScroller.ClientMouseMove();
        break;
    case WM_WINDOWPOSCHANGED:
        TspSkinPanel::WndProc(Message);
        // A bar placed by hand follows its own moves; an aligned one its bounds.
        if (FCanScroll && GetAlign() == alNone) FScroller.GetRange();
        return;
    default: break;
    }
    TspSkinPanel::WndProc(Message);
}
