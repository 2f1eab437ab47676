// The application's hints: which control's hint is due, the pause before it
// shows, and what ends it. Two timers drive it: one for the pause, one that
// watches the shown hint (the mouse leaving, the hide time).
#include "Application.h"
#include "Screen.h"
#include "WinControl.h"

namespace {
// How often a shown hint looks whether the mouse is still over its control.
const UINT kWatchInterval = 100;

// A control shows hints when it says so, or, while it follows its parent's
// setting, when its parent does (asked up the chain, so a parent switched on
// after its children were placed counts too).
bool ShowsHints(TControl* Control)
{
    for (TControl* c = Control; c; c = c->GetParent()) {
        if (c->GetShowHint()) return true;
        if (!c->GetParentShowHint()) return false;
    }
    return false;
}

// The control whose hint the mouse asks for: the one under it, if it shows hints.
TControl* HintTarget(TControl* Control) { return ShowsHints(Control) ? Control : nullptr; }

// A control without a hint text of its own shows its parent's.
std::string HintTextOf(TControl* Control)
{
    for (TControl* c = Control; c; c = c->GetParent())
        if (!c->GetHint().empty()) return c->GetHint();
    return std::string();
}

bool IsPressOrKey(UINT Msg)
{
    switch (Msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}
}  // namespace

void TApplication::SetShowHint(bool Value)
{
    if (Value == FShowHint) return;
    FShowHint = Value;
    if (!Value) {
        CancelHint();
        FHintControl = nullptr;
        FHintWindow.reset();
    }
}

void TApplication::StartHintTimer(int Pause)
{
    if (!FHintShowTimer) {
        FHintShowTimer.reset(new TTimer(nullptr));
        FHintShowTimer->SetEnabled(false);
        FHintShowTimer->OnTimer = [this](TObject*) {
            FHintShowTimer->SetEnabled(false);
            POINT pt;
            if (GetCursorPos(&pt)) ActivateHint(TPoint(pt));
        };
    }
    FHintShowTimer->SetEnabled(false);
    FHintShowTimer->SetInterval(Pause > 0 ? static_cast<UINT>(Pause) : 1);
    FHintShowTimer->SetEnabled(true);
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    if (!FShowHint) return;
    if (IsPressOrKey(Message.Msg)) {
        CancelHint();
        return;
    }
    if (Message.Msg != WM_MOUSEMOVE) return;
    TControl* target = HintTarget(Control);
    if (target == FHintControl) return;
    // Moving from a shown hint to the next control shows the next one sooner.
    const bool quick = FHintActive;
    HideHint();
    if (FHintShowTimer) FHintShowTimer->SetEnabled(false);
    FHintControl = target;
    FHintSuppressed = false;
    if (target) StartHintTimer(quick ? HintShortPause : HintPause);
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    if (FHintShowTimer) FHintShowTimer->SetEnabled(false);
    if (!FShowHint) return;
    TControl* target = HintTarget(FindDragTarget(CursorPos, false));
    if (target != FHintControl) {
        FHintControl = target;
        FHintSuppressed = false;
    }
    if (!target || FHintSuppressed) return;

    THintInfo info;
    info.HintControl = target;
    info.HintColor = HintColor;
    info.HintMaxWidth = Screen->GetWidth();
    info.HintPos = TPoint(CursorPos.x, CursorPos.y + GetCursorHeightMargin());
    info.CursorRect = TRect(0, 0, target->GetWidth(), target->GetHeight());
    info.CursorPos = target->ScreenToClient(CursorPos);
    info.HideTimeout = HintHidePause;
    info.HintStr = GetShortHint(HintTextOf(target));
    bool canShow = target->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    // The handlers ran program code: the control may have gone meanwhile.
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    if (FHintControl != target || !canShow || info.HintStr.empty()) return;

    if (!FHintWindow) {
        FHintWindow.reset(HintWindowClass ? HintWindowClass(nullptr) : new THintWindow(nullptr));
        if (!FHintWindow) return;
    }
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r.Offset(info.HintPos.x, info.HintPos.y);
    FHintWindow->ActivateHint(r, info.HintStr);
    FHintActive = true;
    TPoint o = target->ClientToScreen(TPoint(0, 0));
    FHintCursorRect = info.CursorRect;
    FHintCursorRect.Offset(o.x, o.y);
    FHintShownAt = GetTickCount();
    FHintHideTimeout = info.HideTimeout;
    if (!FHintWatchTimer) {
        FHintWatchTimer.reset(new TTimer(nullptr));
        FHintWatchTimer->SetInterval(kWatchInterval);
        FHintWatchTimer->OnTimer = [this](TObject*) { HintWatch(); };
    }
    FHintWatchTimer->SetEnabled(true);
}

void TApplication::HintWatch()
{
    if (!FHintActive) {
        FHintWatchTimer->SetEnabled(false);
        return;
    }
    POINT pt;
    if (!GetCursorPos(&pt) || !FHintCursorRect.Contains(TPoint(pt)) ||
        HintTarget(FindDragTarget(TPoint(pt), false)) != FHintControl) {
        // Gone elsewhere, perhaps to a window that sends us nothing: the next
        // control the mouse rests on starts afresh.
        HideHint();
        FHintControl = nullptr;
        return;
    }
    if (FHintHideTimeout > 0 && GetTickCount() - FHintShownAt >= static_cast<DWORD>(FHintHideTimeout)) CancelHint();
}

void TApplication::HideHint()
{
    FHintActive = false;
    if (FHintWatchTimer) FHintWatchTimer->SetEnabled(false);
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint()
{
    if (FHintShowTimer) FHintShowTimer->SetEnabled(false);
    HideHint();
    FHintSuppressed = FHintControl != nullptr;
}

bool TApplication::IsHintMsg(const MSG& Msg) const
{
    if (FHintActive && FHintWindow && FHintWindow->IsHintMsg(Msg)) return true;
    const bool pending = FHintShowTimer && FHintShowTimer->GetEnabled();
    return pending && IsPressOrKey(Msg.message);
}

void TApplication::ControlDestroying(TControl* Control)
{
    if (!Control || Control != FHintControl) return;
    if (FHintShowTimer) FHintShowTimer->SetEnabled(false);
    HideHint();
    FHintControl = nullptr;
    FHintSuppressed = false;
}
