#include "Form.h"
#include "ScopeGuard.h"
#include "ActnList.h"
#include "Application.h"
#include "Icon.h"
#include "Menus.h"
#include "Screen.h"
#include <vector>

TCustomForm* GetParentForm(TControl* Control)
{
    if (!Control) return nullptr;
    while (Control->GetParent()) Control = Control->GetParent();
    return dynamic_cast<TCustomForm*>(Control);
}

namespace {
// The other enabled, visible top-level windows of the thread, disabled for a modal form.
struct DisableList {
    HWND Modal;
    std::vector<HWND> Windows;
};

BOOL CALLBACK DisableTaskWindow(HWND Wnd, LPARAM Data)
{
    auto* list = reinterpret_cast<DisableList*>(Data);
    if (Wnd != list->Modal && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        list->Windows.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}
}

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) { Init(); }

TCustomForm::TCustomForm(TComponent* AOwner, HWND ParentWindow) : TScrollingWinControl(AOwner)
{
    Init();
    FBorderStyle = bsNone;
    FParentWindow = ParentWindow;
}

void TCustomForm::Init()
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    FColor = clBtnFace;
    FBrush->SetColor(FColor);
    FWidth = 320;
    FHeight = 240;
    FCanvas.reset(new TControlCanvas(this));
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (!FDestroyDone) BeforeDestruction();
    if (FMenu) RemoveFreeNotification(FMenu);
    // The window goes while the form's own handlers still exist.
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
    FCanvas->FreeHandle();
    Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction()
{
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

void TCustomForm::BeforeDestruction()
{
    TScrollingWinControl::BeforeDestruction();
    if (FDestroyDone) return;
    FDestroyDone = true;
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

// ---- window ----
void TCustomForm::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    Params.WinClassName = "TForm";
    Params.WindowClass.style = CS_DBLCLKS;
    bool topLevel = !FParent && !FParentWindow;
    TBorderIcons icons = FBorderIcons;
    if (topLevel) {
        Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_VISIBLE);
        TCustomForm* main = Application->GetMainForm();
        Params.WndParent = (main && main != this && main->HandleAllocated()) ? main->GetWindowHandle() : nullptr;
        if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
    } else {
        Params.Style &= ~WS_VISIBLE;
    }
    switch (FBorderStyle) {
    case bsNone:
        if (topLevel) Params.Style |= WS_POPUP;
        icons = 0;
        break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        icons &= biSystemMenu | biHelp;
        Params.WindowClass.style |= CS_SAVEBITS;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) {
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        icons &= biSystemMenu;
    }
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
        if (icons & biMinimize) Params.Style |= WS_MINIMIZEBOX;
        if (icons & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (icons & biSystemMenu) Params.Style |= WS_SYSMENU;
    if (icons & biHelp) Params.ExStyle |= WS_EX_CONTEXTHELP;
    if (FFormStyle == fsStayOnTop && topLevel) Params.ExStyle |= WS_EX_TOPMOST;
    if (FFormStyle == fsMDIChild && topLevel) MDIChildCreateParams(Params);
}

void TCustomForm::CreateWnd()
{
    TScrollingWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm) CreateMDIClient();
    UpdateMenu();
    if (FIcon && FIcon->GetHandle())
        SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon->GetHandle()));
}

void TCustomForm::DestroyWnd()
{
    // The menu belongs to the menu component, not to the window.
    if (FHandle && FMenu) ::SetMenu(FHandle, nullptr);
    FCanvas->FreeHandle();
    TScrollingWinControl::DestroyWnd();
}

TRect TCustomForm::GetClientRect()
{
    if (FHandle) return TScrollingWinControl::GetClientRect();
    TCreateParams p;
    CreateParams(p);
    RECT frame = {0, 0, 0, 0};
    bool menu = FMenu && FMenu->GetItems()->GetCount() > 0 && !FParent && !FParentWindow;
    AdjustWindowRectEx(&frame, p.Style, menu, p.ExStyle);
    int w = FWidth - (frame.right - frame.left), h = FHeight - (frame.bottom - frame.top);
    return TRect(0, 0, w > 0 ? w : 0, h > 0 ? h : 0);
}

void TCustomForm::UpdateMenu()
{
    if (!FHandle || FParent || FParentWindow) return;
    ::SetMenu(FHandle, FMenu ? FMenu->GetHandle() : nullptr);
}

void TCustomForm::MenuChanged()
{
    UpdateMenu();
    if (FHandle) DrawMenuBar(FHandle);
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (Value == FMenu) return;
    if (FMenu) RemoveFreeNotification(FMenu);
    FMenu = Value;
    if (Value) Value->FreeNotification(this);
    MenuChanged();
}

void TCustomForm::SetIcon(TIcon* Value)
{
    if (!FIcon) FIcon.reset(new TIcon);
    FIcon->Assign(Value);
    if (FHandle) SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon->GetHandle()));
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && FWindowMenu && AComponent == FWindowMenu) FWindowMenu = nullptr;
    if (Operation == opRemove && AComponent == FMenu) {
        FMenu = nullptr;
        if (FHandle) ::SetMenu(FHandle, nullptr);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == FBorderIcons) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == FFormStyle) return;
    FFormStyle = Value;
    if (FHandle && !FParent && !FParentWindow && (Value == fsStayOnTop || Value == fsNormal))
        SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else RecreateWnd();
}

TWindowState TCustomForm::GetWindowState() const
{
    if (FHandle && FVisible) {
        if (IsIconic(FHandle)) return wsMinimized;
        if (IsZoomed(FHandle)) return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    FWindowState = Value;
    if (FHandle && FVisible) {
        static const int cmds[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(FHandle, cmds[Value]);
    }
}

// ---- showing ----
void TCustomForm::Show()
{
    AfterConstruction();
    SetVisible(true);
    BringToFront();
    // An MDI child comes to the front only through its client window.
    if (FFormStyle == fsMDIChild && FHandle)
        if (HWND client = ::GetParent(FHandle))
            SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TCustomForm::ApplyPosition()
{
    int l = FLeft, t = FTop;
    TRect area = Screen->GetWorkAreaRect();
    TCustomForm* around = nullptr;
    switch (FPosition) {
    case poScreenCenter:
        l = (Screen->GetWidth() - FWidth) / 2;
        t = (Screen->GetHeight() - FHeight) / 2;
        break;
    case poDesktopCenter: {
        TRect d = Screen->GetDesktopRect();
        l = d.left + (d.Width() - FWidth) / 2;
        t = d.top + (d.Height() - FHeight) / 2;
        break;
    }
    case poOwnerFormCenter: around = dynamic_cast<TCustomForm*>(GetOwner()); // fall through
    case poMainFormCenter:
        if (!around) around = Application->GetMainForm();
        if (around && around != this) {
            l = around->FLeft + (around->FWidth - FWidth) / 2;
            t = around->FTop + (around->FHeight - FHeight) / 2;
        } else {
            l = (Screen->GetWidth() - FWidth) / 2;
            t = (Screen->GetHeight() - FHeight) / 2;
        }
        break;
    default: return;
    }
    // Keep the caption on the work area.
    if (l + FWidth > area.right) l = area.right - FWidth;
    if (t + FHeight > area.bottom) t = area.bottom - FHeight;
    if (l < area.left) l = area.left;
    if (t < area.top) t = area.top;
    SetBounds(l, t, FWidth, FHeight);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::CMVisibleChanged(TMessage& Message) { TScrollingWinControl::CMVisibleChanged(Message); }

void TCustomForm::CMShowingChanged(TMessage&)
{
    if (!FHandle) return;
    bool topLevel = !FParent && !FParentWindow;
    if (FVisible) {
        if (FFormState & fsShowing) return;
        FFormState |= fsShowing;
        if (!FPositioned && topLevel) {
            FPositioned = true;
            ApplyPosition();
        }
        try {
            DoShow();
        } catch (...) {
            Application->HandleException(this);
        }
        if (topLevel) {
            static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
            ShowWindow(FHandle, cmds[FWindowState]);
        } else {
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        FFormState &= ~fsShowing;
        FFormState |= fsVisible;
    } else {
        FFormState &= ~fsVisible;
        try {
            DoHide();
        } catch (...) {
            Application->HandleException(this);
        }
        if (topLevel) ShowWindow(FHandle, SW_HIDE);
        else SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

int TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || (FFormState & fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND cap = GetCapture()) SendMessageA(cap, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    AfterConstruction();
    FFormState |= fsModal;
    HWND activeBefore = GetActiveWindow();
    HandleNeeded();
    // The modal form stays above the window that was active; its own owner comes
    // back afterwards (a window is destroyed with its owner, and the one that was
    // active may be freed before this form is shown again).
    HWND owner = nullptr;
    bool reowned = !FParent && !FParentWindow && activeBefore && activeBefore != FHandle;
    if (reowned) {
        owner = reinterpret_cast<HWND>(GetWindowLongPtrA(FHandle, GWLP_HWNDPARENT));
        SetWindowLongPtrA(FHandle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(activeBefore));
    }
    auto restoreOwner = [&] {
        if (reowned && FHandle) SetWindowLongPtrA(FHandle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    };
    DisableList disabled = {FHandle, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&disabled));
    int result = mrCancel;
    // Not a scope guard: the clean-up hides the form, which runs its handlers,
    // and a destructor is no place for what they may throw.
    try {
        Show();
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated()) FModalResult = mrCancel;
            else if (FModalResult != mrNone) CloseModal();
        } while (FModalResult == mrNone);
        result = FModalResult;
    } catch (...) {
        SetVisible(false);
        restoreOwner();
        for (HWND w : disabled.Windows) EnableWindow(w, TRUE);
        FFormState &= ~fsModal;
        throw;
    }
    SetVisible(false);
    restoreOwner();
    for (HWND w : disabled.Windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
    FFormState &= ~fsModal;
    return result;
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FFormState & fsModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (this == Application->GetMainForm()) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    PostMessageA(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

// ---- activation and focus ----
void TCustomForm::SetActive(bool Value)
{
    FActive = Value;
    if (!Value) return;
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus()
{
    HWND h = (FActiveControl && FActiveControl->HandleAllocated()) ? FActiveControl->GetWindowHandle() : FHandle;
    if (h) ::SetFocus(h);
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    if (Control && !(Control != this && GetParentForm(Control) == this && (IsLoading() || Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (!IsLoading() && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive) {
        if (!FVisible || !FEnabled) return;
        SetWindowFocus();
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (Control->FControlState & csFocusing) return false;
    // Windows going away move the focus around; no events for a form or control being freed.
    if (IsDestroying() || Control->IsDestroying()) return true;
    FActiveControl = Control != this ? Control : nullptr;
    TFlagScope<TControlState> focusing(Control->FControlState, csFocusing);
    if (Screen->FocusedForm != this) {
        if (TCustomForm* old = Screen->FocusedForm) {
            Screen->FocusedForm = nullptr;
            old->Perform(CM_DEACTIVATE, 0, 0);
        }
        Screen->FocusedForm = this;
        Perform(CM_ACTIVATE, 0, 0);
    }
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl != Control) {
        // Exit up to the common parent, then enter down to the control.
        while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
            TWinControl* c = FFocusedControl;
            FFocusedControl = c->GetParent();
            c->Perform(CM_EXIT, 0, 0);
        }
        while (FFocusedControl && FFocusedControl != Control) {
            TWinControl* t = Control;
            while (t->GetParent() != FFocusedControl) t = t->GetParent();
            FFocusedControl = t;
            t->Perform(CM_ENTER, 0, 0);
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
    Screen->SetActive(this, Control);
    return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
    if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (Screen->GetActiveControl() && Control->ContainsControl(Screen->GetActiveControl()))
        Screen->SetActive(Screen->GetActiveForm(), nullptr);
}

void TCustomForm::SendCancelMode(TControl* Sender)
{
    if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool handled = false;
    if (OnShortCut) OnShortCut(Message, handled);
    if (handled) return true;
    if (FMenu && FMenu->IsShortCut(Message)) return true;
    for (int i = 0; i < GetComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(GetComponent(i)))
            if (list->IsShortCut(Message)) return true;
    return false;
}

namespace {
void TraverseClients(TWinControl* Container)
{
    for (int i = 0; i < Container->GetControlCount(); ++i) {
        TControl* c = Container->GetControl(i);
        if (c->GetVisible() && (c->GetControlStyle() & csActionClient)) c->InitiateAction();
        if (auto* w = dynamic_cast<TWinControl*>(c)) TraverseClients(w);
    }
}

void InitiateItems(TMenuItem* Item)
{
    for (int i = 0; i < Item->GetCount(); ++i) {
        TMenuItem* m = Item->GetItem(i);
        m->InitiateAction();
        InitiateItems(m);
    }
}
}

void TCustomForm::UpdateActions()
{
    if (!GetShowing()) return;
    InitiateAction();
    if (FMenu) InitiateItems(FMenu->GetItems());
    TraverseClients(this);
}

// ---- messages ----
void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_INITMENUPOPUP: WMInitMenuPopup(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    default: TScrollingWinControl::Dispatch(Message); break;
    }
}

void TCustomForm::WMActivate(TMessage& Message)
{
    if (FParentWindow || FParent) {
        DefaultHandler(&Message);
        return;
    }
    SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMInitMenuPopup(TMessage& Message)
{
    if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
    DefaultHandler(&Message);
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && this == Application->GetMainForm()) {
        DefaultHandler(&Message);
        if (Application->OnMinimize) Application->OnMinimize(Application);
        return;
    }
    DefaultHandler(&Message);
}

void TCustomForm::WMCommand(TMessage& Message)
{
    if (!Message.LParam && FMenu && FMenu->DispatchCommand(LOWORD(Message.WParam))) return;
    TScrollingWinControl::WMCommand(Message);
}

void TCustomForm::WMPaint(TMessage& Message)
{
    if (FHandle && IsIconic(FHandle)) {
        DefaultHandler(&Message);
        return;
    }
    TFlagScope<TControlState> customPaint(FControlState, csCustomPaint);
    TScrollingWinControl::WMPaint(Message);
}

void TCustomForm::PaintWindow(HDC DC)
{
    TPaintDCScope painting(*FCanvas, DC);
    Paint();
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->GetParent()) {
                FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                        Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        }
    }
    TScrollingWinControl::CMDialogKey(Message);
}
