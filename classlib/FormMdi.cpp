// Multiple-document forms. An fsMDIForm makes the system's MDI client window
// inside its client area and lets the frame procedure (DefFrameProc) serve its
// messages; an fsMDIChild form is created as a child of the main form's MDI
// client and served by the child procedure (DefMDIChildProc). The client window
// keeps the list of children, their activation and their arrangement.
#include "Form.h"
#include "Application.h"
#include "Menus.h"
#include "Screen.h"

namespace {
// Menu identifiers the MDI client gives its children's window-menu entries;
// far above the identifiers the main menu hands out.
constexpr UINT FirstMDIChildId = 0xFF00;

TCustomForm* MDIMainForm()
{
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    return main && main->GetFormStyle() == fsMDIForm ? main : nullptr;
}
}  // namespace

void TCustomForm::MDIChildCreateParams(TCreateParams& Params)
{
    TCustomForm* main = MDIMainForm();
    if (!main || main == this) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    main->HandleNeeded();
    if (!main->FClientHandle) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    Params.Style &= ~(WS_POPUP | WS_VISIBLE);
    Params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_MDICHILD;
    Params.WndParent = main->FClientHandle;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
}

void TCustomForm::CreateMDIClient()
{
    if (!FHandle || FClientHandle) return;
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = nullptr;
    ccs.idFirstChild = FirstMDIChildId;
    const TRect r = GetMDIClientRect();
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                    r.left, r.top, r.Width(), r.Height(), FHandle, nullptr, ClasslibInstance(), &ccs);
    if (!FClientHandle) RaiseLastOSError();
    // The aligned controls stay above the client window.
    SetWindowPos(FClientHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TRect TCustomForm::GetMDIClientRect()
{
    TRect c = FHandle ? TScrollingWinControl::GetClientRect() : GetClientRect();
    TRect r(0, 0, c.Width(), c.Height());
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* ctl = GetControl(i);
        if (!ctl->GetVisible()) continue;
        switch (ctl->GetAlign()) {
        case alTop: r.top = std::max(static_cast<int>(r.top), ctl->GetTop() + ctl->GetHeight()); break;
        case alBottom: r.bottom = std::min(static_cast<int>(r.bottom), ctl->GetTop()); break;
        case alLeft: r.left = std::max(static_cast<int>(r.left), ctl->GetLeft() + ctl->GetWidth()); break;
        case alRight: r.right = std::min(static_cast<int>(r.right), ctl->GetLeft()); break;
        default: break;
        }
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void TCustomForm::PlaceMDIClient()
{
    if (!FClientHandle) return;
    const TRect r = GetMDIClientRect();
    SetWindowPos(FClientHandle, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
    TScrollingWinControl::AlignControls(AControl, Rect);
    PlaceMDIClient();
}

void TCustomForm::DestroyWindowHandle()
{
    if (FHandle && FFormStyle == fsMDIChild) {
        HWND client = ::GetParent(FHandle);
        // The client forgets the child (its list, its window-menu entry) only
        // when it destroys the child itself.
        if (client) {
            FControlState |= csDestroyingHandle;
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
            FControlState &= ~csDestroyingHandle;
            if (FHandle && !IsWindow(FHandle)) FHandle = nullptr;
        }
    }
    if (FFormStyle == fsMDIForm) FClientHandle = nullptr;
    TScrollingWinControl::DestroyWindowHandle();
}

void TCustomForm::DefaultHandler(void* Message)
{
    TMessage& m = *static_cast<TMessage*>(Message);
    if (!FHandle || (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100) || (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400)) {
        TScrollingWinControl::DefaultHandler(Message);
        return;
    }
    if (FFormStyle == fsMDIForm && FClientHandle) {
        // The frame procedure would stretch the client over the whole client
        // area; aligned controls keep their room (PlaceMDIClient).
        if (m.Msg == WM_SIZE) {
            m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
            return;
        }
        m.Result = DefFrameProcA(FHandle, FClientHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    if (FFormStyle == fsMDIChild && (GetWindowLongA(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        m.Result = DefMDIChildProcA(FHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    TScrollingWinControl::DefaultHandler(Message);
}

TCustomForm* TCustomForm::GetActiveMDIChild() const
{
    if (FFormStyle != fsMDIForm || !FClientHandle) return nullptr;
    HWND h = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(h));
}

int TCustomForm::GetMDIChildCount() const
{
    if (FFormStyle != fsMDIForm || !FClientHandle) return 0;
    int n = 0;
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* f = Screen->GetForms(i);
        if (f->FFormStyle == fsMDIChild && f->FHandle && ::GetParent(f->FHandle) == FClientHandle) ++n;
    }
    return n;
}

TCustomForm* TCustomForm::GetMDIChildren(int Index) const
{
    if (FFormStyle == fsMDIForm && FClientHandle) {
        for (int i = 0; i < Screen->GetFormCount(); ++i) {
            TCustomForm* f = Screen->GetForms(i);
            if (f->FFormStyle == fsMDIChild && f->FHandle && ::GetParent(f->FHandle) == FClientHandle && Index-- == 0)
                return f;
        }
    }
    throw EListError("MDI child index out of bounds");
}

void TCustomForm::Cascade()
{
    if (FFormStyle == fsMDIForm && FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile()
{
    if (FFormStyle != fsMDIForm || !FClientHandle) return;
    SendMessageA(FClientHandle, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::ArrangeIcons()
{
    if (FFormStyle == fsMDIForm && FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next()
{
    if (FFormStyle == fsMDIForm && FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (FFormStyle == fsMDIForm && FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::SetWindowMenu(TMenuItem* Value)
{
    if (Value == FWindowMenu) return;
    if (FWindowMenu) RemoveFreeNotification(FWindowMenu);
    FWindowMenu = Value;
    if (Value) Value->FreeNotification(this);
}
