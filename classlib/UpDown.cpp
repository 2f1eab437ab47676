#include "UpDown.h"
#include <commctrl.h>

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = 0;
    FWidth = 17;
    FHeight = 25;
}

void TCustomUpDown::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSA);
    Params.Style |= UDS_SETBUDDYINT;
    if (FAssociate) Params.Style |= FAlignButton == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
    if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
    if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
    if (FWrap) Params.Style |= UDS_WRAP;
    if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
    Params.WinClassName = "TUpDown";
}

void TCustomUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyRange();
    SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
    UDACCEL accel = {0, static_cast<UINT>(FIncrement)};
    SendMessageA(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (FAssociate) {
        SendMessageA(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->GetHandle()), 0);
        // Showing the position in the buddy moves this control beside it.
        SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
        UpdateBounds();
    }
}

void TCustomUpDown::ApplyRange()
{
    if (FHandle) SendMessageA(FHandle, UDM_SETRANGE32, FMin, FMax);
}

void TCustomUpDown::SetMin(int Value)
{
    FMin = Value;
    ApplyRange();
}

void TCustomUpDown::SetMax(int Value)
{
    FMax = Value;
    ApplyRange();
}

int TCustomUpDown::GetPosition()
{
    if (FHandle) {
        BOOL err = FALSE;
        int p = static_cast<int>(SendMessageA(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&err)));
        if (!err) FPosition = p;
    }
    return FPosition;
}

void TCustomUpDown::SetPosition(int Value)
{
    if (Value < FMin) Value = FMin;
    if (Value > FMax) Value = FMax;
    FPosition = Value;
    if (FHandle) SendMessageA(FHandle, UDM_SETPOS32, 0, Value);
}

void TCustomUpDown::SetIncrement(int Value)
{
    FIncrement = Value;
    if (FHandle) {
        UDACCEL accel = {0, static_cast<UINT>(Value)};
        SendMessageA(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TCustomUpDown::SetAssociate(TWinControl* Value)
{
    if (Value == FAssociate) return;
    if (FAssociate) RemoveFreeNotification(FAssociate);
    FAssociate = Value;
    if (Value) Value->FreeNotification(this);
    RecreateWnd();
}

void TCustomUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton Value)
{
    FAlignButton = Value;
    RecreateWnd();
}

void TCustomUpDown::SetWrap(bool Value)
{
    FWrap = Value;
    RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool Value)
{
    FArrowKeys = Value;
    RecreateWnd();
}

void TCustomUpDown::SetThousands(bool Value)
{
    FThousands = Value;
    RecreateWnd();
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        if (FHandle && !IsDestroying()) SendMessageA(FHandle, UDM_SETBUDDY, 0, 0);
    }
}

void TCustomUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomUpDown::CNNotify(TMessage& Message)
{
    auto* nm = reinterpret_cast<NMUPDOWN*>(Message.LParam);
    if (nm->hdr.code != UDN_DELTAPOS) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    Message.Result = allow ? 0 : 1;
}

void TCustomUpDown::CNScroll(TMessage& Message)
{
    if (LOWORD(Message.WParam) != SB_THUMBPOSITION) return;
    int old = FPosition;
    int now = GetPosition();
    if (now == old) return;
    // With wrapping a step up from Max lands on Min: that is still the "next" arrow.
    bool next = now > old;
    if (FWrap && ((old == FMax && now == FMin) || (old == FMin && now == FMax))) next = !next;
    if (OnClick) OnClick(this, next ? btNext : btPrev);
}
