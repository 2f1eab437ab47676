// TspFormFrame's window procedure: it stands in the form object's WindowProc
// (so every window the form recreates is served), answers the non-client
// messages itself and hands everything else to the form's own procedure.
#include "FormFrame.h"
#include "Application.h"
#include "SkinChangeWalk.h"
#include "SkinPlatform.h"
#include "Trace.h"

namespace {

TPoint MsgPoint(const TMessage& M) { return TPoint(MsgX(M), MsgY(M)); }

// Wine's default handling of WM_SETTEXT, WM_SETICON and WM_NCACTIVATE paints the
// native caption of a top-level window that is neither a popup nor a child,
// even after WS_CAPTION was taken away (a tiny program showed it: the caption
// band turned the system's caption colour after each of the three). With the
// window's visible bit cleared for the call it paints nothing and still stores
// the text or icon; the bit comes back untouched, so nothing is hidden or shown.
class TNoDefaultPaint {
public:
    explicit TNoDefaultPaint(HWND Wnd) : FWnd(Wnd), FStyle(Wnd ? GetWindowLongA(Wnd, GWL_STYLE) : 0)
    {
        if (FStyle & WS_VISIBLE) SetWindowLongA(FWnd, GWL_STYLE, FStyle & ~WS_VISIBLE);
    }
    ~TNoDefaultPaint()
    {
        if (FStyle & WS_VISIBLE) SetWindowLongA(FWnd, GWL_STYLE, GetWindowLongA(FWnd, GWL_STYLE) | WS_VISIBLE);
    }
    TNoDefaultPaint(const TNoDefaultPaint&) = delete;
    TNoDefaultPaint& operator=(const TNoDefaultPaint&) = delete;

private:
    HWND FWnd;
    LONG FStyle;
};

}  // namespace

// Stands in the form's WindowProc for the frame. Other parts (the tray icon,
// the menu bar, the menu mode) may wrap it afterwards and keep it as the
// procedure they pass on to: once the frame has let go it passes everything to
// the procedure it replaced, so their chain stays whole.
struct TFrameHook {
    std::shared_ptr<const bool> Alive;
    TspFormFrame* Frame;
    TWndMethod Previous;
    void operator()(TMessage& Message) const
    {
        if (*Alive)
            Frame->NewWndProc(Message);
        else if (Previous)
            Previous(Message);
    }
};

void TspFormFrame::InstallHook()
{
    if (!OwnerForm || FHooked) return;
    OldWindowProc = OwnerForm->WindowProc;
    FHookAlive = std::make_shared<bool>(true);
    OwnerForm->WindowProc = TFrameHook{FHookAlive, this, OldWindowProc};
    FHooked = true;
    if (OwnerForm->HandleAllocated()) {
        OwnerForm->RecreateWnd();
        StripCaption();
    }
}

void TspFormFrame::RemoveHook()
{
    if (!FHooked || !OwnerForm) return;
    *FHookAlive = false;
    // Only while ours is the outermost; otherwise the wrapper stays and passes on.
    if (auto* h = OwnerForm->WindowProc.target<TFrameHook>())
        if (h->Frame == this) OwnerForm->WindowProc = OldWindowProc;
    FHooked = false;
}

void TspFormFrame::StripCaption()
{
    HWND wnd = FormHandle();
    if (!wnd) return;
    // Without WS_CAPTION the system sizes no caption of its own; its default
    // painting is kept off separately (TNoDefaultPaint).
    LONG style = GetWindowLongA(wnd, GWL_STYLE);
    if (style & WS_CAPTION) {
        SetWindowLongA(wnd, GWL_STYLE, style & ~WS_CAPTION);
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TspFormFrame::CallOldWndProc(TMessage& Message)
{
    if (OldWindowProc) OldWindowProc(Message);
}

bool TspFormFrame::NoFrame() const
{
    return !OwnerForm || OwnerForm->GetBorderStyle() == bsNone;
}

void TspFormFrame::SendNCPaint()
{
    HWND wnd = FormHandle();
    if (wnd) SendMessageA(wnd, WM_NCPAINT, 1, 0);
}

void TspFormFrame::StopTimers()
{
    FPointerTimer->SetEnabled(false);
    FMorphingTimer->SetEnabled(false);
    FAnimationTimer->SetEnabled(false);
}

void TspFormFrame::NewWndProc(TMessage& Message)
{
    if (!FSupportNCArea && ClientAreaWndProc(Message)) return;
    bool passOn = true;
    switch (Message.Msg) {
    case WM_CREATE: passOn = WMCreate(Message); break;
    case WM_DESTROY: passOn = WMDestroy(Message); break;
    case WM_SIZE: passOn = WMSize(Message); break;
    case WM_ACTIVATE: passOn = WMActivate(Message); break;
    case WM_SETTEXT: passOn = WMSetText(Message); break;
    case WM_SETICON: passOn = WMSetIcon(Message); break;
    case WM_ERASEBKGND: passOn = WMEraseBkgnd(Message); break;
    case WM_SHOWWINDOW: passOn = WMShowWindow(Message); break;
    case WM_GETMINMAXINFO: passOn = WMGetMinMaxInfo(Message); break;
    case WM_NCCALCSIZE: passOn = WMNCCalcSize(Message); break;
    case WM_NCHITTEST: passOn = WMNCHitTest(Message); break;
    case WM_NCPAINT: passOn = WMNCPaint(Message); break;
    case WM_NCACTIVATE: passOn = WMNCActivate(Message); break;
    case WM_SYNCPAINT: passOn = WMSyncPaint(Message); break;
    case WM_SIZING: passOn = WMSizing(Message); break;
    case WM_MOVING: passOn = WMMoving(Message); break;
    case WM_ENTERSIZEMOVE: passOn = WMEnterSizeMove(Message); break;
    case WM_EXITSIZEMOVE: passOn = WMExitSizeMove(Message); break;
    case WM_BEFORECHANGESKINDATA: passOn = WMBeforeChangeSkinData(Message); break;
    case WM_CHANGESKINDATA: passOn = WMChangeSkinData(Message); break;
    case WM_TIMER: passOn = WMTimer(Message); break;
    case WM_SYSCOMMAND: passOn = WMSysCommand(Message); break;
    default: passOn = MDIMessage(Message); break;
    }
    if (passOn) CallOldWndProc(Message);
    MDIAfterMessage(Message);
    if (!FSupportNCArea) {
        AfterClientAreaMouse(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK: AfterNCMouse(Message); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: AfterClientMouse(Message); break;
    default: break;
    }
}

bool TspFormFrame::WMCreate(TMessage& Message)
{
    CallOldWndProc(Message);
    // A window made after the hook went in (the form creates its window lazily,
    // and again whenever it recreates it) loses the native caption too.
    if (FSupportNCArea) StripCaption();
    ApplyAlphaBlend(FormHandle());
    return false;
}

bool TspFormFrame::WMDestroy(TMessage&)
{
    StopTimers();
    return true;
}

bool TspFormFrame::WMSize(TMessage& Message)
{
    if (InSizeMove && FullDrag) return true;
    CallOldWndProc(Message);
    if (!OwnerForm) return false;
    FrameWidth = OwnerForm->GetWidth();
    FrameHeight = OwnerForm->GetHeight();
    if (FSupportNCArea) {
        if (FSkinLoaded) {
            if (FrameWidth >= GetMinWidth() && FrameHeight >= GetMinHeight()) CreateNewForm(true);
        } else {
            SendNCPaint();
        }
        if (!FLogoBitMap->Empty()) OwnerForm->Invalidate();
    }
    return false;
}

bool TspFormFrame::WMActivate(TMessage& Message)
{
    CallOldWndProc(Message);
    if (FSupportNCArea) {
        SendNCPaint();
        TestActive(-1, -1, false);
        UpDateActiveObjects();
    }
    FormChangeActive(true);
    return false;
}

bool TspFormFrame::WMSetText(TMessage& Message)
{
    {
        TNoDefaultPaint quiet(NoFrame() ? nullptr : FormHandle());
        CallOldWndProc(Message);
    }
    if (!NoFrame()) {
        if (FSkinLoaded) SetDefaultCaptionText(GetCaptionText());
        SendNCPaint();
    }
    return false;
}

bool TspFormFrame::WMSetIcon(TMessage& Message)
{
    {
        TNoDefaultPaint quiet(NoFrame() ? nullptr : FormHandle());
        CallOldWndProc(Message);
    }
    FSmallIcon.Reset();
    if (!NoFrame()) SendNCPaint();
    return false;
}

bool TspFormFrame::WMEraseBkgnd(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (FSupportNCArea) {
        if (FSkinLoaded) {
            if (FSkinData->BGPictureIndex == -1)
                PaintBG(dc);
            else
                PaintBG2(dc);
        } else {
            PaintBGDefault(dc);
        }
        Message.Result = 1;
        return false;
    }
    return true;
}

bool TspFormFrame::WMShowWindow(TMessage& Message)
{
    if (Message.WParam && FSupportNCArea && OwnerForm) {
        if (OwnerForm->GetMenu()) OwnerForm->SetMenu(nullptr);
        UpDateForm();
    }
    HWND wnd = FormHandle();
    if (wnd && Sputils::CheckW2KWXP()) {
        const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
        if (Message.WParam && (FAlphaBlend || AlphaBlendAnimation)) {
            // Shown transparent; the fade starts once the show is through.
            SetWindowLongA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
            Sputils::SetAlphaBlendTransparent(wnd, 0);
            SetTimer(wnd, FadeTimerId, 1, nullptr);
        } else if (!Message.WParam && FAlphaBlend) {
            SetWindowLongA(wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        }
    }
    return true;
}

bool TspFormFrame::WMTimer(TMessage& Message)
{
    if (Message.WParam != FadeTimerId || !(FAlphaBlend || AlphaBlendAnimation)) return true;
    KillTimer(FormHandle(), FadeTimerId);
    FadeIn();
    return false;
}

void TspFormFrame::FadeIn()
{
    HWND wnd = FormHandle();
    if (!wnd) return;
    const int target = AlphaBlendAnimation && !FAlphaBlend ? 255 : FAlphaBlendValue;
    if (AlphaBlendAnimation) {
        // The window is painted before it fades in. A redraw now rather than a
        // run of the message loop: pending messages could free this frame
        // (a close, a skin change) while we are still fading it.
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (int a = 0; a < target;) {
            a = std::min(a + 5, target);
            Sputils::SetAlphaBlendTransparent(wnd, a);
        }
    } else if (target != 255) {
        Sputils::SetAlphaBlendTransparent(wnd, FAlphaBlendValue);
    }
    // An opaque window is not left layered.
    if (target == 255) SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

bool TspFormFrame::WMGetMinMaxInfo(TMessage& Message)
{
    auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    if (mmi) {
        mmi->ptMinTrackSize.x = GetMinWidth();
        mmi->ptMinTrackSize.y = GetMinHeight();
        mmi->ptMaxTrackSize.x = GetMaxWidth();
        mmi->ptMaxTrackSize.y = GetMaxHeight();
    }
    return true;
}

bool TspFormFrame::WMNCCalcSize(TMessage& Message)
{
    if (FSupportNCArea && !NoFrame()) {
        // Both forms of the message: wParam TRUE gives the new window rectangle
        // in the first of three, FALSE gives one rectangle.
        RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                 : reinterpret_cast<RECT*>(Message.LParam);
        if (r) {
            if (OwnerForm) {
                const int w = r->right - r->left, h = r->bottom - r->top;
                if (w > 0 && h > 0) {
                    FrameWidth = w;
                    FrameHeight = h;
                }
            }
            TRect t(r->left, r->top, r->right, r->bottom);
            CalcNCClientRect(t);
            *r = RECT{t.left, t.top, t.right, t.bottom};
        }
        Message.Result = 0;
    } else if (FSupportNCArea) {
        Message.Result = 0;   // border style none: the whole window is client
    } else {
        // Client-area mode: no non-client area at all.
        Message.Result = 0;
    }
    return false;
}

bool TspFormFrame::WMNCHitTest(TMessage& Message)
{
    // A borderless form has no frame (its whole window is client, see
    // WMNCCalcSize): the system's answer stands, so presses on its window-less
    // children arrive as client presses.
    if (!FSupportNCArea || NoFrame()) return true;
    const TPoint p = PointToNCPoint(MsgPoint(Message));
    SyncFrameSize();
    if (FSkinLoaded && CanNCSupport()) {
        CalcRects();
        CalcAllRealObjectRect();
        Message.Result = NewNCHitTest(p);
    } else {
        CalcDefRects();
        Message.Result = NewDefNCHitTest(p);
    }
    if (!FPointerTimer->GetEnabled() && Message.Result == HTOBJECT_FRAME) {
        TestActive(p.x, p.y, true);
        FPointerTimer->SetEnabled(true);
    }
    return false;
}

bool TspFormFrame::WMNCPaint(TMessage&)
{
    if (NoFrame()) return false;
    if (FSupportNCArea) {
        if (FSkinLoaded && CanNCSupport())
            PaintNCSkin();
        else
            PaintNCDefault();
    }
    return false;
}

bool TspFormFrame::WMNCActivate(TMessage& Message)
{
    FMDIChildActive = Message.WParam != 0;
    if (IsMDIChildFrame() || IsMDIMainFrame()) {
        // The MDI activation is kept by the form's own procedure: it runs, with
        // its painting of the native caption kept off.
        TNoDefaultPaint quiet(FormHandle());
        CallOldWndProc(Message);
    } else {
        // The system's own handling paints the native caption over ours (on Wine
        // also without WS_CAPTION, see TNoDefaultPaint); answering 1 without it
        // lets the activation go ahead.
        Message.Result = 1;
    }
    // A maximised child shows nothing of its own frame: its caption is the main form's.
    if (NoFrame() || (IsMDIChildFrame() && FWindowState == fwsMaximized)) {
        FormChangeActive(false);
    } else {
        SendNCPaint();
        FormChangeActive(true);
    }
    return false;
}

bool TspFormFrame::WMSyncPaint(TMessage& Message)
{
    if (FRolledUp && FSupportNCArea) {
        SendNCPaint();
        Message.Result = 0;
        return false;
    }
    return true;
}

bool TspFormFrame::WMSizing(TMessage& Message)
{
    if (!(InSizeMove && FullDrag)) return true;
    CallOldWndProc(Message);
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (r) {
        FrameWidth = r->right - r->left;
        FrameHeight = r->bottom - r->top;
    }
    if (FSupportNCArea && FSkinData && OwnerForm && OwnerForm->GetWidth() >= GetMinWidth() &&
        OwnerForm->GetHeight() >= GetMinHeight())
        CreateNewForm(true);
    return false;
}

bool TspFormFrame::WMMoving(TMessage& Message)
{
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (r && FWindowState == fwsMaximized) {
        const TRect b = FormBounds();
        *r = RECT{b.left, b.top, b.right, b.bottom};
    } else if (r && Magnetic && OwnerForm) {
        const int w = OwnerForm->GetWidth(), h = OwnerForm->GetHeight();
        int left = r->left, top = r->top;
        DoMagnetic(left, top, w, h);
        *r = RECT{left, top, left + w, top + h};
    }
    return true;
}

bool TspFormFrame::WMEnterSizeMove(TMessage&)
{
    if (FSupportNCArea) {
        UpDateActiveObjects();
        FPointerTimer->SetEnabled(false);
        ActiveObject = -1;
        MouseCaptureObject = -1;
        InSizeMove = true;
        BOOL full = FALSE;
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
        FullDrag = full != FALSE;
    }
    return true;
}

bool TspFormFrame::WMExitSizeMove(TMessage&)
{
    // The loop is over whichever way it ended: a flag left set would keep
    // every later press from reaching the objects.
    InSizeMove = false;
    if (FSupportNCArea) {
        FPointerTimer->SetEnabled(false);
        ActiveObject = OldActiveObject = MouseCaptureObject = -1;
        if (FSkinData && !FSkinData->Empty) SendNCPaint();
    }
    return true;
}

bool TspFormFrame::WMBeforeChangeSkinData(TMessage& Message)
{
    auto* s = reinterpret_cast<TspSkinData*>(Message.WParam);
    if (s && s == FSkinData) {
        FSkinLoaded = false;
        StopTimers();
        ClearObjects();
        if (OwnerForm) Skinctrls::ReskinControls(OwnerForm, s, true);
    }
    return true;
}

bool TspFormFrame::WMChangeSkinData(TMessage& Message)
{
    auto* s = reinterpret_cast<TspSkinData*>(Message.WParam);
    if (s && s == FSkinData) ChangeSkinData();
    if (s && OwnerForm) Skinctrls::ReskinControls(OwnerForm, s, false);
    return true;
}

void TspFormFrame::AfterNCMouse(TMessage& Message)
{
    const TPoint p = PointToNCPoint(MsgPoint(Message));
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE: MouseMove(p.x, p.y); break;
    case WM_NCLBUTTONDOWN:
        if (InSizeMove) {
            InSizeMove = false;
            break;
        }
        TestActive(p.x, p.y, true);
        MouseDown(mbLeft, p.x, p.y);
        FPressClosedItem = nullptr;
        if (Message.WParam == HTCAPTION) MouseCaptureObject = -1;
        break;
    case WM_NCLBUTTONUP:
        try {
            MouseUp(mbLeft, p.x, p.y);
        } catch (...) {
            // An object's failure on release must not break the message loop.
            Trace::Caught(Trace::Skin, "frame object release");
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        TestActive(p.x, p.y, true);
        MouseDown(mbLeft, p.x, p.y);
        MouseDBlClick();
        // A quick second click on a button is a press like any other: it keeps
        // the mouse until its release, which completes it. Only the caption's
        // double click (which holds no capture) ends the press here.
        if (Message.WParam == HTCAPTION) {
            MouseCaptureObject = -1;
            CaptionDoubleClick();
        }
        break;
    case WM_NCRBUTTONDOWN:
        TestActive(p.x, p.y, true);
        MouseDown(mbRight, p.x, p.y);
        if (Message.WParam == HTCAPTION) {
            MouseCaptureObject = -1;
            // We run after the default handling, which on Wine holds the press
            // in its own loop until the button is released: the menu shows on
            // the release (a sent press with no real release never returns).
            TrackSystemMenu(MsgX(Message), MsgY(Message));
        }
        break;
    case WM_NCRBUTTONUP: MouseUp(mbRight, p.x, p.y); break;
    case WM_NCRBUTTONDBLCLK:
        TestActive(p.x, p.y, true);
        MouseDown(mbRight, p.x, p.y);
        if (Message.WParam == HTCAPTION) MouseCaptureObject = -1;
        break;
    default: break;
    }
}

void TspFormFrame::AfterClientMouse(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONUP: MouseUp(mbLeft, -1, -1); break;
    case WM_RBUTTONUP: MouseUp(mbRight, -1, -1); break;
    case WM_LBUTTONDBLCLK:
        MouseDown(mbLeft, MsgX(Message), MsgY(Message));
        MouseDBlClick();
        break;
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, MsgX(Message), MsgY(Message)); break;
    default: break;
    }
}

void TspFormFrame::CaptionDoubleClick()
{
    if (Sizeable && FWindowState == fwsMinimized)
        SetWindowState(fwsNormal);
    else if (Sizeable && FWindowState != fwsMaximized && !FRolledUp && (FBorderIcons & biMaximize))
        SetWindowState(fwsMaximized);
    else if (Sizeable && FWindowState == fwsMaximized && !FRolledUpMaximized)
        SetWindowState(fwsNormal);
    else
        SetRollUpState(!FRolledUp);
}
