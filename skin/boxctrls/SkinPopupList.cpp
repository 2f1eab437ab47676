#include "SkinPopupList.h"
#include "Application.h"
#include "SkinDropDown.h"
#include "SkinPlatform.h"
#include <algorithm>

TspPopupListBox::TspPopupListBox(TComponent* AOwner) : TspSkinListBox(AOwner)
{
    FControlStyle |= csAcceptsControls | csNoDesignVisible | csReplicatable;
    FVisible = false;
}

void TspPopupListBox::CreateParams(TCreateParams& Params)
{
    TspSkinListBox::CreateParams(Params);
    SpDropDown::SetParams(Params, WS_POPUP | WS_CLIPCHILDREN, "TspPopupListBox");
}

void TspPopupListBox::WndProc(TMessage& Message)
{
    if (!SpDropDown::RefuseActivation(Message)) TspSkinListBox::WndProc(Message);
}

void TspPopupListBox::ListBoxWProc(TMessage& Message, bool& CallDefault)
{
    CallDefault = true;
    TspListBox* lb = GetListBox();
    if (!lb->HandleAllocated()) return;
    HWND h = lb->GetHandle();
    const TPoint pt(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
    auto select = [&] {
        const int i = lb->ItemAtPos(pt, true);
        if (i >= 0 && i != lb->GetItemIndex()) lb->SetItemIndex(i);
    };
    // The system list takes the focus on a press, and the focus would activate
    // this window (and deactivate the combo's form) whatever WM_MOUSEACTIVATE
    // answered. So the presses are handled here: the item under the pointer is
    // selected, the pointer held, and the release raises the list's click.
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault = false;
        select();
        FTracking = true;
        SetCapture(h);
        ListBoxMouseDown(mbLeft, KeysToShiftState(static_cast<WORD>(Message.WParam)), pt.x, pt.y);
        break;
    case WM_MOUSEMOVE:
        if (FTracking) {
            CallDefault = false;
            select();
            ListBoxMouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)), pt.x, pt.y);
        }
        break;
    case WM_LBUTTONUP:
        if (FTracking) {
            CallDefault = false;
            FTracking = false;
            if (GetCapture() == h) ReleaseCapture();
            ListBoxMouseUp(mbLeft, KeysToShiftState(static_cast<WORD>(Message.WParam)), pt.x, pt.y);
            if (lb->ItemAtPos(pt, true) >= 0) ListBoxClick();
        }
        break;
    case WM_CAPTURECHANGED:
        FTracking = false;
        break;
    }
}

void TspPopupListBox::Show(const TPoint& Pt)
{
    auto* host = dynamic_cast<TspPopupListHost*>(GetOwner());
    const bool effects = host && Sputils::CheckW2KWXP();
    HWND h = GetHandle();
    bool blend = false, animate = false;
    int value = 255;
    if (effects) {
        blend = host->GetListBoxAlphaBlend();
        animate = host->GetListBoxAlphaBlendAnimation();
        value = std::clamp(host->GetListBoxAlphaBlendValue(), 0, 255);
        if (blend != FLayered) {
            LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
            SetWindowLongA(h, GWL_EXSTYLE, blend ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
            FLayered = blend;
        }
        if (blend && FCurrentAlpha != value) {
            FCurrentAlpha = animate ? 0 : value;
            Sputils::SetAlphaBlendTransparent(h, FCurrentAlpha);
        }
    }
    SpDropDown::ShowAt(this, Pt);
    if (effects && blend && animate) {
        Application->ProcessMessages();
        for (int a = 2;; a += 2) {
            FCurrentAlpha = std::min(a, value);
            Sputils::SetAlphaBlendTransparent(h, FCurrentAlpha);
            if (FCurrentAlpha >= value) break;
        }
    }
}

void TspPopupListBox::Hide() { SpDropDown::Hide(this); }

TPoint TspPopupListBox::DropPoint(const TRect& Anchor, int W, int H, const TRect& WorkArea)
{
    const int y = std::max(SpDropDown::DropTop(Anchor.top, Anchor.Height(), H, WorkArea.bottom),
                           static_cast<int>(WorkArea.top));
    int x = Anchor.left;
    if (x + W > WorkArea.right) x = WorkArea.right - W;
    x = std::max(x, static_cast<int>(WorkArea.left));
    return TPoint(x, y);
}

void TspPopupListBox::ShowFor(TControl* Control)
{
    const TPoint origin = Control->ClientToScreen(TPoint(0, 0));
    const TRect anchor(origin.x, origin.y, origin.x + Control->GetWidth(), origin.y + Control->GetHeight());
    auto* win = dynamic_cast<TWinControl*>(Control);
    const TRect work = win ? Sputils::GetMonitorWorkArea(win->GetHandle(), true)
                           : Sputils::GetPrimaryMonitorWorkArea(true);
    Show(DropPoint(anchor, GetWidth(), GetHeight(), work));
}
