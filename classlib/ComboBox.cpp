#include "ComboBox.h"

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TItemStrings(this, ComboBoxMessages))
{
    FControlStyle = csCaptureMouse | csSetCaption | csDoubleClicks | csReplicatable;
    FWidth = 145;
    FHeight = 21;
    FTabStop = true;
    FParentColor = false;
    FColor = clWindow;
    FBrush->SetColor(FColor);
}

TCustomComboBox::~TCustomComboBox()
{
    // The window goes while the items can still take its contents.
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
}

int TCustomComboBox::ListHeight() const
{
    // The window of a drop-down combo box includes its list.
    if (FStyle == csSimple) return 0;
    int item = FFont->GetHeight() < 0 ? -FFont->GetHeight() + 4 : 16;
    return item * (DropDownCount > 0 ? DropDownCount : 8) + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "COMBOBOX");
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    Params.Style |= styles[FStyle] | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    if (FSorted) Params.Style |= CBS_SORT;
    Params.Height = FHeight + ListHeight();
    Params.WinClassName = "TComboBox";
}

void TCustomComboBox::CreateWnd()
{
    std::string text = FText;
    TWinControl::CreateWnd();
    FItems->WindowCreated();
    SendMessageA(FHandle, CB_LIMITTEXT, FMaxLength, 0);
    if (FStyle != csDropDownList && GetItemIndex() < 0 && !text.empty()) SetWindowTextA(FHandle, text.c_str());
}

void TCustomComboBox::DestroyWnd()
{
    FItems->WindowDestroying();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FHandle) {
        // The list below the edit needs room in the window; the control's height is the closed box.
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight + ListHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
        UpdateAnchorRules();
        RequestAlign();
        return;
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TCustomComboBox::GetItemIndex()
{
    return FHandle ? static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0)) : FItems->SavedIndex;
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
    if (FHandle) SendMessageA(FHandle, CB_SETCURSEL, Value, 0);
    else FItems->SavedIndex = Value;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value)
{
    if (Value == FSorted) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = Value < 0 ? 0 : Value;
    if (FHandle) SendMessageA(FHandle, CB_LIMITTEXT, FMaxLength, 0);
}

bool TCustomComboBox::GetDroppedDown() { return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessageA(GetHandle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::Clear()
{
    SetText(std::string());
    FItems->Clear();
}

void TCustomComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case CBN_EDITCHANGE: Change(); break;
    case CBN_SELCHANGE: {
        int i = GetItemIndex();
        if (i >= 0) SetWindowTextA(FHandle, FItems->Get(i).c_str());
        Click();
        Select();
        break;
    }
    case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
    }
}
