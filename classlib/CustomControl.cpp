#include "CustomControl.h"
#include "ScopeGuard.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {}

TCustomControl::~TCustomControl()
{
    // The window goes before the canvas: no paint may arrive without it.
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
    FCanvas->FreeHandle();
}

void TCustomControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.WinClassName = "TCustomControl";
}

void TCustomControl::DestroyWnd()
{
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(HDC DC)
{
    TPaintDCScope painting(*FCanvas, DC);
    Paint();
}

void TCustomControl::WMPaint(TMessage& Message)
{
    TFlagScope<TControlState> customPaint(FControlState, csCustomPaint);
    TWinControl::WMPaint(Message);
}
