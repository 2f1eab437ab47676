#include "WinControl.h"
#include "ScopeGuard.h"
#include "Application.h"
#include "Form.h"
#include "Menus.h"
#include "Screen.h"
#include <algorithm>
#include <commctrl.h>

namespace {

// The window property that binds a window to its control. The name carries the
// module handle, so two copies of the library in one process (the program and
// a control's DLL) never take each other's windows for their own.
const char* ControlProp()
{
    static char name[64] = "";
    // The process in the name too: window properties are seen by every process, and
    // a program file loads at the same address in each of its processes, so a
    // window of another of our processes under the cursor would hand out a
    // pointer into that process.
    if (!name[0])
        wsprintfA(name, "ClasslibControl%08lX%p", static_cast<unsigned long>(GetCurrentProcessId()),
                  ClasslibInstance());
    return name;
}

// The control whose window CreateWindowEx is making; the first message binds them.
TWinControl* CreationControl = nullptr;
UINT NextChildId = 100;

LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

void InitCommonControlsOnce()
{
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                 ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    done = true;
}

} // namespace

TWinControl* FindControl(HWND Handle)
{
    if (!Handle) return nullptr;
    return static_cast<TWinControl*>(GetPropA(Handle, ControlProp()));
}

namespace {
LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* c = FindControl(Wnd);
    if (!c && CreationControl) {
        c = CreationControl;
        CreationControl = nullptr;
        SetPropA(Wnd, ControlProp(), c);
        c->MainWndProc(WM_NULL, 0, reinterpret_cast<LPARAM>(Wnd));
    }
    if (!c) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    return c->MainWndProc(Msg, WParam, LParam);
}
}

// ---- construction ----
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(new TBrush)
{
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl()
{
    Destroying();
    // Out of the parent first: the form lets go of the focus it gave this control.
    if (FParent) FParent->RemoveControl(this);
    // Owned components next, while this object is still a windowed control.
    DestroyComponents();
    DestroyHandle();
    DestroyChildren();
}

void TWinControl::DestroyChildren()
{
    // Children that others own are freed with their parent, as the library does.
    while (!FControls.empty() || !FWinControls.empty()) {
        TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
        Remove(c);
        delete c;
    }
}

void TWinControl::Bind(HWND Wnd) { FHandle = Wnd; }

LRESULT TWinControl::MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_NULL && !FHandle && LParam) {
        // Binding call from InitWndProc.
        Bind(reinterpret_cast<HWND>(LParam));
        return 0;
    }
    HWND wnd = FHandle;
    TMessage m = {Msg, WParam, LParam, 0};
    try {
        WindowProc(m);
    } catch (...) {
        Application->HandleException(this);
    }
    if (Msg == WM_NCDESTROY && wnd) {
        RemovePropA(wnd, ControlProp());
        if (FHandle == wnd) FHandle = nullptr;
    }
    return m.Result;
}

HWND TWinControl::GetHandle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (FParent || FParentWindow == Value) return;
    if (FParentWindow && Value && FHandle) {
        FParentWindow = Value;
        ::SetParent(FHandle, Value);
        return;
    }
    DestroyHandle();
    FParentWindow = Value;
    UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams();
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle & csAcceptsControls) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    if (FVisible) Params.Style |= WS_VISIBLE;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->FHandle : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcA;
    Params.WindowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    Params.WindowClass.hInstance = ClasslibInstance();
    Params.WinClassName = "TWinControl";
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName)
{
    InitCommonControlsOnce();
    WNDCLASSA wc = {};
    if (!GetClassInfoA(ClasslibInstance(), ControlClassName, &wc) && !GetClassInfoA(nullptr, ControlClassName, &wc))
        throw EInvalidOperation(std::string("Window class ") + ControlClassName + " is not available");
    wc.hInstance = ClasslibInstance();
    // Keep redraw styles of our own, drop those that would share a DC.
    wc.style = (wc.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS)) |
               (Params.WindowClass.style & (CS_VREDRAW | CS_HREDRAW));
    wc.lpszClassName = nullptr;
    Params.WindowClass = wc;
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    if (!p.WndParent && (p.Style & WS_CHILD))
        throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    if ((p.Style & WS_CHILD) && !p.Menu) p.Menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId++));
    FDefWndProc = p.WindowClass.lpfnWndProc;
    WNDCLASSA existing = {};
    bool registered = GetClassInfoA(p.WindowClass.hInstance, p.WinClassName.c_str(), &existing) != 0;
    if (!registered || existing.lpfnWndProc != InitWndProc) {
        if (registered) UnregisterClassA(p.WinClassName.c_str(), p.WindowClass.hInstance);
        WNDCLASSA wc = p.WindowClass;
        wc.lpfnWndProc = InitWndProc;
        wc.lpszClassName = p.WinClassName.c_str();
        if (!RegisterClassA(&wc)) RaiseLastOSError();
    }
    {
        TRestore<TWinControl*> creation(CreationControl, this);
        CreateWindowHandle(p);
    }
    if (!FHandle) RaiseLastOSError();
    UpdateBounds();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    HWND h = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                             Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, Params.Menu,
                             Params.WindowClass.hInstance, Params.Param);
    if (h) FHandle = h;
}

void TWinControl::CreateHandle()
{
    if (FHandle) return;
    CreateWnd();
    if (FParent) SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::vector<TWinControl*> kids = FWinControls;
    for (TWinControl* c : kids) c->CreateHandle();
    for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->UpdateAnchorRules();
    Realign();
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) const
{
    auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
    if (it == FWinControls.end()) return HWND_TOP;
    for (++it; it != FWinControls.end(); ++it)
        if ((*it)->FHandle) return (*it)->FHandle;
    return HWND_TOP;
}

void TWinControl::DestroyWnd()
{
    // The window's text outlives the window.
    FText = GetText();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    FControlState |= csDestroyingHandle;
    HWND h = FHandle;
    if (h) DestroyWindow(h);
    FControlState &= ~csDestroyingHandle;
    FHandle = nullptr;
}

void TWinControl::DestroyHandle()
{
    if (!FHandle) return;
    std::vector<TWinControl*> kids = FWinControls;
    for (TWinControl* c : kids) c->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    bool wasFocused = Focused();
    bool wasShown = !FParent && FHandle && IsWindowVisible(FHandle);
    DestroyHandle();
    if (!FParent || FParent->HandleAllocated()) CreateHandle();
    if (wasShown && FHandle) ShowWindow(FHandle, SW_SHOWNA);
    if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::UpdateControlState()
{
    if (FParent && !FParent->HandleAllocated()) return;
    if (!FParent && !FHandle && !FVisible) return;
    if (FVisible) HandleNeeded();
    if (FHandle) Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TWinControl::UpdateBounds()
{
    if (!FHandle) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) {
        HWND p = ::GetParent(FHandle);
        if (p) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    }
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    UpdateAnchorRules();
}

// ---- children ----
TControl* TWinControl::GetControl(int Index) const
{
    int n = static_cast<int>(FControls.size());
    if (Index < 0 || Index >= GetControlCount()) throw EListError("Control index out of bounds (" + IntToStr(Index) + ")");
    return Index < n ? FControls[Index] : FWinControls[Index - n];
}

void TWinControl::Insert(TControl* AControl)
{
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl)
{
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    }
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->FParent == this) return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    Insert(AControl);
    if (!AControl->IsLoading()) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    AControl->UpdateAnchorRules();
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (FHandle) w->CreateHandle();
    } else if (FHandle) {
        AControl->Invalidate();
    }
    AlignControl(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (!AControl || AControl->FParent != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(w, true);
        w->DestroyHandle();
    } else if (FHandle) {
        AControl->InvalidateControl(AControl->FVisible, false);
    }
    if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
    Remove(AControl);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (!IsDestroying()) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    while (Control && Control != this) Control = Control->FParent;
    return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* c) {
        TPoint p(Pos.x - c->FLeft, Pos.y - c->FTop);
        return TRect(0, 0, c->FWidth, c->FHeight).Contains(p) && c->FVisible && (c->FEnabled || AllowDisabled) &&
               c->Perform(CM_HITTEST, 0, PointToLParam(p.x, p.y)) != 0;
    };
    if (AllowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < GetControlCount(); ++i) {
        GetControl(i)->WindowProc(Message);
        if (Message.Result) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage m = {Msg, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (FParent) {
        auto& list = FParent->FWinControls;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            list.erase(it);
            if (TopMost) list.push_back(this);
            else list.insert(list.begin(), this);
        }
    }
    if (FHandle)
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- bounds and alignment ----
TRect TWinControl::GetClientRect()
{
    if (FHandle) {
        RECT r;
        ::GetClientRect(FHandle, &r);
        return TRect(r);
    }
    // No window yet: the frame that CreateParams would ask for.
    TCreateParams p;
    CreateParams(p);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
    int w = FWidth - (frame.right - frame.left), h = FHeight - (frame.bottom - frame.top);
    return TRect(0, 0, w > 0 ? w : 0, h > 0 ? h : 0);
}

TPoint TWinControl::GetClientOrigin()
{
    if (FHandle) {
        POINT p = {0, 0};
        ::ClientToScreen(FHandle, &p);
        return TPoint(p);
    }
    TPoint p = FParent ? FParent->GetClientOrigin() : TPoint(0, 0);
    TRect c = GetClientRect();
    int border = (FWidth - c.Width()) / 2;
    return TPoint(p.x + FLeft + border, p.y + FTop + (FHeight - c.Height()) - border);
}

void TWinControl::SetClientSize(int AWidth, int AHeight)
{
    TRect c = GetClientRect();
    SetBounds(FLeft, FTop, FWidth - c.Width() + AWidth, FHeight - c.Height() + AHeight);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (FHandle && !IsIconic(FHandle)) {
        // The window reports back through WM_SIZE and WM_MOVE (UpdateBounds, Realign, Resize);
        // the bounds are read again in case a window class handles those itself.
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        bool sized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (sized) {
            Realign();
            if (!IsLoading()) Resize();
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::SetBorderWidth(int Value)
{
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TWinControl::AdjustClientRect(TRect& Rect) { Rect.Inflate(-FBorderWidth, -FBorderWidth); }

void TWinControl::EnableAlign()
{
    if (--FAlignLevel == 0 && (FControlState & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl)
{
    if (IsDestroying()) return;
    if (FAlignLevel) {
        FControlState |= csAlignmentNeeded;
        return;
    }
    DisableAlign();
    TScopeExit aligned([this] {
        FControlState &= ~csAlignmentNeeded;
        --FAlignLevel;
    });
    TRect r = GetClientRect();
    AlignControls(AControl, r);
}

bool TWinControl::CustomAlignInsertBefore(TControl*, TControl*) { return false; }

void TWinControl::CustomAlignPosition(TControl*, int&, int&, int&, int&, TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    static const TAnchors anchorAlign[] = {
        akLeft | akTop, akLeft | akTop | akRight, akLeft | akRight | akBottom, akLeft | akTop | akBottom,
        akRight | akTop | akBottom, akLeft | akTop | akRight | akBottom, akLeft | akTop};
    bool work = false;
    for (int i = 0; i < GetControlCount() && !work; ++i) {
        TControl* c = GetControl(i);
        work = c->FAlign != alNone || c->FAnchors != (akLeft | akTop);
    }
    if (!work) return;
    AdjustClientRect(Rect);
    TRect client = GetClientRect();
    TPoint parentSize(client.Width(), client.Height());

    auto insertBefore = [&](TControl* c1, TControl* c2, TAlign a) {
        switch (a) {
        case alTop: return c1->FTop < c2->FTop;
        case alBottom: return c1->FTop + c1->FHeight >= c2->FTop + c2->FHeight;
        case alLeft: return c1->FLeft < c2->FLeft;
        case alRight: return c1->FLeft + c1->FWidth >= c2->FLeft + c2->FWidth;
        case alCustom: return CustomAlignInsertBefore(c1, c2);
        default: return false;
        }
    };

    auto position = [&](TControl* c, TAlign a) {
        int l = Rect.left, t = Rect.top, w = Rect.Width(), h = Rect.Height();
        switch (a) {
        case alTop: h = c->FHeight; break;
        case alBottom: h = c->FHeight; t = Rect.bottom - h; break;
        case alLeft: w = c->FWidth; break;
        case alRight: w = c->FWidth; l = Rect.right - w; break;
        case alCustom: CustomAlignPosition(c, l, t, w, h, Rect); break;
        default: break;
        }
        if (a == alNone || c->FAnchors != anchorAlign[a]) {
            if (c->FOriginalParentSize.x == 0 || c->FOriginalParentSize.y == 0) {
                if (a == alNone) return;
            } else {
                if (a == alNone) {
                    l = c->FLeft;
                    t = c->FTop;
                    w = c->FWidth;
                    h = c->FHeight;
                }
                const TPoint& o = c->FOriginalParentSize;
                const TPoint& r = c->FAnchorRules;
                if (c->FAnchors & akRight) {
                    if (c->FAnchors & akLeft) w = parentSize.x - (o.x - r.x);
                    else l = parentSize.x - (o.x - r.x);
                } else if (!(c->FAnchors & akLeft)) {
                    l = MulDiv(r.x, parentSize.x, o.x) - w / 2;
                }
                if (c->FAnchors & akBottom) {
                    if (c->FAnchors & akTop) h = parentSize.y - (o.y - r.y);
                    else t = parentSize.y - (o.y - r.y);
                } else if (!(c->FAnchors & akTop)) {
                    t = MulDiv(r.y, parentSize.y, o.y) - h / 2;
                }
            }
        }
        {
            TRestore<bool> anchorMove(c->FAnchorMove, true);
            c->SetBounds(l, t, w, h);
        }
        // The space taken is what the control kept (it may refuse a size).
        switch (a) {
        case alTop: Rect.top += c->FHeight; break;
        case alBottom: Rect.bottom -= c->FHeight; break;
        case alLeft: Rect.left += c->FWidth; break;
        case alRight: Rect.right -= c->FWidth; break;
        default: break;
        }
    };

    auto doAlign = [&](TAlign a) {
        std::vector<TControl*> list;
        if (AControl && AControl->FAlign == a && AControl->FVisible && ContainsControl(AControl) &&
            AControl->FParent == this)
            list.push_back(AControl);
        for (int i = 0; i < GetControlCount(); ++i) {
            TControl* c = GetControl(i);
            if (c->FAlign != a || c == AControl || !c->FVisible) continue;
            size_t j = 0;
            while (j < list.size() && !insertBefore(c, list[j], a)) ++j;
            list.insert(list.begin() + j, c);
        }
        for (TControl* c : list) position(c, a);
    };

    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    doAlign(alCustom);
    doAlign(alNone);
}

// ---- focus ----
bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (TControl* c = this; c && c != form; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this)) form->FocusControl(this);
    else if (FParentWindow) ::SetFocus(GetHandle());
    else throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
}

int TWinControl::GetTabOrder() const
{
    if (!FParent) return -1;
    auto& l = FParent->FTabList;
    auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (FParent) FParent->UpdateTabOrder(Value, this);
}

void TWinControl::UpdateTabOrder(int Value, TWinControl* Control)
{
    auto it = std::find(FTabList.begin(), FTabList.end(), Control);
    if (it == FTabList.end()) return;
    FTabList.erase(it);
    if (Value < 0 || Value > static_cast<int>(FTabList.size())) Value = static_cast<int>(FTabList.size());
    FTabList.insert(FTabList.begin() + Value, Control);
}

void TWinControl::SetTabStop(bool Value)
{
    if (Value == FTabStop) return;
    FTabStop = Value;
    if (FHandle) {
        LONG s = GetWindowLongA(FHandle, GWL_STYLE);
        SetWindowLongA(FHandle, GWL_STYLE, Value ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), CurControl);
    int start = it == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    do {
        if (GoForward) i = (i + 1) % n;
        else i = (i + n - 1) % n;
        TWinControl* c = list[i];
        if (c->CanFocus() && (!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this)) return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (c) c->SetFocus();
}

void TWinControl::SelectFirst()
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    TWinControl* c = FindNextControl(nullptr, true, true, false);
    if (!c) c = FindNextControl(nullptr, true, false, false);
    if (c) form->SetActiveControl(c);
}

bool TWinControl::GetShowing() const { return FHandle && IsWindowVisible(FHandle); }

// ---- painting ----
void TWinControl::Invalidate()
{
    if (FHandle) InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage m = {WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(&m);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    std::unique_ptr<TPaintGuard> paint;
    if (!dc) {
        paint.reset(new TPaintGuard(FHandle));
        dc = paint->Get();
    }
    if (FControls.empty()) {
        PaintWindow(dc);
    } else {
        // Opaque window-less children cover their part: the window does not paint under them.
        TSaveDCGuard save(dc);
        int clip = SIMPLEREGION;
        for (TControl* c : FControls) {
            if (c->FVisible && (c->FControlStyle & csOpaque)) {
                clip = ExcludeClipRect(dc, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
                if (clip == NULLREGION) break;
            }
        }
        if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    auto it = FControls.begin();
    if (First) {
        it = std::find(FControls.begin(), FControls.end(), First);
        if (it == FControls.end()) it = FControls.begin();
    }
    std::vector<TControl*> list(it, FControls.end());
    for (TControl* c : list) {
        if (!c->FVisible) continue;
        RECT r = c->GetBoundsRect();
        if (!RectVisible(DC, &r)) continue;
        if (FControlState & csPaintCopy) c->FControlState |= csPaintCopy;
        {
            TSaveDCGuard save(DC);
            OffsetViewportOrgEx(DC, c->FLeft, c->FTop, nullptr);
            IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        }
        c->FControlState &= ~csPaintCopy;
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    FControlState |= csPaintCopy;
    HandleNeeded();
    {
        TSaveDCGuard save(DC);
        OffsetViewportOrgEx(DC, X, Y, nullptr);
        IntersectClipRect(DC, 0, 0, FWidth, FHeight);
        LONG ex = GetWindowLongA(FHandle, GWL_EXSTYLE), st = GetWindowLongA(FHandle, GWL_STYLE);
        UINT edge = 0, flags = 0;
        if (ex & WS_EX_CLIENTEDGE) {
            edge = EDGE_SUNKEN;
            flags = BF_RECT | BF_ADJUST;
        } else if (st & WS_BORDER) {
            edge = BDR_OUTER;
            flags = BF_RECT | BF_ADJUST | BF_MONO;
        }
        if (flags) {
            RECT r = {0, 0, FWidth, FHeight};
            DrawEdge(DC, &r, edge, flags);
            OffsetViewportOrgEx(DC, r.left, r.top, nullptr);
            IntersectClipRect(DC, 0, 0, r.right - r.left, r.bottom - r.top);
        }
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        for (TWinControl* c : FWinControls)
            if (c->FVisible) c->PaintTo(DC, c->FLeft, c->FTop);
    }
    FControlState &= ~csPaintCopy;
}

// ---- keys ----
void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyDown(Message)) return true;
    if (!(FControlStyle & csNoStdEvents)) {
        WORD key = LOWORD(Message.WParam);
        KeyDown(key, KeyDataToShiftState(Message.LParam));
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyUp(Message)) return true;
    if (!(FControlStyle & csNoStdEvents)) {
        WORD key = LOWORD(Message.WParam);
        KeyUp(key, KeyDataToShiftState(Message.LParam));
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->DoKeyPress(Message)) return true;
    if (!(FControlStyle & csNoStdEvents)) {
        char ch = static_cast<char>(Message.WParam);
        KeyPress(ch);
        Message.WParam = static_cast<unsigned char>(ch);
        if (ch == 0) return true;
    }
    return false;
}

bool TWinControl::IsMenuKey(TMessage& Message)
{
    for (TWinControl* c = this; c; c = c->FParent) {
        TPopupMenu* pm = c->GetPopupMenu();
        if (pm && pm->IsShortCut(Message)) return true;
    }
    TCustomForm* form = GetParentForm(this);
    return form && form->IsShortCut(Message);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---- message plumbing ----
bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* c = nullptr;
    if (GetCapture() == FHandle) {
        if (GetCaptureControl() && GetCaptureControl()->FParent == this) c = GetCaptureControl();
    } else {
        c = ControlAtPos(TPoint(MsgX(Message), MsgY(Message)), false);
    }
    if (!c) return false;
    Message.Result = c->Perform(Message.Msg, Message.WParam,
                                PointToLParam(MsgX(Message) - c->FLeft, MsgY(Message) - c->FTop));
    return true;
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(this);
        if (form && !form->SetFocusedControl(this)) return;
        break;
    }
    case WM_KILLFOCUS:
        if (FControlState & csFocusing) return;
        break;
    case WM_NCHITTEST:
        TControl::WndProc(Message);
        if (Message.Result == HTTRANSPARENT &&
            ControlAtPos(ScreenToClient(TPoint(MsgX(Message), MsgY(Message))), false))
            Message.Result = HTCLIENT;
        return;
    case WM_MOUSEMOVE: {
        if (FHandle) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, FHandle, 0};
            TrackMouseEvent(&tme);
        }
        UpdateMouseControl();
        break;
    }
    case WM_CANCELMODE:
        if (GetCapture() == FHandle && GetCaptureControl() && GetCaptureControl()->FParent == this)
            GetCaptureControl()->Perform(WM_CANCELMODE, 0, 0);
        break;
    default:
        break;
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && IsControlMouseMsg(Message)) {
        // DefWindowProc still sees the message (a right button release makes WM_CONTEXTMENU).
        if (Message.Result == 0 && FHandle) DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(Message); break;
    case WM_DRAWITEM: WMDrawItem(Message); break;
    case WM_MEASUREITEM: WMMeasureItem(Message); break;
    case WM_DELETEITEM: WMDeleteItem(Message); break;
    case WM_COMPAREITEM: WMCompareItem(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_SYSCHAR: WMSysChar(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_MOUSELEAVE: WMMouseLeave(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case WM_DESTROY: WMDestroy(Message); break;
    case WM_SETTEXT: WMSetText(Message); break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case CM_CHILDKEY: CMChildKey(Message); break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::DefaultHandler(void* Message)
{
    TMessage& m = *static_cast<TMessage*>(Message);
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    if (m.Msg >= CN_CTLCOLORMSGBOX && m.Msg <= CN_CTLCOLORSTATIC) {
        // A child's colour request: our font colour on our brush.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, ColorToRGB(FFont->GetColor()));
        SetBkColor(dc, ColorToRGB(FBrush->GetColor()));
        m.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
        return;
    }
    // The library's own messages stop here; the window has no use for them.
    if ((m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100) || (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400)) {
        m.Result = 0;
        return;
    }
    m.Result = FDefWndProc ? CallWindowProcA(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam)
                           : DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
}

void TWinControl::DoControlMsg(HWND Control, TMessage& Message, bool& Handled)
{
    Handled = false;
    TWinControl* c = FindControl(Control);
    if (!c || c == this) return;
    Message.Result = c->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
    Handled = true;
}

// ---- message handlers ----
void TWinControl::WMPaint(TMessage& Message)
{
    if (DoubleBuffered && !Message.WParam) {
        TRect r = GetClientRect();
        TPaintGuard paint(FHandle);
        TMemoryDC mem(paint.Get());
        TBitmapHandle bmp(CreateCompatibleBitmap(paint.Get(), r.right, r.bottom));
        TSelectGuard sel(mem.Get(), bmp.Get());
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), reinterpret_cast<LPARAM>(mem.Get()));
        TMessage m = {WM_PAINT, reinterpret_cast<WPARAM>(mem.Get()), 0, 0};
        WMPaint(m);
        BitBlt(paint.Get(), 0, 0, r.right, r.bottom, mem.Get(), 0, 0, SRCCOPY);
        return;
    }
    if (!(FControlState & csCustomPaint) && FControls.empty()) DefaultHandler(&Message);
    else PaintHandler(Message);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    RECT r = GetClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush->GetHandle());
    Message.Result = 1;
}

void TWinControl::WMSize(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(&Message);
    Realign();
    if (!IsLoading()) Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(&Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    DefaultHandler(&Message);
    if (!Message.LParam) return;
    // Child windows of a moved window keep their window-less siblings' DCs valid.
    for (TControl* c : FControls) c->Perform(WM_WINDOWPOSCHANGED, 0, 0);
}

void TWinControl::WMCommand(TMessage& Message)
{
    bool handled = false;
    if (Message.LParam) DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
    bool handled = false;
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (hdr) DoControlMsg(hdr->hwndFrom, Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMCtlColor(TMessage& Message)
{
    bool handled = false;
    DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMDrawItem(TMessage& Message)
{
    bool handled = false;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    if (dis && dis->CtlType != ODT_MENU) DoControlMsg(dis->hwndItem, Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMMeasureItem(TMessage& Message)
{
    bool handled = false;
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    if (mis && mis->CtlType != ODT_MENU && FHandle) DoControlMsg(GetDlgItem(FHandle, mis->CtlID), Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMDeleteItem(TMessage& Message)
{
    bool handled = false;
    auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
    if (dis) DoControlMsg(dis->hwndItem, Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMCompareItem(TMessage& Message)
{
    bool handled = false;
    auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
    if (cis) DoControlMsg(cis->hwndItem, Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMScroll(TMessage& Message)
{
    bool handled = false;
    if (Message.LParam) DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message, handled);
    if (!handled) DefaultHandler(&Message);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(&Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(&Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(&Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(&Message);
}

void TWinControl::WMSysChar(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle && static_cast<short>(LOWORD(Message.LParam)) == HTCLIENT) {
        TCursor cur = Screen->GetCursor();
        if (cur == crDefault) {
            POINT p;
            GetCursorPos(&p);
            TControl* c = ControlAtPos(ScreenToClient(TPoint(p)), false);
            if (c) cur = c->FCursor;
            if (cur == crDefault) cur = FCursor;
        }
        if (cur != crDefault) {
            ::SetCursor(Screen->GetCursors(cur));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(&Message);
}

void TWinControl::WMContextMenu(TMessage& Message)
{
    TPoint screen(MsgX(Message), MsgY(Message));
    bool fromKeyboard = screen.x == -1 && screen.y == -1;
    auto popup = [&](TControl* c) {
        TPoint local = fromKeyboard ? TPoint(-1, -1) : c->ScreenToClient(screen);
        bool handled = false;
        if (c->OnContextPopup) c->OnContextPopup(c, local, handled);
        if (handled) return true;
        TPopupMenu* pm = c->GetPopupMenu();
        if (!pm || !pm->AutoPopup) return false;
        SendCancelMode(nullptr);
        pm->SetPopupComponent(c);
        TPoint at = fromKeyboard ? c->ClientToScreen(TPoint(0, 0)) : screen;
        pm->Popup(at.x, at.y);
        return true;
    };
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle && !fromKeyboard) {
        TControl* c = ControlAtPos(ScreenToClient(screen), false);
        if (c && popup(c)) {
            Message.Result = 1;
            return;
        }
    }
    if (popup(this)) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(&Message);
}

void TWinControl::WMMouseLeave(TMessage& Message)
{
    DefaultHandler(&Message);
    UpdateMouseControl();
}

void TWinControl::WMNCDestroy(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::WMDestroy(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::WMSetText(TMessage& Message) { DefaultHandler(&Message); }

void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this))) return;
    LRESULT mask = 0;
    switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    }
    if (mask && !Perform(CM_WANTSPECIALKEY, Message.WParam, 0) && !(Perform(WM_GETDLGCODE, 0, 0) & mask)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam)) return;
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    if (!(Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam)) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message)
{
    Message.Result = 1;
    if (Message.WParam != VK_SPACE) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam)) return;
    }
    Message.Result = 0;
}

void TWinControl::CMVisibleChanged(TMessage& Message)
{
    if (!FVisible && FParent)
        if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
    UpdateControlState();
    (void)Message;
}

void TWinControl::CMShowingChanged(TMessage&)
{
    if (!FHandle) return;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!FEnabled && FParent)
        if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
    if (FHandle) EnableWindow(FHandle, FEnabled);
    TControl::CMEnabledChanged(Message);
    // The children look disabled too while their parent is: they hear of it.
    NotifyControls(CM_ENABLEDCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    FBrush->SetColor(FColor);
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(Message);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }

void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::CMChildKey(TMessage& Message)
{
    if (FParent) Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

void TWinControl::CMCursorChanged(TMessage&)
{
    if (!FHandle || GetCapture()) return;
    POINT p;
    GetCursorPos(&p);
    if (WindowFromPoint(p) == FHandle) Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(FHandle), HTCLIENT);
}
