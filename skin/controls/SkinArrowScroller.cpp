#include "SkinArrowScroller.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "GdiHandles.h"
#include "ScopeGuard.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include <algorithm>

TspArrowScroller::TspArrowScroller(TWinControl* Host, bool Vertical) : FHost(Host), FVertical(Vertical) {}

void TspArrowScroller::FetchArrowSkin(TspSkinData* Data, bool Wanted)
{
    FArrowSkin = nullptr;
    FArrowPicture = nullptr;
    if (!Wanted || !Data || Data->Empty) return;
    const auto* rec = dynamic_cast<const TspDataSkinButtonControl*>(Data->ControlRecord(Data->GetControlIndex("resizebutton")));
    if (!rec) return;
    // An element without a picture or a look inside it draws the plain arrows.
    TBitmap* pic = SkinPicture(Data, rec->PictureIndex);
    if (!pic || ClipToPicture(rec->SkinRect, pic).IsEmpty()) return;
    FArrowSkin = rec;
    FArrowPicture = pic;
}

int TspArrowScroller::ClientSize() { return FVertical ? FHost->GetClientHeight() : FHost->GetClientWidth(); }

int TspArrowScroller::ContentEnd()
{
    int a = 0;
    for (int i = 0; i < FHost->GetControlCount(); ++i) {
        TControl* c = FHost->GetControl(i);
        if (!c->GetVisible()) continue;
        a = std::max(a, FVertical ? c->GetTop() + c->GetHeight() : c->GetLeft() + c->GetWidth());
    }
    return a;
}

void TspArrowScroller::GetRange()
{
    // Moving the children and showing or hiding the arrows come back here
    // through the host's alignment and position changes: one computation at a time.
    if (FInRange) return;
    FInRange = true;
    TScopeExit done([this] { FInRange = false; });
    int cw = ClientSize();
    int a = ContentEnd();
    const bool overflow = a != 0 && cw < a + Position;
    if (overflow) {
        if (!ArrowsVisible()) {
            SetButtonsVisible(true);
            // The arrows took their room from the client area (and the children
            // may have been re-aligned): what is recorded is measured now.
            cw = ClientSize();
            a = ContentEnd();
        }
        const int newEnd = Position + a - 1;
        if (Position > 0 && a < cw && Growth > 0) {
            // Enlarged while scrolled: the children come back by the growth.
            const int g = std::min(Growth, Position);
            Growth = g;
            RangeEnd = newEnd;
            Position -= g;
            ClientExtent = cw;
            MoveChildren(g);
        } else {
            if (Growth != 0 || newEnd >= RangeEnd || Position <= 0 || a >= cw) {
                RangeEnd = newEnd;
            } else {
                // The content shrank while scrolled.
                int d = 2 * RangeEnd + Position - ClientExtent - newEnd + 1;
                d = std::max(0, std::min(d, Position));
                RangeEnd = newEnd;
                Position -= d;
                MoveChildren(d);
            }
            ClientExtent = cw;
            Growth = 0;
        }
        if (VerticalRules) Growth = 0;
        ShownPosition = Position;
    } else if (a != 0) {
        const int back = Position;
        Growth = RangeEnd = Position = ClientExtent = 0;
        // The shown position goes too: a step still running must not move the
        // children from a place they have left.
        ShownPosition = 0;
        if (back > 0) MoveChildren(back);
    }
    if (!overflow && ArrowsVisible()) SetButtonsVisible(false);
}

void TspArrowScroller::SetButtonsVisible(bool Value)
{
    if (Value == Buttons[0].Visible) return;
    Buttons[0].Visible = Buttons[1].Visible = Value;
    if (!Value) {
        // Nothing can be under a hidden arrow any more.
        StopTimer();
        for (TArrow& b : Buttons) b.MouseIn = b.Down = false;
    }
    PlaceArrows();
    // The non-client area is computed anew; the window itself stays (it may be
    // in the middle of one of its own messages).
    if (HWND wnd = FHost->GetWindowHandle())
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    FHost->Realign();
    FHost->Invalidate();
}

void TspArrowScroller::Reset()
{
    StopTimer();
    RangeEnd = Position = ShownPosition = ClientExtent = Growth = 0;
    for (TArrow& b : Buttons) b = TArrow();
}

void TspArrowScroller::MoveChildren(int Delta)
{
    if (!Delta) return;
    FHost->DisableAlign();
    {
        TScopeExit enable([this] { FHost->EnableAlign(); });
        for (int i = 0; i < FHost->GetControlCount(); ++i) {
            TControl* c = FHost->GetControl(i);
            if (FVertical) c->SetBounds(c->GetLeft(), c->GetTop() + Delta, c->GetWidth(), c->GetHeight());
            else c->SetBounds(c->GetLeft() + Delta, c->GetTop(), c->GetWidth(), c->GetHeight());
        }
    }
    FHost->Realign();
    FHost->Invalidate();
}

void TspArrowScroller::ButtonDown(int I)
{
    TimerAction = I == 0 ? 1 : 2;
    StartTimer();
}

void TspArrowScroller::ButtonUp(int I)
{
    StopTimer();
    ButtonClick(I);
}

void TspArrowScroller::ButtonClick(int I)
{
    // Hidden arrows scroll nothing (a step may still be due from a timer).
    if (!ArrowsVisible()) {
        StopTimer();
        return;
    }
    const int step = ScrollOffset > 0 ? ScrollOffset : ClientSize();
    if (I == 0) Position = std::max(0, Position - step);
    else Position = std::max(0, std::min(Position + step, RangeEnd - ClientExtent + 1));
    if (Position == ShownPosition) {
        StopTimer();
        return;
    }
    MoveChildren(ShownPosition - Position);
    GetRange();
}

void TspArrowScroller::StartTimer()
{
    HWND wnd = FHost->GetWindowHandle();
    if (!wnd) return;
    KillTimer(wnd, TimerId);
    SetTimer(wnd, TimerId, static_cast<UINT>(std::max(1, ScrollTimerInterval)), nullptr);
}

void TspArrowScroller::StopTimer()
{
    if (HWND wnd = FHost->GetWindowHandle()) KillTimer(wnd, TimerId);
    TimerAction = 0;
}

void TspArrowScroller::TimerTick()
{
    if (TimerAction == 1) ButtonClick(0);
    else if (TimerAction == 2) ButtonClick(1);
}

void TspArrowScroller::PlaceArrows()
{
    const int w = FHost->GetWidth(), h = FHost->GetHeight();
    if (FVertical) {
        Buttons[0].R = TRect(0, 0, w, ArrowSize);
        Buttons[1].R = TRect(0, h - ArrowSize, w, h);
    } else {
        Buttons[0].R = TRect(0, 0, ArrowSize, h);
        Buttons[1].R = TRect(w - ArrowSize, 0, w, h);
    }
}

void TspArrowScroller::PaintArrows()
{
    HWND wnd = FHost->GetWindowHandle();
    if (!wnd || !ArrowsVisible()) return;
    if (FetchSkin) FetchSkin();
    TWholeWindowDC dc(wnd);
    if (!dc.Get()) return;
    TBorrowedCanvas c(dc.Get());
    for (int i = 0; i < 2; ++i)
        if (Buttons[i].Visible) DrawButton(c.Get(), i);
}

void TspArrowScroller::DrawButton(TCanvas* C, int I)
{
    const TArrow& b = Buttons[I];
    const int w = std::min(b.R.Width(), MaxSkinControlSide), h = std::min(b.R.Height(), MaxSkinControlSide);
    if (w <= 0 || h <= 0) return;
    TBitmap buffer(w, h, pf24bit);
    TCanvas* bc = buffer.GetCanvas();
    const bool pressed = b.MouseIn && (b.Down || HotScroll);
    TColor arrow = clBtnText;
    const TspDataSkinButtonControl* s = FArrowSkin;
    if (s) {
        TRect look = s->SkinRect;
        arrow = s->Font.Color;
        if (!s->DownSkinRect.IsEmpty() && pressed) {
            look = s->DownSkinRect;
            arrow = s->DownFontColor;
        } else if (b.MouseIn && !s->ActiveSkinRect.IsEmpty()) {
            look = s->ActiveSkinRect;
            arrow = s->ActiveFontColor;
        }
        // Every look has the element's size: its points and client part are
        // bounded by the skin rectangle, whatever the skin says.
        const int sw = std::max(0, std::min(s->SkinRect.Width(), MaxSkinControlSide));
        const int sh = std::max(0, std::min(s->SkinRect.Height(), MaxSkinControlSide));
        auto clamp = [&](const TPoint& P) {
            return TPoint(std::max(0, std::min<int>(P.x, sw)), std::max(0, std::min<int>(P.y, sh)));
        };
        const TPoint lt = clamp(s->LeftTopPoint), rt = clamp(s->RightTopPoint), lb = clamp(s->LeftBottomPoint),
                     rb = clamp(s->RightBottomPoint);
        const TPoint cl1 = clamp(s->ClientRect.TopLeft()), cl2 = clamp(s->ClientRect.BottomRight());
        const TRect cl(cl1.x, cl1.y, std::max(cl1.x, cl2.x), std::max(cl1.y, cl2.y));
        Sputils::TSkinImageArgs a;
        a.Skin = {lt, rt, lb, rb, cl};
        a.Target = a.Skin.Grown(w - sw, h - sh);
        a.Source = FArrowPicture;
        a.SourceRect = TRect(look.left, look.top, look.left + sw, look.top + sh);
        a.Width = w;
        a.Height = h;
        Sputils::CreateSkinImage(&buffer, a);
        bc = buffer.GetCanvas();
    } else {
        bc->GetBrush()->SetStyle(bsSolid);
        Sputils::DrawPlainFace(bc, TRect(0, 0, w, h), LookState(pressed, b.MouseIn));
    }
    // The first arrow points back (up or left), the second on.
    static const TspArrowDirection Arrows[2][2] = {{adLeft, adRight}, {adUp, adDown}};
    Sputils::DrawArrowImage(bc, TRect(0, 0, w, h), arrow, Arrows[FVertical][I]);
    C->Draw(b.R.left, b.R.top, &buffer);
}

bool TspArrowScroller::HitTest(TMessage& Message)
{
    if (!ArrowsVisible()) return false;
    POINT p = {static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    HWND wnd = FHost->GetWindowHandle();
    if (!wnd) return false;
    ScreenToClient(wnd, &p);
    const int v = FVertical ? p.y : p.x;
    // The whole arrow answers, its first and last pixel included.
    if (v < 0) Message.Result = HTFirstArrow;
    else if (v >= ClientSize()) Message.Result = HTSecondArrow;
    else return false;
    return true;
}

void TspArrowScroller::CalcSize(TMessage& Message)
{
    RECT* r = reinterpret_cast<RECT*>(Message.LParam);
    if (!r) return;
    if (Message.WParam) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
    if (FVertical) {
        if (Buttons[0].Visible) r->top += ArrowSize;
        if (Buttons[1].Visible) r->bottom -= ArrowSize;
        if (r->bottom < r->top) r->bottom = r->top;
    } else {
        if (Buttons[0].Visible) r->left += ArrowSize;
        if (Buttons[1].Visible) r->right -= ArrowSize;
        if (r->right < r->left) r->right = r->left;
    }
}

void TspArrowScroller::NCMouseMove(int HitCode)
{
    const int i = HitCode == HTFirstArrow ? 0 : HitCode == HTSecondArrow ? 1 : -1;
    if (i < 0 || Buttons[i].MouseIn) return;
    Buttons[i].MouseIn = true;
    Buttons[1 - i].MouseIn = false;
    PaintArrows();
    if (HotScroll) {
        TimerAction = i + 1;
        StartTimer();
    }
}

void TspArrowScroller::NCButtonDown(int HitCode)
{
    const int i = HitCode == HTFirstArrow ? 0 : HitCode == HTSecondArrow ? 1 : -1;
    if (i < 0) return;
    Buttons[i].Down = true;
    PaintArrows();
    ButtonDown(i);
}

void TspArrowScroller::NCButtonUp(int HitCode)
{
    const int i = HitCode == HTFirstArrow ? 0 : HitCode == HTSecondArrow ? 1 : -1;
    if (i < 0) return;
    Buttons[i].Down = false;
    PaintArrows();
    ButtonUp(i);
}

void TspArrowScroller::LeaveArrows()
{
    for (TArrow& b : Buttons) {
        if (!b.MouseIn || !b.Visible) continue;
        if (TimerAction != 0) StopTimer();
        b.MouseIn = false;
        PaintArrows();
        return;
    }
}

void TspArrowScroller::ClientMouseMove() { LeaveArrows(); }

void TspArrowScroller::MouseLeave()
{
    POINT p;
    HWND wnd = FHost->GetWindowHandle();
    if (!wnd || !GetCursorPos(&p) || WindowFromPoint(p) == wnd) return;
    // Released outside the window: no button-up will come for a held arrow.
    for (TArrow& b : Buttons) b.Down = false;
    LeaveArrows();
}

TRect TspArrowScroller::ScrolledRect(const TRect& Client)
{
    if (FVertical)
        return TRect(0, -Position, Client.Width(), -Position + std::max(RangeEnd, Client.Height()));
    return TRect(-Position, 0, -Position + std::max(RangeEnd, Client.Width()), Client.Height());
}
