#include "GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl()
{
    // Leave the parent first: a paint must not reach a half-destroyed control.
    SetParent(nullptr);
    FCanvas->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    default: TControl::Dispatch(Message); break;
    }
}

void TGraphicControl::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    FCanvas->MarkStale();
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    if (!Message.WParam) return;
    TPaintDCScope painting(*FCanvas, reinterpret_cast<HDC>(Message.WParam));
    Paint();
}

void TGraphicControl::WMWindowPosChanged(TMessage& Message)
{
    // Bounds changed: a borrowed DC has the old origin and clipping.
    FCanvas->MarkStale();
    TControl::WMWindowPosChanged(Message);
}
