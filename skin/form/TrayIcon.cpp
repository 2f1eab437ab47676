#include "TrayIcon.h"
#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "Screen.h"
#include "UtilWindow.h"
#include <commctrl.h>
#include <algorithm>
#include <cstring>

namespace Sptrayicon {

namespace {
// Under Wine on a display without a system tray the calls succeed and Wine's
// explorer shows the icons in a small window of its own ("Wine System Tray",
// top-left of the screen), from which clicks arrive as usual.
BOOL ShellNotifyIcon(DWORD Message, NOTIFYICONDATAA* Data) { return Shell_NotifyIconA(Message, Data); }
}  // namespace

TNotifyIconCall NotifyIconCall = ShellNotifyIcon;

UINT TaskbarCreatedMessage()
{
    static const UINT msg = RegisterWindowMessageA("TaskbarCreated");
    return msg;
}

}  // namespace Sptrayicon

namespace {
// Message, icon and tip: what every call but a balloon's carries.
const UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
const size_t kMaxTip = sizeof(NOTIFYICONDATAA::szTip) - 1;              // 127
const size_t kMaxInfo = sizeof(NOTIFYICONDATAA::szInfo) - 1;            // 255
const size_t kMaxInfoTitle = sizeof(NOTIFYICONDATAA::szInfoTitle) - 1;  // 63

void CopyText(char* Dest, size_t Size, const std::string& Text)
{
    std::memset(Dest, 0, Size);
    std::memcpy(Dest, Text.data(), std::min(Text.size(), Size - 1));
}

TPoint CursorPos()
{
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    return TPoint(pt.x, pt.y);
}
}  // namespace

// The form's message entry while the icon hooks it. The state outlives the
// component: when the component goes while another hook sits above ours, the
// entry left in that chain only passes messages on.
struct TspTrayIcon::THookState {
    TspTrayIcon* Owner = nullptr;
    TControl* Form = nullptr;
    TWndMethod Old;
    void Run(TMessage& Message)
    {
        if (Owner) Owner->HookFormProc(Message);
        else if (Old) Old(Message);
    }
};

namespace {
struct THookThunk {
    std::shared_ptr<void> Keep;
    void* State;
    void (*Run)(void* State, TMessage& Message);
    void operator()(TMessage& Message) const { Run(State, Message); }
};
}  // namespace

TspTrayIcon::TspTrayIcon(TComponent* AOwner) : TComponent(AOwner), FIcon(new TIcon)
{
    Sptrayicon::TaskbarCreatedMessage();
    FHandle = AllocateHWnd([this](TMessage& m) { HandleIconMessage(m); });
    FIconData.cbSize = Sptrayicon::TrayRecordSize;
    FIconData.hWnd = FHandle;
    FIconData.uID = 1;
    FIconData.uFlags = kIconFlags;
    FIconData.uCallbackMessage = Sptrayicon::WM_TRAYNOTIFY;
    FClickTimer.reset(new TTimer(nullptr));
    FClickTimer->SetEnabled(false);
    FClickTimer->SetInterval(GetDoubleClickTime());
    FClickTimer->OnTimer = [this](TObject*) { TimerClick(); };
    FCycleTimer.reset(new TTimer(nullptr));
    FCycleTimer->SetEnabled(false);
    FCycleTimer->OnTimer = [this](TObject*) { TimerCycle(); };
    if (IsDesigning()) return;
    if (FIcon->Empty() && LoadDefaultIcon()) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, sizeof(path));
        HICON own = ExtractIconA(GetModuleHandleA(nullptr), path, 0);
        // ExtractIcon answers 1 for a file that is no program, 0 for one without icons.
        if (reinterpret_cast<UINT_PTR>(own) <= 1) own = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
        FIcon->SetHandle(own);
    }
    HookForm();
}

TspTrayIcon::~TspTrayIcon()
{
    Destroying();
    if (FAdded) Notify(NIM_DELETE);
    FClickTimer.reset();
    FCycleTimer.reset();
    if (!IsDesigning()) UnhookForm();
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
}

TWinControl* TspTrayIcon::OwnerWindowed() const { return dynamic_cast<TWinControl*>(GetOwner()); }

void TspTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (OwnerWindowed() && MinimizedOnStart && !IsDesigning()) {
        FIconVisible = true;
        MinimizeToTray = true;
        Application->ShowMainForm = false;
        if (TCustomForm* main = Application->GetMainForm()) main->Hide();
    }
    ModifyIcon();
    if (FIconVisible) ShowIcon();
    else HideIcon();
}

// ---- the notification area ----

bool TspTrayIcon::InitIcon()
{
    if (IsDesigning() && !FDesignPreview && !FSettingPreview) return false;
    FIconData.hIcon = FIcon->GetHandle();
    if (FShowHint && !FHint.empty()) CopyText(FIconData.szTip, sizeof(FIconData.szTip), FHint.substr(0, kMaxTip));
    else std::memset(FIconData.szTip, 0, sizeof(FIconData.szTip));
    return true;
}

bool TspTrayIcon::Notify(DWORD Message)
{
    return Sptrayicon::NotifyIconCall && Sptrayicon::NotifyIconCall(Message, &FIconData);
}

bool TspTrayIcon::LoadDefaultIcon() { return true; }

bool TspTrayIcon::ShowIcon()
{
    if (!FSettingPreview) FIconVisible = true;
    if (IsDesigning() && !FSettingPreview) return false;
    if (!InitIcon()) return false;
    bool ok = Notify(NIM_ADD);
    // An icon that is there already is brought up to date instead.
    if (!ok && FAdded) ok = Notify(NIM_MODIFY);
    if (ok) FAdded = true;
    return ok;
}

bool TspTrayIcon::HideIcon()
{
    if (!FSettingPreview) FIconVisible = false;
    if (IsDesigning() && !FSettingPreview) return false;
    if (!InitIcon()) return false;
    bool ok = Notify(NIM_DELETE);
    FAdded = false;
    return ok;
}

bool TspTrayIcon::ModifyIcon()
{
    if (!InitIcon()) return false;
    return Notify(NIM_MODIFY);
}

// ---- properties ----

void TspTrayIcon::SetIcon(TIcon* Value)
{
    FIcon->Assign(Value);
    ModifyIcon();
}

void TspTrayIcon::SetIconVisible(bool Value)
{
    if (Value) ShowIcon();
    else HideIcon();
}

void TspTrayIcon::SetHint(const std::string& Value)
{
    FHint = Value;
    ModifyIcon();
}

void TspTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    ModifyIcon();
}

void TspTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    FPopupMenu.Set(Value);
}

void TspTrayIcon::SetIconList(TCustomImageList* Value)
{
    if (Value != FIconList) {
        FIconList.Set(Value);
    }
    SetIconIndex(0);
}

void TspTrayIcon::SetIconIndex(int Value)
{
    const int count = FIconList ? FIconList->GetCount() : 0;
    if (count > 0) {
        FIconIndex = std::max(0, std::min(Value, count - 1));
        HICON h = ImageList_GetIcon(FIconList->GetHandle(), FIconIndex, ILD_NORMAL);
        if (h) FIcon->SetHandle(h);
    } else {
        FIconIndex = 0;
    }
    ModifyIcon();
}

void TspTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    FCycleTimer->SetEnabled(Value && FAnimateTimerInterval > 0);
}

void TspTrayIcon::SetAnimateTimerInterval(int Value)
{
    FAnimateTimerInterval = std::max(0, Value);
    FCycleTimer->SetInterval(static_cast<UINT>(FAnimateTimerInterval));
    FCycleTimer->SetEnabled(FCycleIcons && FAnimateTimerInterval > 0);
}

void TspTrayIcon::SetDesignPreview(bool Value)
{
    FDesignPreview = Value;
    FSettingPreview = true;
    SetIconVisible(Value);
    FSettingPreview = false;
}

void TspTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    FPopupMenu.Removed(AComponent, Operation);
    FIconList.Removed(AComponent, Operation);
}

// ---- the main form ----

void TspTrayIcon::ShowMainForm()
{
    TCustomForm* main = Application->GetMainForm();
    if (!OwnerWindowed() || !main) return;
    main->Show();
    if (main->HandleAllocated() && IsIconic(main->GetWindowHandle()))
        ShowWindow(main->GetWindowHandle(), SW_RESTORE);
}

void TspTrayIcon::HideMainForm()
{
    if (TCustomForm* main = Application->GetMainForm()) main->Hide();
}

void TspTrayIcon::DoMinimizeToTray()
{
    HideMainForm();
    ShowIcon();
}

// ---- balloons ----

void TspTrayIcon::ShowBalloonHint(const std::string& Title, const std::string& Text, TspBalloonHintIcon IconType)
{
    HideBalloonHint();
    FIconData.uFlags |= NIF_INFO;
    CopyText(FIconData.szInfo, sizeof(FIconData.szInfo), Text.substr(0, kMaxInfo));
    CopyText(FIconData.szInfoTitle, sizeof(FIconData.szInfoTitle), Title.substr(0, kMaxInfoTitle));
    static const DWORD flags[] = {NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
    FIconData.dwInfoFlags = flags[IconType >= bitNone && IconType <= bitError ? IconType : bitNone];
    ModifyIcon();
    FIconData.uFlags = kIconFlags;
}

void TspTrayIcon::HideBalloonHint()
{
    FIconData.uFlags |= NIF_INFO;
    std::memset(FIconData.szInfo, 0, sizeof(FIconData.szInfo));
    ModifyIcon();
}

bool TspTrayIcon::BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor)
{
    TCustomImageList list(16, 16);
    list.AddMasked(Bitmap, MaskColor);
    if (list.GetCount() > 0) Icon->SetHandle(ImageList_GetIcon(list.GetHandle(), 0, ILD_NORMAL));
    return true;
}

// ---- the icon's messages ----

void TspTrayIcon::HandleIconMessage(TMessage& Message)
{
    if (Message.Msg == Sptrayicon::WM_TRAYNOTIFY) {
        IconCallback(Message);
        return;
    }
    // The shell's window was made anew (explorer restarted): the icon it had is gone.
    // The shell broadcasts this to top-level windows only; the application's hidden
    // window is message-only and never hears it (checked on Wine), so this
    // component's own top-level window listens for it.
    if (Message.Msg == Sptrayicon::TaskbarCreatedMessage()) {
        FAdded = false;
        if (FIconVisible) ShowIcon();
        return;
    }
    switch (Message.Msg) {
    case WM_DESTROY: case WM_CLOSE: case WM_QUERYENDSESSION: case WM_QUIT: case WM_USERCHANGED: case WM_NCDESTROY:
        Message.Result = 1;
        return;
    default:
        Message.Result = DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
    }
}

void TspTrayIcon::IconCallback(TMessage& Message)
{
    if (!Enabled) return;
    const TShiftState keys = KeyboardStateToShiftState() & (ssShift | ssAlt | ssCtrl);
    const TPoint p = CursorPos();
    switch (static_cast<UINT>(Message.LParam)) {
    case WM_MOUSEMOVE:
        MouseMove(keys, p.x, p.y);
        break;
    case WM_LBUTTONDOWN:
        FClickTimer->SetEnabled(false);
        FClickTimer->SetEnabled(true);
        MouseDown(mbLeft, keys | ssLeft, p.x, p.y);
        FClickStart = true;
        if (PopupByLeftButton) PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            // A press held past the double-click time is a click at its release.
            if (!FClickTimer->GetEnabled()) {
                FClickStart = FClickReady = false;
                Click();
            }
        }
        FClickStart = false;
        MouseUp(mbLeft, keys | ssLeft, p.x, p.y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        FDblClicked = true;
        DblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->GetItems();
            for (int i = 0; i < items->GetCount(); ++i)
                if (items->GetItem(i)->GetDefault()) {
                    items->GetItem(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, keys | ssRight, p.x, p.y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, keys | ssRight, p.x, p.y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, keys | ssMiddle, p.x, p.y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, keys | ssMiddle, p.x, p.y);
        break;
    default:
        break;
    }
}

void TspTrayIcon::TimerClick()
{
    FClickTimer->SetEnabled(false);
    if (!FDblClicked && FClickReady) {
        FClickReady = false;
        Click();
    }
    FDblClicked = false;
}

void TspTrayIcon::TimerCycle()
{
    const int count = FIconList ? FIconList->GetCount() : 0;
    if (count > 0) {
        HICON h = ImageList_GetIcon(FIconList->GetHandle(), FIconIndex, ILD_NORMAL);
        if (h) FIcon->SetHandle(h);
    }
    const int next = (count == 0 || FIconIndex >= count - 1) ? 0 : FIconIndex + 1;
    CycleIcon(next);
    ModifyIcon();
    SetIconIndex(next);
}

void TspTrayIcon::PopupAtCursor()
{
    if (!FPopupMenu || !FPopupMenu->AutoPopup) return;
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    Application->ProcessMessages();
    // The menu closes on a press elsewhere only when one of our windows is in front.
    SetForegroundWindow(FHandle);
    TWinControl* owner = OwnerWindowed();
    if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->GetWindowHandle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(pt.x, pt.y);
    if (owner && owner->HandleAllocated()) PostMessageA(owner->GetWindowHandle(), WM_NULL, 0, 0);
}

void TspTrayIcon::Click() { if (OnClick) OnClick(this); }
void TspTrayIcon::DblClick() { if (OnDblClick) OnDblClick(this); }
void TspTrayIcon::CycleIcon(int NextIndex) { if (OnCycle) OnCycle(this, NextIndex); }
void TspTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TspTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TspTrayIcon::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

// ---- the owner form's hook ----

void TspTrayIcon::HookForm()
{
    TWinControl* form = OwnerWindowed();
    if (!form || FFormHook) return;
    FFormHook = std::make_shared<THookState>();
    FFormHook->Owner = this;
    FFormHook->Form = form;
    FFormHook->Old = form->WindowProc;
    THookThunk thunk;
    thunk.Keep = FFormHook;
    thunk.State = FFormHook.get();
    thunk.Run = [](void* S, TMessage& M) { static_cast<THookState*>(S)->Run(M); };
    form->WindowProc = thunk;
}

void TspTrayIcon::UnhookForm()
{
    if (!FFormHook) return;
    FFormHook->Owner = nullptr;
    TControl* form = FFormHook->Form;
    // Put the old entry back only when ours is still the form's; otherwise the
    // hook above ours keeps calling our entry, which now only passes on.
    const THookThunk* top = form->WindowProc.target<THookThunk>();
    if (top && top->State == FFormHook.get()) form->WindowProc = FFormHook->Old;
    FFormHook.reset();
}

void TspTrayIcon::HookFormProc(TMessage& Message)
{
    TWinControl* form = OwnerWindowed();
    switch (Message.Msg) {
    case WM_SIZE:
        if (Message.WParam == SIZE_MINIMIZED && MinimizeToTray &&
            (!Application->GetMainForm() || Application->GetMainForm() == form))
            DoMinimizeToTray();
        break;
    case WM_ACTIVATE:
        if (LOWORD(Message.WParam) == WA_ACTIVE || LOWORD(Message.WParam) == WA_CLICKACTIVE) {
            TWinControl* active = Screen->GetActiveControl();
            if (active && active->HandleAllocated()) {
                TWinControl* parent = active->GetParent();
                HWND keep = parent && parent->HandleAllocated() ? parent->GetWindowHandle() : active->GetWindowHandle();
                if (reinterpret_cast<HWND>(Message.LParam) != keep) SetFocus(active->GetWindowHandle());
            }
        }
        break;
    default:
        break;
    }
    TWndMethod old = FFormHook ? FFormHook->Old : TWndMethod();
    if (old) old(Message);
    if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0 && form &&
        form->HandleAllocated())
        SetForegroundWindow(form->GetWindowHandle());
}
