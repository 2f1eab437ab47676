#include "CustomControl.h"

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
    HDC prev = FCanvas->BeginPaintDC(DC);
    try {
        Paint();
    } catch (...) {
        FCanvas->EndPaintDC(prev);
        throw;
    }
    FCanvas->EndPaintDC(prev);
}

void TCustomControl::WMPaint(TMessage& Message)
{
    FControlState |= csCustomPaint;
    try {
        TWinControl::WMPaint(Message);
    } catch (...) {
        FControlState &= ~csCustomPaint;
        throw;
    }
    FControlState &= ~csCustomPaint;
}
