#include "Control.h"
#include "ActnList.h"
#include "Application.h"
#include "Form.h"
#include "Menus.h"
#include "WinControl.h"
#include <algorithm>
#include <cstring>

namespace {
TControl* CaptureControl = nullptr;
TControl* MouseControl = nullptr;
}

TShiftState KeysToShiftState(WORD Keys)
{
    TShiftState s = 0;
    if (Keys & MK_SHIFT) s |= ssShift;
    if (Keys & MK_CONTROL) s |= ssCtrl;
    if (Keys & MK_LBUTTON) s |= ssLeft;
    if (Keys & MK_RBUTTON) s |= ssRight;
    if (Keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (KeyData & 0x20000000) s |= ssAlt;   // context code: Alt held
    return s;
}

HINSTANCE ClasslibInstance()
{
    static HINSTANCE inst = nullptr;
    if (!inst) {
        HMODULE m = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ClasslibInstance), &m);
        inst = m ? m : GetModuleHandleA(nullptr);
    }
    return inst;
}

// ---- capture and the control under the mouse ----
TControl* GetCaptureControl()
{
    HWND cap = GetCapture();
    if (!cap) {
        CaptureControl = nullptr;
        return nullptr;
    }
    if (CaptureControl && CaptureControl->GetParent() && CaptureControl->GetParent()->GetWindowHandle() == cap)
        return CaptureControl;
    CaptureControl = nullptr;
    return FindControl(cap);
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    CaptureControl = nullptr;
    if (!Control) return;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        SetCapture(w->GetHandle());
        return;
    }
    if (Control->GetParent()) {
        // A window-less control holds the capture through its parent's window.
        SetCapture(Control->GetParent()->GetHandle());
        CaptureControl = Control;
    }
}

TControl* GetMouseControl() { return MouseControl; }

void UpdateMouseControl()
{
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    TControl* target = FindDragTarget(TPoint(pt), false);
    TControl* cap = GetCaptureControl();
    if (cap && target != cap) target = nullptr;
    if (target == MouseControl) return;
    TControl* old = MouseControl;
    MouseControl = target;
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handler may have moved on already (it ran user code).
    if (target && MouseControl == target) target->Perform(CM_MOUSEENTER, 0, 0);
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    HWND wnd = WindowFromPoint(Pos);
    TWinControl* w = nullptr;
    while (wnd && !(w = FindControl(wnd))) wnd = GetParent(wnd);
    if (!w) return nullptr;
    TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled);
    return c ? c : w;
}

// ---- TControl ----
TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont)
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
}

TControl::~TControl()
{
    Destroying();
    if (CaptureControl == this) {
        CaptureControl = nullptr;
        ReleaseCapture();
    }
    if (MouseControl == this) MouseControl = nullptr;
    Application->ControlDestroying(this);
    if (FParent) FParent->RemoveControl(this);
    FActionLink.reset();
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    FFont->OnChange = nullptr;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!IsLoading()) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R)
{
    FLeft = R.left;
    FTop = R.top;
    FWidth = R.Width();
    FHeight = R.Height();
    UpdateAnchorRules();
}

TRect TControl::GetClientRect() { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int AWidth, int AHeight)
{
    TRect c = GetClientRect();
    SetBounds(FLeft, FTop, FWidth - c.Width() + AWidth, FHeight - c.Height() + AHeight);
}

TPoint TControl::GetClientOrigin()
{
    if (!FParent) return TPoint(FLeft, FTop);
    TPoint p = FParent->GetClientOrigin();
    return TPoint(p.x + FLeft, p.y + FTop);
}

void TControl::SetAlign(TAlign Value)
{
    static const TAnchors anchorAlign[] = {
        akLeft | akTop, akLeft | akTop | akRight, akLeft | akRight | akBottom, akLeft | akTop | akBottom,
        akRight | akTop | akBottom, akLeft | akTop | akRight | akBottom, akLeft | akTop};
    if (Value == FAlign) return;
    TAlign old = FAlign;
    FAlign = Value;
    FAnchors = anchorAlign[Value];
    if (!IsLoading() && FParent) {
        bool oldVert = old == alTop || old == alBottom;
        bool newHorz = Value == alLeft || Value == alRight;
        bool oldSide = old != alNone && old != alClient && old != alCustom;
        bool newSide = Value != alNone && Value != alClient && Value != alCustom;
        // Turning a top bar into a side bar keeps its thickness.
        if (oldSide && newSide && oldVert == newHorz) SetBounds(FLeft, FTop, FHeight, FWidth);
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (Value == FAnchors) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (FAnchorMove || IsLoading()) return;
    if (FAnchors == (akLeft | akTop)) {
        FOriginalParentSize = TPoint(0, 0);
        return;
    }
    if (FAnchors & akRight) FAnchorRules.x = (FAnchors & akLeft) ? FWidth : FLeft;
    else FAnchorRules.x = FLeft + FWidth / 2;
    if (FAnchors & akBottom) FAnchorRules.y = (FAnchors & akTop) ? FHeight : FTop;
    else FAnchorRules.y = FTop + FHeight / 2;
    if (FParent) {
        TRect r = FParent->GetClientRect();
        FOriginalParentSize = TPoint(r.Width(), r.Height());
    }
}

void TControl::RequestAlign()
{
    if (FParent) FParent->AlignControl(this);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value, 0);
    RequestAlign();
}

bool TControl::GetShowing() const { return FVisible && FParent && FParent->GetShowing(); }

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::IsEnabled() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled) return false;
    return true;
}

std::string TControl::GetText()
{
    int len = static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
    if (len <= 0) return std::string();
    std::string s(len + 1, '\0');
    int got = static_cast<int>(Perform(WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(&s[0])));
    s.resize(got < 0 ? 0 : got > len ? len : got);
    return s;
}

void TControl::SetText(const std::string& Value)
{
    if (GetText() == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (FParent && Value && !IsLoading()) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (Value == FParentColor) return;
    FParentColor = Value;
    if (FParent && Value && !IsLoading()) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
    if (Value == FShowHint) return;
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value)
{
    if (Value == FParentShowHint) return;
    FParentShowHint = Value;
    if (FParent && Value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (Value == FPopupMenu) return;
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

TBasicAction* TControl::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        FControlStyle &= ~csActionClient;
        return;
    }
    FControlStyle |= csActionClient;
    if (!FActionLink) FActionLink.reset(CreateActionLink());
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject*) {
        if (FActionLink && FActionLink->GetAction()) ActionChange(FActionLink->GetAction(), false);
    };
    ActionChange(Value, IsLoading());
    Value->FreeNotification(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || GetCaption().empty()) SetCaption(a->GetCaption());
    if (!CheckDefaults || FEnabled) SetEnabled(a->GetEnabled());
    if (!CheckDefaults || FHint.empty()) SetHint(a->GetHint());
    if (!CheckDefaults || FVisible) SetVisible(a->GetVisible());
}

void TControl::InitiateAction()
{
    if (FActionLink) FActionLink->Update();
}

bool TControl::GetMouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value)
{
    if (GetMouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink && (!FActionLink->GetAction() || AComponent == FActionLink->GetAction())) {
        FActionLink.reset();
        FControlStyle &= ~csActionClient;
    }
}

// ---- painting ----
void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    RECT r = GetBoundsRect();
    bool erase = !(IsOpaque || (FParent->FControlStyle & csOpaque));
    InvalidateRect(FParent->FHandle, &r, erase);
}

void TControl::Invalidate() { InvalidateControl(FVisible, (FControlStyle & csOpaque) != 0); }

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::Repaint()
{
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (FControlStyle & csOpaque) {
        // Paint at once: this control and the window-less siblings above it.
        TWindowDC dc(FParent->FHandle);
        IntersectClipRect(dc.Get(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(dc.Get(), this);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::SetZOrder(bool TopMost)
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (TopMost) list.push_back(this);
    else list.insert(list.begin(), this);
    Invalidate();
}

// ---- messages ----
LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m = {Msg, WParam, LParam, 0};
    if (WindowProc) WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        // A control without double clicks sees a second press as a press.
        if (!(FControlStyle & csDoubleClicks) &&
            (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) FControlState |= csLButtonDown;
        else if (Message.Msg == WM_LBUTTONUP) FControlState &= ~csLButtonDown;
        Application->HintMouseMessage(this, Message);
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    default: DefaultHandler(&Message); break;
    }
}

void TControl::DefaultHandler(void* Message)
{
    TMessage& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETTEXT: {
        size_t n = m.WParam ? m.WParam - 1 : 0;
        if (n > FText.size()) n = FText.size();
        char* buf = reinterpret_cast<char*>(m.LParam);
        if (buf && m.WParam) {
            memcpy(buf, FText.data(), n);
            buf[n] = 0;
        }
        m.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(FText.size()); break;
    case WM_SETTEXT:
        FText = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        m.Result = 1;
        break;
    default: m.Result = 0; break;
    }
}

void TControl::SendCancelMode(TControl* Sender)
{
    if (TCustomForm* f = GetParentForm(this)) f->SendCancelMode(Sender);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
    if (FControlStyle & csNoStdEvents) return;
    MouseDown(Button, KeysToShiftState(LOWORD(Message.WParam)) | Shift, MsgX(Message), MsgY(Message));
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    if (FControlStyle & csNoStdEvents) return;
    MouseUp(Button, KeysToShiftState(LOWORD(Message.WParam)), MsgX(Message), MsgY(Message));
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Click()
{
    if (FActionLink && FActionLink->GetAction()) FActionLink->Execute(this);
    else if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::WMLButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) FControlState |= csClicked;
    DoMouseDown(Message, mbLeft, 0);
}

void TControl::WMLButtonUp(TMessage& Message)
{
    DefaultHandler(&Message);
    if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
    if (FControlState & csClicked) {
        FControlState &= ~csClicked;
        if (GetClientRect().Contains(TPoint(MsgX(Message), MsgY(Message)))) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) DblClick();
    DoMouseDown(Message, mbLeft, ssDouble);
}

void TControl::WMRButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    DoMouseDown(Message, mbRight, 0);
}

void TControl::WMRButtonUp(TMessage& Message)
{
    DefaultHandler(&Message);
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    DoMouseDown(Message, mbRight, ssDouble);
}

void TControl::WMMButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    DoMouseDown(Message, mbMiddle, 0);
}

void TControl::WMMButtonUp(TMessage& Message)
{
    DefaultHandler(&Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(&Message);
    DoMouseDown(Message, mbMiddle, ssDouble);
}

void TControl::WMMouseMove(TMessage& Message)
{
    DefaultHandler(&Message);
    if (!(FControlStyle & csNoStdEvents))
        MouseMove(KeysToShiftState(LOWORD(Message.WParam)), MsgX(Message), MsgY(Message));
}

void TControl::WMCancelMode(TMessage& Message)
{
    DefaultHandler(&Message);
    if (GetMouseCapture()) {
        SetMouseCapture(false);
        if (FControlState & csLButtonDown) {
            FControlState &= ~(csLButtonDown | csClicked);
            TMessage up = {WM_LBUTTONUP, 0, PointToLParam(-1, -1), 0};
            Perform(up.Msg, up.WParam, up.LParam);
        }
    } else {
        FControlState &= ~(csLButtonDown | csClicked);
    }
}

void TControl::WMWindowPosChanged(TMessage& Message) { DefaultHandler(&Message); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && (FControlStyle & csOpaque)); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&)
{
    if (!FParentFont || !FParent) return;
    FFont->Assign(FParent->GetFont());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!FParentColor || !FParent) return;
    SetColor(FParent->GetColor());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->GetShowHint());
    FParentShowHint = true;
}

void TControl::CMTextChanged(TMessage&) { Invalidate(); }

void TControl::CMMouseEnter(TMessage&) {}

void TControl::CMMouseLeave(TMessage&) {}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::CMCursorChanged(TMessage&) {}

// ---- TControlActionLink ----
namespace {
TCustomAction* CustomAction(TBasicAction* a) { return dynamic_cast<TCustomAction*>(a); }
}

// A property follows the action while the control shows what the action had.
void TControlActionLink::SetCaption(const std::string& Value)
{
    TCustomAction* a = CustomAction(FAction);
    if (a && FControl->GetCaption() == a->GetCaption()) FControl->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
    TCustomAction* a = CustomAction(FAction);
    if (a && FControl->GetEnabled() == a->GetEnabled()) FControl->SetEnabled(Value);
}

void TControlActionLink::SetHint(const std::string& Value)
{
    TCustomAction* a = CustomAction(FAction);
    if (a && FControl->GetHint() == a->GetHint()) FControl->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value)
{
    TCustomAction* a = CustomAction(FAction);
    if (a && FControl->GetVisible() == a->GetVisible()) FControl->SetVisible(Value);
}

void TControlActionLink::SetChecked(bool) {}
