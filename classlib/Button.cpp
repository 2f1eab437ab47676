#include "Button.h"
#include "ActnList.h"
#include "Form.h"

bool IsAccel(WORD Key, const std::string& Text)
{
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&') continue;
        if (Text[i + 1] == '&') {
            ++i;
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(Text[i + 1])))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(Key & 0xFF)));
    }
    return false;
}

// ---- TButtonControl ----
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::SetWordWrap(bool Value)
{
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    RecreateWnd();
}

TControlActionLink* TButtonControl::CreateActionLink() { return new TButtonActionLink(this); }

void TButtonControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TWinControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
        if (!CheckDefaults || !GetChecked()) {
            FClicksDisabled = true;
            SetChecked(a->GetChecked());
            FClicksDisabled = false;
        }
    }
}

void TButtonActionLink::SetChecked(bool Value)
{
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    if (!a || FButton->GetChecked() != a->GetChecked()) return;
    bool old = FButton->FClicksDisabled;
    FButton->FClicksDisabled = true;
    FButton->SetChecked(Value);
    FButton->FClicksDisabled = old;
}

// ---- TButton ----
TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = csSetCaption | csDoubleClicks;
    FWidth = 75;
    FHeight = 25;
    FTabStop = true;
    FColor = clBtnFace;
    FParentColor = false;
    FBrush->SetColor(FColor);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    Params.WinClassName = "TButton";
}

void TButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    FActive = FDefault;
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!FHandle) return;
    LONG style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongA(FHandle, GWL_STYLE) & 0xF) != style) SendMessageA(FHandle, BM_SETSTYLE, style, 1);
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (FHandle) {
        TCustomForm* form = GetParentForm(this);
        if (form) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()));
    }
}

void TButton::Click()
{
    TCustomForm* form = GetParentForm(this);
    if (form && FModalResult) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    default: TButtonControl::Dispatch(Message); break;
    }
}

void TButton::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message)
{
    bool enter = Message.WParam == VK_RETURN && FActive;
    bool escape = Message.WParam == VK_ESCAPE && FCancel;
    if ((enter || escape) && KeyDataToShiftState(Message.LParam) == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TMessage& Message)
{
    // The focused button answers Enter; otherwise the default button does.
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    bool active = dynamic_cast<TButton*>(sender) ? sender == this : FDefault;
    if (active != FActive) {
        FActive = active;
        SetButtonStyle(active);
    }
    TButtonControl::CMFocusChanged(Message);
}

// ---- TCustomCheckBox ----
TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = csSetCaption | csDoubleClicks;
    FWidth = 97;
    FHeight = 17;
    FTabStop = true;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_3STATE | (FAlignment == taLeftSide ? BS_LEFTTEXT : 0);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WinClassName = "TCheckBox";
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageA(FHandle, BM_SETCHECK, FState, 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (Value == FState) return;
    FState = Value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, FState, 0);
    if (!FClicksDisabled) Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    default: TButtonControl::Dispatch(Message); break;
    }
}

void TCustomCheckBox::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

// ---- TRadioButton ----
TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = csSetCaption | csDoubleClicks;
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_RADIOBUTTON | (FAlignment == taLeftSide ? BS_LEFTTEXT : 0);
    Params.WinClassName = "TRadioButton";
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageA(FHandle, BM_SETCHECK, FChecked, 0);
}

void TRadioButton::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    SetTabStop(Value);
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, Value, 0);
    if (!Value) return;
    if (FParent) {
        for (int i = 0; i < FParent->GetControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(FParent->GetControl(i)))
                if (r != this) r->SetChecked(false);
    }
    if (!FClicksDisabled) Click();
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    default: TButtonControl::Dispatch(Message); break;
    }
}

void TRadioButton::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    }
}

void TRadioButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), GetText()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}
